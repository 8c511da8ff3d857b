// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/ModelImporter.h"

#include "app/AssetPath.h"
#include "scene/AssetPrefetch.h"

#include <assimp/Importer.hpp>
#include <assimp/mesh.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <cstring>
#include <iostream>
#include <map>
#include <string>

namespace Pellwin {

const char* const lightmapModelPath = "Resourcen\\Lightmap\\lightmap.obj";

static unsigned int importFlags(const char* modelPath) {
    const unsigned int lightmapFlags =
        aiProcess_JoinIdenticalVertices | aiProcess_Triangulate | aiProcess_OptimizeMeshes;
    if (std::strcmp(modelPath, lightmapModelPath) == 0) {
        return lightmapFlags;
    }
    return lightmapFlags | aiProcess_MakeLeftHanded | aiProcess_FlipUVs |
           aiProcess_FlipWindingOrder;
}

namespace {

struct SharedImport {
    bool unreadable;
    ImportedMesh mesh;
};
std::map<std::string, SharedImport>* sharedImports = nullptr;

void reportUnreadable(const char* modelPath) {
    std::cout << "Objekt " << modelPath << " konnte nicht geladen werden!" << std::endl;
}

} // namespace

bool readModelFile(const char* modelPath, ImportedMesh& imported) {
    std::vector<unsigned int>& indices = imported.indices;
    std::vector<float>& positions = imported.positions;
    std::vector<float>& uvs = imported.uvs;
    std::vector<float>& normals = imported.normals;
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(toNativePath(modelPath), importFlags(modelPath));
    if (scene == nullptr) {
        return false;
    }
    // A file that gives no mesh, or no whole triangle below, draws nothing: it is reported
    // like a missing one, so noise in a model's place does not pass for a model.
    if (scene->mNumMeshes == 0 || scene->mMeshes == nullptr || scene->mMeshes[0] == nullptr) {
        return false;
    }
    const aiMesh* mesh = scene->mMeshes[0];
    const unsigned int vertexCount = mesh->mNumVertices;

    // Points and lines survive triangulation, and a damaged file may name vertices it
    // does not have: such faces are left out instead of read or drawn past their end.
    indices.reserve(3u * mesh->mNumFaces);
    for (unsigned int f = 0; f < mesh->mNumFaces; ++f) {
        const aiFace& face = mesh->mFaces[f];
        if (face.mNumIndices < 3 || face.mIndices == nullptr || face.mIndices[0] >= vertexCount ||
            face.mIndices[1] >= vertexCount || face.mIndices[2] >= vertexCount) {
            continue;
        }
        indices.push_back(face.mIndices[0]);
        indices.push_back(face.mIndices[1]);
        indices.push_back(face.mIndices[2]);
    }

    positions.resize(3u * vertexCount);
    normals.resize(3u * vertexCount);
    uvs.resize(2u * vertexCount);
    const bool hasUvs = mesh->HasTextureCoords(0);
    for (unsigned int i = 0; i < vertexCount; ++i) {
        if (mesh->HasPositions()) {
            positions[3 * i] = mesh->mVertices[i].x;
            positions[3 * i + 1] = mesh->mVertices[i].y;
            positions[3 * i + 2] = mesh->mVertices[i].z;
        }
        if (mesh->HasNormals()) {
            normals[3 * i] = mesh->mNormals[i].x;
            normals[3 * i + 1] = mesh->mNormals[i].y;
            normals[3 * i + 2] = mesh->mNormals[i].z;
        }
        if (hasUvs) {
            uvs[2 * i] = mesh->mTextureCoords[0][i].x;
            uvs[2 * i + 1] = mesh->mTextureCoords[0][i].y;
        }
    }
    // The model files hold every mesh at twice its size in the world: the level's scales,
    // the contact boxes and the bounding spheres all measure the halved mesh.
    for (float& value : positions) {
        value *= 0.5f;
    }
    return !indices.empty();
}

MeshSharing::MeshSharing() {
    delete sharedImports;
    sharedImports = new std::map<std::string, SharedImport>();
}

MeshSharing::~MeshSharing() {
    delete sharedImports;
    sharedImports = nullptr;
}

ModelImporter::ModelImporter(const char* modelPath, std::vector<unsigned int>& indices,
                             std::vector<float>& positions, std::vector<float>& uvs,
                             std::vector<float>& normals) {
    ImportedMesh mesh;
    bool readable = false;
    if (sharedImports == nullptr) {
        readable = readModelFile(modelPath, mesh);
    } else if (const auto found = sharedImports->find(modelPath); found != sharedImports->end()) {
        readable = !found->second.unreadable;
        mesh = found->second.mesh;
    } else {
        // Scene construction may have had the file read ahead on a worker thread.
        if (!takeImportedModel(modelPath, readable, mesh)) {
            readable = readModelFile(modelPath, mesh);
        }
        sharedImports->emplace(modelPath, SharedImport{!readable, mesh});
    }
    if (!readable) {
        reportUnreadable(modelPath);
    }
    indices = std::move(mesh.indices);
    positions = std::move(mesh.positions);
    uvs = std::move(mesh.uvs);
    normals = std::move(mesh.normals);
}

} // namespace Pellwin
