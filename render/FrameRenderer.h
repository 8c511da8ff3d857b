// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <glm/glm.hpp>
#include <string>
#include <vector>

namespace Pellwin {

class LoadModel;

extern glm::mat4 projectionMatrix;
extern glm::mat4 viewMatrix;
extern int drawnObjectCount;

// One playing frame: the scene into the render target, then the blur pass to the window.
void renderFrame();

// Binds the render target, sized and cleared for a scene pass.
void clearSceneTarget();

// The scene pass, in the draw order. When `afterEachDraw` is given, it is called after
// each step of that order with the step's index (the benchmark times the draws one by one).
void renderScene(void (*afterEachDraw)(int step) = nullptr);

// The steps of the scene pass's draw order, by name.
std::vector<std::string> sceneDrawNames();

void drawIfVisible(LoadModel* object);
void drawIfVisibleBlended(LoadModel* object);

} // namespace Pellwin
