#pragma once
#include <string>

class DigitCounter;

// Where the best score is kept between runs: one line "HighScore=" and its 12
// digits in option.ini beside the game, or, when the game's folder cannot be
// written, in the user's data folder.
class HighScoreFile {
public:
    // Either path may be empty: then there is no such file. With only the
    // user's (an installed game), that one is read and written, its folder made
    // when needed; with neither, nothing is kept.
    HighScoreFile(std::string gamePath, std::string userPath);

    // The better of the two files' scores; a missing or key-less file counts as 0.
    void Read(DigitCounter& highScore) const;
    // Saves into the game's file, or the user's when that one or its folder
    // cannot be written (or was made read-only). The file keeps the better of
    // its score and this one, so games that end one after the other lose
    // nothing. False, said once on stderr, when no file could be written.
    bool Write(const DigitCounter& highScore) const;

private:
    std::string gamePath, userPath;
};
