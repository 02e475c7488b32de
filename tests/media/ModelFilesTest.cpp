// The pack's models face the camera the right way round, and the background
// floor joins up without gaps.
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <gtest/gtest.h>
#include <assimp/Importer.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <numbers>

#include <glm/glm.hpp>

#include "MediaFiles.h"

namespace {

struct Extent {
    glm::vec3 lo{1e9f}, hi{-1e9f};
    glm::vec3 Size() const { return hi - lo; }
};

class ModelFiles : public ::testing::Test {
protected:
    const aiScene* Import(const std::string& name) { return ImportFile(media_files::Model(name)); }
    const aiScene* ImportFile(const std::string& path) {
        const aiScene* s =
            importer.ReadFile(path, aiProcess_ConvertToLeftHanded | aiProcess_Triangulate);
        EXPECT_NE(s, nullptr) << path << ": " << importer.GetErrorString();
        return s;
    }
    static Extent Bounds(const aiScene* s) {
        Extent e;
        for (unsigned m = 0; m < s->mNumMeshes; ++m) {
            for (unsigned v = 0; v < s->mMeshes[m]->mNumVertices; ++v) {
                const aiVector3D& p = s->mMeshes[m]->mVertices[v];
                e.lo = glm::min(e.lo, glm::vec3(p.x, p.y, p.z));
                e.hi = glm::max(e.hi, glm::vec3(p.x, p.y, p.z));
            }
        }
        return e;
    }
    Assimp::Importer importer;
};

// Triangles whose winding disagrees with the normals written for them.
int WronglyWound(const aiMesh* mesh) {
    int wrong = 0;
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
        const unsigned* i = mesh->mFaces[f].mIndices;
        aiVector3D a = mesh->mVertices[i[0]], b = mesh->mVertices[i[1]], c = mesh->mVertices[i[2]];
        aiVector3D n = mesh->mNormals[i[0]] + mesh->mNormals[i[1]] + mesh->mNormals[i[2]];
        if (((b - a) ^ (c - a)) * n <= 0) ++wrong;
    }
    return wrong;
}

}  // namespace

// Front faces are clockwise as the camera sees them: the winding's normal must
// agree with the normals written in the file, or the face is culled from the
// side it should be seen from.
TEST_F(ModelFiles, EveryTriangleIsWoundToFaceAlongItsNormals) {
    for (const std::string& name : media_files::kModels) {
        const aiScene* s = Import(name);
        ASSERT_TRUE(s);
        for (unsigned m = 0; m < s->mNumMeshes; ++m) {
            const aiMesh* mesh = s->mMeshes[m];
            ASSERT_TRUE(mesh->HasNormals()) << name;
            ASSERT_EQ(mesh->mPrimitiveTypes, unsigned{aiPrimitiveType_TRIANGLE}) << name;
            EXPECT_EQ(WronglyWound(mesh), 0) << name << " material " << m;
        }
    }
}

// A later stage's own models are drawn where the pack's are, at the scales of
// their kinds: the same size in model space, lit faces the right way round,
// glowing on the dark field, and few enough triangles for a crowded screen.
// The boss is the most detailed of its stage, the mid-boss next.
TEST_F(ModelFiles, EveryLaterStageHasItsOwnCraftAndBosses) {
    std::map<std::string, unsigned> triangles;
    for (const std::string& file : media_files::kStageModels) {
        const std::string path = (media_files::Dir() / file).string();
        ASSERT_TRUE(std::filesystem::is_regular_file(path)) << file;
        const aiScene* s = ImportFile(path);
        ASSERT_TRUE(s);
        ASSERT_GT(s->mNumMeshes, 0u) << file;
        unsigned& count = triangles[file];
        for (unsigned m = 0; m < s->mNumMeshes; ++m) {
            const aiMesh* mesh = s->mMeshes[m];
            ASSERT_TRUE(mesh->HasNormals()) << file;
            ASSERT_EQ(mesh->mPrimitiveTypes, unsigned{aiPrimitiveType_TRIANGLE}) << file;
            EXPECT_EQ(WronglyWound(mesh), 0) << file << " material " << m;
            EXPECT_LT(mesh->mMaterialIndex, s->mNumMaterials) << file;
            count += mesh->mNumFaces;
        }
        EXPECT_GE(count, 50u) << file;
        EXPECT_LE(count, 1000u) << file;
        bool glows = false;
        for (unsigned m = 0; m < s->mNumMaterials; ++m) {
            aiColor3D emissive;
            s->mMaterials[m]->Get(AI_MATKEY_COLOR_EMISSIVE, emissive);
            glows = glows || emissive.r + emissive.g + emissive.b > 0.5f;
        }
        EXPECT_GE(s->mNumMaterials, 3u) << file;
        EXPECT_TRUE(glows) << file;
        // How far it reaches from its centre across the field.
        float reach = 0;
        for (unsigned m = 0; m < s->mNumMeshes; ++m) {
            for (unsigned v = 0; v < s->mMeshes[m]->mNumVertices; ++v) {
                const aiVector3D& p = s->mMeshes[m]->mVertices[v];
                reach = std::max(reach, std::hypot(p.x, p.z));
            }
        }
        EXPECT_GE(reach, 2.0f) << file;
        EXPECT_LE(reach, 3.2f) << file;
        EXPECT_GE(Bounds(s).Size().y, 0.4f) << file;
    }
    for (const char* stage : {"stage2/", "stage3/", "stage4/"}) {
        std::string at = stage;
        unsigned boss = triangles[at + "boss.x"], mid = triangles[at + "midboss.x"];
        EXPECT_GT(boss, mid) << stage;
        for (const char* craft : {"craft_a.x", "craft_b.x", "craft_c.x"})
            EXPECT_GT(mid, triangles[at + craft]) << stage << craft;
    }
}

