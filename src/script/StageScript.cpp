#include "script/StageScript.h"

#include <algorithm>
#include <bit>
#include <functional>

#include "script/EnemyFactory.h"
#include "script/StageLine.h"
#include "util/AssetPath.h"
#include "util/FileData.h"
#include "util/Fnv.h"
#include "util/StringUtil.h"
#include "util/TextFile.h"

namespace {

// A line of the stage as the game takes it: a command with its values, the
// stage's name or a section.
struct StageItem {
    StageKeyword keyword = StageKeyword::None;
    int line = 0;
    const EnemyKind* kind = nullptr;  // teki
    float x = 0.0f;                   // teki
    int count = 0;                    // sleep, play, fadeout
    std::string text;                 // stage, section
};

// Reads the file line by line, so what the stage costs is what it holds, and
// hands over every line that means something, in order. False when it cannot
// be read.
bool ReadStageItems(const std::string& path, const std::function<void(const StageItem&)>& each) {
    StageComments comments;
    int number = 0;
    return TextFile::ForEachLine(path, [&](const std::string& text) {
        ++number;
        // A blank line is no keyword and no comment mark.
        if (text.empty()) return;
        StageLine line(text);
        if (!comments.Counts(line)) return;
        StageItem item;
        item.keyword = line.Keyword();
        item.line = number;
        switch (item.keyword) {
            case StageKeyword::Teki:
                item.kind = FindEnemyKind(line.first);
                item.x = ToFloat(line.second);
                if (!item.kind) return;
                break;
            case StageKeyword::Sleep:
            case StageKeyword::Play:
            case StageKeyword::FadeOut:
                item.count = ToInt(line.first);
                break;
            case StageKeyword::StageName:
            case StageKeyword::Section:
                if (line.rest.empty()) return;
                item.text = line.rest;
                break;
            case StageKeyword::GameOver:
                break;
            case StageKeyword::None:
                return;
        }
        each(item);
    });
}

// What the game plays, command by command: a letter for what each does, then
// its values. Names and sections add nothing.
class PlayedFingerprint {
public:
    void Add(const StageItem& item) {
        switch (item.keyword) {
            case StageKeyword::Teki:
                Add('T', static_cast<int>(item.kind - EnemyKinds().data()));
                fnv.AddValue(std::bit_cast<uint32_t>(item.x));
                break;
            case StageKeyword::Sleep:
                Add('S', item.count);
                break;
            case StageKeyword::Play:
                Add('P', item.count);
                break;
            case StageKeyword::FadeOut:
                Add('F', item.count);
                break;
            case StageKeyword::GameOver:
                Add('G', 0);
                break;
            case StageKeyword::StageName:
            case StageKeyword::Section:
            case StageKeyword::None:
                break;
        }
    }
    uint64_t Value() const { return fnv.Value(); }

private:
    void Add(char what, int value) {
        fnv.AddValue(what);
        fnv.AddValue(value);
    }

    Fnv fnv;
};

}  // namespace

StageScript::StageScript(const std::string& path, StageHost& host) {
    PlayedFingerprint played;
    readable = ReadStageItems(path, [&](const StageItem& item) {
        played.Add(item);
        switch (item.keyword) {
            case StageKeyword::Teki:
                if (std::string_view(item.kind->name) == "boss" && bossCommand < 0)
                    bossCommand = Count();
                commands.push_back(std::make_unique<SpawnCommand>(host, *item.kind, item.x));
                break;
            case StageKeyword::Sleep:
                commands.push_back(std::make_unique<SleepCommand>(*this, item.count));
                break;
            case StageKeyword::Play:
                commands.push_back(std::make_unique<PlayCommand>(host, item.count));
                break;
            case StageKeyword::FadeOut:
                commands.push_back(std::make_unique<FadeOutCommand>(host, item.count));
                break;
            case StageKeyword::GameOver:
                commands.push_back(std::make_unique<GameOverCommand>(host));
                break;
            case StageKeyword::StageName:
                if (name.empty()) name = item.text;
                break;
            case StageKeyword::Section:
                sections.push_back({item.text, item.line, Count()});
                break;
            case StageKeyword::None:
                break;
        }
    });
    fingerprint = played.Value();
}

uint64_t StageFingerprint(const std::string& path) {
    PlayedFingerprint played;
    ReadStageItems(path, [&](const StageItem& item) { played.Add(item); });
    return played.Value();
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
