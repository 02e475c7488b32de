#pragma once
#include <string>

class DigitCounter;

// Where the best score is kept between runs: one line "HighScore=" and its 12
// digits in option.ini beside the game, or, when the game's folder cannot be
// written, in the user's data folder.
class HighScoreFile {
public:
    // Either path may be empty: then there is no such file. With no game's
    // file, nothing is read or written at all.
    HighScoreFile(std::string gamePath, std::string userPath);

    // The better of the two files' scores; a missing or key-less file counts as 0.
    void Read(DigitCounter& highScore) const;
    // Replaces the game's file, or the user's when that fails. False when neither works.
    bool Write(const DigitCounter& highScore) const;

private:
    std::string gamePath, userPath;
};
