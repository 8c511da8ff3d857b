// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

struct GLFWwindow;

namespace TolvaTest {

// The one 1024 x 768 window of the GL test run, with the whole scene built in it.
GLFWwindow* testWindow();

// Brings the game back to a fresh title screen at game-clock time `clock`: level
// restarted, flags and render settings as at start-up, no keys held.
void returnToTitle(double clock = 100.0);

// Sets the scripted clock back to `clock` without touching the game. Frame times come
// out of float rounding of the clock, so two runs match frame for frame only from the
// same clock.
void rewindClock(double clock);

// A fresh title, then F1: the first playing frame has run when this returns.
void startGame();

// Resizes the window and waits until the game has heard of it.
void resizeTestWindow(int width, int height);

// Current scripted clock; frames advance it by a fixed step.
double scriptedClock();

// Sets the GLFW clock to the next fixed step and runs one frame. Returns runFrame's result.
bool stepFrame(double step = 1.0 / 60.0);
void stepFrames(int count, double step = 1.0 / 60.0);

// Captures everything the game writes to std::cout while it lives.
class ConsoleCapture {
public:
    ConsoleCapture();
    ~ConsoleCapture();
    ConsoleCapture(const ConsoleCapture&) = delete;
    ConsoleCapture& operator=(const ConsoleCapture&) = delete;
    std::string text() const { return buffer.str(); }
    void clear() { buffer.str(std::string()); }

private:
    std::ostringstream buffer;
    std::streambuf* previous;
};

// The picture last shown in the window (front buffer), bottom row first, RGB.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    const uint8_t* pixel(int x, int y) const {
        return &rgb[3 * (static_cast<size_t>(y) * width + x)];
    }
};
Screenshot readWindow();
// Saves it as a PNG test artefact (folder created as needed) and returns the path.
std::string saveScreenshot(const Screenshot& shot, const std::string& name);

// Compares the picture with tests/pictures/<name>.png, within one step per channel.
// TOLVA_RECORD_PICTURES=1 keeps it as that reference instead.
void expectSameAsReference(const Screenshot& shot, const std::string& name);

// Every GL error pending now, drained.
int drainGlErrors();

} // namespace TolvaTest
