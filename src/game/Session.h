#pragma once
// One play-through: the field, the stage's timeline, the music it asks for by
// number, the level, what follows the boss, and the recording of the game as
// it is played. The game application owns one and begins it anew for every
// game; the field it owns lives on between games (the title shows the last
// score, and the random sequence goes on).
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "game/Levels.h"
#include "game/Replay.h"
#include "game/Scene.h"
#include "script/StageCatalogue.h"
#include "script/StageHost.h"
#include "script/StageScript.h"
#include "util/AssetTable.h"
#include "world/GameFlow.h"
#include "world/World.h"

class SceneHost;

// What a game is played with: a stage, a level, and, for practice, where in
// the stage it starts and with how many options.
struct GameSetup {
    const CataloguedStage* stage = nullptr;
    const Level* level = &kLevels[0];
    bool practice = false;
    // Of the stage's practice starts; -1 for its beginning.
    int start = -1;
    int options = World::kStartOptions;
};

class Session : public Timeline, private GameFlow, private StageHost {
public:
    // version: the game's, written into every replay; mediaDir: the pack's
    // folder (with its trailing '/'), whose kinds and bosses stages name.
    Session(SceneHost& host, const WorldAssets& assets, std::string version, std::string mediaDir);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The stage in a file, read the first time it is asked for and kept for
    // the run; a missing or unreadable one plays no enemies.
    StageScript& StageIn(const std::string& path);
    // The stage in that file is read again the next time it is asked for.
    void Forget(const std::string& path);

    // A new game: score and lives afresh, the ship flying in, the stage waiting
    // for its runner. Its input is recorded from the next step on; toggleLatch:
    // the freeze keys' latch as this step left it.
    void Begin(const GameSetup& setup, bool toggleLatch);
    // The timeline from where the game starts: the stage's first line, or the
    // practice's start with the music the stage would be playing there.
    void StartTimeline() override;
    void TickTimeline() override { stage->Tick(); }
    int StageNumber() const override { return static_cast<int>(chainAt); }
    // The next stage of the whole game on a fresh field, keeping the score,
    // the lives and the options, after its GET READY with its name.
    void NextStage() override;
    // What the GET READY of the stage starting now says above it: its name in
    // the whole game, nothing in a game of one stage.
    std::string StageCard() const;
    // Where the timeline stands, counting the whole game's commands as one list.
    int TimelinePosition();
    // Where each practice start of the game's stages lies in that list.
    std::vector<int> SectionMarks(const GameSetup& game);
    // What a game of that choice plays: its stage's, or its stages' one after another.
    uint64_t FingerprintOf(const CataloguedStage& choice);
    // Where a recorded game's field stood when it began, for the next Begin.
    void Restore(const Replay& replay);
    // One step's input of the game under way.
    void Record(const PadState& pad);
    // The game under way as played so far, and where it stands now; nothing
    // when no game is under way. Recording ends.
    std::optional<Replay> Finish();
    // Back at the title: the field is emptied.
    void End();

    World& Field() override { return world; }
    const World& Field() const { return world; }
    StageScript& Stage() { return *stage; }
    // The game under way, or the last one played.
    const GameSetup& Setup() const { return setup; }
    // From the ending on, the video's own sound no longer silences the music.
    bool EndingMusicOn() const { return endingMusicOn; }
    // The stage of the game under way was cleared.
    bool Cleared() const { return cleared; }
    // A practice game is under way.
    bool Practising() const { return recording && setup.practice; }
    // A game is under way.
    bool Recording() const { return recording.has_value(); }
    // The viewer of a replay plays on from here: the game goes on as a practice.
    void TakeOver();

private:
    // What the field and the stage ask of the play-through.
    void GameOver() override;
    void BossWarning() override;
    void BossFightEnded() override;
    void PlayMusic(const MusicChoice& piece) override;
    void FadeOutMusic(int frames) override;
    void BossFightBegins(bool endsStage) override;

public:
    // The stage is cleared: the ending, with its piece.
    void ClearStage(const MusicChoice& piece) override;

private:
    SceneHost& host;
    World world;
    std::map<std::string, std::unique_ptr<StageScript>> stages;
    StageScript* stage = nullptr;
    GameSetup setup;
    std::string version;
    std::string mediaDir;
    // In the whole game, the stage that plays now, and what the field had
    // given when it began.
    std::size_t chainAt = 0;
    World::Tally stageStart;
    // The boss fighting now ends the stage with its fight.
    bool bossEndsStage = false;
    bool endingMusicOn = false;
    bool cleared = false;
    // A stage of the whole game is cleared and its tally shows: the next stage comes once.
    bool tallying = false;
    bool over = false;
    std::optional<Replay> recording;
};
