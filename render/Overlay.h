// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "render/TextLayout.h"

#include <glm/glm.hpp>
#include <vector>

namespace Pellwin {

// Text and plates drawn flat over the finished picture, in framebuffer pixels. Not a scene
// object: nothing here is counted, culled or filtered by the hotkeys.

// Loads the overlay's program and the lettering picture. Called after the scene is built,
// so no scene texture's name (names double as texture units) moves. A missing or broken
// file leaves the overlay empty; the game and its console go on as ever.
void createOverlay();
void destroyOverlay();
bool overlayReady();

// Adds rectangles to the next drawOverlay, filled with `fill` and edged with `rim`.
void queueOverlay(const std::vector<OverlayQuad>& quads, glm::vec4 fill, glm::vec4 rim);

// Draws and clears the queue over the whole window. Leaves blending off, depth testing on,
// texture unit 0 active and vertex array 0 bound.
void drawOverlay();

} // namespace Pellwin
