#pragma once
// One play-through: the field, the stage's timeline, the music it asks for by
// number, the difficulty, and what follows the boss. The game application owns
// one and begins it anew for every game; the field it owns lives on between
// games (the title shows the last score, and the random sequence goes on).
#include <optional>
#include <string>

#include "script/StageHost.h"
#include "script/StageScript.h"
#include "util/AssetTable.h"
#include "world/GameFlow.h"
#include "world/World.h"

class SceneHost;

class Session : private GameFlow, private StageHost {
public:
    // Reads the stage from its file; a missing or unreadable one plays no enemies.
    Session(SceneHost& host, const WorldAssets& assets, const std::string& stagePath);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // A new game: score and lives afresh, the ship flying in, the stage waiting
    // for its runner.
    void Begin();
    // Back at the title: the field is emptied.
    void End();

    World& Field() override { return world; }
    const World& Field() const { return world; }
    StageScript& Stage() { return stage; }
    // From the ending on, the video's own sound no longer silences the music.
    bool EndingMusicOn() const { return endingMusicOn; }
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
    StageScript stage;
    bool endingMusicOn = false;
};