// The game turns shots and needles by heading + a quarter turn about Y, which
// puts model +z along the heading: their long axis must be z.
TEST_F(ModelFiles, ShotsAndNeedlesLieAlongTheirHeading) {
    for (const char* name : {"needle1", "needle2", "shot"}) {
        const aiScene* s = Import(name);
        ASSERT_TRUE(s);
        glm::vec3 size = Bounds(s).Size();
        EXPECT_GT(size.z, 2.5f * size.x) << name;
    }
}

// The field's floor is four copies 60 apart at scale 40, tilted 45 degrees
// about X (world/Background.cpp), with the video as its texture.
TEST_F(ModelFiles, BackgroundCopiesJoinAndShowTheWholeTextureUpright) {
    const aiScene* s = Import("bg1");
    ASSERT_TRUE(s);
    Extent e = Bounds(s);
    const float toWorld = 40 * std::cos(glm::radians(45.0f));
    EXPECT_NEAR(e.Size().z * toWorld, 60.0f, 0.05f);
    // Through the whole scroll cycle the copies cover the field from edge to edge.
    for (int counter = 0; counter < 120; ++counter) {
        float z0 = -static_cast<float>(counter), lowest = 1e9f, highest = -1e9f;
        for (int i = 0; i < 4; ++i) {
            lowest = std::min(lowest, z0 + 60 * i + e.lo.z * toWorld);
            highest = std::max(highest, z0 + 60 * i + e.hi.z * toWorld);
        }
        EXPECT_LE(lowest, -55.0f) << "a gap at the bottom at step " << counter;
        EXPECT_GE(highest, 55.0f) << "a gap at the top at step " << counter;
    }
    // Rolled by up to 0.115 turn with the ship at the field's edge, it still spans it.
    EXPECT_GE(e.Size().x * 40 * std::cos(0.115f * 2 * std::numbers::pi_v<float>), 100.0f);
    ASSERT_EQ(s->mNumMeshes, 1u);
    const aiMesh* m = s->mMeshes[0];
    ASSERT_TRUE(m->HasTextureCoords(0));
    for (unsigned v = 0; v < m->mNumVertices; ++v) {
        const aiVector3D& p = m->mVertices[v];
        const aiVector3D& t = m->mTextureCoords[0][v];
        EXPECT_NEAR(t.x, (p.x - e.lo.x) / e.Size().x, 1e-4f);
        EXPECT_NEAR(t.y, (e.hi.z - p.z) / e.Size().z, 1e-4f) << "v = 0 at the top of the screen";
    }
    // At scale 40 the unnormalised normals leave the light at nothing: the
    // emissive colour keeps the video bright.
    aiColor3D emissive, diffuse;
    s->mMaterials[0]->Get(AI_MATKEY_COLOR_EMISSIVE, emissive);
    s->mMaterials[0]->Get(AI_MATKEY_COLOR_DIFFUSE, diffuse);
    EXPECT_GE(emissive.r + diffuse.r * 0.435f, 0.99f);
}
