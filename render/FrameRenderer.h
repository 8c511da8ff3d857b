// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <glm/glm.hpp>

namespace Pellwin {

class LoadModel;

extern glm::mat4 projectionMatrix;
extern glm::mat4 viewMatrix;
extern int drawnObjectCount;

// One playing frame: the scene into the render target, then the blur pass to the window.
void renderFrame();
void renderScene();

void drawIfVisible(LoadModel* object);
void drawIfVisibleBlended(LoadModel* object);

} // namespace Pellwin
