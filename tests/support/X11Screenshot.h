// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "support/GlTestWindow.h"

namespace TolvaTest {

// The window's picture as the X server shows it, bottom row first, RGB.
Screenshot readX11Window(GLFWwindow* window);

} // namespace TolvaTest
