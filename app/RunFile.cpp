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

enum StartFlag : unsigned { jumpingFlag = 1, landedFlag = 2, blockedFlag = 4 };

bool validSeconds(float seconds) {
    // Also false for NaN.
    return seconds > 0.0f && seconds <= roundSeconds;
}

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
    for (std::size_t i = 0; i < run.frames.size(); ++i) {
        const RunFrame& frame = run.frames[i];
        if (!validSeconds(frame.seconds)) {
            return "Bild " + std::to_string(i) + withNumber(" dauert %g s", frame.seconds);
        }
        if (!std::isfinite(frame.ball.x) || !std::isfinite(frame.ball.y) ||
            !std::isfinite(frame.ball.z)) {
            return "besch\344digt: Bild " + std::to_string(i) + " hat keinen Ort";
        }
    }
    if (!validSeconds(run.goalFrameSeconds)) {
        return withNumber("das Zielbild dauert %g s", run.goalFrameSeconds);
    }
    if (!(run.start.jumpTime >= 0.0f && run.start.jumpTime <= 3600.0f)) {
        return withNumber("besch\344digt: Sprungzeit %g s", run.start.jumpTime);
    }
    const double finish = run.finishHundredths / 100.0;
    if (run.finishHundredths <= 0 || finish > roundSeconds) {
        return withNumber("Zielzeit %.2f s ist unm\366glich", finish);
    }
    const int clock = runClockHundredths(run);
    if (run.finishHundredths != clock) {
        return withNumber("Zielzeit %.2f s passt nicht zu den Bildern", finish) +
               withNumber(" (%.2f s)", clock / 100.0);
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
    putFloat(bytes, run.goalFrameSeconds);
    putBits(bytes,
            (run.start.jumping ? jumpingFlag : 0u) |
                (run.start.landedInRaisedZone ? landedFlag : 0u) |
                (run.start.blocked ? blockedFlag : 0u),
            1);
    putFloat(bytes, run.start.jumpTime);
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
    read.goalFrameSeconds = getFloat(bytes, 24);
    const auto flags = static_cast<unsigned>(getBits(bytes, 28, 1));
    if (flags > (jumpingFlag | landedFlag | blockedFlag)) {
        return "besch\344digt: unbekannter Anfangszustand";
    }
    read.start = {(flags & jumpingFlag) != 0, (flags & landedFlag) != 0, (flags & blockedFlag) != 0,
                  getFloat(bytes, 29)};
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

int runClockHundredths(const RecordedRun& run) {
    double played = 0.0;
    for (std::size_t i = 1; i < run.frames.size(); ++i) {
        played += static_cast<double>(run.frames[i].seconds);
    }
    return static_cast<int>(
        std::lround((played + static_cast<double>(run.goalFrameSeconds)) * 100.0));
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

bool readRun(const std::string& path, std::uint64_t fingerprint, RecordedRun& run,
             const char* what) {
    std::string bytes;
    const FileRead result = readPlayerFile(path, runFileLimit, bytes);
    if (result == FileRead::missing) {
        return false;
    }
    const std::string problem = result == FileRead::read ? decodeRun(bytes, fingerprint, run)
                                                         : whyNotRead(result, runFileLimit);
    if (!problem.empty()) {
        std::cerr << what << " " << path << " wird nicht verwendet: " << problem << "."
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
