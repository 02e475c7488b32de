// How a game ends: game over, or the ending after the boss.
#include "game/MenuLayout.h"
#include "game/Scenes.h"
#include "game/TextColors.h"
#include "game/VideoBackground.h"
#include "graphics/BitmapFont.h"

namespace {

constexpr int kGameOverUpdates = 150;
constexpr int kCreditUpdates = 1000;
constexpr int kSkipHintAfter = 180;

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
    const BitmapFont& font = host.Screen().Font();
    font.DrawTextShadowed("GAME OVER", kSceneTexts.gameOver.x, kSceneTexts.gameOver.y, kTextWhite,
                          kTextShadow);
    if (newHighScore) {
        font.DrawTextShadowed("HI SCORE!", kSceneTexts.hiScore.x, kSceneTexts.hiScore.y, kTextWhite,
                              kTextShadow);
    }
}

GameClear::GameClear(SceneHost& host, const MusicChoice& piece) : Scene(host) {
    host.Video().StopAndRewind();  // the background keeps its last picture
    host.Music().SetMusicVolume(1.0f);
    host.Music().PlayMusic(piece);
}

bool GameClear::Update() {
    // Paused like play: the credits and their music hold.
    if (host.Game().IsPaused()) return true;
    ++counter;
    return !host.Music().IsMusicComplete();
}

void GameClear::Draw() {
    const SceneTextLayout& at = kSceneTexts;
    auto line = [&](std::string_view text, float dy) {
        float x = (kScreenWidth - kGlyphAdvance * static_cast<float>(text.size())) / 2;
        host.Screen().Font().DrawTextShadowed(text, x, at.endingMiddle + dy, kTextWhite,
                                              kTextShadow);
    };
    // After a few seconds, how to skip the rest: the pause menu offers it.
    if (counter >= kSkipHintAfter)
        line(FirstKeyCap(host.Options(), KeyAction::Pause) + " PAUSE OR SKIP", at.skipDy);
    int credit = counter / kCreditUpdates;
    if (credit == 0) {
        line("GAME CLEAR", at.clearDy);
        line("THANK YOU FOR PLAYING", at.thanksDy);
    } else if (credit <= 6) {
        line(kCredits[credit - 1], at.creditDy);
    } else {
        line(". . . AND YOU.", at.creditDy);
        if (credit >= 8) line("PLEASE CHALLENGE NORMALLY.", at.challengeDy);
    }
}
