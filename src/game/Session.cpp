#include "game/Session.h"

#include "game/Scenes.h"

namespace {

// The pieces the stage and the ending ask for by number.
constexpr MusicRef kMusicTable[] = {"qz_disky",       "qz_megami(or)", "qz_disky", "qz_disky",
                                    "qz_bossbattle1", "qz_disky",      "qz_disky", "qz_disky"};
constexpr int kEndingPiece = 1;
// The delivered stage is written for the lowest difficulty.
constexpr float kDifficulty = 0.0f;

}  // namespace

Session::Session(SceneHost& host, const WorldAssets& assets, const std::string& stagePath)
    : host(host), world(assets, *this), stage(stagePath, *this) {
    world.SetDifficulty(kDifficulty);
}

std::optional<MusicRef> Session::MusicPiece(int n) {
    if (n < 0 || n >= static_cast<int>(std::size(kMusicTable))) return std::nullopt;
    return kMusicTable[n];
}

void Session::Begin() {
    world.BeginGame();
    endingMusicOn = false;
}

void Session::End() {
    world.Clear();
}

void Session::GameOver() {
    host.CreateScene<::GameOver>(world.ScoreIsHighScore());
}

void Session::HaltStage() {
    stage.Halt();
}

void Session::BossWarning() {
    host.CreateScene<Warning>();
}

void Session::BossFightEnded() {
    stage.Resume();
    // What follows the boss: the ending.
    if (host.CreateScene<GameClear>(*MusicPiece(kEndingPiece))) endingMusicOn = true;
}

void Session::PlayMusic(int n) {
    if (std::optional<MusicRef> piece = MusicPiece(n)) host.PlayMusic(*piece);
}

void Session::FadeOutMusic(int frames) {
    host.CreateScene<MusicFade>(frames, 1.0f, 0.0f);
}
