#pragma once
// How a line of a stage file reads: cut into tokens at single spaces, of which
// only the first three mean anything; comments run by whole lines from one
// whose first token is "/*" to one whose first token is "*/".
#include <string>

enum class StageKeyword { None, Teki, Sleep, Play, FadeOut, GameOver };

struct StageLine {
    explicit StageLine(const std::string& line);
    // None for any other first token, an empty one included.
    StageKeyword Keyword() const;

    std::string keyword, first, second;  // tokens 0, 1 and 2
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
