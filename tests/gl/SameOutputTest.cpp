// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GameLoop.h"
#include "render/RenderTarget.h"
#include "scene/TextureCache.h"
#include "support/GlTestWindow.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

using namespace Pellwin;

std::vector<unsigned char> titleLevel(GLuint texture, int level) {
    std::vector<unsigned char> pixels(4u * std::max(1, 1024 >> level) * std::max(1, 512 >> level));
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexImage(GL_TEXTURE_2D, level, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

TEST(SameOutput, OwnMipmapLevelsAreTheDriversLevelForLevel) {
    GLuint textures[2] = {loadTexture("Resourcen\\BilderGedreht\\titel.png"), 0};
    const std::vector<unsigned char> top = titleLevel(textures[0], 0);
    glGenTextures(1, &textures[1]);
    glBindTexture(GL_TEXTURE_2D, textures[1]);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1024, 512, 0, GL_BGRA, GL_UNSIGNED_BYTE, top.data());
    glGenerateMipmap(GL_TEXTURE_2D);
    for (int level = 1; level <= 10; ++level) {
        EXPECT_EQ(titleLevel(textures[0], level), titleLevel(textures[1], level)) << level;
    }
    glDeleteTextures(2, textures);
}

TEST(SameOutput, ACopiedSharpFrameIsWhatTheBlurProgramShows) {
    TolvaTest::startGame();
    auto shownAfterStep = [](float step) {
        deltaTime = 0.01f;
        currentBallPosition =
            (previousBallPosition = glm::vec3(0.0f, 5.0f, -20.0f)) - glm::vec3(0.0f, 0.0f, step);
        renderMotionBlur(glm::mat4(1.0f), glm::mat4(1.0f));
        glfwSwapBuffers(TolvaTest::testWindow());
        return TolvaTest::readWindow().rgb;
    };
    const std::vector<uint8_t> sharp = shownAfterStep(0.0f);
    EXPECT_EQ(shownAfterStep(0.402f), sharp); // 40.2 units a second: no ball, never blurred
    EXPECT_NE(shownAfterStep(0.398f), sharp); // 39.8: blurred in full
    TolvaTest::returnToTitle();
}
