// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace assetgen {

// Every sound is mono at this rate; OpenAL resamples it for the device.
constexpr int kSoundRate = 22050;

// Samples in [-1, 1].
struct Sound {
    std::vector<double> samples;
};

// Only +, -, *, / and floor, so every machine computes the same bits; libm's sin and exp
// may round differently from one build to the next.
double sineTurns(double turns); // sin(2 pi turns)
double expApprox(double x);     // e^x, close enough for envelopes and filter constants

// Chamberlin state-variable filter; stable for centres up to about a sixth of the rate.
class StateVariableFilter {
public:
    StateVariableFilter(double centreHz, double q) { tune(centreHz, q); }
    void tune(double centreHz, double q);
    void run(double in);
    double low = 0, band = 0, high = 0;

private:
    double f_ = 0, damping_ = 1;
};

// White noise that repeats after `period` samples: a looped sound filtered from it, once
// the filters have settled, has no seam.
std::vector<double> periodicNoise(int period, unsigned seed);

// Scales the samples so the loudest one reaches `peak`.
void normalise(Sound& sound, double peak);

// Writes 16-bit PCM mono; returns false on failure.
bool saveWav(const Sound& sound, const std::string& path);

} // namespace assetgen
