// SPDX-License-Identifier: GPL-3.0-or-later
// tolva-assetgen <outdir>: writes every mesh, picture and sound of the game under
// <outdir>/Resourcen. The output is the same, byte for byte, on every run.
#include <FreeImage.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "icon.h"
#include "image.h"
#include "lettering.h"
#include "lightmap.h"
#include "materials.h"
#include "models.h"
#include "objwriter.h"
#include "room.h"
#include "screens.h"
#include "sounds.h"
#include "sprites.h"
#include "stilllife.h"

namespace fs = std::filesystem;
using namespace assetgen;

namespace {

bool writeText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

struct Picture {
    const char* path; // below Resourcen
    std::function<Image()> make;
    Channels channels;
};

struct Model {
    const char* path;
    std::function<Mesh()> make;
};

struct SoundFile {
    const char* path;
    std::function<Sound()> make;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <outdir>\n", argv[0]);
        return 2;
    }
    const fs::path root = fs::path(argv[1]) / "Resourcen";
    std::error_code ec;
    for (const char* sub : {"", "BilderGedreht", "Lightmap", "Icons", "Sounds"}) {
        fs::create_directories(root / sub, ec);
        if (ec) {
            std::fprintf(stderr, "cannot create %s\n", (root / sub).string().c_str());
            return 1;
        }
    }
    FreeImage_Initialise();
    bool ok = true;

    const std::vector<Model> models = {
        {"cube.obj", pictureCubeMesh},   {"cube_zentriert.obj", centredCubeMesh},
        {"sphere.obj", ballMesh},        {"earth.obj", earthMesh},
        {"moon.obj", moonMesh},          {"pot1.obj", potMesh},
        {"metalKnife_2.obj", knifeMesh},
    };
    for (const Model& m : models) {
        std::string name = fs::path(m.path).stem().string();
        ok &= writeText(root / m.path, objText(m.make(), name, FileFrame::MirroredOnImport));
    }

    // Every picture but the lightmap is stored turned: the import flips V and
    // the loader uploads the bottom row first, and the two cancel only for a
    // picture that is upside down in its file.
    const Channels rgb = Channels::Rgb, rgba = Channels::Rgba;
    const std::vector<Picture> pictures = {
        {"BilderGedreht/titel.png", titleScreenTexture, rgb},
        {"BilderGedreht/gameOver.png", lostScreenTexture, rgb},
        {"BilderGedreht/youWon.png", wonScreenTexture, rgb},
        {"BilderGedreht/wand-02.png", wallpaperTexture, rgb},
        {"BilderGedreht/wintergartenFrei.png", conservatoryTexture, rgba},
        {"BilderGedreht/Sky.png", skyTexture, rgb},
        {"Grungemaps.png", grungeWallTexture, rgb},
        {"WoodPlanks.png", floorTexture, rgb},
        {"sun.png", sunTexture, rgba},
        {"marmor.png", marbleTexture, rgb},
        {"stone01.png", stoneTexture, rgb},
        {"gemuese.png", vegetablePictureTexture, rgb},
        {"wood02.png", boardTexture, rgb},
        {"FlareStern.png", flareStarTexture, rgba},
        {"FlareRing.png", flareRingTexture, rgba},
        {"FlareSun.png", flareGlowTexture, rgba},
        {"FlareStern2.png", flareStar2Texture, rgba},
        {"Flare3.png", particleTexture, rgba},
        {"pot1.png", potTexture, rgb},
        {"MetalBare.png", metalTexture, rgb},
        {"WoodFine.png", worktopTexture, rgb},
        {"pomla.png", citrusTexture, rgb},
    };
    for (const Picture& p : pictures) {
        fs::path path = root / p.path;
        if (!savePng(p.make(), path.string(), Storage::Turned, p.channels)) {
            std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
            ok = false;
        }
    }

    // The lettering is read by the overlay, not through a model, so it is stored upright.
    const Image lettering = letteringTexture();
    ok &= lettering.width() > 1 &&
          savePng(lettering, (root / "Schrift.png").string(), Storage::Upright, rgba);

    // The lightmapped model is imported as stored: no mirroring, no V flip.
    LightmappedModel rack = spiceRack();
    ok &= writeText(root / "Lightmap" / "lightmap.obj",
                    objText(rack.mesh, "lightmap", FileFrame::AsImported));
    ok &= savePng(rack.texture, (root / "Lightmap" / "Lightmap_Wood.png").string(),
                  Storage::Upright, Channels::Rgb);

    const std::vector<SoundFile> sounds = {
        {"roll.wav", rollSound},   {"jump.wav", jumpSound},     {"land.wav", landSound},
        {"knock.wav", knockSound}, {"whoosh.wav", whooshSound}, {"flight.wav", flightSound},
        {"steam.wav", steamSound}, {"won.wav", wonSound},       {"lost.wav", lostSound},
        {"click.wav", clickSound},
    };
    for (const SoundFile& s : sounds) {
        const fs::path path = root / "Sounds" / s.path;
        if (!saveWav(s.make(), path.string())) {
            std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
            ok = false;
        }
    }

    // The desktop's icons; they are installed, but the game itself never loads them.
    for (int size : {48, 128, 256}) {
        const fs::path path = root / "Icons" / ("tolva-" + std::to_string(size) + ".png");
        ok &= savePng(iconPicture(size), path.string(), Storage::Upright, Channels::Rgba);
    }

    FreeImage_DeInitialise();
    if (!ok) {
        std::fprintf(stderr, "some files could not be written\n");
        return 1;
    }
    return 0;
}
