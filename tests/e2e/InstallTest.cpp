// SPDX-License-Identifier: GPL-3.0-or-later
// The game as `cmake --install` lays it out, in a prefix of one's own and in Debian's games
// layout as the package has it: it starts from any folder, finds its data beside its binary,
// and brings a valid desktop entry and its icons.
#include "e2e/E2e.h"

using namespace TolvaTest;

TEST(Install, AnInstalledGameStartsFromAnywhereWithItsDesktopEntryAndIcons) {
    const struct {
        std::vector<std::string> component;
        std::string binary, data, notInstalled;
    } layouts[] = {
        {{}, "bin/tolva", "share/tolva", "games"},
        {{"--component", "debian"}, "games/tolva", "share/games/tolva", "bin"},
    };
    for (const auto& layout : layouts) {
        SCOPED_TRACE(layout.binary);
        TemporaryFolder prefix, elsewhere;
        std::vector<std::string> command{TOLVA_CMAKE, "--install", TOLVA_BINARY_DIR, "--prefix",
                                         prefix.path};
        command.insert(command.end(), layout.component.begin(), layout.component.end());
        const ProcessResult install = runProcess(command);
        ASSERT_EQ(install.exitStatus, 0) << install.out << install.err;
        EXPECT_FALSE(std::filesystem::exists(prefix / layout.notInstalled)) << "one layout";
        const std::string desktop = prefix / "share/applications/tolva.desktop";
        const ProcessResult valid = runProcess({"/usr/bin/desktop-file-validate", desktop});
        EXPECT_EQ(valid.exitStatus, 0) << valid.out << valid.err;
        const std::string text = readFile(desktop);
        EXPECT_NE(text.find("\nName=Tolva - Quellmoor\n"), std::string::npos);
        EXPECT_NE(text.find("\nCategories=Game;ArcadeGame;\n"), std::string::npos);
        for (int size : {48, 128, 256}) {
            const std::string s = std::to_string(size);
            std::ifstream icon(prefix / ("share/icons/hicolor/" + s + "x" + s + "/apps/tolva.png"),
                               std::ios::binary);
            unsigned char header[24] = {};
            icon.read(reinterpret_cast<char*>(header), 24);
            EXPECT_EQ(header[16] << 24 | header[17] << 16 | header[18] << 8 | header[19], size)
                << "a " << size << " pixel PNG";
        }
        EXPECT_FALSE(std::filesystem::exists(prefix / (layout.data + "/Resourcen/Icons")));
        if (!haveDisplay()) {
            continue; // starting it needs an X display
        }
        Process game({prefix / layout.binary, "640", "480"}, {elsewhere.path, {}, false});
        const std::string window = waitForGameWindow(game, 120.0);
        EXPECT_NE(window, "") << game.outputSoFar();
        const ProcessResult r = quitWithEscape(game, window);
        EXPECT_EQ(r.exitStatus, 0);
        EXPECT_EQ(r.out, greeting(prefix / layout.binary) + "SUCCESS: glfw intialisiert\n")
            << "every shader and model found";
        EXPECT_EQ(r.err.find(".png"), std::string::npos) << "every picture found: " << r.err;
    }
}
