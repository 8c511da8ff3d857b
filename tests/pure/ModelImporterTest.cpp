// SPDX-License-Identifier: GPL-3.0-or-later
// Model import: halving, the left-handed conversion every model but the lightmap gets,
// triangulation, the first mesh only, and files that are missing or damaged.
#include "scene/ModelImporter.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <glm/glm.hpp>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>
#include <unistd.h>

namespace {

struct Mesh {
    std::vector<unsigned int> indices;
    std::vector<float> positions, uvs, normals;
    std::string console;

    size_t vertices() const { return positions.size() / 3; }
    glm::vec3 corner(int k) const { // of the first triangle
        const unsigned int i = indices[k];
        return {positions[3 * i], positions[3 * i + 1], positions[3 * i + 2]};
    }
    // u, v and z of the vertex at (x, y), or nothing.
    bool find(float x, float y, glm::vec3& uvz) const {
        for (size_t i = 0; i < vertices(); ++i) {
            if (positions[3 * i] == x && positions[3 * i + 1] == y) {
                uvz = {uvs[2 * i], uvs[2 * i + 1], positions[3 * i + 2]};
                return true;
            }
        }
        return false;
    }
};

class ModelImport : public ::testing::Test {
protected:
    std::string folder = std::filesystem::temp_directory_path() / "tolva-import-XXXXXX";
    std::string previous = std::filesystem::current_path();

    void SetUp() override {
        ASSERT_NE(mkdtemp(folder.data()), nullptr);
        std::filesystem::create_directories(folder + "/Resourcen/Lightmap");
        std::filesystem::current_path(folder);
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }
    static Mesh import(const char* gamePath, const std::string& text = "") {
        if (!text.empty()) {
            std::string native = gamePath;
            std::replace(native.begin(), native.end(), '\\', '/');
            std::ofstream(native) << text;
        }
        Mesh mesh;
        std::ostringstream console;
        std::streambuf* const original = std::cout.rdbuf(console.rdbuf());
        Pellwin::ModelImporter(gamePath, mesh.indices, mesh.positions, mesh.uvs, mesh.normals);
        std::cout.rdbuf(original);
        mesh.console = console.str();
        return mesh;
    }
};

// A flat triangle facing +z and a second one reaching to (2, 4, -6), each corner with its
// own texture coordinate.
const char* const twoTriangles = "v 0 0 0\nv 2 0 0\nv 0 2 0\nv 2 4 -6\n"
                                 "vt 0.25 0.125\nvt 0.75 0.25\nvt 0.5 0.875\nvt 1 0.5\n"
                                 "f 1/1 2/2 3/3\nf 2/2 4/4 3/3\n";

} // namespace

TEST_F(ModelImport, EveryModelButTheLightmapIsMirroredWithVFlippedAndWindingReversed) {
    const struct {
        const char* path;
        bool converted;
    } cases[] = {{"Resourcen\\Lightmap\\lightmap.obj", false},
                 {"Resourcen\\lightmap.obj", true},
                 {"Resourcen\\dreieck.obj", true}};
    for (const auto& c : cases) {
        const Mesh mesh = import(c.path, twoTriangles);
        ASSERT_EQ(mesh.console, "") << c.path;
        ASSERT_EQ(mesh.indices.size(), 6u) << c.path;
        ASSERT_EQ(mesh.vertices(), 4u);
        EXPECT_EQ(mesh.uvs.size(), 8u);
        EXPECT_EQ(mesh.normals.size(), 12u);
        glm::vec3 far, origin;
        ASSERT_TRUE(mesh.find(1, 2, far)) << c.path << ": (2, 4, -6) is halved";
        ASSERT_TRUE(mesh.find(0, 0, origin));
        EXPECT_EQ(far.z, c.converted ? 3.0f : -3.0f) << c.path;
        EXPECT_FLOAT_EQ(origin.x, 0.25f) << "u stays";
        EXPECT_FLOAT_EQ(origin.y, c.converted ? 0.875f : 0.125f) << c.path;
        const glm::vec3 facing =
            glm::cross(mesh.corner(1) - mesh.corner(0), mesh.corner(2) - mesh.corner(0));
        EXPECT_EQ(facing.z > 0.0f, !c.converted)
            << c.path << ": only the winding turns a triangle in z = 0";
    }
}

TEST_F(ModelImport, AQuadBecomesTwoTrianglesWithZerosWhereTheFileHasNothing) {
    const Mesh mesh = import("Resourcen\\quad.obj", "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\n"
                                                    "f 1 2 3 4\n");
    ASSERT_EQ(mesh.indices.size(), 6u);
    EXPECT_EQ(mesh.uvs, std::vector<float>(8, 0.0f));
    EXPECT_EQ(mesh.normals, std::vector<float>(12, 0.0f));
}

TEST_F(ModelImport, MissingAndDamagedFilesNeverGiveAnIndexPastTheVertices) {
    const Mesh missing = import("Resourcen\\fehlt.obj");
    EXPECT_EQ(missing.console, "Objekt Resourcen\\fehlt.obj konnte nicht geladen werden!\n");
    EXPECT_TRUE(missing.indices.empty() && missing.positions.empty() && missing.uvs.empty());
    const std::pair<const char*, int> damaged[] = {
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nv 5 5 5\nl 1 4\np 4\nf 1 2 3\n", 3},
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nf 1 2 9\nf 3 2 -7\n", 0}}; // nothing to draw
    for (const auto& [text, corners] : damaged) {
        const Mesh mesh = import("Resourcen\\kaputt.obj", text);
        EXPECT_EQ(mesh.indices.size(), size_t(corners)) << text;
        for (unsigned int index : mesh.indices) {
            EXPECT_LT(index, mesh.vertices());
        }
        EXPECT_EQ(mesh.console.empty(), corners > 0) << mesh.console;
    }
}
