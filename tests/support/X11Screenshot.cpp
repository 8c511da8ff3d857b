// SPDX-License-Identifier: GPL-3.0-or-later
// Kept apart: the X11 headers define macros (None, Bool) that clash with GoogleTest.
#include "support/X11Screenshot.h"

#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>
#include <X11/Xutil.h>

namespace TolvaTest {

Screenshot readX11Window(GLFWwindow* window) {
    Screenshot shot;
    Display* display = glfwGetX11Display();
    const Window xWindow = glfwGetX11Window(window);
    XSync(display, False);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, xWindow, &attributes);
    shot.width = attributes.width;
    shot.height = attributes.height;
    shot.rgb.resize(3u * static_cast<size_t>(shot.width) * static_cast<size_t>(shot.height));
    XImage* image = XGetImage(display, xWindow, 0, 0, static_cast<unsigned>(shot.width),
                              static_cast<unsigned>(shot.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return shot;
    }
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x) {
            const unsigned long value = XGetPixel(image, x, shot.height - 1 - y);
            uint8_t* p = &shot.rgb[3 * (static_cast<size_t>(y) * shot.width + x)];
            p[0] = static_cast<uint8_t>((value & image->red_mask) >> 16);
            p[1] = static_cast<uint8_t>((value & image->green_mask) >> 8);
            p[2] = static_cast<uint8_t>(value & image->blue_mask);
        }
    }
    XDestroyImage(image);
    return shot;
}

void focusX11Window(GLFWwindow* window, bool onGame) {
    Display* display = glfwGetX11Display();
    XSetInputFocus(display, onGame ? glfwGetX11Window(window) : PointerRoot, RevertToPointerRoot,
                   CurrentTime);
    XSync(display, False);
}

} // namespace TolvaTest
