#pragma once
// How a line of a stage file reads: cut into tokens at single spaces, of which
// only the first three mean anything; comments run by whole lines from one
// whose first token is "/*" to one whose first token is "*/".
//
// Two more words name things without doing anything: "stage NAME" names the
// stage and "section NAME" marks where a part of it starts, for practice. A
// reader that knows only the commands passes over them as over any unknown
// line, so a stage plays the same either way.
#include <string>

enum class StageKeyword {
    None,
    Teki,
    Boss,
    Sleep,
    Play,
    FadeOut,
    GameOver,
    Clear,
    Background,
    StageName,
    Section
};

struct StageLine {
    explicit StageLine(const std::string& line);
    // None for any other first token, an empty one included.
    StageKeyword Keyword() const;

    std::string keyword, first, second;  // tokens 0, 1 and 2
    std::string rest;                    // everything after token 0 and its space
};

// Follows the comments of a file, line after line.
class StageComments {
public:
    // Whether the line is read: not inside a comment nor the line that opens one.
    bool Counts(const StageLine& line);
    bool Open() const { return open; }

private:
    bool open = false;
};
