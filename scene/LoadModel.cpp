// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/LoadModel.h"

#include "scene/ModelImporter.h"
#include "scene/TextureCache.h"

#include <cmath>

namespace Pellwin {

LoadModel::LoadModel()
    : modelMatrix(identityMatrix()), scaleFactor(0.0f, 0.0f, 0.0f), center(0.0f, 0.0f, 0.0f) {}

LoadModel::LoadModel(ShaderProgram* program, const std::string& texturePath, const char* modelPath)
    : modelMatrix(identityMatrix()), scaleFactor(0.0f, 0.0f, 0.0f), center(0.0f, 0.0f, 0.0f),
      program(program) {
    importer = new ModelImporter(modelPath, indices, positions, uvs, normals);
    setTexture(texturePath);
    computeBoundingSphere(positions, center, radius);
    createBuffers();
    scaleFactor = glm::vec3(1.0f, 1.0f, 1.0f);
}

LoadModel::~LoadModel() {
    // A default-constructed object owns no GL names and may outlive any context.
    if (vao != 0) {
        glDeleteBuffers(1, &positionBuffer);
        glDeleteBuffers(1, &indexBuffer);
        glDeleteBuffers(1, &normalBuffer);
        glDeleteBuffers(1, &uvBuffer);
        glDeleteVertexArrays(1, &vao);
    }
    delete importer;
}

void computeBoundingSphere(const std::vector<float>& positions, glm::vec3& center, double& radius) {
    const size_t n = positions.size() / 3;
    if (n == 0) {
        center = glm::vec3(0.0f, 0.0f, 0.0f);
        radius = 1.0;
        return;
    }
    glm::vec3 sum(0.0f, 0.0f, 0.0f);
    for (size_t i = 0; i < n; ++i) {
        sum.x += positions[3 * i];
        sum.y += positions[3 * i + 1];
        sum.z += positions[3 * i + 2];
    }
    const float count = static_cast<float>(n);
    center = glm::vec3(sum.x / count, sum.y / count, sum.z / count);
    for (size_t i = 0; i < n; ++i) {
        const float dx = positions[3 * i] - center.x;
        const float dy = positions[3 * i + 1] - center.y;
        const float dz = positions[3 * i + 2] - center.z;
        const double distance =
            std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy +
                      static_cast<double>(dz) * dz);
        if (i == 0 || distance > radius) {
            radius = distance;
        }
    }
}

template <typename T>
static void fillBuffer(GLuint& buffer, GLenum target, const std::vector<T>& data) {
    glGenBuffers(1, &buffer);
    glBindBuffer(target, buffer);
    glBufferData(target, static_cast<GLsizeiptr>(data.size() * sizeof(T)),
                 data.empty() ? nullptr : data.data(), GL_STATIC_DRAW);
    glBindBuffer(target, 0);
}

void LoadModel::createBuffers() {
    // The vertex array of the last draw is still bound; binding an index buffer now would
    // take that object's own away from it.
    glBindVertexArray(0);
    fillBuffer(positionBuffer, GL_ARRAY_BUFFER, positions);
    fillBuffer(normalBuffer, GL_ARRAY_BUFFER, normals);
    fillBuffer(uvBuffer, GL_ARRAY_BUFFER, uvs);
    fillBuffer(indexBuffer, GL_ELEMENT_ARRAY_BUFFER, indices);

    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    struct Attribute {
        const char* name;
        GLuint buffer;
        GLint components;
    };
    const Attribute attributes[] = {
        {"position", positionBuffer, 3}, {"normal", normalBuffer, 3}, {"uv", uvBuffer, 2}};
    for (const Attribute& attribute : attributes) {
        glBindBuffer(GL_ARRAY_BUFFER, attribute.buffer);
        const GLint location = glGetAttribLocation(program->programId, attribute.name);
        // A program that does not read an attribute simply is not fed it.
        if (location < 0) {
            continue;
        }
        glEnableVertexAttribArray(static_cast<GLuint>(location));
        glVertexAttribPointer(static_cast<GLuint>(location), attribute.components, GL_FLOAT,
                              GL_FALSE, 0, nullptr);
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBindVertexArray(0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

GLuint LoadModel::setTexture(const std::string& path) {
    auto cached = textureCache.find(path);
    if (cached == textureCache.end()) {
        texture = loadTexture(path);
        textureCache.emplace(path, texture);
    } else {
        texture = cached->second;
    }
    return texture;
}

void LoadModel::setTime(float t) {
    time = t;
}

void LoadModel::scale(float sx, float sy, float sz) {
    modelMatrix = glm::scale(modelMatrix, glm::vec3(sx, sy, sz));
    scaleFactor *= glm::vec3(sx, sy, sz);
}

void LoadModel::translate(float x, float y, float z) {
    modelMatrix = glm::translate(modelMatrix, glm::vec3(x, y, z));
}

void LoadModel::rotate(float ax, float ay, float az, float angleDeg) {
    modelMatrix = rotateDegrees(modelMatrix, angleDeg, glm::vec3(ax, ay, az));
}

void LoadModel::pitchByTime(float t) {
    time = t;
    modelMatrix = rotateDegrees(modelMatrix, t * 90.0f, glm::vec3(-1.0f, 0.0f, 0.0f));
}

void LoadModel::rotateByTime(float t, float ax, float ay, float az, float degreesPerUnit) {
    time = t;
    modelMatrix = rotateDegrees(modelMatrix, t * degreesPerUnit, glm::vec3(ax, ay, az));
}

void LoadModel::translateByTime(float t, float dx, float dy, float dz) {
    time = t;
    modelMatrix = glm::translate(modelMatrix, glm::vec3(t * dx, t * dy, t * dz));
}

void LoadModel::getPosition(glm::vec3& out) {
    out = translationOf(modelMatrix);
}

void LoadModel::setPosition(float x, float y, float z) {
    modelMatrix[3][0] = x;
    modelMatrix[3][1] = y;
    modelMatrix[3][2] = z;
}

} // namespace Pellwin
