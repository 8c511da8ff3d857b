// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "render/ShaderProgram.h"

#include <GL/glew.h>
#include <glm/glm.hpp>

namespace Pellwin {

// The particles' sprite picture.
constexpr const char* particleSpritePath = "Resourcen\\Flare3.png";

// One particle as the GPU buffers hold it: 13 floats, interleaved.
struct ParticleRecord {
    float type;
    float life;
    float size;
    float position[3];
    float velocity[3];
    float color[4];
};
static_assert(sizeof(ParticleRecord) == 52, "the shaders read 52-byte particle records");

constexpr int particleCapacity = 10000;

extern ParticleRecord particleInitialData[particleCapacity];
extern GLuint particleTexture;

// The steam over the pot: simulated by transform feedback, drawn as instanced billboards.
class ParticleSystem {
public:
    int particleCount;
    int maxParticles;
    ShaderProgram* updateShader;
    ShaderProgram* drawShader;
    GLuint quadBuffer = 0;
    GLuint updateVertexArray = 0;
    GLuint drawVertexArray = 0;
    GLuint sourceBuffer = 0;
    GLuint targetBuffer = 0;
    GLuint primitivesQuery = 0;
    GLuint writtenCount = 0;

    explicit ParticleSystem(glm::vec3 emitterPosition);
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    void updateParticles(float dt, glm::vec3 seedPosition, glm::vec3 randVelocity,
                         glm::vec4 randColor);
    void drawParticles();

    // Linking the update program with its varyings every step only repeats work; it is
    // done once, at construction, unless this is switched on (the benchmark compares both).
    bool relinkEveryUpdate = false;

private:
    void linkUpdateVaryings();
};

// Draws the global particle system, if there is one.
void drawParticles();

} // namespace Pellwin
