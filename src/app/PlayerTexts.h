#pragma once
// The texts of the boxes a player reads, in the player's language: as they were
// written, in Japanese, under a Japanese locale, and in English everywhere else.
#include <functional>
#include <string>

enum class Language { English, Japanese };

// The language the environment asks for, read as gettext reads it: the first
// language of LANGUAGE we have, unless the locale is C; else the locale's own
// (LC_ALL, else LC_MESSAGES, else LANG). variable gives null for one not set.
Language LanguageFrom(const std::function<const char*(const char*)>& variable);

struct PlayerText {
    const char* japanese;
    const char* english;

    std::string In(Language language) const {
        return language == Language::Japanese ? japanese : english;
    }
};

namespace player_text {
// Why the game cannot start.
inline constexpr PlayerText kNoOpenGl{"このプログラムにはOpenGL 3.3以上が必要です。",
                                      "This game needs OpenGL 3.3 or later."};
inline constexpr PlayerText kNoWindow{"ウィンドウを開けませんでした。",
                                      "The game's window could not be opened."};
inline constexpr PlayerText kNoDisplay{"ディスプレイに接続できません。",
                                       "There is no display to show the game on."};
// The title menu's choice of a video file.
inline constexpr PlayerText kChooserTitle{"ファイルを開く", "Open File"};
inline constexpr PlayerText kNoVideoChosen{"動画ファイル(wmv,avi,mpg)を指定してください。",
                                           "Please choose a video file (wmv, avi, mpg)."};
inline constexpr PlayerText kNoVideoChosenCaption{"エラー", "Error"};
}  // namespace player_text
