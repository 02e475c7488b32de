#include "script/StageCheck.h"

#include <cstdio>

#include "script/EnemyFactory.h"
#include "script/StageHost.h"
#include "script/StageLine.h"
#include "util/StepClock.h"
#include "util/StringUtil.h"
#include "util/TextFile.h"

namespace {

// Names longer than this show cut, on the title and in practice.
constexpr std::size_t kShownName = 32;

class Checker {
public:
    explicit Checker(StageCheck& check) : check(check) {
        for (const EnemyKind& kind : EnemyKinds())
            check.kinds.emplace_back(kind.name, 0);
    }

    void Line(int number, const std::string& text) {
        StageLine line(text);
        at = number;
        const bool wasOpen = comments.Open();
        if (!comments.Counts(line)) {
            if (!wasOpen) openedAt = number;
            Commented(line);
            return;
        }
        switch (line.Keyword()) {
            case StageKeyword::Teki:
                Teki(line);
                break;
            case StageKeyword::Sleep:
                Sleep(line);
                break;
            case StageKeyword::Play:
                if (Int(line.first, "piece") &&
                    (ToInt(line.first) < 0 || ToInt(line.first) >= kStagePieces))
                    Find("\"play " + line.first + "\": there is no piece " + line.first +
                         " (0 to " + std::to_string(kStagePieces - 1) + "); the line does nothing");
                Command();
                break;
            case StageKeyword::FadeOut:
                Int(line.first, "frame count");
                Command();
                break;
            case StageKeyword::GameOver:
                Command();
                break;
            case StageKeyword::StageName:
                Name(line);
                break;
            case StageKeyword::Section:
                Section(line);
                break;
            case StageKeyword::None:
                Other(line, text);
                break;
        }
    }

    void End(int cutAt) {
        if (comments.Open()) {
            at = openedAt;
            Find("the comment opened here is never closed; the rest of the file is ignored");
        }
        if (cutAt > 0) {
            at = cutAt;
            Find("longer than " + Thousands(TextFile::kMaxLine) +
                 " characters: the stage ends before this line");
        }
        times.push_back(Now());  // the end of the stage
        for (const StageSection& section : PracticeStarts(sections, bossCommand)) {
            const Time& time = times[static_cast<std::size_t>(section.command)];
            check.starts.push_back({section, time.steps, time.afterBoss});
        }
    }

private:
    // When the timeline reaches a command.
    struct Time {
        long steps;
        bool afterBoss;
    };

    void Find(const std::string& what) {
        // A finding quotes the file, which must not steer the terminal it goes to.
        check.findings.push_back("line " + std::to_string(at) + ": " + Printable(what));
    }

    // "1,023": the limits are below a million.
    static std::string Thousands(std::size_t n) {
        char text[32];
        if (n < 1000) return std::to_string(n);
        std::snprintf(text, sizeof text, "%zu,%03zu", n / 1000, n % 1000);
        return text;
    }

    // A command comes here: when the timeline reaches the next one is known
    // once this one has been read.
    void Command() { times.push_back(Now()); }
    Time Now() const {
        return {check.hasBoss ? check.stepsAfterBoss : check.stepsBeforeBoss, check.hasBoss};
    }

    // A number the game reads as ToInt does; false when it is not one.
    bool Int(const std::string& token, const char* what) {
        if (IsWholeInt(token)) return true;
        if (token.empty()) {
            Find(std::string("no ") + what + ": it reads as 0");
        } else {
            Find("\"" + token + "\" is not a whole " + what + ": it reads as " +
                 std::to_string(ToInt(token)));
        }
        return false;
    }

