#include "script/StageScript.h"

#include <algorithm>
#include <bit>

#include "script/EnemyFactory.h"
#include "script/StageLine.h"
#include "util/AssetPath.h"
#include "util/FileData.h"
#include "util/Fnv.h"
#include "util/StringUtil.h"
#include "util/TextFile.h"

namespace {

// What a command adds to the stage's fingerprint: a letter for what it does, then its values.
void AddCommand(Fnv& fnv, char what, int value) {
    fnv.AddValue(what);
    fnv.AddValue(value);
}

}  // namespace

StageScript::StageScript(const std::string& path, StageHost& host) : fingerprint(Fnv().Value()) {
    // Line by line, so what the stage costs is what it holds: a blank line is
    // no keyword and no comment mark, and is passed over.
    StageComments comments;
    int number = 0;
    readable = TextFile::ForEachLine(path, [&](const std::string& text) {
        ++number;
        if (text.empty()) return;
        StageLine line(text);
        if (comments.Counts(line)) Translate(line, number, host);
    });
}

void StageScript::Translate(const StageLine& line, int number, StageHost& host) {
    Fnv fnv;
    fnv.AddValue(fingerprint);
    switch (line.Keyword()) {
        case StageKeyword::Teki:
            if (const EnemyKind* kind = FindEnemyKind(line.first)) {
                float x = ToFloat(line.second);
                if (std::string_view(kind->name) == "boss" && bossCommand < 0)
                    bossCommand = Count();
                commands.push_back(std::make_unique<SpawnCommand>(host, *kind, x));
                AddCommand(fnv, 'T', static_cast<int>(kind - EnemyKinds().data()));
                fnv.AddValue(std::bit_cast<uint32_t>(x));
            }
            break;
        case StageKeyword::Sleep:
            commands.push_back(std::make_unique<SleepCommand>(*this, ToInt(line.first)));
            AddCommand(fnv, 'S', ToInt(line.first));
            break;
        case StageKeyword::Play:
            commands.push_back(std::make_unique<PlayCommand>(host, ToInt(line.first)));
            AddCommand(fnv, 'P', ToInt(line.first));
            break;
        case StageKeyword::FadeOut:
            commands.push_back(std::make_unique<FadeOutCommand>(host, ToInt(line.first)));
            AddCommand(fnv, 'F', ToInt(line.first));
            break;
        case StageKeyword::GameOver:
            commands.push_back(std::make_unique<GameOverCommand>(host));
            AddCommand(fnv, 'G', 0);
            break;
        case StageKeyword::StageName:
            if (name.empty()) name = line.rest;
            return;
        case StageKeyword::Section:
            if (!line.rest.empty()) sections.push_back({line.rest, number, Count()});
            return;
        case StageKeyword::None:
            return;
    }
    fingerprint = fnv.Value();
}

std::vector<StageSection> StageScript::PracticeStarts() const {
    return ::PracticeStarts(sections, bossCommand);
}

std::vector<StageSection> PracticeStarts(const std::vector<StageSection>& sections,
                                         int bossCommand) {
    std::vector<StageSection> starts;
    if (sections.empty() || sections.front().command > 0) starts.push_back({"START", 0, 0});
    if (sections.empty()) {
        if (bossCommand >= 0) starts.push_back({"BOSS", 0, bossCommand});
        return starts;
    }
    starts.insert(starts.end(), sections.begin(), sections.end());
    return starts;
}

StageMusic StageScript::MusicBefore(int command) const {
    StageMusic music;
    for (int i = 0; i < command && i < Count(); ++i) {
        if (auto* play = dynamic_cast<const PlayCommand*>(commands[i].get())) {
            music = {play->piece, false};
        } else if (dynamic_cast<const FadeOutCommand*>(commands[i].get())) {
            music.fadedOut = true;
        }
    }
    return music;
}

void StageScript::Tick() {
    if (wait > 0) --wait;
    while (pc < Count() && wait == 0) {
        commands[pc]->Execute();
        ++pc;
    }
}

void StageScript::StartAt(int command) {
    pc = std::clamp(command, 0, Count());
    wait = 0;
}

int FindPracticeStart(const std::vector<StageSection>& starts, const std::string& nameOrNumber) {
    auto same = [](const std::string& a, const std::string& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
        }
        return true;
    };
    for (std::size_t i = 0; i < starts.size(); ++i) {
        if (same(starts[i].name, nameOrNumber)) return static_cast<int>(i);
    }
    if (IsWholeInt(nameOrNumber)) {
        int number = ToInt(nameOrNumber);
        if (number >= 1 && number <= static_cast<int>(starts.size())) return number - 1;
    }
    return -1;
}

uint64_t FirstFormatFingerprint(const std::string& path) {
    // As large as any file of the game may be.
    constexpr std::size_t kMaxBytes = 64 << 20;
    std::string data, error, kept;
    bool read = ReadFileLimited(ResolveAssetPath(path), kMaxBytes, data, error);
    for (std::size_t at = 0; at < data.size();) {
        std::size_t end = data.find('\n', at);
        end = end == std::string::npos ? data.size() : end + 1;
        std::string_view line(data.data() + at, end - at);
        std::string_view word = line.substr(0, line.find_first_of(" \r\n"));
        if (word != "stage" && word != "section") kept += line;
        at = end;
    }
    Fnv fnv;
    fnv.AddValue(read ? kept.size() : ~std::size_t{0});
    fnv.Add(kept);
    return fnv.Value();
}
