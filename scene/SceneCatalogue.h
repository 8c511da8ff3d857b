// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "sim/WorldRules.h"

#include <glm/glm.hpp>

struct GLFWwindow;

namespace Pellwin {

struct ShaderProgram;
class LoadModel;
class ParticleSystem;
class Camera;
class Controller;
struct AssetList;

extern ShaderProgram* vboVaoShader;
extern ShaderProgram* texturShader;
extern ShaderProgram* normalsShader;
extern ShaderProgram* normalsSpotShader;
extern ShaderProgram* normalsSpotTranspShader;
extern ShaderProgram* geometryShader;
extern ShaderProgram* particelShader;
extern ShaderProgram* blurShader;

extern LoadModel* titleScreen;
extern LoadModel* gameOverScreen;
extern LoadModel* youWonScreen;
extern LoadModel* rightWall;
extern LoadModel* leftWall;
extern LoadModel* backWall;
extern LoadModel* frontWall;
extern LoadModel* floor;
extern LoadModel* sun;
extern LoadModel* sky;
extern LoadModel* marbleSlab;
extern LoadModel* stoneDisc;
extern LoadModel* vegetableBoard;
extern LoadModel* lightmapModel;
extern LoadModel* pedestal;
extern LoadModel* plank1;
extern LoadModel* plank2;
extern LoadModel* plank3;
extern LoadModel* flareStar;
extern LoadModel* flareRing;
extern LoadModel* flareSun;
extern LoadModel* flareStar2;
extern LoadModel* earth;
extern LoadModel* moon;
extern LoadModel* pot;
extern LoadModel* flyingKnife;
extern LoadModel* fallingKnife1;
extern LoadModel* fallingKnife2;
extern LoadModel* fallingKnife3;
extern LoadModel* fallingKnife4;
extern LoadModel* fallingKnife5;
extern LoadModel* fallingKnife6;
extern LoadModel* counter;
extern LoadModel* player;

// The six falling knives, fallingKnife1 first: whatever treats them alike goes through this.
extern LoadModel** const fallingKnives[fallingKnifeCount];
// The four lens-flare sprites, nearest the ball first.
constexpr int lensFlareCount = 4;
extern LoadModel** const lensFlares[lensFlareCount];

extern ParticleSystem* particleSystem;
extern Camera* camera;
extern Controller* controller;

extern const glm::vec3 particleEmitterPosition;

// Number of scene objects in the catalogue.
constexpr int sceneObjectCount = 34;

// The scene objects in catalogue order; a slot is null before the scene is built.
LoadModel** sceneObjectSlot(int index);

// Every picture and every model file of the world once, in the order buildScene first
// loads them.
AssetList catalogueAssets();

// Builds every program, object and helper of the world once, before the first frame.
void buildScene(GLFWwindow* window);

} // namespace Pellwin