    void Teki(const StageLine& line) {
        const EnemyKind* kind = FindEnemyKind(line.first);
        if (!kind) {
            Find("no enemy kind is called \"" + line.first + "\"; the line is ignored");
            return;
        }
        for (auto& [name, count] : check.kinds) {
            if (name == kind->name) ++count;
        }
        if (line.second.empty()) {
            Find("no x for the " + line.first + ": it comes in at 0");
        } else if (!IsWholeFloat(line.second)) {
            char x[32];
            std::snprintf(x, sizeof x, "%g", ToFloat(line.second));
            Find("\"" + line.second + "\" is not a number: the " + line.first + " comes in at " +
                 x);
        }
        if (line.first == "boss" && bossCommand < 0) bossCommand = static_cast<int>(times.size());
        Command();
        if (line.first == "boss" && !check.stopsForGood) check.hasBoss = true;
    }

    void Sleep(const StageLine& line) {
        Int(line.first, "frame count");
        Command();
        int frames = ToInt(line.first);
        if (frames < 0 && !check.stopsForGood) {
            Find("\"sleep " + line.first + "\" stops the stage for good: nothing after it runs");
            check.stopsForGood = true;
        }
        if (frames > 0 && !check.stopsForGood)
            (check.hasBoss ? check.stepsAfterBoss : check.stepsBeforeBoss) += frames;
    }

    bool Named(const StageLine& line, const char* what) {
        if (line.rest.find_first_not_of(' ') == std::string::npos) {
            Find(std::string("a ") + what + " line needs a name; the line is ignored");
            return false;
        }
        if (line.rest.size() > kShownName)
            Find("the name is longer than " + std::to_string(kShownName) +
                 " characters: it shows cut");
        return true;
    }

    void Name(const StageLine& line) {
        if (!Named(line, "stage")) return;
        if (check.name.empty()) {
            check.name = line.rest;
            nameAt = at;
        } else {
            Find("the stage is already called \"" + check.name + "\" (line " +
                 std::to_string(nameAt) + "); this name is ignored");
        }
    }

    void Section(const StageLine& line) {
        if (!Named(line, "section")) return;
        for (const StageSection& before : sections) {
            if (before.name == line.rest) {
                Find("a section before is called \"" + line.rest + "\" too (line " +
                     std::to_string(before.line) + "); --practice takes the first by that name");
                break;
            }
        }
        sections.push_back({line.rest, at, static_cast<int>(times.size())});
    }

    // A name or a section inside a comment counts for nothing: say so, as it looks meant.
    void Commented(const StageLine& line) {
        StageKeyword keyword = line.Keyword();
        if (keyword == StageKeyword::Section || keyword == StageKeyword::StageName)
            Find("\"" + line.keyword + "\" inside a comment does not count");
    }

    void Other(const StageLine& line, const std::string& text) {
        if (line.keyword == "*/") return;
        if (line.keyword.empty()) {
            if (text.find_first_not_of(' ') != std::string::npos)
                Find("starts with a space: the line is ignored");
            return;
        }
        Find("\"" + line.keyword + "\" is not a command; the line is ignored");
    }

    StageCheck& check;
    StageComments comments;
    int at = 0, openedAt = 0, nameAt = 0;
    std::vector<StageSection> sections;
    int bossCommand = -1;
    // For every command read so far, and one more for the end of the stage.
    std::vector<Time> times;
};

}  // namespace

std::string StepsAsTime(long steps) {
    return std::to_string(steps) + " steps (" + StepsAsClock(steps) + ")";
}

StageCheck CheckStage(const std::string& path) {
    StageCheck check;
    Checker checker(check);
    int number = 0, cutAt = 0;
    check.readable = TextFile::ForEachLine(
        path, [&](const std::string& line) { checker.Line(++number, line); }, &cutAt);
    checker.End(cutAt);
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

int NamedPracticeStart(const std::string& path, const std::string& nameOrNumber,
                       std::string& sections) {
    std::vector<StageSection> starts;
    for (const StageCheck::Start& start : CheckStage(path).starts)
        starts.push_back(start.section);
    int found = FindPracticeStart(starts, nameOrNumber);
    if (found >= 0) return found;
    for (std::size_t i = 0; i < starts.size(); ++i)
        sections += "  " + std::to_string(i + 1) + " " + Printable(starts[i].name) + "\n";
    return -1;
}
