#include "game/PlaybackBar.h"

#include <cstdio>
#include <string>

#include "game/MenuLayout.h"
#include "game/Playback.h"
#include "graphics/BitmapFont.h"
#include "graphics/Quad.h"
#include "util/StepClock.h"

namespace {

// "X2", "X1/4".
std::string SpeedText(const Playback& playback) {
    char text[16];
    if (playback.SpeedDivides() > 1) {
        std::snprintf(text, sizeof text, "X1/%d", playback.SpeedDivides());
    } else {
        std::snprintf(text, sizeof text, "X%d", playback.SpeedTimes());
    }
    return text;
}

}  // namespace

void DrawPlaybackBar(RenderBackend* device, const BitmapFont& font, const Playback& playback) {
    const BarLayout& bar = kPlaybackBar;
    FillRect(device, 0.0f, bar.stripY, kScreenWidth, bar.stripHeight, bar.strip);
    FillRect(device, bar.trackX, bar.trackY, bar.trackWidth, bar.trackHeight, bar.track);
    const float length = static_cast<float>(std::max(playback.Length(), 1L));
    auto at = [&](long step) {
        return bar.trackX + bar.trackWidth * static_cast<float>(step) / length;
    };
    FillRect(device, bar.trackX, bar.trackY, at(playback.Position()) - bar.trackX, bar.trackHeight,
             bar.played);
    const float markTop = bar.trackY + (bar.trackHeight - bar.markHeight) / 2.0f;
    for (long mark : playback.Marks())
        FillRect(device, at(mark) - 1.0f, markTop, 2.0f, bar.markHeight, bar.mark);
    std::string line = "REPLAY  " + StepsAsClock(playback.Position()) + " / " +
                       StepsAsClock(playback.Length()) + "  " + SpeedText(playback);
    if (playback.Paused()) line += "  PAUSED";
    font.DrawText(line, bar.trackX, bar.textY, kMenuHeading);
}
