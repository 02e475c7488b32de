// --watch, the stage author's loop: the stage and its folder are looked at
// now and then; once a file of them is saved, the stage is read again, its
// findings said, and the practice under way played again to the step it had
// reached with the input given so far (the game is deterministic).
#include <chrono>
#include <cstdio>

#include "content/ContentBook.h"
#include "game/GameApp.h"
#include "graphics/Glyphs.h"
#include "util/FileStamp.h"
#include "util/StepClock.h"
#include "util/StringUtil.h"

namespace {
// Four looks a second: a save shows within a quarter of a second, and the
// folder is not walked every frame.
constexpr int kWatchEvery = 15;
// How long what the reading found stays on the screen.
constexpr int kNoticeFrames = 60 * 8;
// What fits on a line of the screen.
constexpr std::size_t kNoticeWidth = 78;
}  // namespace

void GameApp::StartWatching() {
    watching = true;
    const std::string& path = catalogue.At(chosenStage).path;
    watchedStamp = StampOfFiles(path, StageFolderOf(path));
}

void GameApp::WatchStage() {
    if (!watching || --watchWait > 0) return;
    watchWait = kWatchEvery;
    const std::string& path = catalogue.At(chosenStage).path;
    const uint64_t stamp = StampOfFiles(path, StageFolderOf(path));
    if (stamp == std::exchange(watchedStamp, stamp)) return;
    ReloadStage();
}

void GameApp::ReloadStage() {
    const auto started = std::chrono::steady_clock::now();
    const std::string path = catalogue.At(chosenStage).path;
    // The game under way so far, unless a replay is being watched.
    std::optional<Replay> played;
    if (!playback && session->Recording()) played = session->Finish();
    session->Finish();
    playback.reset();
    replay.reset();
    scenePool.Clear();
    session->End();
    music->Stop();
    session->Forget(path);
    const StageScript& fresh = session->StageIn(path);

    const std::vector<std::string>& findings = fresh.Findings();
    for (const std::string& finding : findings)
        std::fprintf(stderr, "velmora: %s: %s\n", Printable(path).c_str(), finding.c_str());
    std::string said = "THE STAGE WAS READ AGAIN: ";
    if (findings.empty()) {
        said.append("NO FINDINGS");
    } else {
        said.append(std::to_string(findings.size()))
            .append(findings.size() == 1 ? " FINDING" : " FINDINGS");
    }
    watchNotice = {said};
    if (!findings.empty()) watchNotice.push_back(InFontGlyphs(findings.front()));
    for (std::string& line : watchNotice) {
        if (line.size() > kNoticeWidth) line.resize(kNoticeWidth);
    }
    watchNoticeFrames = kNoticeFrames;

    long steps = 0;
    bool playedOn = false;
    if (played) {
        for (const PadRun& run : played->input)
            steps += static_cast<long>(run.steps);
        played->format = kReplayFormat;
        played->stageHash = fresh.Fingerprint();
        if (PlayReplay(*played, ReplayFrom::Reload).empty()) {
            // The step that starts the game comes first.
            playback->SeekTo(steps + 1);
            TakeOver();
            playedOn = tookOver;
        }
    }
    if (!playedOn) {
        session->Finish();
        playback.reset();
        replay.reset();
        scenePool.Clear();
        ShowTitle();
    }
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    std::fprintf(stderr, "velmora: the stage was read again%s in %.2f s\n",
                 playedOn ? (" and played again to " + StepsAsClock(steps)).c_str() : "",
                 took.count());
}
