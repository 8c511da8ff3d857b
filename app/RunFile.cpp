// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RunFile.h"

#include "app/GameLoop.h"
#include "app/PlayerFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <glm/common.hpp>
#include <iostream>

namespace Pellwin {

namespace {

constexpr char magic[4] = {'T', 'L', 'V', 'R'};
// The clock that times a game starts at F1, inside the first frame, and stops in the
// frame that sees the ball past the goal, which the update no longer plays: so the finish
// time may differ from the frames' sum by a frame. A hundredth more for its rounding.
constexpr double shortestClockSlack = 0.1;

std::string withNumber(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof(text), format, value);
    return text;
}

void putBits(std::string& bytes, std::uint64_t value, int count) {
    for (int i = 0; i < count; ++i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

void putFloat(std::string& bytes, float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    putBits(bytes, bits, 4);
}

std::uint64_t getBits(const std::string& bytes, std::size_t at, int count) {
    std::uint64_t value = 0;
    for (int i = 0; i < count; ++i) {
        value |= std::uint64_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

float getFloat(const std::string& bytes, std::size_t at) {
    const auto bits = static_cast<std::uint32_t>(getBits(bytes, at, 4));
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

} // namespace

// The reasons are Latin-1, as the console is; octal escapes, since a hex one would swallow
// the letter after it.
std::string problemWithRun(const RecordedRun& run) {
    if (run.frames.empty() || run.frames.size() > runFrameLimit) {
        return "besch\344digt: " + std::to_string(run.frames.size()) + " Bilder";
    }
    double sum = 0.0;
    float longest = 0.0f;
    for (std::size_t i = 0; i < run.frames.size(); ++i) {
        const RunFrame& frame = run.frames[i];
        // Also false for NaN.
        if (!(frame.seconds > 0.0f && frame.seconds <= roundSeconds)) {
            return "Bild " + std::to_string(i) + withNumber(" dauert %g s", frame.seconds);
        }
        if (!std::isfinite(frame.ball.x) || !std::isfinite(frame.ball.y) ||
            !std::isfinite(frame.ball.z)) {
            return "besch\344digt: Bild " + std::to_string(i) + " hat keinen Ort";
        }
        sum += frame.seconds;
        longest = std::max(longest, frame.seconds);
    }
    const double finish = run.finishHundredths / 100.0;
    if (run.finishHundredths <= 0 || finish > roundSeconds) {
        return withNumber("Zielzeit %.2f s ist unm\366glich", finish);
    }
    if (std::abs(finish - sum) > std::max<double>(longest, shortestClockSlack) + 0.01) {
        return withNumber("Zielzeit %.2f s passt nicht zu den Bildern", finish) +
               withNumber(" (%.2f s)", sum);
    }
    return std::string();
}

std::string encodeRun(const RecordedRun& run) {
    std::string bytes(magic, sizeof(magic));
    bytes.reserve(runHeaderBytes + run.frames.size() * runFrameBytes);
    putBits(bytes, runFormatVersion, 4);
    putBits(bytes, run.fingerprint, 8);
    putBits(bytes, static_cast<std::uint32_t>(run.finishHundredths), 4);
    putBits(bytes, run.frames.size(), 4);
    for (const RunFrame& frame : run.frames) {
        putFloat(bytes, frame.seconds);
        bytes.push_back(static_cast<char>(frame.keys));
        putFloat(bytes, frame.ball.x);
        putFloat(bytes, frame.ball.y);
        putFloat(bytes, frame.ball.z);
    }
    return bytes;
}

std::string decodeRun(const std::string& bytes, std::uint64_t fingerprint, RecordedRun& run) {
    if (bytes.size() > runFileLimit) {
        return whyNotRead(FileRead::tooLarge, runFileLimit);
    }
    if (bytes.compare(0, sizeof(magic), magic, std::min(bytes.size(), sizeof(magic))) != 0) {
        return "kein Lauf von Tolva";
    }
    if (bytes.size() < runHeaderBytes) {
        return "abgeschnitten";
    }
    const std::uint64_t version = getBits(bytes, 4, 4);
    if (version != runFormatVersion) {
        return "Formatversion " + std::to_string(version) + ", dieses Spiel liest " +
               std::to_string(runFormatVersion);
    }
    if (getBits(bytes, 8, 8) != fingerprint) {
        return "auf einer anderen Strecke oder mit anderer Physik aufgenommen";
    }
    const std::uint64_t count = getBits(bytes, 20, 4);
    if (count > runFrameLimit) {
        return std::to_string(count) + " Bilder, mehr als jeder Lauf";
    }
    const std::size_t size = runHeaderBytes + count * runFrameBytes;
    if (bytes.size() != size) {
        return bytes.size() < size ? "abgeschnitten"
                                   : "besch\344digt: " + std::to_string(bytes.size() - size) +
                                         " Bytes nach dem letzten Bild";
    }
    RecordedRun read;
    read.fingerprint = fingerprint;
    read.finishHundredths =
        static_cast<int>(std::min<std::uint64_t>(getBits(bytes, 16, 4), 1u << 30));
    read.frames.resize(count);
    std::size_t at = runHeaderBytes;
    for (RunFrame& frame : read.frames) {
        frame.seconds = getFloat(bytes, at);
        frame.keys = static_cast<RunKeys>(bytes[at + 4]);
        frame.ball = {getFloat(bytes, at + 5), getFloat(bytes, at + 9), getFloat(bytes, at + 13)};
        at += runFrameBytes;
    }
    std::string problem = problemWithRun(read);
    if (problem.empty()) {
        run = std::move(read);
    }
    return problem;
}

double runSeconds(const RecordedRun& run) {
    double sum = 0.0;
    for (const RunFrame& frame : run.frames) {
        sum += frame.seconds;
    }
    return sum;
}

glm::vec3 runBallAt(const RecordedRun& run, double seconds) {
    if (run.frames.empty()) {
        return glm::vec3(0.0f);
    }
    double frameEnd = run.frames[0].seconds;
    if (seconds <= frameEnd) {
        return run.frames[0].ball;
    }
    for (std::size_t i = 1; i < run.frames.size(); ++i) {
        const double frameStart = frameEnd;
        frameEnd += run.frames[i].seconds;
        if (seconds <= frameEnd) {
            const auto along = static_cast<float>((seconds - frameStart) / run.frames[i].seconds);
            return glm::mix(run.frames[i - 1].ball, run.frames[i].ball, along);
        }
    }
    return run.frames.back().ball;
}

std::string bestRunPathFromEnvironment() {
    return playerFilePathFromEnvironment(PlayerFolder::data, "best-run");
}

bool readRun(const std::string& path, std::uint64_t fingerprint, RecordedRun& run) {
    std::string bytes;
    const FileRead result = readPlayerFile(path, runFileLimit, bytes);
    if (result == FileRead::missing) {
        return false;
    }
    const std::string problem = result == FileRead::read ? decodeRun(bytes, fingerprint, run)
                                                         : whyNotRead(result, runFileLimit);
    if (!problem.empty()) {
        std::cerr << "Bestlauf " << path << " wird nicht verwendet: " << problem << "."
                  << std::endl;
    }
    return problem.empty();
}

bool writeRun(const std::string& path, const RecordedRun& run, std::string& problem) {
    problem = problemWithRun(run);
    if (problem.empty() && replacePlayerFile(path, encodeRun(run), problem)) {
        return true;
    }
    problem = "Bestlauf nicht gespeichert: " + problem;
    return false;
}

} // namespace Pellwin
