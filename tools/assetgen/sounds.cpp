// SPDX-License-Identifier: GPL-3.0-or-later
#include "sounds.h"

#include <cmath>

#include "noise.h"
#include "vecmath.h"

namespace assetgen {

namespace {

Sound blank(double seconds) {
    Sound sound;
    sound.samples.assign(static_cast<size_t>(seconds * kSoundRate), 0.0);
    return sound;
}

double timeOf(size_t i) {
    return static_cast<double>(i) / kSoundRate;
}

// Rises in `attack` seconds, then dies away with time constant `tau`.
double strike(double t, double attack, double tau) {
    return clamp01(t / attack) * expApprox(-t / tau);
}

double rms(const std::vector<double>& samples) {
    double sum = 0.0;
    for (double s : samples) {
        sum += s * s;
    }
    return samples.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

void scaleToRms(std::vector<double>& samples, double target) {
    const double now = rms(samples);
    const double gain = now > 0.0 ? target / now : 0.0;
    for (double& s : samples) {
        s *= gain;
    }
}

// A second of noise through `filter`, one period after another until the filter has
// forgotten where it started, so that the last period loops without a seam.
template <typename Filter> std::vector<double> loopedNoise(unsigned seed, Filter filter) {
    const int period = kSoundRate;
    const std::vector<double> noise = periodicNoise(period, seed);
    std::vector<double> out(static_cast<size_t>(period));
    for (int pass = 0; pass < 3; ++pass) {
        for (int i = 0; i < period; ++i) {
            out[static_cast<size_t>(i)] = filter(noise[static_cast<size_t>(i)]);
        }
    }
    return out;
}

// One note of a jingle: fundamental and a few harmonics with the given weights.
double note(double phase, const std::vector<double>& harmonics) {
    double sum = 0.0;
    for (size_t h = 0; h < harmonics.size(); ++h) {
        sum += harmonics[h] * sineTurns(phase * static_cast<double>(h + 1));
    }
    return sum;
}

} // namespace

Sound clickSound() {
    Sound sound = blank(0.04);
    Rng rng(101);
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        const double t = timeOf(i);
        sound.samples[i] = 0.7 * sineTurns(2400.0 * t) * expApprox(-t / 0.004) +
                           0.5 * rng.range(-1.0, 1.0) * expApprox(-t / 0.0015);
    }
    normalise(sound, 0.6);
    return sound;
}

Sound jumpSound() {
    const double length = 0.28;
    Sound sound = blank(length);
    Rng rng(102);
    StateVariableFilter puff(900.0, 0.7);
    double phase = 0.0;
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        const double t = timeOf(i);
        const double u = t / length;
        phase += 330.0 * (1.0 + 1.7 * u) / kSoundRate;
        const double body = clamp01(t / 0.008) * (1.0 - u) * (1.0 - u);
        puff.run(rng.range(-1.0, 1.0));
        sound.samples[i] = body * (sineTurns(phase) + 0.3 * sineTurns(2.0 * phase)) +
                           1.5 * puff.low * expApprox(-t / 0.02);
    }
    normalise(sound, 0.7);
    return sound;
}

Sound landSound() {
    Sound sound = blank(0.3);
    Rng rng(103);
    StateVariableFilter dust(350.0, 0.7);
    double phase = 0.0;
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        const double t = timeOf(i);
        phase += (55.0 + 60.0 * expApprox(-t / 0.05)) / kSoundRate;
        dust.run(rng.range(-1.0, 1.0));
        sound.samples[i] =
            sineTurns(phase) * strike(t, 0.002, 0.07) + 3.0 * dust.low * strike(t, 0.001, 0.02);
    }
    normalise(sound, 0.85);
    return sound;
}

Sound knockSound() {
    struct Mode {
        double hz, tau, weight;
    };
    const Mode modes[] = {{190.0, 0.06, 1.0}, {433.0, 0.035, 0.6}, {817.0, 0.015, 0.35}};
    Sound sound = blank(0.25);
    Rng rng(104);
    StateVariableFilter contact(1500.0, 0.7);
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        const double t = timeOf(i);
        double sum = 0.0;
        for (const Mode& mode : modes) {
            sum += mode.weight * sineTurns(mode.hz * t) * strike(t, 0.001, mode.tau);
        }
        contact.run(rng.range(-1.0, 1.0));
        sound.samples[i] = sum + 1.6 * contact.low * expApprox(-t / 0.004);
    }
    normalise(sound, 0.8);
    return sound;
}

