// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "support/GlTestWindow.h"

namespace TolvaTest {

// The window's picture as the X server shows it, bottom row first, RGB.
Screenshot readX11Window(GLFWwindow* window);

// The keyboard focus moved to the root window, or back to the game's, as a click elsewhere
// would; GLFW hears it at its next event poll.
void focusX11Window(GLFWwindow* window, bool onGame);

} // namespace TolvaTest
