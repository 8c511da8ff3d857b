// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <GL/glew.h>

struct GLFWwindow;

namespace Pellwin {

extern bool printFrameTime;
extern bool printObjectCount;
extern bool cullingEnabled;
extern bool transparencyEnabled;
extern bool filterNearest;
extern bool filterLinear;
extern bool filterMipmapLinear;

// The settings a fresh start has: culling off, transparency on, linear filtering, quiet.
void resetRenderSettings();

// F2, F4, F5, F7, F8, F9 in this order, each with its own 0.3 s debounce.
void handleHotkeys(GLFWwindow* window, double now);

// Sets the filter on every cached texture; mipmapped filters leave magnification alone.
void applyTextureFilter(GLenum filter, bool printProgress);

// Most texture names one filter pass handles; the list keeps one slot for its end marker.
constexpr int textureListSlots = 40;

} // namespace Pellwin
