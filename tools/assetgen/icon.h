// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image.h"

namespace assetgen {

// The game's icon at size x size pixels: the fruit ball on a round of worktop.
Image iconPicture(int size);

} // namespace assetgen
