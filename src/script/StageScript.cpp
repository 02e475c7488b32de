#include "script/StageScript.h"

#include <algorithm>

#include "util/AssetPath.h"
#include "util/FileData.h"
#include "util/Fnv.h"
#include "util/StringUtil.h"
#include "util/TextFile.h"

namespace {

// The sections and the boss of what was read, by the commands they come before.
void FindPlaces(const StageRead& read, std::vector<StageSection>& sections, int& bossCommand) {
    int command = 0;
    for (const StageItem& item : read.items) {
        if (item.keyword == StageKeyword::Section)
            sections.push_back({item.text, item.line, command});
        // A mid-boss is a part of the stage like any wave; its boss is the first other.
        const bool boss = item.boss && !item.boss->mid;
        if (boss && bossCommand < 0) bossCommand = command;
        if (item.IsCommand()) ++command;
    }
}

}  // namespace

StageScript::StageScript(const std::string& path, const std::string& mediaDir, StageHost& host) {
    StageRead read = ReadStage(path, mediaDir);
    readable = read.readable;
    fingerprint = read.fingerprint;
    oldFingerprint = read.oldFingerprint;
    findings = std::move(read.findings);
    content = read.content;
    FindPlaces(read, sections, bossCommand);
    for (const StageItem& item : read.items) {
        switch (item.keyword) {
            case StageKeyword::Teki:
                if (item.kind) {
                    commands.push_back(std::make_unique<SpawnCommand>(host, *item.kind, item.x));
                } else {
                    commands.push_back(
                        std::make_unique<BossCommand>(host, *this, *item.boss, item.x, true));
                }
                break;
            case StageKeyword::Boss:
                commands.push_back(
                    std::make_unique<BossCommand>(host, *this, *item.boss, item.x, false));
                break;
            case StageKeyword::Sleep:
                commands.push_back(std::make_unique<SleepCommand>(*this, item.count));
                break;
            case StageKeyword::Play:
                commands.push_back(std::make_unique<PlayCommand>(host, item.piece));
                break;
            case StageKeyword::FadeOut:
                commands.push_back(std::make_unique<FadeOutCommand>(host, item.count));
                break;
            case StageKeyword::GameOver:
                commands.push_back(std::make_unique<GameOverCommand>(host));
                break;
            case StageKeyword::Clear:
                commands.push_back(std::make_unique<ClearCommand>(host, item.piece));
                break;
            case StageKeyword::Background:
                commands.push_back(std::make_unique<BackgroundCommand>(host, item.colour));
                break;
            case StageKeyword::StageName:
                if (name.empty()) name = item.text;
                break;
            case StageKeyword::Section:
            case StageKeyword::None:
                break;
        }
    }
}

std::vector<StageSection> PracticeStartsOf(const StageRead& read) {
    std::vector<StageSection> sections;
    int bossCommand = -1;
    FindPlaces(read, sections, bossCommand);
    return PracticeStarts(sections, bossCommand);
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
            if (play->piece) music = {play->piece, false};
        } else if (dynamic_cast<const FadeOutCommand*>(commands[i].get())) {
            music.fadedOut = true;
        }
    }
    return music;
}

void StageScript::LookAsBefore(int command) {
    for (int i = 0; i < command && i < Count(); ++i) {
        if (auto* background = dynamic_cast<BackgroundCommand*>(commands[i].get()))
            background->Execute();
    }
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

uint64_t ChainFingerprint(const std::vector<uint64_t>& stages) {
    Fnv fnv;
    fnv.Add("the whole game");
    for (uint64_t stage : stages)
        fnv.AddValue(stage);
    return fnv.Value();
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
