// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ParticleSystem.h"

#include "app/Hotkeys.h"
#include "render/FrameRenderer.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"

#include <cstddef>
#include <glm/gtc/type_ptr.hpp>
#include <utility>

namespace Pellwin {

ParticleRecord particleInitialData[particleCapacity] = {};
GLuint particleTexture = 0;

namespace {

const GLfloat billboardCorners[12] = {-0.5f, -0.5f, 0.0f, 0.5f, -0.5f, 0.0f,
                                      -0.5f, 0.5f,  0.0f, 0.5f, 0.5f,  0.0f};

constexpr GLsizeiptr particleBufferBytes =
    static_cast<GLsizeiptr>(sizeof(ParticleRecord)) * particleCapacity;

struct RecordField {
    GLint components;
    size_t offset;
};
const RecordField recordFields[6] = {
    {1, offsetof(ParticleRecord, type)},     {1, offsetof(ParticleRecord, life)},
    {1, offsetof(ParticleRecord, size)},     {3, offsetof(ParticleRecord, position)},
    {3, offsetof(ParticleRecord, velocity)}, {4, offsetof(ParticleRecord, color)},
};

void pointAtRecords(bool perInstance) {
    for (GLuint location = 0; location < 6; ++location) {
        glEnableVertexAttribArray(location);
        glVertexAttribPointer(location, recordFields[location].components, GL_FLOAT, GL_FALSE,
                              sizeof(ParticleRecord),
                              reinterpret_cast<const void*>(recordFields[location].offset));
        if (perInstance) {
            glVertexAttribDivisor(location, 1);
        }
    }
}

} // namespace

ParticleSystem::ParticleSystem(glm::vec3 emitterPosition)
    : updateShader(geometryShader), drawShader(particelShader) {
    LoadModel spriteLoader;
    particleTexture = spriteLoader.setTexture(particleSpritePath);

    particleCount = 0;
    maxParticles = particleCapacity;
    ParticleRecord& launcher = particleInitialData[0];
    launcher = ParticleRecord{1.0f,
                              100000.0f,
                              0.1f,
                              {emitterPosition.x, emitterPosition.y, emitterPosition.z},
                              {0.0f, 0.0f, 0.0f},
                              {1.0f, 1.0f, 1.0f, 1.0f}};
    particleCount += 1;

    glGenVertexArrays(1, &updateVertexArray);
    glGenVertexArrays(1, &drawVertexArray);
    glGenQueries(1, &primitivesQuery);

    glGenBuffers(1, &sourceBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, sourceBuffer);
    glBufferData(GL_ARRAY_BUFFER, particleBufferBytes, particleInitialData, GL_STATIC_DRAW);
    glGenBuffers(1, &targetBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, targetBuffer);
    glBufferData(GL_ARRAY_BUFFER, particleBufferBytes, nullptr, GL_STATIC_READ);
    glGenBuffers(1, &quadBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, quadBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(billboardCorners), billboardCorners, GL_STATIC_DRAW);

    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);

    // Linked with its varyings here, at start-up, so that an update program that does
    // not write them all stops the game with the link log like any other shader fault.
    linkUpdateVaryings();
}

void ParticleSystem::linkUpdateVaryings() {
    const char* const varyings[6] = {"Type1", "Life1", "Size1", "Pos1", "Vel1", "Color1"};
    glTransformFeedbackVaryings(updateShader->programId, 6, varyings, GL_INTERLEAVED_ATTRIBS);
    glLinkProgram(updateShader->programId);
    requireLinked(updateShader->programId);
}

void ParticleSystem::updateParticles(float dt, glm::vec3 seedPosition, glm::vec3 randVelocity,
                                     glm::vec4 randColor) {
    if (relinkEveryUpdate) {
        linkUpdateVaryings();
    }
    const GLuint programId = updateShader->programId;
    glUseProgram(programId);
    glUniform1f(glGetUniformLocation(programId, "delta_time"), dt);
    glUniform1i(glGetUniformLocation(programId, "cur_Particels"), particleCount);
    glUniform1i(glGetUniformLocation(programId, "max_Particels"), maxParticles);
    glUniform3fv(glGetUniformLocation(programId, "seed_Position"), 1, glm::value_ptr(seedPosition));
    glUniform3fv(glGetUniformLocation(programId, "rand_Velocity"), 1, glm::value_ptr(randVelocity));
    glUniform4fv(glGetUniformLocation(programId, "rand_Color"), 1, glm::value_ptr(randColor));

    glBindVertexArray(updateVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, sourceBuffer);
    pointAtRecords(false);

    glEnable(GL_RASTERIZER_DISCARD);
    glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, targetBuffer);
    glBeginQuery(GL_TRANSFORM_FEEDBACK_PRIMITIVES_WRITTEN, primitivesQuery);
    glBeginTransformFeedback(GL_POINTS);
    glDrawArrays(GL_POINTS, 0, particleCount);
    glEndTransformFeedback();
    glEndQuery(GL_TRANSFORM_FEEDBACK_PRIMITIVES_WRITTEN);
    glGetQueryObjectuiv(primitivesQuery, GL_QUERY_RESULT, &writtenCount);
    glDisable(GL_RASTERIZER_DISCARD);
    glFlush();

    particleCount = static_cast<int>(writtenCount);

    for (GLuint location = 0; location < 6; ++location) {
        glDisableVertexAttribArray(location);
    }
    glUseProgram(0);
    glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, 0);
    std::swap(sourceBuffer, targetBuffer);
}

void ParticleSystem::drawParticles() {
    const glm::mat4 viewProjection = projectionMatrix * viewMatrix;
    if (transparencyEnabled) {
        glEnable(GL_BLEND);
        glDepthMask(GL_FALSE);
        glBlendFunc(GL_SRC_ALPHA, GL_DST_ALPHA);
    }
    glBindVertexArray(drawVertexArray);
    const GLuint programId = drawShader->programId;
    glUseProgram(programId);
    glActiveTexture(GL_TEXTURE9);
    glBindTexture(GL_TEXTURE_2D, particleTexture);
    glUniform1i(glGetUniformLocation(programId, "color_texture"), 9);

    const glm::vec3 cameraRight(viewMatrix[0][0], viewMatrix[1][0], viewMatrix[2][0]);
    const glm::vec3 cameraUp(viewMatrix[0][1], viewMatrix[1][1], viewMatrix[2][1]);
    glUniform3fv(glGetUniformLocation(programId, "CameraRight_worldspace"), 1,
                 glm::value_ptr(cameraRight));
    glUniform3fv(glGetUniformLocation(programId, "CameraUp_worldspace"), 1,
                 glm::value_ptr(cameraUp));
    glUniformMatrix4fv(glGetUniformLocation(programId, "VP"), 1, GL_FALSE,
                       glm::value_ptr(viewProjection));

    glBindBuffer(GL_ARRAY_BUFFER, sourceBuffer);
    pointAtRecords(true);
    glEnableVertexAttribArray(6);
    glBindBuffer(GL_ARRAY_BUFFER, quadBuffer);
    glVertexAttribPointer(6, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glVertexAttribDivisor(6, 0);
    glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, 4, particleCount);

    for (GLuint location = 0; location <= 6; ++location) {
        glDisableVertexAttribArray(location);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindVertexArray(0);
    glUseProgram(0);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void drawParticles() {
    if (particleSystem != nullptr) {
        particleSystem->drawParticles();
    }
}

} // namespace Pellwin
