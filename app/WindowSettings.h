// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <glm/glm.hpp>

struct GLFWwindow;

namespace Pellwin {

// What the command line asked for; destroying it shuts GLFW down.
struct WindowSettings {
    int width;
    int height;
    bool fullscreen;
    int refreshRate;

    WindowSettings(int argc, char** argv);
    ~WindowSettings();
    WindowSettings(const WindowSettings&) = delete;
    WindowSettings& operator=(const WindowSettings&) = delete;
};

extern WindowSettings* windowSettings;
extern int windowWidth;
extern int windowHeight;

GLFWwindow* createWindow();
void onWindowSize(GLFWwindow* window, int width, int height);

} // namespace Pellwin

namespace Pellwin {

// Width over height of the window, as every projection uses it. A window with no height
// (minimised) keeps a square aspect instead of dividing by zero.
float windowAspectRatio();

// The drawable size in pixels of the window whose context is current; 0 x 0 without one.
glm::ivec2 framebufferSize();

} // namespace Pellwin
