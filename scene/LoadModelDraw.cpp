// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/LoadModel.h"

#include <glm/gtc/type_ptr.hpp>

namespace Pellwin {

// The scene's one spot light and one material, the same for every object.
static void setLightAndMaterial(GLuint programId) {
    glUniform4f(glGetUniformLocation(programId, "lightPositionOnScreen"), 0.0f, 20.0f, -10.0f,
                1.0f);
    glUniform1f(glGetUniformLocation(programId, "materialShininess"), 10.0f);
    glUniform3f(glGetUniformLocation(programId, "materialSpecularColor"), 1.0f, 1.0f, 1.0f);
    glUniform3f(glGetUniformLocation(programId, "lightIntensity"), 2.0f, 2.0f, 2.0f);
    glUniform1f(glGetUniformLocation(programId, "lightAttenuation"), 0.1f);
    glUniform1f(glGetUniformLocation(programId, "ambientCoefficient"), 0.1f);
    glUniform1f(glGetUniformLocation(programId, "coneAngle"), 15.0f);
    glUniform3f(glGetUniformLocation(programId, "coneDirection"), 0.0f, -1.0f, 0.0f);
    glUniform3f(glGetUniformLocation(programId, "worldspaceLight"), 0.0f, 20.0f, -10.0f);
}

void LoadModel::draw(glm::mat4 projMat, glm::mat4 viewMat, bool transparent) {
    const GLuint programId = program->programId;
    glUseProgram(programId);
    glUniformMatrix4fv(glGetUniformLocation(programId, "projMat"), 1, GL_FALSE,
                       glm::value_ptr(projMat));
    glUniformMatrix4fv(glGetUniformLocation(programId, "viewMat"), 1, GL_FALSE,
                       glm::value_ptr(viewMat));
    glUniformMatrix4fv(glGetUniformLocation(programId, "modelMat"), 1, GL_FALSE,
                       glm::value_ptr(modelMatrix));
    setLightAndMaterial(programId);

    // Each texture has a unit of its own: the unit number is the texture's name.
    glActiveTexture(GL_TEXTURE0 + texture);
    if (transparent) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    glUniform1i(glGetUniformLocation(programId, "color_Texture"), static_cast<GLint>(texture));

    glBindVertexArray(vao);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, nullptr);

    glActiveTexture(GL_TEXTURE0);
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void LoadModel::drawOpaque(glm::mat4 projMat, glm::mat4 viewMat) {
    draw(projMat, viewMat, false);
}

void LoadModel::drawMesh() {
    glBindVertexArray(vao);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}

} // namespace Pellwin
