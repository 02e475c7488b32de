#pragma once
// One play-through: the field, the stage's timeline, the music it asks for by
// number, the difficulty, what follows the boss, and the recording of the game
// as it is played. The game application owns one and begins it anew for every
// game; the field it owns lives on between games (the title shows the last
// score, and the random sequence goes on).
#include <cstdint>
#include <optional>
#include <string>

#include "game/Replay.h"
#include "script/StageHost.h"
#include "script/StageScript.h"
#include "util/AssetTable.h"
#include "world/GameFlow.h"
#include "world/World.h"

class SceneHost;

// Where the stage comes from: the game's own file, or one the player named.
struct StageFile {
    std::string path;
    bool own = true;
};

class Session : private GameFlow, private StageHost {
public:
    // Reads the stage from its file; a missing or unreadable one plays no enemies.
    // version: the game's, written into every replay.
    Session(SceneHost& host, const WorldAssets& assets, StageFile stage, std::string version);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // A new game: score and lives afresh, the ship flying in, the stage waiting
    // for its runner. Its input is recorded from the next step on; toggleLatch:
    // the freeze keys' latch as this step left it.
    void Begin(bool toggleLatch);
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
    StageScript& Stage() { return stage; }
    const StageFile& StageSource() const { return stageFile; }
    uint64_t StageHash() const { return stageHash; }
    // From the ending on, the video's own sound no longer silences the music.
    bool EndingMusicOn() const { return endingMusicOn; }
    // The boss of the game under way was beaten or outlasted.
    bool Cleared() const { return cleared; }
    // Piece n of the stage's music table; none outside it.
    static std::optional<MusicRef> MusicPiece(int n);

private:
    // What the field and the stage ask of the play-through.
    void GameOver() override;
    void HaltStage() override;
    void BossWarning() override;
    void BossFightEnded() override;
    void PlayMusic(int n) override;
    void FadeOutMusic(int frames) override;

    SceneHost& host;
    World world;
    StageFile stageFile;
    StageScript stage;
    uint64_t stageHash;
    std::string version;
    bool endingMusicOn = false;
    bool cleared = false;
    std::optional<Replay> recording;
};
