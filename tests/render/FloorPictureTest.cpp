// The floor of the field as the game draws it, with the pack's background model:
// its four copies go to GL as one draw and lie side by side, so every pixel of
// the field takes the video from exactly one of them, whatever the scroll and
// the lean. Drawn additively on the cleared frame, it is one layer of pixels.
#include <map>

#include "GlFixture.h"
#include "graphics/Mesh.h"
#include "media/MediaFiles.h"
#include "support/InMemoryAssets.h"
#include "world/Background.h"
#include "world/PlayerShip.h"

namespace {

class FloorPicture : public GlFixture {
protected:
    void SetUp() override {
        GlFixture::SetUp();
        if (IsSkipped()) return;
        floor = std::make_unique<Mesh>(Graphics(), (media_files::Dir() / "Model/bg1.x").string());
        ASSERT_GT(floor->MaterialCount(), 0u) << "no background model in the pack";
        // The video in the model's textured slot: one grey the lit floor keeps below 255.
        const std::vector<uint32_t> grey(320 * 240, 0xFF303030);
        video = Device()->CreateDynamicTexture(320, 240, TextureFormat::X8R8G8B8);
        video->Upload(grey.data(), 320 * 4);
        floor->ReplaceTextures(video.get());
        WorldAssets refs = assets.refs;
        refs.models[AssetIndex(AssetKind::Model, "bg1")] = floor.get();
        refs.screen = &Graphics();
        world = std::make_unique<World>(refs, flow);
        world->BeginGame();
    }
    void TearDown() override {
        world.reset();
        floor.reset();
        video.reset();
    }

    InMemoryAssets assets;
    RecordingFlow flow;
    std::unique_ptr<Mesh> floor;
    std::unique_ptr<GpuTexture> video;
    std::unique_ptr<World> world;
};

}  // namespace

TEST_F(FloorPicture, EveryPixelTakesOneCopyInOneDrawAtAnyScrollAndLean) {
    for (float shipX : {-45.0f, -12.5f, 0.0f, 30.0f}) {
        world->GetPlayer()->x = shipX;
        for (int step = 0; step < 120; step += 17) {
            BeginFrame(0x00000000);
            const long draws = gl->GlDrawCalls();
            world->backgroundPool.DrawAll(*world);
            Snapshot();
            EXPECT_EQ(gl->GlDrawCalls() - draws, 1);
            // Lit, the grey is one level; a pixel two copies covered would be twice it.
            std::map<int, int> levels;
            for (int y = 0; y < 480; ++y) {
                for (int x = 0; x < 640; ++x)
                    ++levels[At(x, y).g];
            }
            levels.erase(0);  // the cleared frame where the lean uncovers it
            ASSERT_EQ(levels.size(), 1u) << "ship at " << shipX << ", step " << step;
            EXPECT_GT(levels.begin()->second, 640 * 480 * 9 / 10);
            for (int i = 0; i < 17; ++i)
                world->backgroundPool.UpdateAll(*world);
        }
    }
}

// A stage's background colour multiplies the floor, channel by channel; each
// stage starts with the picture as it is.
TEST_F(FloorPicture, AStagesBackgroundColourTintsTheFloorUntilTheNextStage) {
    auto middle = [&] {
        BeginFrame(0x00000000);
        world->backgroundPool.DrawAll(*world);
        Snapshot();
        return At(320, 240);
    };
    const Rgb plain = middle();
    ASSERT_GT(plain.g, 0);
    world->floorColour = 0x00ff80;
    const Rgb tinted = middle();
    EXPECT_EQ(tinted.r, 0);
    EXPECT_EQ(tinted.g, plain.g);
    EXPECT_NEAR(tinted.b, plain.b / 2, 2);
    world->BeginStage(World::kStartOptions);
    EXPECT_EQ(world->floorColour, World::kPlainFloor);
}
