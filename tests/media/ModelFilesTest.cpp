// The models load the way the game loads them, face the camera the right way
// round, and are as big as the scales and hit boxes they are drawn with.
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <gtest/gtest.h>
#include <assimp/Importer.hpp>

#include <cmath>
#include <fstream>
#include <map>
#include <numbers>
#include <sstream>

#include "MediaFiles.h"
#include "app/HeadlessPlatform.h"
#include "graphics/Mesh.h"
#include "graphics/NullBackend.h"
#include "graphics/XFileCheck.h"
#include "graphics/platform/SdlImageDecoder.h"

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

TEST_F(ModelFiles, EveryModelPassesTheStructureCheckAndLoadsIntoTheGame) {
    GraphicsDevice device(std::make_unique<NullBackend>(), std::make_unique<SdlImageDecoder>(), 640,
                          480);
    ASSERT_TRUE(device.ResetOrCreate());
    for (const std::string& name : media_files::kModels) {
        std::ifstream in(media_files::Model(name), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        std::string file = text.str(), why;
        EXPECT_TRUE(PrepareXFile(file, why)) << name << ": " << why;

        Mesh mesh(device, media_files::Model(name));
        ASSERT_GT(mesh.MaterialCount(), 0u) << name;
        for (uint32_t i = 0; i < mesh.MaterialCount(); ++i) {
            EXPECT_GT(mesh.TriangleCount(i), 0u) << name << " subset " << i;
            EXPECT_GT(mesh.GetMaterial(i).diffuse.a, 0.0f) << name << " subset " << i;
        }
        bool textured = false;
        for (uint32_t i = 0; i < mesh.MaterialCount(); ++i)
            textured = textured || mesh.GetTexture(i);
        EXPECT_EQ(textured, std::string(name) == "bg1") << name;
    }
}

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
            ASSERT_GT(mesh->mNumFaces, 0u) << name;
            int wrong = 0;
            for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
                const aiFace& face = mesh->mFaces[f];
                ASSERT_EQ(face.mNumIndices, 3u) << name;
                aiVector3D a = mesh->mVertices[face.mIndices[0]],
                           b = mesh->mVertices[face.mIndices[1]],
                           c = mesh->mVertices[face.mIndices[2]];
                aiVector3D n = mesh->mNormals[face.mIndices[0]] + mesh->mNormals[face.mIndices[1]] +
                               mesh->mNormals[face.mIndices[2]];
                if (((b - a) ^ (c - a)) * n <= 0) ++wrong;
            }
            EXPECT_EQ(wrong, 0) << name << " material " << m;
        }
    }
}

TEST_F(ModelFiles, SizesMatchTheirScalesAndHitBoxes) {
    struct Want {
        const char* name;
        float minWidth, maxWidth;  // x extent in model units
        float drawnScale;          // largest scale the game draws it at
    };
    // Widths in model units, so that width x scale is what the hit box promises.
    const Want wants[] = {
        {"ship", 4.0f, 5.0f, 1},     {"obj1", 4.5f, 5.5f, 3},     {"obj5", 4.5f, 5.5f, 3},
        {"obj2", 4.0f, 5.5f, 3},     {"obj6", 3.0f, 5.0f, 3},     {"obj4", 3.0f, 4.5f, 3},
        {"obj3", 3.0f, 4.5f, 3},     {"big1", 5.0f, 6.0f, 4},     {"bullet1", 1.2f, 2.0f, 2},
        {"bullet2", 1.2f, 2.0f, 2},  {"item2", 1.5f, 2.0f, 3},    {"bomb5", 2.5f, 3.2f, 2},
        {"crash_1", 1.8f, 2.2f, 52}, {"crash_2", 1.8f, 2.2f, 10}, {"effect1", 5.0f, 6.5f, 0.5f},
        {"bomb1", 4.5f, 5.5f, 21},
    };
    for (const Want& w : wants) {
        const aiScene* s = Import(w.name);
        ASSERT_TRUE(s);
        Extent e = Bounds(s);
        EXPECT_GE(e.Size().x, w.minWidth) << w.name;
        EXPECT_LE(e.Size().x, w.maxWidth) << w.name;
        // Depth only orders objects: keep within 20 units of the family's depth.
        if (std::string(w.name) != "crash_1" && std::string(w.name) != "bomb1") {
            EXPECT_LE(std::max(std::fabs(e.lo.y), std::fabs(e.hi.y)) * w.drawnScale, 20.0f)
                << w.name;
        }
    }
    // The ship's tiny hit core (0.3 each way) is marked by its cockpit, at the centre.
    const aiScene* ship = Import("ship");
    ASSERT_TRUE(ship);
    bool cockpit = false;
    for (unsigned m = 0; m < ship->mNumMeshes; ++m) {
        aiString material;
        ship->mMaterials[ship->mMeshes[m]->mMaterialIndex]->Get(AI_MATKEY_NAME, material);
        if (std::string(material.C_Str()) != "Cockpit") continue;
        cockpit = true;
        aiVector3D lo(1e9f), hi(-1e9f);
        for (unsigned v = 0; v < ship->mMeshes[m]->mNumVertices; ++v) {
            const aiVector3D& p = ship->mMeshes[m]->mVertices[v];
            lo = aiVector3D(std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z));
            hi = aiVector3D(std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z));
        }
        EXPECT_NEAR(lo.x, -0.3f, 0.05f);
        EXPECT_NEAR(hi.x, 0.3f, 0.05f);
        EXPECT_LT(std::fabs((lo.z + hi.z) / 2), 0.6f);
    }
    EXPECT_TRUE(cockpit);
    // Explosions and flashes are flat, seen straight from above.
    for (const char* flat : {"crash_1", "crash_2", "effect1"}) {
        const aiScene* s = Import(flat);
        ASSERT_TRUE(s);
        EXPECT_LT(Bounds(s).Size().y, 0.2f) << flat;
    }
}

