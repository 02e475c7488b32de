// The pack's models face the camera the right way round, and the background
// floor joins up without gaps.
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <gtest/gtest.h>
#include <assimp/Importer.hpp>

#include <cmath>
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
    const aiScene* Import(const std::string& name) {
        const aiScene* s = importer.ReadFile(media_files::Model(name),
                                             aiProcess_ConvertToLeftHanded | aiProcess_Triangulate);
        EXPECT_NE(s, nullptr) << name << ": " << importer.GetErrorString();
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
            int wrong = 0;
            for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
                ASSERT_EQ(mesh->mFaces[f].mNumIndices, 3u) << name;
                const unsigned* i = mesh->mFaces[f].mIndices;
                aiVector3D a = mesh->mVertices[i[0]], b = mesh->mVertices[i[1]],
                           c = mesh->mVertices[i[2]];
                aiVector3D n = mesh->mNormals[i[0]] + mesh->mNormals[i[1]] + mesh->mNormals[i[2]];
                if (((b - a) ^ (c - a)) * n <= 0) ++wrong;
            }
            EXPECT_EQ(wrong, 0) << name << " material " << m;
        }
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
