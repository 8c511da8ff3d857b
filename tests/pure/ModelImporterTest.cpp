#include "scene/ModelImporter.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <glm/glm.hpp>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using Pellwin::ModelImporter;

namespace {

struct Imported {
    std::vector<unsigned int> indices;
    std::vector<float> positions;
    std::vector<float> uvs;
    std::vector<float> normals;
    std::string console;

    size_t vertexCount() const { return positions.size() / 3; }
    glm::vec3 position(unsigned int i) const {
        return glm::vec3(positions[3 * i], positions[3 * i + 1], positions[3 * i + 2]);
    }
    glm::vec2 uv(unsigned int i) const { return glm::vec2(uvs[2 * i], uvs[2 * i + 1]); }
    // Index of the vertex at this (halved) position, or -1.
    int find(const glm::vec3& p) const {
        for (size_t i = 0; i < vertexCount(); ++i) {
            if (glm::length(position(static_cast<unsigned int>(i)) - p) < 1e-6f) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    // Normal of triangle t from its winding (not from the stored normals).
    glm::vec3 windingNormal(size_t t) const {
        const glm::vec3 a = position(indices[3 * t]);
        const glm::vec3 b = position(indices[3 * t + 1]);
        const glm::vec3 c = position(indices[3 * t + 2]);
        return glm::normalize(glm::cross(b - a, c - a));
    }
};

// Model files are read relative to the working directory, as the game does: each test
// works in a fresh folder that holds its own Resourcen tree.
class ModelImporterTest : public ::testing::Test {
protected:
    std::string folder;
    std::string previous;

    void SetUp() override {
        char cwd[PATH_MAX];
        ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
        previous = cwd;
        char pattern[] = "/tmp/tolva-import-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        ASSERT_EQ(mkdir((folder + "/Resourcen").c_str(), 0755), 0);
        ASSERT_EQ(mkdir((folder + "/Resourcen/Lightmap").c_str(), 0755), 0);
        ASSERT_EQ(chdir(folder.c_str()), 0);
    }

    void TearDown() override {
        if (!previous.empty()) {
            EXPECT_EQ(chdir(previous.c_str()), 0);
        }
        if (!folder.empty()) {
            std::error_code error;
            std::filesystem::remove_all(folder, error);
            EXPECT_FALSE(error) << error.message();
        }
    }

    static void write(const std::string& nativePath, const std::string& text) {
        std::ofstream file(nativePath, std::ios::binary);
        file << text;
        ASSERT_TRUE(file.good()) << nativePath;
    }

    static Imported import(const char* gamePath) {
        Imported result;
        std::ostringstream captured;
        std::streambuf* const original = std::cout.rdbuf(captured.rdbuf());
        ModelImporter importer(gamePath, result.indices, result.positions, result.uvs,
                               result.normals);
        std::cout.rdbuf(original);
        result.console = captured.str();
        return result;
    }
};

// One triangle in the z = 0 plane, counter-clockwise seen from +z, plus a vertex off
// the plane joined by a second triangle, each corner with its own texture coordinate.
const char* const triangleObj = "v 0 0 0\n"
                                "v 2 0 0\n"
                                "v 0 2 0\n"
                                "v 2 4 -6\n"
                                "vt 0.25 0.125\n"
                                "vt 0.75 0.25\n"
                                "vt 0.5 0.875\n"
                                "vt 1 0.5\n"
                                "f 1/1 2/2 3/3\n"
                                "f 2/2 4/4 3/3\n";

} // namespace

// What one import made of the test triangle pair: where the far corner went, the V of
// three corners, and which way the flat triangle faces.
struct ExpectedFrame {
    float farZ;
    float vOrigin, vRight, vUp;
    float flatNormalZ;
};

void expectFrame(const Imported& mesh, const ExpectedFrame& expected) {
    EXPECT_EQ(mesh.console, "");
    ASSERT_EQ(mesh.vertexCount(), 4u);
    ASSERT_EQ(mesh.indices.size(), 6u);
    EXPECT_EQ(mesh.uvs.size(), 8u);
    EXPECT_EQ(mesh.normals.size(), 12u);
    EXPECT_LT(mesh.find({1.0f, 2.0f, -expected.farZ}), 0);
    const int far = mesh.find({1.0f, 2.0f, expected.farZ});
    const int origin = mesh.find({0.0f, 0.0f, 0.0f});
    const int right = mesh.find({1.0f, 0.0f, 0.0f});
    const int up = mesh.find({0.0f, 1.0f, 0.0f});
    ASSERT_GE(far, 0) << "(2, 4, -6) is halved";
    ASSERT_GE(origin, 0);
    ASSERT_GE(right, 0);
    ASSERT_GE(up, 0);
    EXPECT_NEAR(mesh.uv(origin).x, 0.25f, 1e-6f) << "u is never changed";
    EXPECT_NEAR(mesh.uv(origin).y, expected.vOrigin, 1e-6f);
    EXPECT_NEAR(mesh.uv(right).y, expected.vRight, 1e-6f);
    EXPECT_NEAR(mesh.uv(up).y, expected.vUp, 1e-6f);
    EXPECT_NEAR(mesh.uv(far).x, 1.0f, 1e-6f);
    EXPECT_NEAR(mesh.uv(far).y, 0.5f, 1e-6f);
    // The flat triangle lies in z = 0, which a mirror keeps: only the winding turns it.
    bool foundFlat = false;
    for (size_t t = 0; t < mesh.indices.size() / 3; ++t) {
        const unsigned int* tri = &mesh.indices[3 * t];
        if (tri[0] != static_cast<unsigned int>(far) && tri[1] != static_cast<unsigned int>(far) &&
            tri[2] != static_cast<unsigned int>(far)) {
            foundFlat = true;
            EXPECT_NEAR(mesh.windingNormal(t).z, expected.flatNormalZ, 1e-6f);
        }
    }
    EXPECT_TRUE(foundFlat);
}

TEST_F(ModelImporterTest, LightmapModelIsHalvedButKeepsItsFrame) {
    write("Resourcen/Lightmap/lightmap.obj", triangleObj);
    expectFrame(import("Resourcen\\Lightmap\\lightmap.obj"), {-3.0f, 0.125f, 0.25f, 0.875f, 1.0f});
}

TEST_F(ModelImporterTest, OtherModelsAreMirroredInZWithVFlippedAndWindingReversed) {
    write("Resourcen/dreieck.obj", triangleObj);
    expectFrame(import("Resourcen\\dreieck.obj"), {3.0f, 0.875f, 0.75f, 0.125f, -1.0f});
}

TEST_F(ModelImporterTest, LightmapFileNameElsewhereIsAnOrdinaryModel) {
    // The same file name in another folder is an ordinary model.
    write("Resourcen/lightmap.obj", triangleObj);
    const Imported mesh = import("Resourcen\\lightmap.obj");
    EXPECT_EQ(mesh.console, "");
    EXPECT_GE(mesh.find({1.0f, 2.0f, 3.0f}), 0);
}

TEST_F(ModelImporterTest, QuadBecomesTwoTriangles) {
    write("Resourcen/quad.obj", "v -1 -1 0\n"
                                "v 1 -1 0\n"
                                "v 1 1 0\n"
                                "v -1 1 0\n"
                                "f 1 2 3 4\n");
    const Imported mesh = import("Resourcen\\quad.obj");
    EXPECT_EQ(mesh.console, "");
    ASSERT_EQ(mesh.indices.size(), 6u);
    ASSERT_EQ(mesh.vertexCount(), 4u);
    for (unsigned int index : mesh.indices) {
        EXPECT_LT(index, 4u);
    }
    // Both halves keep one facing and cover the quad (area 1 after halving).
    float area = 0.0f;
    for (size_t t = 0; t < 2; ++t) {
        EXPECT_NEAR(mesh.windingNormal(t).z, -1.0f, 1e-6f);
        const glm::vec3 a = mesh.position(mesh.indices[3 * t]);
        const glm::vec3 b = mesh.position(mesh.indices[3 * t + 1]);
        const glm::vec3 c = mesh.position(mesh.indices[3 * t + 2]);
        area += 0.5f * glm::length(glm::cross(b - a, c - a));
    }
    EXPECT_NEAR(area, 1.0f, 1e-6f);
    // No texture coordinates or normals in the file: zeros of the right size.
    ASSERT_EQ(mesh.uvs.size(), 8u);
    ASSERT_EQ(mesh.normals.size(), 12u);
    for (float value : mesh.uvs) {
        EXPECT_EQ(value, 0.0f);
    }
    for (float value : mesh.normals) {
        EXPECT_EQ(value, 0.0f);
    }
}

TEST_F(ModelImporterTest, OnlyTheFirstMeshIsImported) {
    // Two materials keep the importer from merging the parts into one mesh.
    write("Resourcen/zwei.mtl", "newmtl rot\n"
                                "Kd 1 0 0\n"
                                "newmtl blau\n"
                                "Kd 0 0 1\n");
    write("Resourcen/zwei.obj", "mtllib zwei.mtl\n"
                                "o erstes\n"
                                "v 0 0 0\n"
                                "v 2 0 0\n"
                                "v 0 2 0\n"
                                "usemtl rot\n"
                                "f 1 2 3\n"
                                "o zweites\n"
                                "v 10 0 0\n"
                                "v 12 0 0\n"
                                "v 12 2 0\n"
                                "v 10 2 0\n"
                                "v 11 3 0\n"
                                "usemtl blau\n"
                                "f 4 5 6 7\n"
                                "f 6 8 7\n");
    const Imported mesh = import("Resourcen\\zwei.obj");
    EXPECT_EQ(mesh.console, "");
    EXPECT_EQ(mesh.indices.size(), 3u);
    EXPECT_EQ(mesh.vertexCount(), 3u);
    EXPECT_EQ(mesh.uvs.size(), 6u);
    EXPECT_EQ(mesh.normals.size(), 9u);
    for (size_t i = 0; i < mesh.vertexCount(); ++i) {
        EXPECT_LT(mesh.position(static_cast<unsigned int>(i)).x, 5.0f)
            << "vertex " << i << " belongs to the second object";
    }
}

TEST_F(ModelImporterTest, MissingFileIsReportedOnceAndLeavesTheObjectEmpty) {
    const Imported mesh = import("Resourcen\\fehlt.obj");
    EXPECT_EQ(mesh.console, "Objekt Resourcen\\fehlt.obj konnte nicht geladen werden!\n");
    EXPECT_TRUE(mesh.indices.empty());
    EXPECT_TRUE(mesh.positions.empty());
    EXPECT_TRUE(mesh.uvs.empty());
    EXPECT_TRUE(mesh.normals.empty());

    // The lightmap path takes the same road when its file is missing.
    const Imported lightmap = import("Resourcen\\Lightmap\\lightmap.obj");
    EXPECT_EQ(lightmap.console,
              "Objekt Resourcen\\Lightmap\\lightmap.obj konnte nicht geladen werden!\n");
    EXPECT_TRUE(lightmap.indices.empty());
    EXPECT_TRUE(lightmap.positions.empty());
}

TEST_F(ModelImporterTest, LinesAndPointsNeverYieldAnIndexPastTheVertices) {
    write("Resourcen/linien.obj", "v 0 0 0\n"
                                  "v 1 0 0\n"
                                  "v 0 1 0\n"
                                  "v 5 5 5\n"
                                  "v 6 6 6\n"
                                  "l 4 5\n"
                                  "p 5\n"
                                  "f 1 2 3\n"
                                  "l 1 4 5\n");
    const Imported mesh = import("Resourcen\\linien.obj");
    ASSERT_EQ(mesh.indices.size() % 3, 0u);
    for (unsigned int index : mesh.indices) {
        ASSERT_LT(index, mesh.vertexCount());
    }
    // The one real triangle is drawn; whatever the lines and points leave has no area.
    int triangles = 0;
    for (size_t t = 0; t < mesh.indices.size() / 3; ++t) {
        const glm::vec3 a = mesh.position(mesh.indices[3 * t]);
        const glm::vec3 b = mesh.position(mesh.indices[3 * t + 1]);
        const glm::vec3 c = mesh.position(mesh.indices[3 * t + 2]);
        const float area = 0.5f * glm::length(glm::cross(b - a, c - a));
        if (area > 0.0f) {
            ++triangles;
            EXPECT_NEAR(area, 0.125f, 1e-6f);
            EXPECT_LT(glm::length(a) + glm::length(b) + glm::length(c), 1.5f);
        }
    }
    EXPECT_EQ(triangles, 1);
    EXPECT_EQ(mesh.uvs.size(), 2 * mesh.vertexCount());
    EXPECT_EQ(mesh.normals.size(), 3 * mesh.vertexCount());
}

TEST_F(ModelImporterTest, OutOfRangeFaceIndicesNeverYieldAnIndexPastTheVertices) {
    write("Resourcen/kaputt.obj", "v 0 0 0\n"
                                  "v 1 0 0\n"
                                  "v 0 1 0\n"
                                  "f 1 2 3\n"
                                  "f 1 2 9\n"
                                  "f 3 2 -7\n");
    const Imported mesh = import("Resourcen\\kaputt.obj");
    EXPECT_EQ(mesh.indices.size() % 3, 0u);
    for (unsigned int index : mesh.indices) {
        EXPECT_LT(index, mesh.vertexCount());
    }
    // Either the file is refused with the one message, or it loads: never anything else.
    if (mesh.positions.empty()) {
        EXPECT_EQ(mesh.console, "Objekt Resourcen\\kaputt.obj konnte nicht geladen werden!\n");
    } else {
        EXPECT_EQ(mesh.console, "");
    }
}
