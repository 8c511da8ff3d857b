#include "scene/PictureDecodes.h"

#include "app/AssetPath.h"
#include "scene/TextureCache.h"

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace Pellwin {

namespace {

struct Decode {
    std::string gamePath;
    bool done = false;
    bool taken = false;
    bool readable = false;
    MipmapChain picture;
};

// Never freed: a fatal exit may come while workers still run, and they must not outlive
// what they write to.
struct Decodes {
    std::mutex lock;
    std::condition_variable finished;
    std::vector<Decode> pictures;
    size_t next = 0;
    std::vector<std::thread> workers;
};
Decodes* decodes = nullptr;

void decodeUntilNoneLeft() {
    for (;;) {
        Decode* picture = nullptr;
        {
            std::lock_guard<std::mutex> guard(decodes->lock);
            if (decodes->next == decodes->pictures.size()) {
                return;
            }
            picture = &decodes->pictures[decodes->next++];
        }
        MipmapChain decoded;
        const bool readable = decodePicture(toNativePath(picture->gamePath), decoded);
        std::lock_guard<std::mutex> guard(decodes->lock);
        picture->readable = readable;
        picture->picture = std::move(decoded);
        picture->done = true;
        decodes->finished.notify_all();
    }
}

} // namespace

void startDecodingPictures(const std::vector<std::string>& gamePaths) {
    finishDecodingPictures();
    if (decodes == nullptr) {
        decodes = new Decodes();
        // A fatal start-up error exits while pictures may still be decoding; the image
        // library must not be torn down under a worker.
        std::atexit(finishDecodingPictures);
    }
    decodes->pictures.assign(gamePaths.size(), Decode());
    for (size_t i = 0; i < gamePaths.size(); ++i) {
        decodes->pictures[i].gamePath = gamePaths[i];
    }
    decodes->next = 0;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned i = 0; i < std::min<unsigned>(cores, 4); ++i) {
        decodes->workers.emplace_back(decodeUntilNoneLeft);
    }
}

bool takeDecodedPicture(const std::string& gamePath, bool& readable, MipmapChain& picture) {
    if (decodes == nullptr) {
        return false;
    }
    std::unique_lock<std::mutex> guard(decodes->lock);
    for (Decode& decode : decodes->pictures) {
        if (decode.gamePath != gamePath || decode.taken) {
            continue;
        }
        decodes->finished.wait(guard, [&decode] { return decode.done; });
        decode.taken = true;
        readable = decode.readable;
        picture = std::move(decode.picture);
        return true;
    }
    return false;
}

void finishDecodingPictures() {
    if (decodes == nullptr) {
        return;
    }
    for (std::thread& worker : decodes->workers) {
        worker.join();
    }
    decodes->workers.clear();
    decodes->pictures.clear();
}

} // namespace Pellwin
