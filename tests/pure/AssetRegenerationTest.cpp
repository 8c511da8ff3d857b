// SPDX-License-Identifier: GPL-3.0-or-later
// Everything under Resourcen/ is the asset generator's output (the shipped run the run maker's):
// regenerating it must give the same files, byte for byte, so nobody hand-edits a generated file or
// changes the generator without committing what it makes.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <string>

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> filesBelow(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            files[entry.path().lexically_relative(root).generic_string()] =
                std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    return files;
}

} // namespace

TEST(AssetRegeneration, GivesExactlyTheCommittedFiles) {
#ifndef TOLVA_ASSETGEN_PATH
    GTEST_SKIP() << "the asset generator is not part of this build";
#else
    std::string out = (fs::temp_directory_path() / "tolva-assets-XXXXXX").string();
    ASSERT_NE(mkdtemp(out.data()), nullptr);
    const std::string command = std::string("\"") + TOLVA_ASSETGEN_PATH + "\" \"" + out + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0);
    // The shipped run, too, is made again: its route through the update.
    ASSERT_EQ(std::system((std::string("\"") + TOLVA_RUNMAKER_PATH + "\" \"" + out +
                           "/Resourcen/Musterlauf.tlvr\" >/dev/null")
                              .c_str()),
              0);
    const auto made = filesBelow(fs::path(out) / "Resourcen");
    const auto committed = filesBelow(fs::path(TOLVA_SOURCE_DIR) / "Resourcen");
    fs::remove_all(out);
    for (const auto& [name, bytes] : committed) {
        EXPECT_TRUE(made.count(name) && made.at(name) == bytes) << "Resourcen/" << name;
    }
    for (const auto& entry : made) {
        EXPECT_EQ(committed.count(entry.first), 1u) << "not committed: Resourcen/" << entry.first;
    }
    EXPECT_GT(made.size(), 30u);
#endif
}
