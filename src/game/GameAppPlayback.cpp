// The game as a replay theatre: a recorded game played back under the
// viewer's controls, sought silently, or handed over to the viewer.
#include <cstdio>

#include "game/GameApp.h"
#include "game/Scenes.h"
#include "input/KeyTable.h"
#include "util/FileData.h"

std::string GameApp::PlayReplay(const Replay& recorded, ReplayFrom from) {
    std::string why;
    std::optional<GameSetup> setup = ReplaySetup(recorded, why);
    if (!setup) return why;
    // What is kept is what the game must come to; its steps go to the playback.
    replay = recorded;
    replay->input = {};
    replayFrom = from;
    replayEnded = replayMatched = tookOver = false;
    scenePool.Clear();
    session->Restore(recorded);
    toggleLatch = recorded.toggleLatch;
    CreateScene<ReplayStart>();
    // The step that starts the game, as the title's START would, holds nothing.
    std::vector<PadRun> steps{{1, PadState{}}};
    steps.insert(steps.end(), recorded.input.begin(), recorded.input.end());
    std::vector<int> sections = session->SectionMarks(*setup);
    viewerPad = input->GetState();
    PlaybackHost& host = *this;
    playback = std::make_unique<Playback>(host, std::move(steps), sections);
    return "";
}

void GameApp::Rewind() {
    session->Finish();  // the run gone back over is no game of its own
    scenePool.Clear();
    session->End();
    session->Field().SetHalted(false);
    music->Stop();
    returnToTitle = false;
    replayEnded = replayMatched = false;
    endedAt.clear();
    session->Restore(*replay);
    toggleLatch = replay->toggleLatch;
    CreateScene<ReplayStart>();
}

void GameApp::SetSilent(bool silent) {
    soundPlayer->SetMuted(silent);
    music->SetSilent(silent);
}

int GameApp::TimelinePosition() const {
    return session->Recording() ? session->TimelinePosition() : -1;
}

PlaybackControls GameApp::ViewerControls() {
    // Edges of what is held (the keys as bound, the stick and the D-pad), and
    // keys and buttons pressed.
    const PadState& now = input->GetState();
    auto pressed = [&](bool PadState::*direction) {
        return now.*direction && !(viewerPad.*direction);
    };
    auto button = [&](PadButton b) { return now.Held(b) && !viewerPad.Held(b); };
    PlaybackControls c;
    c.pause = button(kButtonPause);
    c.step = presses.HasKey(scancode::kPeriod) || presses.HasButton(ControllerButton::A);
    c.faster = pressed(&PadState::up);
    c.slower = pressed(&PadState::down);
    c.forward = pressed(&PadState::right);
    c.back = pressed(&PadState::left);
    c.nextSection =
        presses.HasKey(scancode::kPageDown) || presses.HasButton(ControllerButton::RightShoulder);
    c.previousSection =
        presses.HasKey(scancode::kPageUp) || presses.HasButton(ControllerButton::LeftShoulder);
    c.start = presses.HasKey(scancode::kHome) || presses.HasButton(ControllerButton::Back);
    if (presses.HasKey(scancode::kReturn) || presses.HasKey(scancode::kKeypadEnter) ||
        presses.HasButton(ControllerButton::Y)) {
        TakeOver();
    } else if (presses.HasButton(ControllerButton::B)) {
        LeaveReplay();
    }
    return c;
}

void GameApp::TakeOver() {
    if (!playback || replayEnded || !session->Recording()) return;
    // From the next step the player plays; the game keeps its steps so far.
    session->TakeOver();
    replay.reset();
    tookOver = true;
    playback.reset();
}

void GameApp::LeaveReplay() {
    if (replayFrom == ReplayFrom::CommandLine) {
        AppFramework::OnEscape();
        return;
    }
    session->Finish();
    scenePool.Clear();
    session->End();
    music->Stop();
    AfterReplay();
}

void GameApp::AfterReplay() {
    // Said here, once: the silent runs that find the sections or seek may
    // have come to the game's end before.
    if (replayEnded && !endedAt.empty()) {
        if (replayMatched) {
            std::fprintf(stderr, "velmora: the replay ended as it was recorded, at %s points\n",
                         endedAt.c_str());
        } else {
            std::fprintf(stderr,
                         "velmora: the replay went its own way: it ended at %s points, not %s\n",
                         endedAt.c_str(), replay->score.c_str());
        }
        endedAt.clear();
    }
    if (replayFrom == ReplayFrom::CommandLine) {
        if (replayEnded) EndRun(replayMatched ? 0 : 1);
        return;
    }
    if (replayFrom == ReplayFrom::Reload) {
        // The changed stage ended the game before it came back to where it was.
        playback.reset();
        replay.reset();
        return;
    }
    playback.reset();
    replay.reset();
    ShowChosenRecord();
    CreateScene<ReplayMenu>();
}

std::vector<ReplayEntry> GameApp::KeptReplays() {
    std::vector<ReplayEntry> entries = ListReplays(shelf.Folder());
    // The first format did not name the stage: the stage's file does.
    for (ReplayEntry& entry : entries) {
        if (!entry.stageName.empty() || entry.problem != ReplayProblem::None) continue;
        entry.stageName =
            entry.stageFile.empty() ? catalogue.At(0).name : ShownStageName("", entry.stageFile);
    }
    return entries;
}

std::string GameApp::Watch(const ReplayEntry& entry) {
    if (entry.problem != ReplayProblem::None) return entry.why;
    std::string text, why;
    if (!ReadFileLimited(shelf.Folder() + entry.fileName, kMaxReplayBytes, text, why)) return why;
    std::optional<Replay> chosen = PlayableReplay(text, mediaDir, why);
    if (!chosen || !ReplaySetup(*chosen, why)) return why;
    toWatch = std::move(chosen);
    return "";
}

bool GameApp::Delete(const ReplayEntry& entry, std::string& why) {
    return DeleteReplay(shelf.Folder(), entry.fileName, why);
}
