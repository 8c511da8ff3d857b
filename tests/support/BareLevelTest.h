#pragma once
// A laid-out level of mesh-less objects with the scripted keyboard: the world the rule
// tests play in, without GL.
#include "app/GameLoop.h"
#include "app/KeyInput.h"
#include "app/Level.h"
#include "sim/GameUpdate.h"
#include "support/BareScene.h"
#include "support/KeyScript.h"

#include <gtest/gtest.h>

namespace TolvaTest {

// 1/64 s: a frame time whose multiples stay exact in float.
constexpr float frame64 = 0.015625f;

class BareLevelTest : public ::testing::Test {
protected:
    void SetUp() override {
        buildBareScene();
        Pellwin::placeLevelObjects();
        useScriptedKeys();
        Pellwin::deltaTime = frame64;
        Pellwin::blocked = false;
    }

    void TearDown() override {
        Pellwin::setKeyReader(nullptr);
        destroyBareScene();
    }
};

} // namespace TolvaTest