Sound whooshSound() {
    const double length = 1.0;
    Sound sound = blank(length);
    Rng rng(105);
    StateVariableFilter air(350.0, 1.2);
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        const double u = timeOf(i) / length;
        air.tune(350.0 + 1100.0 * u * u * u, 1.2);
        air.run(rng.range(-1.0, 1.0));
        const double rise = clamp01(u / 0.85);
        const double fall = u < 0.85 ? 1.0 : (1.0 - u) / 0.15;
        sound.samples[i] = air.band * rise * rise * fall;
    }
    normalise(sound, 0.7);
    return sound;
}

Sound wonSound() {
    const double onsets[] = {0.0, 0.11, 0.22, 0.33};
    const double pitches[] = {523.25, 659.25, 783.99, 1046.5}; // C E G C
    Sound sound = blank(1.4);
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        const double t = timeOf(i);
        double sum = 0.0;
        for (int n = 0; n < 4; ++n) {
            const double since = t - onsets[n];
            if (since >= 0.0) {
                const double tau = n == 3 ? 0.45 : 0.18;
                sum += note(pitches[n] * since, {1.0, 0.4, 0.2}) * strike(since, 0.004, tau);
            }
        }
        sound.samples[i] = sum * clamp01((1.4 - t) / 0.05);
    }
    normalise(sound, 0.75);
    return sound;
}

Sound lostSound() {
    const double onsets[] = {0.0, 0.18, 0.36, 0.54};
    const double pitches[] = {392.0, 369.99, 349.23, 329.63}; // G F# F E, falling
    const double length = 1.2;
    Sound sound = blank(length);
    double phase = 0.0;
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        const double t = timeOf(i);
        int n = 0;
        while (n < 3 && t >= onsets[n + 1]) {
            ++n;
        }
        const double since = t - onsets[n];
        double hz = pitches[n];
        double level = clamp01(since / 0.015);
        if (n < 3) {
            level *= clamp01((onsets[n + 1] - t) / 0.03);
        } else {
            // The last note sags and wobbles as it fades.
            hz *= 1.0 - 0.06 * clamp01(since / 0.6) + 0.012 * sineTurns(6.0 * since);
            level *= clamp01((length - t) / (length - onsets[3]));
        }
        phase += hz / kSoundRate;
        sound.samples[i] = level * note(phase, {1.0, 0.5, 0.33, 0.2, 0.12});
    }
    normalise(sound, 0.7);
    return sound;
}

Sound rollSound() {
    StateVariableFilter rumbleA(160.0, 0.9), rumbleB(160.0, 0.9), grit(600.0, 0.8);
    std::vector<double> rumble = loopedNoise(106, [&](double x) {
        rumbleA.run(x);
        rumbleB.run(rumbleA.low);
        return rumbleB.low;
    });
    std::vector<double> texture = loopedNoise(107, [&](double x) {
        grit.run(x);
        return grit.band;
    });
    scaleToRms(rumble, 0.25);
    scaleToRms(texture, 0.08);
    Sound sound = blank(1.0);
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        const double t = timeOf(i);
        const double turn = sineTurns(2.5 * t); // five bumps a second, a whole number
        sound.samples[i] =
            (rumble[i] + texture[i]) * (0.7 + 0.3 * turn * turn) + 0.08 * sineTurns(55.0 * t);
    }
    normalise(sound, 0.7);
    return sound;
}

Sound flightSound() {
    StateVariableFilter blade(1100.0, 1.5);
    std::vector<double> air = loopedNoise(108, [&](double x) {
        blade.run(x);
        return blade.band;
    });
    scaleToRms(air, 0.15);
    Sound sound = blank(1.0);
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        const double t = timeOf(i);
        const double spin = sineTurns(4.0 * t); // eight flutters a second
        sound.samples[i] =
            air[i] * (0.55 + 0.45 * spin * spin) + 0.2 * sineTurns(kFlightWhistleHz * t);
    }
    normalise(sound, 0.7);
    return sound;
}

Sound steamSound() {
    StateVariableFilter hissA(3500.0, 0.7), hissB(3500.0, 0.7);
    std::vector<double> hiss = loopedNoise(109, [&](double x) {
        hissA.run(x);
        hissB.run(hissA.high);
        return hissB.high;
    });
    Sound sound = blank(1.0);
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        sound.samples[i] = hiss[i] * (0.8 + 0.2 * sineTurns(3.0 * timeOf(i)));
    }
    normalise(sound, 0.6);
    return sound;
}

} // namespace assetgen
