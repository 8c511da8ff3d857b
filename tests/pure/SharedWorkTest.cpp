// Start-up shares and skips work: one read per model file, a copy for sharp frames.
#include "render/BlurSharpness.h"
#include "scene/ModelImporter.h"

#include <gtest/gtest.h>
#include <iostream>
#include <sstream>

using namespace Pellwin;

// Every object still gets the whole mesh, and every object naming a missing file its line.
TEST(MeshSharing, EachObjectGetsTheMeshAndEachFailureItsLine) {
    std::vector<unsigned int> alone[1], shared[2];
    std::vector<float> data[3][3];
    ModelImporter("Resourcen\\cube_zentriert.obj", alone[0], data[0][0], data[0][1], data[0][2]);
    std::ostringstream console;
    std::streambuf* const previous = std::cout.rdbuf(console.rdbuf());
    {
        MeshSharing sharing;
        for (int object = 1; object <= 2; ++object) {
            ModelImporter("Resourcen\\cube_zentriert.obj", shared[object - 1], data[object][0],
                          data[object][1], data[object][2]);
            std::vector<unsigned int> indices;
            std::vector<float> positions, uvs, normals;
            ModelImporter("Resourcen\\fehlt.obj", indices, positions, uvs, normals);
        }
    }
    std::cout.rdbuf(previous);
    EXPECT_EQ(console.str(), "Objekt Resourcen\\fehlt.obj konnte nicht geladen werden!\n"
                             "Objekt Resourcen\\fehlt.obj konnte nicht geladen werden!\n");
    for (int object = 1; object <= 2; ++object) {
        EXPECT_EQ(shared[object - 1], alone[0]);
        EXPECT_EQ(data[object][0], data[0][0]);
        EXPECT_EQ(data[object][1], data[0][1]);
        EXPECT_EQ(data[object][2], data[0][2]);
    }
}

// Ball speeds in units per second over the track, with a jump on top that must not count.
TEST(BlurSharpness, CopiesOnlyWhereTheBlurProgramKeepsEveryPixelSharp) {
    const std::pair<float, bool> speeds[] = {{0.0f, true},   {2.5f, true},  {6.03f, true},
                                             {6.1f, false},  {7.5f, false}, {17.5f, false},
                                             {40.2f, false}, {41.0f, true}};
    for (const auto& [speed, sharp] : speeds) {
        const glm::vec3 from(1.0f, 5.0f, -20.0f);
        EXPECT_EQ(blurLeavesPictureSharp(from, from + glm::vec3(0.0f, 0.2f, -speed / 60.0f),
                                         1.0f / 60.0f),
                  sharp)
            << speed;
    }
    EXPECT_TRUE(blurLeavesPictureSharp(glm::vec3(0.0f), glm::vec3(9.0f), 0.0f));
}
