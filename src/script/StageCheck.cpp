#include "script/StageCheck.h"

#include <cstdio>

#include "script/StageReader.h"
#include "util/StepClock.h"
#include "util/StringUtil.h"
#include "util/TextFile.h"

namespace {

// When the timeline reaches each command and the end, from what the stage read.
class Checker {
public:
    explicit Checker(StageCheck& check) : check(check) {}

    void Item(const StageItem& item) {
        switch (item.keyword) {
            case StageKeyword::Teki:
            case StageKeyword::Boss: {
                Count(item.name);
                // A mid-boss is a part of the stage like any wave; its boss is the first other.
                const bool stageBoss = item.boss && !item.boss->mid;
                if (stageBoss && bossCommand < 0) bossCommand = static_cast<int>(times.size());
                Command();
                if (stageBoss && !stopsForGood) check.hasBoss = true;
                break;
            }
            case StageKeyword::Sleep:
                Command();
                if (item.count < 0) stopsForGood = true;
                if (item.count > 0 && !stopsForGood)
                    (check.hasBoss ? check.stepsAfterBoss : check.stepsBeforeBoss) += item.count;
                break;
            case StageKeyword::StageName:
                if (check.name.empty()) check.name = item.text;
                break;
            case StageKeyword::Section:
                sections.push_back({item.text, item.line, static_cast<int>(times.size())});
                break;
            default:
                Command();
                break;
        }
        check.stopsForGood = stopsForGood;
    }

    void End() {
        times.push_back(Now());  // the end of the stage
        for (const StageSection& section : PracticeStarts(sections, bossCommand)) {
            const Time& time = times[static_cast<std::size_t>(section.command)];
            check.starts.push_back({section, time.steps, time.afterBoss});
        }
    }

private:
    struct Time {
        long steps;
        bool afterBoss;
    };

    void Count(const std::string& name) {
        for (auto& [named, count] : check.kinds) {
            if (named == name) {
                ++count;
                return;
            }
        }
        check.kinds.emplace_back(name, 1);
    }
    // A command comes here: when the timeline reaches the next one is known
    // once this one has been read.
    void Command() { times.push_back(Now()); }
    Time Now() const {
        return {check.hasBoss ? check.stepsAfterBoss : check.stepsBeforeBoss, check.hasBoss};
    }

    StageCheck& check;
    std::vector<StageSection> sections;
    int bossCommand = -1;
    bool stopsForGood = false;
    // For every command read so far, and one more for the end of the stage.
    std::vector<Time> times;
};

}  // namespace

std::string StepsAsTime(long steps) {
    return std::to_string(steps) + " steps (" + StepsAsClock(steps) + ")";
}

StageCheck CheckStage(const std::string& path, const std::string& mediaDir) {
    StageRead read = ReadStage(path, mediaDir);
    StageCheck check;
    check.readable = read.readable;
    check.findings = std::move(read.findings);
    Checker checker(check);
    for (const StageItem& item : read.items)
        checker.Item(item);
    checker.End();
    return check;
}

std::string DescribeStageCheck(const StageCheck& check) {
    if (!check.readable) return "the stage cannot be read\n";
    std::string text;
    for (const std::string& finding : check.findings)
        text += finding + "\n";
    text += "name: " +
            (check.name.empty() ? std::string("none (it goes by its file's name)")
                                : Printable(check.name)) +
            "\n";
    if (check.hasBoss) {
        text += "length: " + StepsAsTime(check.stepsBeforeBoss) + " to the boss, then " +
                StepsAsTime(check.stepsAfterBoss) + " after its fight\n";
    } else {
        text += "length: " + StepsAsTime(check.stepsBeforeBoss) + ", no boss\n";
    }
    text += "practice starts:\n";
    for (std::size_t i = 0; i < check.starts.size(); ++i) {
        const StageCheck::Start& start = check.starts[i];
        char line[96];
        std::snprintf(
            line, sizeof line, "  %2zu %-32s %s%s", i + 1, Printable(start.section.name).c_str(),
            start.afterBoss ? "after the boss + " : "", StepsAsClock(start.steps).c_str());
        text += line;
        if (start.section.line > 0) text += " (line " + std::to_string(start.section.line) + ")";
        text += "\n";
    }
    std::string kinds;
    for (const auto& [name, count] : check.kinds) {
        if (count > 0) kinds += " " + name + " x" + std::to_string(count);
    }
    text += "kinds:" + (kinds.empty() ? std::string(" none") : kinds) + "\n";
    return text;
}

int NamedPracticeStart(const std::string& path, const std::string& mediaDir,
                       const std::string& nameOrNumber, std::string& sections) {
    std::vector<StageSection> starts;
    for (const StageCheck::Start& start : CheckStage(path, mediaDir).starts)
        starts.push_back(start.section);
    int found = FindPracticeStart(starts, nameOrNumber);
    if (found >= 0) return found;
    for (std::size_t i = 0; i < starts.size(); ++i)
        sections += "  " + std::to_string(i + 1) + " " + Printable(starts[i].name) + "\n";
    return -1;
}
