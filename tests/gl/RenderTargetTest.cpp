// The off-screen target, the blur pass and the particle system in a real context.
#include "render/RenderTarget.h"
#include "app/GameLoop.h"
#include "app/Hotkeys.h"
#include "app/Level.h"
#include "render/FrameRenderer.h"
#include "render/ParticleSystem.h"
#include "render/ShaderProgram.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "support/GlTestWindow.h"
#include "support/KeyScript.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

using namespace Pellwin;
using namespace TolvaTest;

namespace {

GLint integerState(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

glm::vec3 uniformVec3(GLuint program, const char* name) {
    glm::vec3 value(0.0f);
    glGetUniformfv(program, glGetUniformLocation(program, name), glm::value_ptr(value));
    return value;
}

// Counts live GL names of one kind by probing the name range the driver hands out.
int liveNames(GLboolean (*isName)(GLuint)) {
    int live = 0;
    for (GLuint name = 1; name < 4096; ++name) {
        live += isName(name) ? 1 : 0;
    }
    return live;
}
GLboolean isTexture(GLuint name) {
    return glIsTexture(name);
}
GLboolean isFramebuffer(GLuint name) {
    return glIsFramebuffer(name);
}
GLboolean isBuffer(GLuint name) {
    return glIsBuffer(name);
}
GLboolean isVertexArray(GLuint name) {
    return glIsVertexArray(name);
}

class PlayingGame : public ::testing::Test {
protected:
    void SetUp() override { startGame(); }
    void TearDown() override { returnToTitle(); }
};

} // namespace

TEST(RenderTarget, IsACompleteFramebufferOfTheFixedSize) {
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    GLint width = 0;
    GLint height = 0;
    glBindTexture(GL_TEXTURE_2D, sceneColorTexture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 768);
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, sceneDepthTexture);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &filter);
    EXPECT_EQ(filter, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, 0);
}

TEST(RenderTarget, TenRestartsLeaveNoGrowingGlObjects) {
    returnToTitle();
    const int textures = liveNames(isTexture);
    const int framebuffers = liveNames(isFramebuffer);
    const int buffers = liveNames(isBuffer);
    const int vertexArrays = liveNames(isVertexArray);
    for (int i = 0; i < 10; ++i) {
        restartLevel();
    }
    EXPECT_EQ(liveNames(isTexture), textures);
    EXPECT_EQ(liveNames(isFramebuffer), framebuffers);
    EXPECT_EQ(liveNames(isBuffer), buffers);
    EXPECT_EQ(liveNames(isVertexArray), vertexArrays);
    EXPECT_EQ(drainGlErrors(), 0);
}

TEST_F(PlayingGame, BlurReceivesTheBallPositionsOfTheTwoPreviousPasses) {
    previousBallPosition = glm::vec3(0.0f);
    currentBallPosition = glm::vec3(0.0f);
    glm::vec3 first;
    stepFrame();
    player->getPosition(first);
    EXPECT_EQ(uniformVec3(blurShader->programId, "blurPrevPosition"), glm::vec3(0.0f));
    EXPECT_EQ(uniformVec3(blurShader->programId, "blurCurrentPosition"), glm::vec3(0.0f));
    stepFrame();
    EXPECT_EQ(uniformVec3(blurShader->programId, "blurPrevPosition"), glm::vec3(0.0f));
    EXPECT_EQ(uniformVec3(blurShader->programId, "blurCurrentPosition"), first);
    glm::vec3 second;
    player->getPosition(second);
    stepFrame();
    EXPECT_EQ(uniformVec3(blurShader->programId, "blurPrevPosition"), first);
    EXPECT_EQ(uniformVec3(blurShader->programId, "blurCurrentPosition"), second);
}

TEST_F(PlayingGame, BlurPassKeepsTheSceneObjectsVertexArraysIntact) {
    GLint enabled = 0;
    stepFrames(2);
    glBindVertexArray(plank3->vao);
    const GLint position = glGetAttribLocation(plank3->program->programId, "position");
    glGetVertexAttribiv(static_cast<GLuint>(position), GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
    EXPECT_EQ(enabled, GL_TRUE);
    GLint buffer = 0;
    glGetVertexAttribiv(static_cast<GLuint>(position), GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING,
                        &buffer);
    EXPECT_EQ(static_cast<GLuint>(buffer), plank3->positionBuffer);
    glBindVertexArray(0);
}

TEST_F(PlayingGame, BlurPassFillsTheWholeWindow) {
    stepFrame();
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(testWindow(), &width, &height);
    EXPECT_EQ(viewport[2], width);
    EXPECT_EQ(viewport[3], height);
    EXPECT_EQ(integerState(GL_FRAMEBUFFER_BINDING), 0);
}

TEST_F(PlayingGame, ParticlesStartAtTheLauncherGrowAndStayBounded) {
    EXPECT_GE(particleSystem->particleCount, 1);
    const GLuint sourceBefore = particleSystem->sourceBuffer;
    const GLuint targetBefore = particleSystem->targetBuffer;
    stepFrame();
    EXPECT_EQ(particleSystem->sourceBuffer, targetBefore)
        << "the written buffer becomes the source";
    EXPECT_EQ(particleSystem->targetBuffer, sourceBefore);
    stepFrames(59);
    EXPECT_GT(particleSystem->particleCount, 1) << "steam rises within a second of play";
    for (int i = 0; i < 240; ++i) {
        stepFrame();
        ASSERT_LE(particleSystem->particleCount, 10000);
        ASSERT_GE(particleSystem->particleCount, 1) << "the launcher never dies";
    }
}

TEST_F(PlayingGame, ParticlesDrawWithDepthWritesWhenTransparencyIsOff) {
    transparencyEnabled = false;
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    particleSystem->drawParticles();
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);

    transparencyEnabled = true;
    particleSystem->drawParticles();
    EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "blending is restored off";
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites) << "depth writes are restored on";
    EXPECT_EQ(integerState(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_EQ(integerState(GL_CURRENT_PROGRAM), 0);
    EXPECT_EQ(integerState(GL_ACTIVE_TEXTURE), GL_TEXTURE9);
    EXPECT_EQ(integerState(GL_TEXTURE_BINDING_2D), 0);
    EXPECT_EQ(integerState(GL_ARRAY_BUFFER_BINDING), 0);
    EXPECT_EQ(drainGlErrors(), 0);
}

TEST_F(PlayingGame, ThreeThousandFramesOfPlayRaiseNoGlError) {
    ConsoleCapture console;
    // Roll, jump, and turn now and then, restarting whenever the round ends.
    for (int frame = 0; frame < 3000; ++frame) {
        releaseAllKeys();
        if (!playing) {
            holdKey(GLFW_KEY_F1);
        }
        if (frame % 90 < 10) {
            holdKey(GLFW_KEY_SPACE);
        }
        if (frame % 200 < 30) {
            holdKey(GLFW_KEY_R);
        }
        stepFrame();
    }
    EXPECT_EQ(console.text().find("ERROR: GL Error detected"), std::string::npos);
}
