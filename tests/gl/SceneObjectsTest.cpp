// Scene objects in a real context: the texture cache, the GL state a draw leaves behind,
// and what the frame render counts.
#include "app/GameLoop.h"
#include "app/Hotkeys.h"
#include "render/FrameRenderer.h"
#include "render/RenderTarget.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "scene/TextureCache.h"
#include "sim/Camera.h"
#include "support/GlTestWindow.h"
#include "support/KeyScript.h"

#include <FreeImage.h>
#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>
#include <unistd.h>

using namespace Pellwin;
using namespace TolvaTest;

namespace {

std::string writeTestPng(int width, int height) {
    char pattern[] = "/tmp/tolva-texture-XXXXXX";
    const int fd = mkstemp(pattern);
    close(fd);
    std::string path = std::string(pattern) + ".png";
    std::rename(pattern, path.c_str());
    FIBITMAP* image = FreeImage_Allocate(width, height, 32);
    FreeImage_Save(FIF_PNG, image, path.c_str(), 0);
    FreeImage_Unload(image);
    return path;
}

GLint integerState(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

} // namespace

TEST(TextureCache, OnePathIsDecodedOnceAndSharedByItsUsers) {
    EXPECT_EQ(fallingKnife1->texture, flyingKnife->texture);
    EXPECT_EQ(fallingKnife6->texture, textureCache.at("Resourcen\\MetalBare.png"));
    EXPECT_EQ(earth->texture, moon->texture);
    EXPECT_EQ(stoneDisc->texture, earth->texture);
    EXPECT_EQ(textureCache.size(), 23u);
    // Creation order fixes the names, and so the texture units.
    EXPECT_EQ(titleScreen->texture, 1u);
    EXPECT_EQ(player->texture, 23u);
}

TEST(TextureCache, AnotherSpellingOfOneFileIsASecondTexture) {
    const std::string path = writeTestPng(256, 128);
    LoadModel holder;
    const GLuint first = holder.setTexture(path);
    EXPECT_EQ(holder.setTexture(path), first);
    const std::string otherSpelling = "/tmp/./" + path.substr(5);
    const GLuint second = holder.setTexture(otherSpelling);
    EXPECT_NE(second, first);
    EXPECT_EQ(holder.texture, second) << "the object holds the new name; the old stays cached";
    EXPECT_EQ(textureCache.at(path), first);
    textureCache.erase(path);
    textureCache.erase(otherSpelling);
    glDeleteTextures(1, &first);
    glDeleteTextures(1, &second);
    std::remove(path.c_str());
}

TEST(TextureCache, LoadLeavesBlendingOnUnitZeroActiveAndAFullMipmapChain) {
    const std::string path = writeTestPng(256, 128);
    glDisable(GL_BLEND);
    glActiveTexture(GL_TEXTURE5);
    const GLuint name = loadTexture(path);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(integerState(GL_BLEND_SRC_ALPHA), GL_SRC_ALPHA);
    EXPECT_EQ(integerState(GL_BLEND_DST_ALPHA), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(integerState(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    EXPECT_EQ(static_cast<GLuint>(integerState(GL_TEXTURE_BINDING_2D)), name);

    GLint width = 0;
    GLint height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(width, 256);
    EXPECT_EQ(height, 128);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 8, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 8, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(width, 1) << "level 8 ends the chain of a 256-wide picture";
    EXPECT_EQ(height, 1);
    glDeleteTextures(1, &name);
    std::remove(path.c_str());
    EXPECT_EQ(drainGlErrors(), 0);
}

TEST(TextureCache, AMissingFileGivesAnEmptyTextureAndOneLineOnStandardError) {
    std::ostringstream errors;
    std::streambuf* previous = std::cerr.rdbuf(errors.rdbuf());
    ConsoleCapture console;
    const GLuint name = loadTexture("Resourcen\\gibt-es-nicht.png");
    std::cerr.rdbuf(previous);
    EXPECT_NE(name, 0u);
    EXPECT_EQ(console.text(), "") << "standard output stays quiet";
    const std::string reported = errors.str();
    EXPECT_NE(reported.find("Resourcen/gibt-es-nicht.png"), std::string::npos);
    EXPECT_EQ(std::count(reported.begin(), reported.end(), '\n'), 1);
    glDeleteTextures(1, &name);
    EXPECT_EQ(drainGlErrors(), 0) << "an empty texture raises no GL error";
}

TEST(Drawing, DrawLeavesProgramVaoUnitAndBlendingAsDocumented) {
    glEnable(GL_BLEND);
    player->draw(projectionMatrix, viewMatrix, false);
    EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "blending is off after any draw";
    EXPECT_EQ(static_cast<GLuint>(integerState(GL_CURRENT_PROGRAM)), normalsSpotShader->programId);
    EXPECT_EQ(static_cast<GLuint>(integerState(GL_VERTEX_ARRAY_BINDING)), player->vao);
    EXPECT_EQ(integerState(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    EXPECT_EQ(integerState(GL_TEXTURE_BINDING_2D), 0) << "unit 0 has no texture";
    glActiveTexture(GL_TEXTURE0 + player->texture);
    EXPECT_EQ(static_cast<GLuint>(integerState(GL_TEXTURE_BINDING_2D)), player->texture)
        << "the object's texture stays on its own unit";
    glActiveTexture(GL_TEXTURE0);
    GLint sampler = -1;
    glGetUniformiv(normalsSpotShader->programId,
                   glGetUniformLocation(normalsSpotShader->programId, "color_Texture"), &sampler);
    EXPECT_EQ(static_cast<GLuint>(sampler), player->texture);
    EXPECT_EQ(drainGlErrors(), 0);
}

TEST(Drawing, EveryMeshLoadedFromTheShippedFiles) {
    for (int i = 0; i < sceneObjectCount; ++i) {
        const LoadModel* object = *sceneObjectSlot(i);
        EXPECT_GT(object->indices.size(), 0u) << "object " << i;
        EXPECT_EQ(object->indices.size() % 3, 0u);
        EXPECT_EQ(object->positions.size(), object->normals.size());
        EXPECT_EQ(object->uvs.size() / 2, object->positions.size() / 3);
    }
}

class FrameCount : public ::testing::Test {
protected:
    void SetUp() override { startGame(); }
    void TearDown() override { returnToTitle(); }
};

TEST_F(FrameCount, ThirtyObjectsWithTheFlareAndTwentySixWhenAKnifeHidesIt) {
    stepFrame();
    EXPECT_EQ(drawnObjectCount, 30);
    // A knife box around the ball blocks the line to the sun.
    glm::vec3 ball;
    player->getPosition(ball);
    fallingKnife3->setPosition(ball.x, ball.y, ball.z);
    renderScene();
    EXPECT_EQ(drawnObjectCount, 26);
    EXPECT_EQ(drainGlErrors(), 0);
}

TEST_F(FrameCount, CullingSkipsWhatTheCameraDoesNotSee) {
    cullingEnabled = true;
    renderScene();
    const int facingTrack = drawnObjectCount;
    EXPECT_LE(facingTrack, 30);
    EXPECT_GT(facingTrack, 20);

    // Turned round to face the start wall, the far end of the kitchen falls away.
    camera->view = glm::lookAt(glm::vec3(0.0f, 7.0f, -9.0f), glm::vec3(0.0f, 7.0f, 10.0f),
                               glm::vec3(0.0f, 1.0f, 0.0f));
    viewMatrix = camera->view;
    renderScene();
    const int facingAway = drawnObjectCount;
    EXPECT_LT(facingAway, facingTrack);
    cullingEnabled = false;
    renderScene();
    EXPECT_EQ(drawnObjectCount, 30) << "with culling off everything is drawn and counted";
    camera->update();
}
