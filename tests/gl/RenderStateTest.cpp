// SPDX-License-Identifier: GPL-3.0-or-later
// The renderer in a real context: programs, the GL state each step leaves, textures and
// their cache, the render target and blur pass, and the steam.
#include "app/GameLoop.h"
#include "app/Hotkeys.h"
#include "app/Level.h"
#include "render/FrameRenderer.h"
#include "render/ParticleSystem.h"
#include "render/RenderTarget.h"
#include "render/ShaderProgram.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "scene/TextureCache.h"
#include "sim/Camera.h"
#include "support/GlTestWindow.h"
#include "support/KeyScript.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>
#include <iostream>

using namespace Pellwin;
using namespace TolvaTest;

namespace {

GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

int liveNames(GLboolean (*isName)(GLuint)) {
    int live = 0;
    for (GLuint name = 1; name < 4096; ++name) {
        live += isName(name) ? 1 : 0;
    }
    return live;
}

std::vector<int> liveGlObjects() {
    return {liveNames([](GLuint n) { return glIsTexture(n); }),
            liveNames([](GLuint n) { return glIsFramebuffer(n); }),
            liveNames([](GLuint n) { return glIsBuffer(n); }),
            liveNames([](GLuint n) { return glIsVertexArray(n); })};
}

class Playing : public ::testing::Test {
protected:
    void SetUp() override { startGame(); }
    void TearDown() override { returnToTitle(); }
};

} // namespace

TEST(Programs, FragColorIsOutputZeroEvenBesideAnotherOutput) {
    const std::string vertex = "/tmp/tolva-two-outputs.vert", fragment = "/tmp/tolva-two.frag";
    std::ofstream(vertex) << "#version 330 core\nin vec3 position;\n"
                             "void main() { gl_Position = vec4(position, 1.0); }\n";
    std::ofstream(fragment) << "#version 330 core\nout vec4 glow;\nout vec4 fragColor;\n"
                               "void main() { glow = vec4(1.0); fragColor = vec4(0.5); }\n";
    ShaderProgram* program = loadShaderProgram(vertex, fragment);
    EXPECT_EQ(glGetFragDataLocation(program->programId, "fragColor"), 0);
    destroyShaderProgram(program);
    std::remove(vertex.c_str());
    std::remove(fragment.c_str());
}

TEST(Scene, EachObjectHasItsProgramAndTheSceneItsGlState) {
    for (int i = 0; i < sceneObjectCount; ++i) {
        const LoadModel* o = *sceneObjectSlot(i);
        const ShaderProgram* expected = normalsSpotShader;
        if (i < 3 || o == lightmapModel) {
            expected = normalsShader;
        } else if (o == stoneDisc) {
            expected = vboVaoShader;
        } else if (o == plank1 || o == plank2 || o == plank3) {
            expected = normalsSpotTranspShader;
        }
        EXPECT_EQ(o->program, expected) << "object " << i;
        EXPECT_GT(o->indices.size(), 0u) << "object " << i << " loaded its mesh";
    }
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    GLfloat clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(glm::make_vec4(clear), glm::vec4(0.0f, 0.0f, 0.0f, 0.3f));
}

TEST(Textures, OneDecodePerPathAndNamesInCatalogueOrder) {
    EXPECT_EQ(textureCache.size(), 23u);
    EXPECT_EQ(fallingKnife6->texture, flyingKnife->texture);
    EXPECT_EQ(stoneDisc->texture, moon->texture);
    EXPECT_EQ(titleScreen->texture, 1u) << "names are texture units: the order is fixed";
    EXPECT_EQ(pot->texture, 20u);
    EXPECT_EQ(player->texture, 23u);
    EXPECT_EQ(particleTexture, 19u);

    // Keyed by the path as written: another spelling of the same file is another texture.
    LoadModel holder;
    EXPECT_EQ(holder.setTexture("Resourcen\\pomla.png"), player->texture);
    const std::string otherSpelling = "Resourcen\\.\\pomla.png";
    EXPECT_NE(holder.setTexture(otherSpelling), player->texture);
    glDeleteTextures(1, &textureCache[otherSpelling]);
    textureCache.erase(otherSpelling);
}

