#include "game/Playback.h"

#include <algorithm>

namespace {

// Quarter steps played a frame at each speed: 1/4, 1/2, 1, 2, 4, 8, 16.
constexpr int kQuarters[Playback::kSpeeds] = {1, 2, 4, 8, 16, 32, 64};
constexpr int kNormalSpeed = 2;
// Previous section: one begun less than this long ago counts as the one playing.
constexpr long kSectionGrace = 60;

}  // namespace

Playback::Playback(PlaybackHost& host, std::vector<PadRun> recorded,
                   const std::vector<int>& sectionCommands)
    : host(host), steps(std::move(recorded)), input(steps), length(CountSteps(steps)) {
    FindMarks(sectionCommands);
}

void Playback::FindMarks(const std::vector<int>& sectionCommands) {
    // The game's last step ends it; the run stops short of it.
    host.SetSilent(true);
    std::vector<long> reached(sectionCommands.size(), -1);
    while (played < length - 1) {
        Step();
        for (std::size_t i = 0; i < sectionCommands.size(); ++i) {
            if (reached[i] < 0 && host.TimelinePosition() > sectionCommands[i]) reached[i] = played;
        }
    }
    for (long step : reached) {
        if (step >= 0) marks.push_back(step);
    }
    std::sort(marks.begin(), marks.end());
    played = 0;
    input = ScriptedInput(steps);
    host.Rewind();
    host.SetSilent(false);
}

int Playback::SpeedTimes() const {
    return std::max(kQuarters[speed] / 4, 1);
}

int Playback::SpeedDivides() const {
    return std::max(4 / kQuarters[speed], 1);
}

void Playback::Step() {
    PadState pad;
    input.Fill(pad);
    host.PlayStep(pad);
    ++played;
}

void Playback::SeekTo(long step) {
    step = std::clamp(step, 0L, length);
    if (step == played) return;
    host.SetSilent(true);
    if (step < played) {
        host.Rewind();
        input = ScriptedInput(steps);
        played = 0;
    }
    while (played < step)
        Step();
    owed = 0;
    host.SetSilent(false);
}

void Playback::Frame(const PlaybackControls& c) {
    if (c.pause) paused = !paused;
    if (c.faster) speed = std::min(speed + 1, kSpeeds - 1);
    if (c.slower) speed = std::max(speed - 1, 0);
    if (c.start) {
        SeekTo(0);
    } else if (c.forward) {
        SeekTo(played + kSeekSteps);
    } else if (c.back) {
        SeekTo(played - kSeekSteps);
    } else if (c.nextSection) {
        auto next = std::upper_bound(marks.begin(), marks.end(), played);
        if (next != marks.end()) SeekTo(*next);
    } else if (c.previousSection) {
        long target = 0;
        for (long mark : marks) {
            if (mark < played - kSectionGrace) target = mark;
        }
        SeekTo(target);
    }
    if (AtEnd()) return;
    if (paused) {
        if (c.step) Step();
        return;
    }
    owed += kQuarters[speed];
    while (owed >= 4 && !AtEnd()) {
        Step();
        owed -= 4;
    }
    if (speed == kNormalSpeed) owed = 0;
}
