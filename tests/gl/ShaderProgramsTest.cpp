// The eight programs the world is drawn with, built from the shipped files in a real
// 3.3 core context.
#include "render/ParticleSystem.h"
#include "render/ShaderProgram.h"
#include "scene/SceneCatalogue.h"
#include "support/GlTestWindow.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

using namespace Pellwin;

namespace {

GLint linkStatus(const ShaderProgram* program) {
    GLint status = 0;
    glGetProgramiv(program->programId, GL_LINK_STATUS, &status);
    return status;
}

GLint compileStatus(GLuint shader) {
    GLint status = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    return status;
}

} // namespace

TEST(ShaderPrograms, AllEightShippedProgramsCompileAndLink) {
    const ShaderProgram* programs[] = {
        vboVaoShader,   texturShader,   normalsShader, normalsSpotShader, normalsSpotTranspShader,
        geometryShader, particelShader, blurShader};
    for (const ShaderProgram* program : programs) {
        ASSERT_NE(program, nullptr);
        EXPECT_EQ(linkStatus(program), GL_TRUE) << "program " << program->programId;
        EXPECT_EQ(compileStatus(program->vertexShaderId), GL_TRUE);
        const GLuint second =
            program->geometryShaderId != 0 ? program->geometryShaderId : program->fragmentShaderId;
        EXPECT_EQ(compileStatus(second), GL_TRUE);
    }
    EXPECT_EQ(TolvaTest::drainGlErrors(), 0);
}

TEST(ShaderPrograms, ParticleUpdateHasAGeometryStageAndNoFragmentStage) {
    EXPECT_EQ(geometryShader->fragmentShaderId, 0u);
    EXPECT_NE(geometryShader->geometryShaderId, 0u);
    for (const ShaderProgram* program : {vboVaoShader, normalsShader, particelShader, blurShader}) {
        EXPECT_EQ(program->geometryShaderId, 0u);
        EXPECT_NE(program->fragmentShaderId, 0u);
    }
}

TEST(ShaderPrograms, SharedSpotVertexFileIsCompiledTwice) {
    EXPECT_NE(normalsSpotShader->vertexShaderId, normalsSpotTranspShader->vertexShaderId);
    EXPECT_NE(normalsSpotShader->programId, normalsSpotTranspShader->programId);
}

TEST(ShaderPrograms, FragmentOutputIsBoundToColourZero) {
    for (const ShaderProgram* program :
         {vboVaoShader, texturShader, normalsShader, normalsSpotShader, normalsSpotTranspShader,
          particelShader, blurShader}) {
        EXPECT_EQ(glGetFragDataLocation(program->programId, "fragColor"), 0);
    }
}

TEST(ShaderPrograms, SceneProgramsReadTheAttributesByName) {
    for (const ShaderProgram* program : {normalsSpotShader, normalsSpotTranspShader}) {
        EXPECT_GE(glGetAttribLocation(program->programId, "position"), 0);
        EXPECT_GE(glGetAttribLocation(program->programId, "normal"), 0);
        EXPECT_GE(glGetAttribLocation(program->programId, "uv"), 0);
        EXPECT_GE(glGetUniformLocation(program->programId, "color_Texture"), 0);
        EXPECT_GE(glGetUniformLocation(program->programId, "modelMat"), 0);
    }
    EXPECT_GE(glGetAttribLocation(normalsShader->programId, "position"), 0);
    EXPECT_GE(glGetAttribLocation(normalsShader->programId, "uv"), 0);
}

TEST(ShaderPrograms, ParticleUpdateCapturesTheSixVaryingsInterleaved) {
    // One update links the varyings; after it the program reports them in record order.
    particleSystem->updateParticles(1.0f / 60.0f, particleEmitterPosition,
                                    glm::vec3(0.5f, 0.5f, -0.5f), glm::vec4(1.0f));
    GLint count = 0;
    glGetProgramiv(geometryShader->programId, GL_TRANSFORM_FEEDBACK_VARYINGS, &count);
    ASSERT_EQ(count, 6);
    GLint mode = 0;
    glGetProgramiv(geometryShader->programId, GL_TRANSFORM_FEEDBACK_BUFFER_MODE, &mode);
    EXPECT_EQ(mode, GL_INTERLEAVED_ATTRIBS);
    const char* expected[6] = {"Type1", "Life1", "Size1", "Pos1", "Vel1", "Color1"};
    for (GLuint i = 0; i < 6; ++i) {
        char name[32] = {};
        GLsizei length = 0;
        GLsizei size = 0;
        GLenum type = 0;
        glGetTransformFeedbackVarying(geometryShader->programId, i, sizeof(name), &length, &size,
                                      &type, name);
        EXPECT_STREQ(name, expected[i]);
    }
    EXPECT_EQ(TolvaTest::drainGlErrors(), 0);
}
