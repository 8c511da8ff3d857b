// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "render/ShaderProgram.h"
#include "sim/MathConventions.h"

#include <GL/glew.h>
#include <glm/glm.hpp>
#include <string>
#include <vector>

namespace Pellwin {

class ModelImporter;

// Everything the game draws as a mesh: a model, a texture, a program and a model matrix
// that the level and the game edit in place.
class LoadModel {
public:
    glm::vec3 boxSize{1.0f, 1.0f, 1.0f};
    glm::mat4 modelMatrix;
    glm::vec3 scaleFactor;
    glm::vec3 center;
    double radius = 0.0;
    GLuint vao = 0;
    GLuint positionBuffer = 0;
    GLuint indexBuffer = 0;
    GLuint uvBuffer = 0;
    GLuint normalBuffer = 0;
    ShaderProgram* program = nullptr;
    std::vector<unsigned int> indices;
    std::vector<float> positions;
    std::vector<float> uvs;
    std::vector<float> normals;
    ModelImporter* importer = nullptr;
    float time = 0.0f;
    GLuint texture = 0;

    LoadModel();
    LoadModel(ShaderProgram* program, const std::string& texturePath, const char* modelPath);
    LoadModel(const LoadModel&) = delete;
    LoadModel& operator=(const LoadModel&) = delete;

    virtual ~LoadModel();
    virtual GLuint setTexture(const std::string& path);
    virtual void setTime(float t);
    virtual void scale(float sx, float sy, float sz);
    virtual void translate(float x, float y, float z);
    virtual void rotate(float ax, float ay, float az, float angleDeg);
    virtual void pitchByTime(float t);
    virtual void rotateByTime(float t, float ax, float ay, float az, float degreesPerUnit);
    virtual void translateByTime(float t, float dx, float dy, float dz);
    virtual void draw(glm::mat4 projMat, glm::mat4 viewMat, bool transparent);
    virtual void drawOpaque(glm::mat4 projMat, glm::mat4 viewMat);
    virtual void drawMesh();
    virtual void getPosition(glm::vec3& out);
    virtual void setPosition(float x, float y, float z);

private:
    void createBuffers();
};

// Centre (mean of the vertices) and radius (farthest vertex) of a mesh, in model space.
// A mesh without vertices gets a unit sphere at its origin, which culling handles like any other.
void computeBoundingSphere(const std::vector<float>& positions, glm::vec3& center, double& radius);

} // namespace Pellwin
