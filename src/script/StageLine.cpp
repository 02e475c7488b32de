#include "script/StageLine.h"

#include "util/StringUtil.h"

StageLine::StageLine(const std::string& line)
    : keyword(Token(line, 0, " ")),
      first(Token(line, 1, " ")),
      second(Token(line, 2, " ")),
      rest(keyword.size() < line.size() ? line.substr(keyword.size() + 1) : "") {}

StageKeyword StageLine::Keyword() const {
    if (keyword == "teki") return StageKeyword::Teki;
    if (keyword == "boss") return StageKeyword::Boss;
    if (keyword == "clear") return StageKeyword::Clear;
    if (keyword == "background") return StageKeyword::Background;
    if (keyword == "sleep") return StageKeyword::Sleep;
    if (keyword == "play") return StageKeyword::Play;
    if (keyword == "fadeout") return StageKeyword::FadeOut;
    if (keyword == "gameover") return StageKeyword::GameOver;
    if (keyword == "stage") return StageKeyword::StageName;
    if (keyword == "section") return StageKeyword::Section;
    return StageKeyword::None;
}

bool StageComments::Counts(const StageLine& line) {
    if (line.keyword == "*/") {
        open = false;
    } else if (line.keyword == "/*") {
        open = true;
    }
    return !open;
}
