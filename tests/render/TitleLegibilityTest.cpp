// Every row of the title reads over the title's picture: drawn as the game
// draws it, with the pack's picture and font, each row's letters stand out
// from what lies around them, the planet's bright rim included.
#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "Pictures.h"
#include "Simulation.h"
#include "game/GameApp.h"
#include "game/MenuLayout.h"
#include "graphics/NullBackend.h"
#include "media/MediaFiles.h"
#include "support/MustHave.h"

namespace {

// Relative luminance of an ARGB pixel, as contrast ratios count it.
double Luminance(uint32_t argb) {
    auto linear = [](uint32_t channel) {
        double c = static_cast<double>(channel & 0xFF) / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(argb >> 16) + 0.7152 * linear(argb >> 8) + 0.0722 * linear(argb);
}

bool Near(uint32_t a, uint32_t b) {
    for (int shift : {0, 8, 16}) {
        int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(d) > 12) return false;
    }
    return true;
}

}  // namespace

TEST(TitleLegibility, EveryRowStandsOutFromWhatLiesAroundIt) {
    Simulation sim(media_files::Dir().string() + "/", WithPictures());
    GameApp& app = sim.App();
    GraphicsDevice& device = app.GetGraphicsDevice();
    RenderBackend* backend = device.GetDevice();
    if (!backend || dynamic_cast<NullBackend*>(backend)) {
        VELMORA_MISSING("no offscreen OpenGL here");
        return;
    }
    app.RestoreDeviceObjects();
    device.BeginScene();
    app.Render();
    device.EndScene();
    const std::vector<uint32_t> pixels = backend->ReadBackBuffer();
    const int width = device.GetWidth();
    ASSERT_EQ(pixels.size(), static_cast<std::size_t>(width * device.GetHeight()));

    const MenuLayout& at = LayoutOf(MenuScreen::Title);
    for (int row = 0; row < static_cast<int>(TitleRow::Count); ++row) {
        SCOPED_TRACE(row);
        const uint32_t color = row == 0 ? kRowChosen : at.other;  // START is chosen
        const int top = static_cast<int>(at.y + at.rowHeight * static_cast<float>(row));
        const int left = static_cast<int>(at.x);
        // The row's letters, and the brightest of what lies around them: the
        // tenth brightest percent, so a bright rim between letters counts.
        int letters = 0;
        std::vector<double> around;
        for (int y = top - 2; y < top + 11; ++y) {
            for (int x = left - 2; x < left + 8 * 24; ++x) {
                uint32_t p = pixels[static_cast<std::size_t>(y * width + x)];
                if (y >= top && y < top + 8 && Near(p, color)) {
                    ++letters;
                } else {
                    around.push_back(Luminance(p));
                }
            }
        }
        EXPECT_GE(letters, 20) << "the row's letters are not drawn in its colour";
        std::sort(around.begin(), around.end());
        const double behind = around[around.size() * 9 / 10];
        const double ratio = (Luminance(color) + 0.05) / (behind + 0.05);
        EXPECT_GE(ratio, 3.0) << "behind: " << behind;
    }
}
