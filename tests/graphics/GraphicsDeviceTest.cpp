#include <gtest/gtest.h>

#include "app/HeadlessPlatform.h"
#include "graphics/GraphicsDevice.h"
#include "graphics/NullBackend.h"

namespace {
struct DeviceFixture : ::testing::Test {
    DeviceFixture() {
        auto b = std::make_unique<NullBackend>();
        backend = b.get();
        device = std::make_unique<GraphicsDevice>(std::move(b),
                                                  std::make_unique<NullImageDecoder>(), 640, 480);
    }
    NullBackend* backend;
    std::unique_ptr<GraphicsDevice> device;
};
}  // namespace

TEST_F(DeviceFixture, NothingHappensBeforeTheDeviceExists) {
    EXPECT_EQ(device->GetDevice(), nullptr);
    device->Clear(0);
    EXPECT_FALSE(device->Present());
    EXPECT_EQ(backend->Count().clears, 0);
    ASSERT_TRUE(device->ResetOrCreate());
    EXPECT_EQ(device->GetDevice(), backend);
}

TEST_F(DeviceFixture, PresentParityAndFlipToGdi) {
    ASSERT_TRUE(device->ResetOrCreate());
    device->Present();
    device->Present();
    device->FlipToGdi();  // an even count: the first surface is in front already
    EXPECT_EQ(backend->Count().presents, 2);
    device->Present();
    device->FlipToGdi();
    EXPECT_EQ(backend->Count().presents, 4);

    backend->SetPresentFails(true);
    EXPECT_FALSE(device->Present());
}

TEST_F(DeviceFixture, ModeChangesReadTheRefreshRateBack) {
    ASSERT_TRUE(device->ResetOrCreate());
    EXPECT_EQ(device->GetRefreshRate(), 60);
    backend->SetRefreshRate(75);
    device->SetFullScreen(true);
    device->SetRefreshRate(60);
    ASSERT_TRUE(device->ResetOrCreate());
    EXPECT_EQ(device->GetRefreshRate(), 75);
    EXPECT_TRUE(backend->IsFullScreen());
}

TEST_F(DeviceFixture, SetLightNormalisesTheDirectionAndEnablesLighting) {
    ASSERT_TRUE(device->ResetOrCreate());
    device->SetLight(0, LightType::Directional, {-1, -1, -1}, {-1, -1, -1}, {1, 1, 1, 1}, 1000);
    const FixedFunctionState& s = backend->State();
    EXPECT_TRUE(s.lightEnabled[0]);
    EXPECT_NEAR(glm::length(s.lights[0].direction), 1.0f, 1e-6f);
    EXPECT_NEAR(s.lights[0].direction.x, -0.57735f, 1e-5f);
    EXPECT_EQ(s.Get(RenderState::Lighting), 1u);
}