TEST_F(ModelFiles, ShotsAndNeedlesLieAlongTheirHeading) {
    // The game turns them by heading + a quarter turn about Y: that puts model +z
    // along the heading, so their long axis is z.
    for (const char* name : {"needle1", "needle2", "shot"}) {
        const aiScene* s = Import(name);
        ASSERT_TRUE(s);
        glm::vec3 size = Bounds(s).Size();
        EXPECT_GT(size.z, 2.5f * size.x) << name;
    }
    const aiScene* shot = Import("shot");
    ASSERT_TRUE(shot);
    glm::vec3 size = Bounds(shot).Size();
    EXPECT_GE(size.z, 3.0f);
    EXPECT_LE(size.z, 4.0f);
    EXPECT_GE(size.x, 1.0f);
    EXPECT_LE(size.x, 2.0f);
}

TEST_F(ModelFiles, BulletVariantsDifferClearlyInColour) {
    auto glow = [this](const char* name) {
        const aiScene* s = Import(name);
        aiColor3D c;
        s->mMaterials[0]->Get(AI_MATKEY_COLOR_EMISSIVE, c);
        return glm::vec3(c.r, c.g, c.b);
    };
    for (auto [a, b] : {std::pair{"bullet1", "bullet2"}, std::pair{"needle1", "needle2"}}) {
        glm::vec3 ca = glow(a), cb = glow(b);
        EXPECT_GT(glm::length(ca - cb), 0.4f) << a << " and " << b;
        EXPECT_GT(ca.r, ca.b) << a << " is the warm one";
        EXPECT_GT(cb.b, cb.r) << b << " is the cold one";
    }
    EXPECT_EQ(glow("bullet1"), glow("needle1"));
}

// Four copies 60 apart at scale 40, tilted 45 degrees about X, must tile the
// field without gaps or overlaps, each showing the whole texture once.
TEST_F(ModelFiles, BackgroundCopiesTileTheFieldWithTheWholeTexture) {
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
    EXPECT_FLOAT_EQ(e.Size().y, 0.0f);
    ASSERT_EQ(s->mNumMeshes, 1u);
    const aiMesh* m = s->mMeshes[0];
    ASSERT_TRUE(m->HasTextureCoords(0));
    for (unsigned v = 0; v < m->mNumVertices; ++v) {
        const aiVector3D& p = m->mVertices[v];
        const aiVector3D& t = m->mTextureCoords[0][v];
        EXPECT_NEAR(t.x, (p.x - e.lo.x) / e.Size().x, 1e-4f);
        EXPECT_NEAR(t.y, (e.hi.z - p.z) / e.Size().z, 1e-4f) << "v = 0 at the top of the screen";
    }
    aiString texture;
    ASSERT_EQ(s->mMaterials[0]->GetTexture(aiTextureType_DIFFUSE, 0, &texture), AI_SUCCESS);
    EXPECT_TRUE(std::filesystem::exists(media_files::Dir() / "Model" / texture.C_Str()));
    // Drawn at scale 40 its light falls to nothing: the emissive colour keeps it bright.
    aiColor3D emissive, diffuse;
    s->mMaterials[0]->Get(AI_MATKEY_COLOR_EMISSIVE, emissive);
    s->mMaterials[0]->Get(AI_MATKEY_COLOR_DIFFUSE, diffuse);
    EXPECT_GE(emissive.r + diffuse.r * 0.435f, 0.99f);
}
