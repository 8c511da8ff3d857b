// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowSettings.h"

#include "app/CommandLine.h"
#include "app/ConsolePause.h"

#include <GLFW/glfw3.h>
#include <climits>
#include <iostream>
#include <string>

namespace Pellwin {

WindowSettings* windowSettings = nullptr;

namespace {

constexpr int largestWindowSide = 16384;

// Standard output keeps the game's own line; the reason behind it goes to standard error.
void explainFailure(const std::string& ownReason) {
    const char* description = nullptr;
    if (glfwGetError(&description) != GLFW_NO_ERROR && description != nullptr) {
        std::cerr << "GLFW: " << description << std::endl;
    } else {
        std::cerr << ownReason << std::endl;
    }
}

} // namespace
int windowWidth = 0;
int windowHeight = 0;

WindowSettings::WindowSettings(int argc, char** argv)
    : width(0), height(0), fullscreen(false), refreshRate(60) {
    WindowRequest request;
    const CommandLineResult result = parseCommandLine(argc, argv, request, std::cout);
    if (result != CommandLineResult::accepted && result != CommandLineResult::missingArguments) {
        exitAfterPause(1);
    }
    width = request.width;
    height = request.height;
    fullscreen = request.fullscreen;
}

WindowSettings::~WindowSettings() {
    glfwTerminate();
}

GLFWwindow* createWindow() {
    if (!glfwInit()) {
        std::cout << "ERROR: Failed to init glfw" << std::endl;
        explainFailure("GLFW could not start");
        exitAfterPause(-1);
    }
    std::cout << "SUCCESS: glfw intialisiert" << std::endl;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_REFRESH_RATE, INT_MAX);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);

    GLFWwindow* window = nullptr;
    // GLFW aborts on a negative size and X cannot hold one past 16 bits; such a window
    // is simply not made, like any other the system refuses.
    const bool sizeUsable = windowSettings->width > 0 && windowSettings->height > 0 &&
                            windowSettings->width <= largestWindowSide &&
                            windowSettings->height <= largestWindowSide;
    if (!sizeUsable) {
        window = nullptr;
    } else if (windowSettings->fullscreen) {
        glfwWindowHint(GLFW_REFRESH_RATE, windowSettings->refreshRate);
        window = glfwCreateWindow(windowSettings->width, windowSettings->height,
                                  "Tolva - Quellmoor", glfwGetPrimaryMonitor(), nullptr);
    } else {
        window = glfwCreateWindow(windowSettings->width, windowSettings->height,
                                  "Tolva - Quellmoor", nullptr, nullptr);
    }
    if (window == nullptr) {
        std::cout << "ERROR: Failed to open window" << std::endl;
        explainFailure("No window can be " + std::to_string(windowSettings->width) + " x " +
                       std::to_string(windowSettings->height) + " large");
        glfwTerminate();
        exitAfterPause(-1);
    }
    return window;
}

void onWindowSize(GLFWwindow* /*window*/, int width, int height) {
    windowWidth = width;
    windowHeight = height;
}

} // namespace Pellwin

namespace Pellwin {

float windowAspectRatio() {
    if (windowWidth <= 0 || windowHeight <= 0) {
        return 1.0f;
    }
    return static_cast<float>(windowWidth) / static_cast<float>(windowHeight);
}

glm::ivec2 framebufferSize() {
    glm::ivec2 size(0, 0);
    if (GLFWwindow* window = glfwGetCurrentContext()) {
        glfwGetFramebufferSize(window, &size.x, &size.y);
    }
    return size;
}

} // namespace Pellwin
