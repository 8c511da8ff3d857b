// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/SceneCatalogue.h"

#include "app/WindowSettings.h"
#include "render/FrustumCulling.h"
#include "render/ParticleSystem.h"
#include "render/ShaderProgram.h"
#include "scene/AssetPrefetch.h"
#include "scene/LoadModel.h"
#include "scene/ModelImporter.h"
#include "sim/Camera.h"
#include "sim/Controller.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <algorithm>

namespace Pellwin {

ShaderProgram* vboVaoShader = nullptr;
ShaderProgram* texturShader = nullptr;
ShaderProgram* normalsShader = nullptr;
ShaderProgram* normalsSpotShader = nullptr;
ShaderProgram* normalsSpotTranspShader = nullptr;
ShaderProgram* geometryShader = nullptr;
ShaderProgram* particelShader = nullptr;
ShaderProgram* blurShader = nullptr;

LoadModel* titleScreen = nullptr;
LoadModel* gameOverScreen = nullptr;
LoadModel* youWonScreen = nullptr;
LoadModel* rightWall = nullptr;
LoadModel* leftWall = nullptr;
LoadModel* backWall = nullptr;
LoadModel* frontWall = nullptr;
LoadModel* floor = nullptr;
LoadModel* sun = nullptr;
LoadModel* sky = nullptr;
LoadModel* marbleSlab = nullptr;
LoadModel* stoneDisc = nullptr;
LoadModel* vegetableBoard = nullptr;
LoadModel* lightmapModel = nullptr;
LoadModel* pedestal = nullptr;
LoadModel* plank1 = nullptr;
LoadModel* plank2 = nullptr;
LoadModel* plank3 = nullptr;
LoadModel* flareStar = nullptr;
LoadModel* flareRing = nullptr;
LoadModel* flareSun = nullptr;
LoadModel* flareStar2 = nullptr;
LoadModel* earth = nullptr;
LoadModel* moon = nullptr;
LoadModel* pot = nullptr;
LoadModel* flyingKnife = nullptr;
LoadModel* fallingKnife1 = nullptr;
LoadModel* fallingKnife2 = nullptr;
LoadModel* fallingKnife3 = nullptr;
LoadModel* fallingKnife4 = nullptr;
LoadModel* fallingKnife5 = nullptr;
LoadModel* fallingKnife6 = nullptr;
LoadModel* counter = nullptr;
LoadModel* player = nullptr;

LoadModel** const fallingKnives[fallingKnifeCount] = {
    &fallingKnife1, &fallingKnife2, &fallingKnife3, &fallingKnife4, &fallingKnife5, &fallingKnife6};
LoadModel** const lensFlares[lensFlareCount] = {&flareStar, &flareRing, &flareSun, &flareStar2};

ParticleSystem* particleSystem = nullptr;
Camera* camera = nullptr;
Controller* controller = nullptr;

const glm::vec3 particleEmitterPosition(-5.0f, 5.0f, -70.0f);

namespace {

struct ObjectEntry {
    LoadModel** slot;
    const char* model;
    const char* texture;
    ShaderProgram** program;
};

// The world, in creation order. Texture names double as texture units, so this order
// also fixes which unit each picture gets.
const ObjectEntry objectCatalogue[sceneObjectCount] = {
    {&titleScreen, "Resourcen\\cube.obj", "Resourcen\\BilderGedreht\\titel.png", &normalsShader},
    {&gameOverScreen, "Resourcen\\cube.obj", "Resourcen\\BilderGedreht\\gameOver.png",
     &normalsShader},
    {&youWonScreen, "Resourcen\\cube.obj", "Resourcen\\BilderGedreht\\youWon.png", &normalsShader},
    {&rightWall, "Resourcen\\cube_zentriert.obj", "Resourcen\\Grungemaps.png", &normalsSpotShader},
    {&leftWall, "Resourcen\\cube_zentriert.obj", "Resourcen\\BilderGedreht\\wand-02.png",
     &normalsSpotShader},
    {&backWall, "Resourcen\\cube_zentriert.obj", "Resourcen\\BilderGedreht\\wintergartenFrei.png",
     &normalsSpotShader},
    {&frontWall, "Resourcen\\cube_zentriert.obj", "Resourcen\\Grungemaps.png", &normalsSpotShader},
    {&floor, "Resourcen\\cube_zentriert.obj", "Resourcen\\WoodPlanks.png", &normalsSpotShader},
    {&sun, "Resourcen\\cube_zentriert.obj", "Resourcen\\sun.png", &normalsSpotShader},
    {&sky, "Resourcen\\cube_zentriert.obj", "Resourcen\\BilderGedreht\\Sky.png",
     &normalsSpotShader},
    {&marbleSlab, "Resourcen\\cube_zentriert.obj", "Resourcen\\marmor.png", &normalsSpotShader},
    {&stoneDisc, "Resourcen\\sphere.obj", "Resourcen\\stone01.png", &vboVaoShader},
    {&vegetableBoard, "Resourcen\\cube_zentriert.obj", "Resourcen\\gemuese.png",
     &normalsSpotShader},
    {&lightmapModel, "Resourcen\\Lightmap\\lightmap.obj", "Resourcen\\Lightmap\\Lightmap_Wood.png",
     &normalsShader},
    {&pedestal, "Resourcen\\cube_zentriert.obj", "Resourcen\\wood02.png", &normalsSpotShader},
    {&plank1, "Resourcen\\cube_zentriert.obj", "Resourcen\\wood02.png", &normalsSpotTranspShader},
    {&plank2, "Resourcen\\cube_zentriert.obj", "Resourcen\\wood02.png", &normalsSpotTranspShader},
    {&plank3, "Resourcen\\cube_zentriert.obj", "Resourcen\\wood02.png", &normalsSpotTranspShader},
    {&flareStar, "Resourcen\\cube_zentriert.obj", "Resourcen\\FlareStern.png", &normalsSpotShader},
    {&flareRing, "Resourcen\\cube_zentriert.obj", "Resourcen\\FlareRing.png", &normalsSpotShader},
    {&flareSun, "Resourcen\\cube_zentriert.obj", "Resourcen\\FlareSun.png", &normalsSpotShader},
    {&flareStar2, "Resourcen\\cube_zentriert.obj", "Resourcen\\FlareStern2.png",
     &normalsSpotShader},
    {&earth, "Resourcen\\earth.obj", "Resourcen\\stone01.png", &normalsSpotShader},
    {&moon, "Resourcen\\moon.obj", "Resourcen\\stone01.png", &normalsSpotShader},
    // The particle system is created here, between the moon and the pot.
    {&pot, "Resourcen\\pot1.obj", "Resourcen\\pot1.png", &normalsSpotShader},
    {&flyingKnife, "Resourcen\\metalKnife_2.obj", "Resourcen\\MetalBare.png", &normalsSpotShader},
    {&fallingKnife1, "Resourcen\\metalKnife_2.obj", "Resourcen\\MetalBare.png", &normalsSpotShader},
    {&fallingKnife2, "Resourcen\\metalKnife_2.obj", "Resourcen\\MetalBare.png", &normalsSpotShader},
    {&fallingKnife3, "Resourcen\\metalKnife_2.obj", "Resourcen\\MetalBare.png", &normalsSpotShader},
    {&fallingKnife4, "Resourcen\\metalKnife_2.obj", "Resourcen\\MetalBare.png", &normalsSpotShader},
    {&fallingKnife5, "Resourcen\\metalKnife_2.obj", "Resourcen\\MetalBare.png", &normalsSpotShader},
    {&fallingKnife6, "Resourcen\\metalKnife_2.obj", "Resourcen\\MetalBare.png", &normalsSpotShader},
    {&counter, "Resourcen\\cube_zentriert.obj", "Resourcen\\WoodFine.png", &normalsSpotShader},
    {&player, "Resourcen\\sphere.obj", "Resourcen\\pomla.png", &normalsSpotShader},
};

constexpr int objectsBeforeParticles = 24;

void createObject(const ObjectEntry& entry) {
    *entry.slot = new LoadModel(*entry.program, entry.texture, entry.model);
}

} // namespace

AssetList catalogueAssets() {
    AssetList assets;
    auto add = [](std::vector<std::string>& paths, const std::string& path) {
        if (std::find(paths.begin(), paths.end(), path) == paths.end()) {
            paths.push_back(path);
        }
    };
    for (int i = 0; i < sceneObjectCount; ++i) {
        if (i == objectsBeforeParticles) {
            add(assets.pictures, particleSpritePath);
        }
        add(assets.models, objectCatalogue[i].model);
        add(assets.pictures, objectCatalogue[i].texture);
    }
    return assets;
}

LoadModel** sceneObjectSlot(int index) {
    return objectCatalogue[index].slot;
}

void buildScene(GLFWwindow* window) {
    // Eighteen objects are the same box; each still gets its own copy and GL buffers.
    MeshSharing sharing;
    glEnable(GL_DEPTH_TEST);
    viewFrustum = new ViewFrustum();

    vboVaoShader = loadShaderProgram("Shader\\vbo_vao.vert", "Shader\\vbo_vao.frag");
    texturShader = loadShaderProgram("Shader\\textur.vert", "Shader\\textur.frag");
    normalsShader = loadShaderProgram("Shader\\normals.vert", "Shader\\normals.frag");
    normalsSpotShader = loadShaderProgram("Shader\\normals_spot.vert", "Shader\\normals_spot.frag");
    normalsSpotTranspShader =
        loadShaderProgram("Shader\\normals_spot.vert", "Shader\\normals_spot_transp.frag");
    geometryShader = loadGeometryShaderProgram("Shader\\geometry.vert", "Shader\\geometry.geom");
    particelShader = loadShaderProgram("Shader\\particel.vert", "Shader\\particel.frag");
    blurShader = loadShaderProgram("Shader\\basic.vert", "Shader\\blur.frag");

    for (int i = 0; i < objectsBeforeParticles; ++i) {
        createObject(objectCatalogue[i]);
    }
    particleSystem = new ParticleSystem(particleEmitterPosition);
    for (int i = objectsBeforeParticles; i < sceneObjectCount; ++i) {
        createObject(objectCatalogue[i]);
    }

    camera = new Camera();
    glEnable(GL_CULL_FACE);
    glClearColor(0.0f, 0.0f, 0.0f, 0.3f);
    glfwGetWindowSize(window, &windowWidth, &windowHeight);
    glViewport(0, 0, windowWidth, windowHeight);
    controller = new Controller(window);
    finishReadingAssets();
}

} // namespace Pellwin
