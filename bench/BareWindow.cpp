// SPDX-License-Identifier: GPL-3.0-or-later
// The least a start-up can be: a 1024 x 768 window with a GL 3.3 core context, its entry
// points, one cleared frame swapped. Prints the steady clock (ms) at that moment.
#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <chrono>
#include <cstdio>

int main() {
    if (!glfwInit()) {
        return 1;
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(1024, 768, "bare window", nullptr, nullptr);
    if (window == nullptr) {
        glfwTerminate();
        return 1;
    }
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        return 1;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glfwSwapBuffers(window);
    glFinish();
    using namespace std::chrono;
    const double now = duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
    std::printf("@ready %.3f\n", now);
    glfwTerminate();
    return 0;
}
