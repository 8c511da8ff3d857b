// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A world of mesh-less objects (scale 1, identity matrix) with a camera and a controller
// without a window: enough for the rules, no GL needed.
namespace TolvaTest {

void buildBareScene();
void destroyBareScene();

struct BareScene {
    BareScene() { buildBareScene(); }
    ~BareScene() { destroyBareScene(); }
};

// 1/64 s: a frame time whose multiples stay exact in float.
constexpr float frame64 = 0.015625f;

// The bare world with the level laid out, the scripted keyboard and 1/64 s frames.
void layOutBareLevel();

} // namespace TolvaTest
