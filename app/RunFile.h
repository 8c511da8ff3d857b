// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>
#include <glm/vec3.hpp>
#include <string>
#include <vector>

namespace Pellwin {

// A run: what the game update consumed in each frame of one won game, and where the ball
// was after it. Fed back through the update, the frames' seconds and keys put the ball at
// the same places. The file that keeps it is described in docs/run-format.md.

// The keys the update reads, one bit each: W, S, A, D, R, Space, Left, Right from bit 0 up.
using RunKeys = std::uint8_t;

struct RunFrame {
    float seconds = 0.0f; // the frame's deltaTime
    RunKeys keys = 0;
    glm::vec3 ball{0.0f}; // after the frame
};

// What an earlier game leaves behind that a new level does not lay out afresh, as F1
// found it: a jump under way, its time, a landing on the slab, contact with a barrier.
struct RunStart {
    bool jumping = false;
    bool landedInRaisedZone = false;
    bool blocked = false;
    float jumpTime = 0.0f;
};

struct RecordedRun {
    // Level placement and movement constants the run was played with.
    std::uint64_t fingerprint = 0;
    // The game's time from F1 to the goal, as the best time keeps it.
    int finishHundredths = 0;
    // The frame that saw the ball at the goal: the update no longer plays it, but its
    // seconds stop the clock.
    float goalFrameSeconds = 0.0f;
    RunStart start;
    std::vector<RunFrame> frames;
};

constexpr std::uint32_t runFormatVersion = 2;
// 50 s of frames at 2 kHz: no real run comes near it.
constexpr std::size_t runFrameLimit = 100000;
constexpr std::size_t runHeaderBytes = 33;
constexpr std::size_t runFrameBytes = 17;
constexpr std::size_t runFileLimit = runHeaderBytes + runFrameLimit * runFrameBytes;

// Why the run cannot be a won game of this level, or empty when it can: frames that last
// no time, too long or no number, a ball at no place, a finish time other than the one the
// round clock reads from the frames.
std::string problemWithRun(const RecordedRun& run);

std::string encodeRun(const RecordedRun& run);

// Fills `run` from a file's bytes and returns an empty text, or returns why the bytes are
// no run of the level with this fingerprint and leaves `run` alone.
std::string decodeRun(const std::string& bytes, std::uint64_t fingerprint, RecordedRun& run);

// Seconds from the run's start to the end of its last frame.
double runSeconds(const RecordedRun& run);

// The time a won game's clock reads with these frames: every played frame but the first,
// then the goal's frame, added up in the game clock's order.
int runClockHundredths(const RecordedRun& run);

// Where the run's ball was at `seconds` on the round clock, the sum of the frames' seconds:
// on the straight line between the places at the ends of the frames around it. Before the
// first frame's end it is at that frame's place, after the last frame at the last.
glm::vec3 runBallAt(const RecordedRun& run, double seconds);

// $XDG_DATA_HOME/tolva/best-run, beside the best time.
std::string bestRunPathFromEnvironment();

// The run in the file. False when there is none: silently for a missing file, with one
// line on standard error naming the file and the reason for any other.
// `what` names the run in that line.
bool readRun(const std::string& path, std::uint64_t fingerprint, RecordedRun& run,
             const char* what = "Bestlauf");

// Replaces the file as the best time is replaced. A run the reader would refuse is not
// written. On failure returns false with the line for standard error in `problem`.
bool writeRun(const std::string& path, const RecordedRun& run, std::string& problem);

} // namespace Pellwin
