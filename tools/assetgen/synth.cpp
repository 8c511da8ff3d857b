// SPDX-License-Identifier: GPL-3.0-or-later
#include "synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

#include "noise.h"
#include "vecmath.h"

namespace assetgen {

namespace {

void put16(std::ofstream& out, unsigned value) {
    const char bytes[2] = {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
    out.write(bytes, 2);
}

void put32(std::ofstream& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

} // namespace

double sineTurns(double turns) {
    double x = turns - std::floor(turns);
    if (x >= 0.5) {
        x -= 1.0;
    }
    // Fold onto the quarter turn around zero, where the series converges fast.
    if (x > 0.25) {
        x = 0.5 - x;
    } else if (x < -0.25) {
        x = -0.5 - x;
    }
    const double a = 2.0 * kPi * x;
    const double a2 = a * a;
    double term = a;
    double sum = a;
    for (int n = 1; n <= 6; ++n) {
        term *= -a2 / ((2.0 * n) * (2.0 * n + 1.0));
        sum += term;
    }
    return sum;
}

double expApprox(double x) {
    if (x < -700.0) {
        return 0.0;
    }
    double y = 1.0 + x / 1048576.0; // (1 + x / 2^20)^(2^20)
    for (int i = 0; i < 20; ++i) {
        y *= y;
    }
    return y;
}

void StateVariableFilter::tune(double centreHz, double q) {
    f_ = 2.0 * sineTurns(centreHz / (2.0 * kSoundRate));
    damping_ = 1.0 / q;
}

void StateVariableFilter::run(double in) {
    low += f_ * band;
    high = in - low - damping_ * band;
    band += f_ * high;
}

std::vector<double> periodicNoise(int period, unsigned seed) {
    Rng rng(seed);
    std::vector<double> noise(static_cast<size_t>(period));
    for (double& value : noise) {
        value = rng.range(-1.0, 1.0);
    }
    return noise;
}

void normalise(Sound& sound, double peak) {
    double loudest = 0.0;
    for (double s : sound.samples) {
        loudest = std::max(loudest, std::fabs(s));
    }
    if (loudest <= 0.0) {
        return;
    }
    const double gain = peak / loudest;
    for (double& s : sound.samples) {
        s *= gain;
    }
}

bool saveWav(const Sound& sound, const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(sound.samples.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, kSoundRate);
    put32(out, kSoundRate * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, dataBytes);
    for (double s : sound.samples) {
        const double clamped = std::clamp(s, -1.0, 1.0);
        const long value = static_cast<long>(std::floor(clamped * 32767.0 + 0.5));
        put16(out, static_cast<unsigned>(value) & 0xFFFF);
    }
    return static_cast<bool>(out);
}

} // namespace assetgen
