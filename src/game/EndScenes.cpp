// How a game ends: game over, or the ending after the boss.
#include "game/Scenes.h"
#include "game/TextColors.h"
#include "game/VideoBackground.h"
#include "graphics/BitmapFont.h"

namespace {

constexpr int kGameOverUpdates = 150;
constexpr int kCreditUpdates = 1000;

// Who made the game, one role for each thousand updates of the ending.
constexpr const char* kCredits[] = {
    "PROGRAMMING ... VELMORA PROJECT",    "3D MODELING ... VELMORA PROJECT",
    "MUSIC COMPOSER ... VELMORA PROJECT", "2D GRAPHICS ... VELMORA PROJECT",
    "SOUND EFFECT ... VELMORA PROJECT",   "SAMPLE MOVIE ... VELMORA PROJECT",
};

}  // namespace

GameOver::GameOver(SceneHost& host, bool newHighScore) : Scene(host), newHighScore(newHighScore) {}

bool GameOver::Update() {
    if (++counter <= kGameOverUpdates) return true;
    host.Video().StopAndRewind();
    host.Game().RequestReturnToTitle();
    return false;
}

void GameOver::Draw() {
    int half = host.Screen().Width() / 2;
    const BitmapFont& font = host.Screen().Font();
    font.DrawTextShadowed("GAME OVER", static_cast<float>(half - 72), 240.0f, kTextWhite,
                          kTextShadow);
    if (newHighScore) {
        font.DrawTextShadowed("HI SCORE!", static_cast<float>(half - 192), 240.0f, kTextWhite,
                              kTextShadow);
    }
}

GameClear::GameClear(SceneHost& host, MusicRef piece) : Scene(host) {
    host.Video().StopAndRewind();  // the background keeps its last picture
    host.Music().SetMusicVolume(1.0f);
    host.Music().PlayMusic(piece);
}

bool GameClear::Update() {
    ++counter;
    return !host.Music().IsMusicComplete();
}

void GameClear::Draw() {
    int half = host.Screen().Height() / 2;
    auto x = static_cast<float>(half - 88);
    auto line = [&](const char* text, int dy) {
        host.Screen().Font().DrawTextShadowed(text, x, static_cast<float>(half + dy), kTextWhite,
                                              kTextShadow);
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