TEST(Textures, ALoadLeavesBlendingOnAndAMissingFileGivesAnEmptyTextureAndOneLine) {
    glDisable(GL_BLEND);
    glActiveTexture(GL_TEXTURE5);
    std::ostringstream errors;
    std::streambuf* const previous = std::cerr.rdbuf(errors.rdbuf());
    ConsoleCapture console;
    const GLuint name = loadTexture("Resourcen\\gibt-es-nicht.png");
    std::cerr.rdbuf(previous);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(integer(GL_BLEND_DST_ALPHA), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    EXPECT_EQ(GLuint(integer(GL_TEXTURE_BINDING_2D)), name);
    EXPECT_EQ(console.text(), "");
    EXPECT_EQ(errors.str(),
              "Texture 'Resourcen\\gibt-es-nicht.png' could not be read; it stays empty.\n");
    glDeleteTextures(1, &name);
    EXPECT_EQ(drainGlErrors(), 0);
}

TEST_F(Playing, ADrawLeavesItsProgramVaoAndTextureAndTurnsBlendingOff) {
    glEnable(GL_BLEND);
    player->draw(projectionMatrix, viewMatrix, false);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(GLuint(integer(GL_CURRENT_PROGRAM)), normalsSpotShader->programId);
    EXPECT_EQ(GLuint(integer(GL_VERTEX_ARRAY_BINDING)), player->vao);
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), 0);
    glActiveTexture(GL_TEXTURE0 + player->texture);
    EXPECT_EQ(GLuint(integer(GL_TEXTURE_BINDING_2D)), player->texture);
    glActiveTexture(GL_TEXTURE0);
    GLint unit = -1;
    const GLuint id = normalsSpotShader->programId;
    glGetUniformiv(id, glGetUniformLocation(id, "color_Texture"), &unit);
    EXPECT_EQ(GLuint(unit), player->texture);

    // Building an object after a draw must not take the drawn one's index buffer.
    LoadModel* built =
        new LoadModel(normalsSpotShader, "Resourcen\\pomla.png", "Resourcen\\cube_zentriert.obj");
    glBindVertexArray(player->vao);
    EXPECT_EQ(GLuint(integer(GL_ELEMENT_ARRAY_BUFFER_BINDING)), player->indexBuffer);
    player->draw(projectionMatrix, viewMatrix, true);
    built->draw(projectionMatrix, viewMatrix, true);
    delete built;
    EXPECT_EQ(drainGlErrors(), 0);
}

TEST_F(Playing, ThirtyObjectsWithTheFlareTwentySixWithoutAndTheDepthTestBackOn) {
    stepFrame();
    EXPECT_EQ(drawnObjectCount, 30);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    fallingKnife3->setPosition(0.0f, 5.0f, translationOf(player->modelMatrix).z);
    renderScene();
    EXPECT_EQ(drawnObjectCount, 26);
    cullingEnabled = true;
    renderScene();
    const int ahead = drawnObjectCount;
    camera->view = glm::lookAt(glm::vec3(0, 7, -9), glm::vec3(0, 7, 10), glm::vec3(0, 1, 0));
    viewMatrix = camera->view;
    renderScene();
    EXPECT_LT(drawnObjectCount, ahead) << "facing the start wall, the far end is culled";
    EXPECT_GT(ahead, 15);
    cullingEnabled = false;
    EXPECT_EQ(drainGlErrors(), 0);
}

TEST_F(Playing, TheRenderTargetIsFixedAndRestartsLeakNoGlObjects) {
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    for (GLuint texture : {sceneColorTexture, sceneDepthTexture}) {
        GLint width = 0, height = 0, filter = 0, wrap = 0;
        glBindTexture(GL_TEXTURE_2D, texture);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrap);
        EXPECT_EQ(glm::ivec4(width, height, filter, wrap),
                  glm::ivec4(1024, 768, GL_NEAREST, GL_CLAMP_TO_EDGE));
    }
    const std::vector<int> before = liveGlObjects();
    for (int i = 0; i < 10; ++i) {
        restartLevel();
    }
    renderFrame(); // a vertex array counts once it has been bound
    EXPECT_EQ(liveGlObjects(), before);
}

