#include "script/StageScript.h"

#include "script/StageLine.h"
#include "util/StringUtil.h"
#include "util/TextFile.h"

StageScript::StageScript(const std::string& path, StageHost& host) {
    // Line by line, so what the stage costs is what it holds: a blank line is
    // no keyword and no comment mark, and is passed over.
    StageComments comments;
    TextFile::ForEachLine(path, [&](const std::string& text) {
        if (text.empty()) return;
        StageLine line(text);
        if (comments.Counts(line)) Translate(line, host);
    });
}

void StageScript::Translate(const StageLine& line, StageHost& host) {
    switch (line.Keyword()) {
        case StageKeyword::Teki:
            if (const EnemyKind* kind = FindEnemyKind(line.first))
                commands.push_back(
                    std::make_unique<SpawnCommand>(host, *kind, ToFloat(line.second)));
            break;
        case StageKeyword::Sleep:
            commands.push_back(std::make_unique<SleepCommand>(*this, ToInt(line.first)));
            break;
        case StageKeyword::Play:
            commands.push_back(std::make_unique<PlayCommand>(host, ToInt(line.first)));
            break;
        case StageKeyword::FadeOut:
            commands.push_back(std::make_unique<FadeOutCommand>(host, ToInt(line.first)));
            break;
        case StageKeyword::GameOver:
            commands.push_back(std::make_unique<GameOverCommand>(host));
            break;
        case StageKeyword::None:
            break;
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
