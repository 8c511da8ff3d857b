// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/AssetPrefetch.h"

#include "app/AssetPath.h"
#include "scene/TextureCache.h"

#include <algorithm>
#include <atomic>
#include <future>
#include <map>
#include <memory>
#include <thread>
#include <utility>

namespace Pellwin {

namespace {

struct FileRead {
    bool readable = false;
    MipmapChain picture;
    ImportedMesh mesh;
};

struct PendingRead {
    bool isModel = false;
    std::string gamePath;
    std::promise<FileRead> result;
};

// The files still to read, shared by the readers: each takes the next one in turn.
struct ReadQueue {
    std::vector<PendingRead> files;
    std::atomic<size_t> next{0};
};

using ReadKey = std::pair<bool, std::string>; // is a model, game path
std::map<ReadKey, std::future<FileRead>> readsAhead;

// The readers, waited for when dropped. Made at the first start, so that at exit they are
// waited for before the image and model libraries are torn down: a fatal start-up error
// may end the game while files are still being read.
std::vector<std::future<void>>& readers() {
    static std::vector<std::future<void>> running;
    return running;
}

void readUntilNoneLeft(const std::shared_ptr<ReadQueue>& queue) {
    for (size_t i = queue->next++; i < queue->files.size(); i = queue->next++) {
        PendingRead& file = queue->files[i];
        FileRead read;
        read.readable = file.isModel ? readModelFile(file.gamePath.c_str(), read.mesh)
                                     : decodePicture(toNativePath(file.gamePath), read.picture);
        file.result.set_value(std::move(read));
    }
}

// The read of this file, waited for if need be and handed over once.
template <typename Part>
bool takeRead(bool isModel, const std::string& gamePath, bool& readable, Part FileRead::*part,
              Part& taken) {
    const auto found = readsAhead.find({isModel, gamePath});
    if (found == readsAhead.end()) {
        return false;
    }
    FileRead read = found->second.get();
    readsAhead.erase(found);
    readable = read.readable;
    taken = std::move(read.*part);
    return true;
}

} // namespace

void startReadingAssets(const AssetList& assets) {
    finishReadingAssets();
    auto queue = std::make_shared<ReadQueue>();
    // Interleaved, so the files the first objects need come first.
    for (size_t i = 0; i < std::max(assets.pictures.size(), assets.models.size()); ++i) {
        for (const bool isModel : {true, false}) {
            const std::vector<std::string>& paths = isModel ? assets.models : assets.pictures;
            if (i < paths.size()) {
                PendingRead& file = queue->files.emplace_back();
                file.isModel = isModel;
                file.gamePath = paths[i];
                readsAhead.emplace(ReadKey(isModel, paths[i]), file.result.get_future());
            }
        }
    }
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned i = 0; i < std::min(cores, 4u); ++i) {
        readers().push_back(std::async(std::launch::async, readUntilNoneLeft, queue));
    }
}

bool takeDecodedPicture(const std::string& gamePath, bool& readable, MipmapChain& picture) {
    return takeRead(false, gamePath, readable, &FileRead::picture, picture);
}

bool takeImportedModel(const std::string& gamePath, bool& readable, ImportedMesh& mesh) {
    return takeRead(true, gamePath, readable, &FileRead::mesh, mesh);
}

void finishReadingAssets() {
    readers().clear();
    readsAhead.clear();
}

} // namespace Pellwin
