// How a game ends: game over, or the ending after the boss.
#include "game/GameApp.h"
#include "game/Scenes.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF, kShadow = 0x80000000;
constexpr int kGameOverUpdates = 150;
constexpr int kEndingPiece = 1;
constexpr int kCreditUpdates = 1000;

// Who made the game, one role for each thousand updates of the ending.
constexpr const char* kCredits[] = {
    "PROGRAMMING ... VELMORA PROJECT",    "3D MODELING ... VELMORA PROJECT",
    "MUSIC COMPOSER ... VELMORA PROJECT", "2D GRAPHICS ... VELMORA PROJECT",
    "SOUND EFFECT ... VELMORA PROJECT",   "SAMPLE MOVIE ... VELMORA PROJECT",
};

}  // namespace

GameOver::GameOver(GameApp& app) : Scene(app), newHighScore(app.GetWorld().ScoreIsHighScore()) {}

bool GameOver::Update() {
    if (++counter <= kGameOverUpdates) return true;
    app.Video().StopAndRewind();
    app.RequestReturnToTitle();
    return false;
}

void GameOver::Draw() {
    int half = app.ScreenWidth() / 2;
    app.Font().DrawTextShadowed("GAME OVER", static_cast<float>(half - 72), 240.0f, kWhite,
                                kShadow);
    if (newHighScore) {
        app.Font().DrawTextShadowed("HI SCORE!", static_cast<float>(half - 192), 240.0f, kWhite,
                                    kShadow);
    }
}

GameClear::GameClear(GameApp& app) : Scene(app) {
    app.Video().StopAndRewind();  // the background keeps its last picture
    app.SetEndingMusic(true);
    app.SetMusicVolume(1.0f);
    app.PlayMusic(kEndingPiece);
}

bool GameClear::Update() {
    ++counter;
    if (!app.IsMusicComplete()) return true;
    app.GetWorld().SetBossGauge(0.0f);
    return false;
}

void GameClear::Draw() {
    int half = app.ScreenHeight() / 2;
    auto x = static_cast<float>(half - 88);
    auto line = [&](const char* text, int dy) {
        app.Font().DrawTextShadowed(text, x, static_cast<float>(half + dy), kWhite, kShadow);
    };
    int credit = counter / kCreditUpdates;
    if (credit == 0) {
        line("GAME CLEAR", -16);
        line("THANK YOU FOR PLAYING", 16);
    } else if (credit <= 6) {
        line(kCredits[credit - 1], 32);
    } else {
        line("     . . . AND YOU.", 32);
        if (credit >= 8) line("PLEASE CHALLENGE NORMALLY.", 64);
    }
}
