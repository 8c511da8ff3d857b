// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "synth.h"

namespace assetgen {

// One-shots.
Sound clickSound();  // F1
Sound jumpSound();   // the ball leaves the worktop
Sound landSound();   // and comes down again
Sound knockSound();  // the ball runs into a plank or the slab
Sound whooshSound(); // a falling knife, loudest as the blade reaches the worktop
Sound wonSound();    // jingle for the won picture
Sound lostSound();   // sting for the lost picture

// Loops: they start where they end.
Sound rollSound();   // the ball rolling; the game bends its pitch and volume with speed
Sound flightSound(); // the flying knife: a spinning blade's flutter and whistle
Sound steamSound();  // the pot's hiss

// The whistle in flightSound, in Hz: the only steady tone among the game's sounds.
constexpr double kFlightWhistleHz = 1600.0;

} // namespace assetgen