TEST_F(Playing, TheBlurPassGetsTheTwoPreviousBallPositionsAndLeavesTheLastVaoAlone) {
    const auto uniform = [](const char* name) {
        glm::vec3 value(-1.0f);
        glGetUniformfv(blurShader->programId, glGetUniformLocation(blurShader->programId, name),
                       glm::value_ptr(value));
        return value;
    };
    stepFrame();
    const glm::vec3 first = translationOf(player->modelMatrix);
    stepFrame();
    const glm::vec3 second = translationOf(player->modelMatrix);
    stepFrame();
    EXPECT_EQ(uniform("blurPrevPosition"), first);
    EXPECT_EQ(uniform("blurCurrentPosition"), second);

    renderScene();
    const GLuint lastVao = GLuint(integer(GL_VERTEX_ARRAY_BINDING));
    const LoadModel* last = nullptr;
    for (int i = 0; i < sceneObjectCount; ++i) {
        last = (*sceneObjectSlot(i))->vao == lastVao ? *sceneObjectSlot(i) : last;
    }
    ASSERT_NE(last, nullptr);
    renderMotionBlur(projectionMatrix, viewMatrix);
    glBindVertexArray(last->vao);
    GLint buffer = 0, enabled = 0;
    const GLuint position = GLuint(glGetAttribLocation(last->program->programId, "position"));
    glGetVertexAttribiv(position, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
    glGetVertexAttribiv(position, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, &buffer);
    EXPECT_EQ(enabled, GL_TRUE);
    EXPECT_EQ(GLuint(buffer), last->positionBuffer);
    EXPECT_EQ(GLuint(integer(GL_ELEMENT_ARRAY_BUFFER_BINDING)), last->indexBuffer);
    glBindVertexArray(0);
}

TEST_F(Playing, SteamGrowsBoundedAndWritesDepthOnlyWhenTransparencyIsOff) {
    const GLuint source = particleSystem->sourceBuffer, target = particleSystem->targetBuffer;
    stepFrame();
    EXPECT_EQ(particleSystem->sourceBuffer, target) << "the written buffer becomes the source";
    EXPECT_EQ(particleSystem->targetBuffer, source);
    stepFrames(120);
    EXPECT_GT(particleSystem->particleCount, 50);
    EXPECT_LE(particleSystem->particleCount, 10000);
    for (bool transparent : {true, false}) {
        transparencyEnabled = transparent;
        glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer);
        glViewport(0, 0, 1024, 768);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        projectionMatrix = perspectiveDegrees(90.0f, 4.0f / 3.0f, 0.1f, 1000.0f);
        viewMatrix = glm::lookAt(glm::vec3(-5, 7, -64), glm::vec3(-5, 7, -70), glm::vec3(0, 1, 0));
        glDepthMask(GL_TRUE);
        glEnable(GL_BLEND);
        drawParticles();
        std::vector<float> depth(1024 * 768);
        glReadPixels(0, 0, 1024, 768, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
        EXPECT_EQ(*std::min_element(depth.begin(), depth.end()) < 1.0f, !transparent)
            << (transparent ? "see-through steam writes no depth" : "opaque steam writes depth");
        GLboolean writes = GL_FALSE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &writes);
        EXPECT_TRUE(writes);
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_EQ(glm::ivec4(integer(GL_VERTEX_ARRAY_BINDING), integer(GL_CURRENT_PROGRAM),
                             integer(GL_ACTIVE_TEXTURE), integer(GL_TEXTURE_BINDING_2D)),
                  glm::ivec4(0, 0, GL_TEXTURE9, 0));
    }
    transparencyEnabled = true;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    EXPECT_EQ(drainGlErrors(), 0);
}
