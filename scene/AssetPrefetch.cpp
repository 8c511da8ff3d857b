// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/AssetPrefetch.h"

#include "app/AssetPath.h"
#include "scene/TextureCache.h"

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace Pellwin {

namespace {

struct Read {
    bool isModel = false;
    std::string gamePath;
    bool done = false;
    bool taken = false;
    bool readable = false;
    MipmapChain picture;
    ImportedMesh mesh;
};

// Never freed: a fatal exit may come while workers still run, and they must not outlive
// what they write to.
struct Reads {
    std::mutex lock;
    std::condition_variable finished;
    std::vector<Read> queue;
    size_t next = 0;
    std::vector<std::thread> workers;
};
Reads* reads = nullptr;

void readUntilNoneLeft() {
    for (;;) {
        Read* read = nullptr;
        {
            std::lock_guard<std::mutex> guard(reads->lock);
            if (reads->next == reads->queue.size()) {
                return;
            }
            read = &reads->queue[reads->next++];
        }
        // Nobody looks at a read's results before `done`, which is set under the lock.
        const bool readable = read->isModel
                                  ? readModelFile(read->gamePath.c_str(), read->mesh)
                                  : decodePicture(toNativePath(read->gamePath), read->picture);
        std::lock_guard<std::mutex> guard(reads->lock);
        read->readable = readable;
        read->done = true;
        reads->finished.notify_all();
    }
}

// The first read of the path not yet handed over, waited for; null when there is none.
Read* awaitRead(std::unique_lock<std::mutex>& guard, const std::string& gamePath, bool isModel) {
    for (Read& read : reads->queue) {
        if (read.gamePath == gamePath && read.isModel == isModel && !read.taken) {
            reads->finished.wait(guard, [&read] { return read.done; });
            read.taken = true;
            return &read;
        }
    }
    return nullptr;
}

} // namespace

void startReadingAssets(const AssetList& assets) {
    finishReadingAssets();
    if (reads == nullptr) {
        reads = new Reads();
        // A fatal start-up error exits while files may still be read; the image and
        // model libraries must not be torn down under a worker.
        std::atexit(finishReadingAssets);
    }
    reads->queue.clear();
    // Interleaved, so the files the first objects need come first.
    for (size_t i = 0; i < std::max(assets.pictures.size(), assets.models.size()); ++i) {
        for (const bool isModel : {true, false}) {
            const std::vector<std::string>& paths = isModel ? assets.models : assets.pictures;
            if (i < paths.size()) {
                reads->queue.emplace_back();
                reads->queue.back().isModel = isModel;
                reads->queue.back().gamePath = paths[i];
            }
        }
    }
    reads->next = 0;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned i = 0; i < std::min(cores, 4u); ++i) {
        reads->workers.emplace_back(readUntilNoneLeft);
    }
}

bool takeDecodedPicture(const std::string& gamePath, bool& readable, MipmapChain& picture) {
    if (reads == nullptr) {
        return false;
    }
    std::unique_lock<std::mutex> guard(reads->lock);
    Read* read = awaitRead(guard, gamePath, false);
    if (read != nullptr) {
        readable = read->readable;
        picture = std::move(read->picture);
    }
    return read != nullptr;
}

bool takeImportedModel(const std::string& gamePath, bool& readable, ImportedMesh& mesh) {
    if (reads == nullptr) {
        return false;
    }
    std::unique_lock<std::mutex> guard(reads->lock);
    Read* read = awaitRead(guard, gamePath, true);
    if (read != nullptr) {
        readable = read->readable;
        mesh = std::move(read->mesh);
    }
    return read != nullptr;
}

void finishReadingAssets() {
    if (reads == nullptr) {
        return;
    }
    for (std::thread& worker : reads->workers) {
        worker.join();
    }
    reads->workers.clear();
    reads->queue.clear();
}

} // namespace Pellwin
