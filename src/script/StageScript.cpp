#include "script/StageScript.h"

#include "script/TextFile.h"
#include "util/StringUtil.h"

StageScript::StageScript(const std::string& path, StageHost& host) {
    // Line by line, so what the stage costs is what it holds: a blank line is
    // no keyword and no comment mark, and is passed over.
    bool inComment = false;
    TextFile::ForEachLine(path, [&](const std::string& line) {
        if (!line.empty()) Translate(line, inComment, host);
    });
}

void StageScript::Translate(const std::string& line, bool& inComment, StageHost& host) {
    // Tokens are cut at single spaces; only the first three mean anything.
    std::string keyword = Token(line, 0, " ");
    std::string first = Token(line, 1, " ");
    std::string second = Token(line, 2, " ");
    // A comment runs from a line that starts with /* to one that starts with */.
    if (keyword == "*/") {
        inComment = false;
    } else if (keyword == "/*") {
        inComment = true;
    }
    if (inComment) return;

    if (keyword == "teki") {
        for (const EnemyKind& kind : enemyKindTable) {
            if (first == kind.name) {
                commands.push_back(std::make_unique<SpawnCommand>(kind, ToFloat(second)));
                break;
            }
        }
    } else if (keyword == "sleep") {
        commands.push_back(std::make_unique<SleepCommand>(*this, ToInt(first)));
    } else if (keyword == "play") {
        commands.push_back(std::make_unique<PlayCommand>(host, ToInt(first)));
    } else if (keyword == "fadeout") {
        commands.push_back(std::make_unique<FadeOutCommand>(host, ToInt(first)));
    } else if (keyword == "gameover") {
        commands.push_back(std::make_unique<GameOverCommand>(host));
    }
}

void StageScript::Tick() {
    if (wait > 0) --wait;
    while (pc < Count() && wait == 0) {
        commands[pc]->Execute();
        ++pc;
    }
}

void StageScript::Reset() {
    pc = 0;
    wait = 0;
}
