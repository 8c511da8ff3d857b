// SPDX-License-Identifier: GPL-3.0-or-later
// The render-setting keys in the real window, byte for byte on the console.
#include "app/Hotkeys.h"
#include "app/GameLoop.h"
#include "scene/TextureCache.h"
#include "support/GlTestWindow.h"
#include "support/KeyScript.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <string>

using namespace Pellwin;
using namespace TolvaTest;

namespace {

const std::string quality = "Texturqualit\xE4t: ";

// How many textures have these filters; with set, gives every texture them first.
int texturesFilteredWith(GLint minFilter, GLint magFilter, bool set = false) {
    int count = 0;
    for (const auto& entry : textureCache) {
        GLint filters[2] = {minFilter, magFilter};
        glBindTexture(GL_TEXTURE_2D, entry.second);
        for (int i = 0; i < 2; ++i) {
            const GLenum which = i == 0 ? GL_TEXTURE_MIN_FILTER : GL_TEXTURE_MAG_FILTER;
            set ? glTexParameteri(GL_TEXTURE_2D, which, filters[i])
                : glGetTexParameteriv(GL_TEXTURE_2D, which, &filters[i]);
        }
        count += filters[0] == minFilter && filters[1] == magFilter ? 1 : 0;
    }
    return count;
}

// One frame with the key down, then the debounce runs out with it up.
std::string press(int key) {
    ConsoleCapture console;
    holdKey(key);
    stepFrame();
    releaseKey(key);
    stepFrame(0.35);
    return console.text();
}

// What F4 writes for n textures: the count twice and the number per texture, the count
// once more when the list ends, then the message.
std::string perTexture(size_t n) {
    std::string text;
    for (size_t i = 1; i <= n; ++i) {
        text += std::to_string(n) + std::to_string(n) + std::to_string(i) + "\n";
    }
    return text + std::to_string(n);
}

class Hotkeys : public ::testing::Test {
protected:
    void SetUp() override { returnToTitle(); }
    void TearDown() override {
        texturesFilteredWith(GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, true);
        returnToTitle();
    }
};

} // namespace

TEST_F(Hotkeys, F4AndF5SwitchEveryTexturesFilterWithTheirMessages) {
    ASSERT_EQ(textureCache.size(), 23u);
    const int all = 23;
    std::string f5Counts;
    for (int i = 0; i < 2 * all + 1; ++i) {
        f5Counts += "23";
    }
    EXPECT_EQ(press(GLFW_KEY_F4), perTexture(23) + quality + "Nearest\n");
    EXPECT_EQ(texturesFilteredWith(GL_NEAREST, GL_NEAREST), all);
    EXPECT_EQ(press(GLFW_KEY_F4), perTexture(23) + quality + "Linear\n");
    EXPECT_EQ(texturesFilteredWith(GL_LINEAR, GL_LINEAR), all);
    EXPECT_EQ(press(GLFW_KEY_F5), f5Counts + quality + "mm Nearest\n");
    EXPECT_EQ(texturesFilteredWith(GL_NEAREST_MIPMAP_NEAREST, GL_LINEAR), all);
    EXPECT_EQ(press(GLFW_KEY_F5), f5Counts + quality + "mm Linear\n");
    EXPECT_EQ(texturesFilteredWith(GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR), all);
    EXPECT_EQ(press(GLFW_KEY_F4), perTexture(23) + quality + "Nearest\n");
    EXPECT_EQ(press(GLFW_KEY_F5), f5Counts + quality + "Linear\n") << "mm Linear is remembered";
    EXPECT_EQ(texturesFilteredWith(GL_LINEAR, GL_LINEAR), all);
    EXPECT_EQ(press(GLFW_KEY_F5), f5Counts + quality + "mm Nearest\n");
}

TEST_F(Hotkeys, OneFilterPassTakesAtMostThirtyNineTextures) {
    GLuint extra[20];
    glGenTextures(20, extra);
    const GLubyte texel[4] = {0, 0, 0, 255};
    for (int i = 0; i < 20; ++i) {
        glBindTexture(GL_TEXTURE_2D, extra[i]);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
        textureCache["extra" + std::to_string(i)] = extra[i];
    }
    const std::string text = press(GLFW_KEY_F4);
    for (int i = 0; i < 20; ++i) {
        textureCache.erase("extra" + std::to_string(i));
    }
    glDeleteTextures(20, extra);
    EXPECT_EQ(text, perTexture(39) + quality + "Nearest\n");
}

TEST_F(Hotkeys, F8F9AndF7SwitchWithTheirMessages) {
    ConsoleCapture console;
    holdKey(GLFW_KEY_F8);
    stepFrames(60);
    releaseAllKeys();
    EXPECT_EQ(console.text(), "ViewFrustumCulling: ON\nViewFrustumCulling: OFF\n"
                              "ViewFrustumCulling: ON\nViewFrustumCulling: OFF\n")
        << "held for a second, it switches every 0.3 s";
    EXPECT_EQ(press(GLFW_KEY_F9), "Undurchsichtig\n");
    EXPECT_FALSE(transparencyEnabled);
    EXPECT_EQ(press(GLFW_KEY_F9), "Transparent\n");
    EXPECT_EQ(press(GLFW_KEY_F7), "") << "F7 itself says nothing";
    console.clear();
    holdKey(GLFW_KEY_F1);
    stepFrames(2);
    EXPECT_EQ(console.text(), "obj:30\nobj:30\n");
}

TEST_F(Hotkeys, F2PrintsTheFrameTimeFromTheFrameThatSwitchesItOnToTheOneBeforeOff) {
    returnToTitle(1024.0); // a clock whose 1/64 s steps are exact in a float
    ConsoleCapture console;
    holdKey(GLFW_KEY_F2);
    stepFrame(1.0 / 64.0);
    releaseAllKeys();
    stepFrame(1.0 / 60.0);
    EXPECT_EQ(console.text(), "frametime: 15.625ms\nframetime: 16.6667ms\n");
    stepFrame(0.3);
    console.clear();
    holdKey(GLFW_KEY_F2);
    stepFrame();
    releaseAllKeys();
    stepFrames(2);
    EXPECT_EQ(console.text(), "") << "the frame that switches it off prints nothing";
}
