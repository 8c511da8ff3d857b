// What the round clock shows, and which game keys a gamepad holds.
#include "app/GamepadKeys.h"
#include "app/KeyInput.h"
#include "app/TimeText.h"
#include "support/KeyScript.h"

#include <functional>
#include <gtest/gtest.h>

using namespace Pellwin;

TEST(RoundClock, WholeSecondsRoundUpAndTheLastTenShowTenthsInRed) {
    const struct {
        float left;
        const char* text;
        bool red;
    } cases[] = {{60.0f, "50", false}, {50.0f, "50", false}, {49.01f, "50", false},
                 {49.0f, "49", false}, {10.5f, "11", false}, {10.0f, "10", false},
                 {9.99f, "9,9", true}, {9.05f, "9,0", true}, {0.09f, "0,0", true},
                 {0.0f, "0,0", true},  {-2.0f, "0,0", true}};
    for (const auto& c : cases) {
        EXPECT_EQ(clockFace(c.left).text, c.text) << c.left;
        EXPECT_EQ(clockFace(c.left).finalSeconds, c.red) << c.left;
    }
    EXPECT_EQ(wonTimeText(2305), "23,05 s");
}

TEST(Gamepad, EachInputHoldsItsKeyAndNothingAtRest) {
    using Touch = std::function<void(GLFWgamepadstate&)>;
    const auto button = [](int b) { return [b](GLFWgamepadstate& s) { s.buttons[b] = 1; }; };
    const auto axis = [](int a, float v) { return [a, v](GLFWgamepadstate& s) { s.axes[a] = v; }; };
    const struct {
        const char* name;
        Touch touch;
        int key; // 0: no game key at all
    } cases[] = {{"at rest", [](GLFWgamepadstate&) {}, 0},
                 {"axes GLFW has no mapping for", [](GLFWgamepadstate& s) { s = {}; }, 0},
                 {"stick just inside the dead zone", axis(GLFW_GAMEPAD_AXIS_LEFT_Y, -0.24f), 0},
                 {"stick forward", axis(GLFW_GAMEPAD_AXIS_LEFT_Y, -0.26f), GLFW_KEY_W},
                 {"stick back", axis(GLFW_GAMEPAD_AXIS_LEFT_Y, 0.9f), GLFW_KEY_S},
                 {"stick left", axis(GLFW_GAMEPAD_AXIS_LEFT_X, -0.5f), GLFW_KEY_A},
                 {"D-pad up", button(GLFW_GAMEPAD_BUTTON_DPAD_UP), GLFW_KEY_W},
                 {"D-pad right", button(GLFW_GAMEPAD_BUTTON_DPAD_RIGHT), GLFW_KEY_D},
                 {"A", button(GLFW_GAMEPAD_BUTTON_A), GLFW_KEY_SPACE},
                 {"X", button(GLFW_GAMEPAD_BUTTON_X), GLFW_KEY_R},
                 {"right trigger", axis(GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER, 0.3f), GLFW_KEY_R},
                 {"left bumper", button(GLFW_GAMEPAD_BUTTON_LEFT_BUMPER), GLFW_KEY_LEFT},
                 {"right bumper", button(GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER), GLFW_KEY_RIGHT},
                 {"Start", button(GLFW_GAMEPAD_BUTTON_START), GLFW_KEY_F1},
                 {"Back", button(GLFW_GAMEPAD_BUTTON_BACK), GLFW_KEY_ESCAPE}};
    for (const auto& c : cases) {
        GLFWgamepadstate pad = restingPad();
        c.touch(pad);
        for (int key = GLFW_KEY_SPACE; key <= GLFW_KEY_LAST; ++key) {
            EXPECT_EQ(padHoldsKey(pad, key), key == c.key) << c.name << ", key " << key;
        }
    }
}

TEST(Gamepad, TwoPadsMergeAndTheKeyboardStillCounts) {
    static GLFWgamepadstate second;
    second = restingPad();
    second.axes[GLFW_GAMEPAD_AXIS_LEFT_X] = -0.8f;
    setPadStateReader([](GLFWgamepadstate& state) {
        mergePadState(state, restingPad());
        mergePadState(state, second);
        return true;
    });
    TolvaTest::useScriptedKeys();
    TolvaTest::holdKey(GLFW_KEY_W);
    readPads();
    EXPECT_TRUE(isKeyPressed(nullptr, GLFW_KEY_A));
    EXPECT_TRUE(isKeyPressed(nullptr, GLFW_KEY_W));
    EXPECT_FALSE(isKeyPressed(nullptr, GLFW_KEY_D));
    setPadStateReader(nullptr);
    EXPECT_FALSE(isKeyPressed(nullptr, GLFW_KEY_A));
    setKeyReader(nullptr);
}
