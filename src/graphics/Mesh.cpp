#include "graphics/Mesh.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <unordered_map>

#include <assimp/cimport.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include "graphics/Transform.h"
#include "graphics/XFileCheck.h"
#include "util/AssetPath.h"
#include "util/FileData.h"
#include "util/Fnv.h"
#include "util/StringUtil.h"

namespace {

// The importer gives every face corner a vertex of its own; corners that agree to
// the bit share one, so the vertex shader runs once for them (the picture is the same).
static_assert(sizeof(MeshVertex) == 9 * sizeof(float), "no padding: the bytes are the vertex");

struct BitsHash {
    size_t operator()(const MeshVertex& v) const {
        Fnv hash;
        hash.AddValue(v);
        return static_cast<size_t>(hash.Value());
    }
};

struct SameBits {
    bool operator()(const MeshVertex& a, const MeshVertex& b) const {
        return std::memcmp(&a, &b, sizeof a) == 0;
    }
};

struct Geometry {
    std::vector<MeshVertex> vertices;
    std::vector<std::vector<uint32_t>> indicesPerMaterial;
    std::unordered_map<MeshVertex, uint32_t, BitsHash, SameBits> seen;

    uint32_t Add(const MeshVertex& v) {
        auto [at, added] = seen.try_emplace(v, static_cast<uint32_t>(vertices.size()));
        if (added) vertices.push_back(v);
        return at->second;
    }
};

ColorValue ReadColor(const aiMaterial* m, const char* key, unsigned type, unsigned index) {
    aiColor4D c(0, 0, 0, 1);
    aiGetMaterialColor(m, key, type, index, &c);
    return ColorValue{c.r, c.g, c.b, c.a};
}

Material ReadMaterial(const aiMaterial* m) {
    Material material;
    material.diffuse = ReadColor(m, AI_MATKEY_COLOR_DIFFUSE);
    material.specular = ReadColor(m, AI_MATKEY_COLOR_SPECULAR);
    material.emissive = ReadColor(m, AI_MATKEY_COLOR_EMISSIVE);
    // The file's ambient colour is not used: ambient light lights the diffuse colour.
    material.ambient = material.diffuse;
    float power = 0;
    if (aiGetMaterialFloat(m, AI_MATKEY_SHININESS, &power) == AI_SUCCESS) material.power = power;
    return material;
}

std::string TextureName(const aiMaterial* m) {
    aiString name;
    if (aiGetMaterialTexture(m, aiTextureType_DIFFUSE, 0, &name) != AI_SUCCESS) return "";
    return name.C_Str();
}

bool IsFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// Exporters write texture names as the artist's system had them: tex\top.tga,
// .\top.tga, C:\art\top.tga. A relative name is looked for beside the model
// first, then any name by its file name alone there. When neither is found the
// name as written is returned, for the image loader to report.
std::string FindTexture(const std::string& folder, std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    std::string alone = folder + name.substr(name.find_last_of('/') + 1);
    bool absolute = name.starts_with('/') || (name.size() >= 2 && name[1] == ':');
    if (absolute) return ResolveAssetPath(alone);
    std::string asWritten = ResolveAssetPath(folder + name);
    if (IsFile(asWritten) || alone == folder + name) return asWritten;
    std::string found = ResolveAssetPath(alone);
    return IsFile(found) ? found : asWritten;
}

// Every mesh of the node tree, moved by its frames, sorted into one index list per material.
// False when a face lost corners to bad indices: the file is damaged.
bool Collect(const aiScene* scene, const aiNode* node, const aiMatrix4x4& parent, Geometry& out) {
    aiMatrix4x4 transform = parent * node->mTransformation;
    aiMatrix3x3 normalTransform(transform);
    normalTransform.Inverse().Transpose();
    for (unsigned k = 0; k < node->mNumMeshes; ++k) {
        const aiMesh* mesh = scene->mMeshes[node->mMeshes[k]];
        if (mesh->mMaterialIndex >= out.indicesPerMaterial.size()) continue;
        std::vector<uint32_t> shared(mesh->mNumVertices);
        for (unsigned v = 0; v < mesh->mNumVertices; ++v) {
            aiVector3D p = transform * mesh->mVertices[v];
            aiVector3D n = mesh->mNormals ? normalTransform * mesh->mNormals[v] : aiVector3D();
            aiVector3D t = mesh->mTextureCoords[0] ? mesh->mTextureCoords[0][v] : aiVector3D();
            shared[v] =
                out.Add({{p.x, p.y, p.z}, {n.x, n.y, n.z}, {t.x, t.y}, mesh->mMaterialIndex});
        }
        auto& indices = out.indicesPerMaterial[mesh->mMaterialIndex];
        for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
            const aiFace& face = mesh->mFaces[f];
            if (face.mNumIndices != 3) return false;
            for (unsigned i = 0; i < 3; ++i) {
                if (face.mIndices[i] >= mesh->mNumVertices) return false;
                indices.push_back(shared[face.mIndices[i]]);
            }
        }
    }
    for (unsigned c = 0; c < node->mNumChildren; ++c) {
        if (!Collect(scene, node->mChildren[c], transform, out)) return false;
    }
    return true;
}

}  // namespace

Mesh::Mesh(GraphicsDevice& graphics) : device(graphics.GetDevice()) {}

Mesh::Mesh(GraphicsDevice& graphics, const std::string& path) : Mesh(graphics) {
    if (!device) return;
    std::string file, why;
    if (!ReadFileLimited(ResolveAssetPath(path), kMaxXFileBytes, file, why)) {
        std::fprintf(stderr, "velmora: model %s not loaded: %s\n", path.c_str(), why.c_str());
        return;
    }
    Load(graphics, file, GetDirectory(path), path);
}

