// The committed meshes and pictures under Resourcen/ are the asset generator's
// output. Regenerating them must give the same files, byte for byte, so that
// nobody hand-edits a generated file or changes the generator without
// committing what it makes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const fs::path kCommitted = fs::path(TOLVA_SOURCE_DIR) / "Resourcen";

std::set<std::string> filesBelow(const fs::path& root) {
    std::set<std::string> files;
    if (!fs::is_directory(root)) {
        return files;
    }
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files.insert(entry.path().lexically_relative(root).generic_string());
        }
    }
    return files;
}

std::vector<char> readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class AssetRegeneration : public ::testing::Test {
protected:
    // The generator runs once for all cases; it takes a few seconds.
    static void SetUpTestSuite() {
#ifdef TOLVA_ASSETGEN_PATH
        std::string pattern = (fs::temp_directory_path() / "tolva-assets-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            return;
        }
        outDir_ = new fs::path(pattern);
        std::string cmd =
            std::string("\"") + TOLVA_ASSETGEN_PATH + "\" \"" + outDir_->string() + "\"";
        exitStatus_ = std::system(cmd.c_str());
#endif
    }

    static void TearDownTestSuite() {
        if (outDir_ != nullptr) {
            std::error_code ec;
            fs::remove_all(*outDir_, ec);
            delete outDir_;
            outDir_ = nullptr;
        }
    }

    void SetUp() override {
#ifndef TOLVA_ASSETGEN_PATH
        GTEST_SKIP() << "the asset generator is not part of this build";
#endif
        ASSERT_NE(outDir_, nullptr) << "no temporary folder for the generator";
        ASSERT_EQ(exitStatus_, 0) << "the generator failed";
    }

    static fs::path generated() {
        return *outDir_ / "Resourcen";
    }

    static fs::path* outDir_;
    static int exitStatus_;
};

fs::path* AssetRegeneration::outDir_ = nullptr;
int AssetRegeneration::exitStatus_ = -1;

TEST_F(AssetRegeneration, ProducesExactlyTheCommittedFiles) {
    const std::set<std::string> committed = filesBelow(kCommitted);
    const std::set<std::string> produced = filesBelow(generated());
    for (const auto& f : committed) {
        EXPECT_TRUE(produced.count(f) == 1) << "committed but no longer generated: Resourcen/" << f;
    }
    for (const auto& f : produced) {
        EXPECT_TRUE(committed.count(f) == 1) << "generated but not committed: Resourcen/" << f;
    }
}

TEST_F(AssetRegeneration, EveryFileMatchesTheCommittedBytes) {
    for (const auto& f : filesBelow(generated())) {
        if (!fs::exists(kCommitted / f)) {
            continue; // reported by ProducesExactlyTheCommittedFiles
        }
        const std::vector<char> a = readAll(generated() / f);
        const std::vector<char> b = readAll(kCommitted / f);
        if (a == b) {
            continue;
        }
        size_t at = 0;
        while (at < a.size() && at < b.size() && a[at] == b[at]) {
            ++at;
        }
        ADD_FAILURE() << "Resourcen/" << f << " differs from the generator's output: " << b.size()
                      << " bytes committed, " << a.size() << " generated, first difference at byte "
                      << at;
    }
}

TEST_F(AssetRegeneration, CoversEveryFileTheSceneLoads) {
    // Every model and picture the scene and the particles load.
    const char* needed[] = {"cube.obj",
                            "cube_zentriert.obj",
                            "sphere.obj",
                            "earth.obj",
                            "moon.obj",
                            "pot1.obj",
                            "metalKnife_2.obj",
                            "Lightmap/lightmap.obj",
                            "BilderGedreht/titel.png",
                            "BilderGedreht/gameOver.png",
                            "BilderGedreht/youWon.png",
                            "BilderGedreht/wand-02.png",
                            "BilderGedreht/wintergartenFrei.png",
                            "BilderGedreht/Sky.png",
                            "Grungemaps.png",
                            "WoodPlanks.png",
                            "sun.png",
                            "marmor.png",
                            "stone01.png",
                            "gemuese.png",
                            "wood02.png",
                            "FlareStern.png",
                            "FlareRing.png",
                            "FlareSun.png",
                            "FlareStern2.png",
                            "Flare3.png",
                            "pot1.png",
                            "MetalBare.png",
                            "WoodFine.png",
                            "pomla.png",
                            "Lightmap/Lightmap_Wood.png"};
    const std::set<std::string> produced = filesBelow(generated());
    for (const char* f : needed) {
        EXPECT_TRUE(produced.count(f) == 1) << "the generator does not make Resourcen/" << f;
    }
}

} // namespace