std::unique_ptr<Mesh> Mesh::FromMemory(GraphicsDevice& graphics, const std::string& file,
                                       const std::string& textureFolder) {
    std::unique_ptr<Mesh> mesh(new Mesh(graphics));
    if (mesh->device) mesh->Load(graphics, file, textureFolder, "in memory");
    return mesh;
}

void Mesh::Load(GraphicsDevice& graphics, std::string file, const std::string& textureFolder,
                const std::string& label) {
    std::string why;
    if (!PrepareXFile(file, why)) {
        std::fprintf(stderr, "velmora: model %s not loaded: %s\n", label.c_str(), why.c_str());
        return;
    }
    const aiScene* scene = aiImportFileFromMemory(
        file.data(), static_cast<unsigned>(file.size()),
        aiProcess_ConvertToLeftHanded | aiProcess_Triangulate | aiProcess_ValidateDataStructure,
        "x");
    if (!scene || !scene->mRootNode || scene->mNumMaterials == 0 ||
        (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE)) {
        std::fprintf(stderr, "velmora: model %s not loaded: %s\n", label.c_str(),
                     aiGetErrorString());
        aiReleaseImport(scene);
        return;
    }
    Geometry geometry;
    geometry.indicesPerMaterial.resize(scene->mNumMaterials);
    if (!Collect(scene, scene->mRootNode, aiMatrix4x4(), geometry)) {
        std::fprintf(stderr, "velmora: model %s not loaded: a face has a bad index\n",
                     label.c_str());
        aiReleaseImport(scene);
        return;
    }

    std::vector<uint32_t> indices;
    std::vector<SubsetDraw> ranges;
    for (const auto& list : geometry.indicesPerMaterial) {
        SubsetDraw range;
        range.firstIndex = static_cast<uint32_t>(indices.size());
        range.indexCount = static_cast<uint32_t>(list.size());
        ranges.push_back(range);
        indices.insert(indices.end(), list.begin(), list.end());
    }
    if (!indices.empty()) mesh = device->CreateMesh(geometry.vertices, indices);
    if (!mesh) {
        aiReleaseImport(scene);
        return;
    }

    draws = std::move(ranges);
    for (unsigned i = 0; i < scene->mNumMaterials; ++i) {
        const aiMaterial* m = scene->mMaterials[i];
        materials.push_back(ReadMaterial(m));
        std::unique_ptr<GpuTexture> texture;
        std::string name = TextureName(m);
        if (!name.empty()) {
            Image image = graphics.DecodeImage(FindTexture(textureFolder, name));
            if (!image.Empty()) {
                texture = device->CreateTexture(image.width, image.height, image.pixels.data());
            }
        }
        draws[i].texture = texture.get();
        ownTextures.push_back(std::move(texture));
    }
    aiReleaseImport(scene);
}

void Mesh::SetColors(ColorValue scale, ColorValue offset) {
    colorScale = scale;
    colorOffset = offset;
}

void Mesh::ReplaceTextures(const GpuTexture* texture) {
    for (SubsetDraw& draw : draws) {
        if (draw.texture) draw.texture = texture;
    }
}

void Mesh::RestoreTextures() {
    for (size_t i = 0; i < draws.size(); ++i)
        draws[i].texture = ownTextures[i].get();
}

const GpuTexture* Mesh::GetFirstTexture() const {
    return draws.empty() ? nullptr : draws[0].texture;
}

void Mesh::Draw(glm::vec3 position, glm::vec3 scale, glm::vec3 rotation, RotationOrder order,
                float alpha, bool additive) {
    Draw(position, scale, rotation, order, ColorValue{1, 1, 1, alpha}, additive);
}

void Mesh::Draw(glm::vec3 position, glm::vec3 scale, glm::vec3 rotation, RotationOrder order,
                ColorValue colour, bool additive) {
    SetColors(colour, ColorValue{0, 0, 0, 0});
    SetBlendMode(device, additive);
    DrawTransformed(position, scale, rotation, order);
}

void Mesh::DrawTransformed(glm::vec3 position, glm::vec3 scale, glm::vec3 rotation,
                           RotationOrder order) {
    DrawWithWorld(BuildWorld(position, scale, rotation, order));
}

void Mesh::DrawWithWorld(const glm::mat4& world) {
    if (!device) return;
    device->SetTransform(TransformKind::World, world);
    DrawSubsets();
}

namespace {
ColorValue Tint(const ColorValue& c, const ColorValue& scale, const ColorValue& offset) {
    return ColorValue{c.r * scale.r + offset.r, c.g * scale.g + offset.g, c.b * scale.b + offset.b,
                      c.a * scale.a + offset.a};
}
}  // namespace

void Mesh::DrawSubsets() {
    if (!device || !mesh) return;
    for (size_t i = 0; i < draws.size(); ++i) {
        SubsetDraw& draw = draws[i];
        const Material& m = materials[i];
        draw.material.diffuse = Tint(m.diffuse, colorScale, colorOffset);
        draw.material.ambient = Tint(m.ambient, colorScale, colorOffset);
        draw.material.specular = Tint(m.specular, colorScale, colorOffset);
        draw.material.emissive = Tint(m.emissive, colorScale, colorOffset);
        draw.material.power = m.power;
    }
    device->DrawSubsets(*mesh, draws);
}

void SetBlendMode(RenderBackend* device, bool additive) {
    if (!device) return;
    device->SetRenderState(RenderState::AlphaBlendEnable, 1);
    device->SetRenderState(RenderState::SrcBlend, kBlendSrcAlpha);
    device->SetRenderState(RenderState::DestBlend, additive ? kBlendOne : kBlendInvSrcAlpha);
}
