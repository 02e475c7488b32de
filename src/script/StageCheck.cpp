#include "script/StageCheck.h"

#include <cstdio>

#include "script/EnemyFactory.h"
#include "script/StageHost.h"
#include "script/StageLine.h"
#include "util/StringUtil.h"
#include "util/TextFile.h"

namespace {

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
                break;
            case StageKeyword::FadeOut:
                Int(line.first, "frame count");
                break;
            case StageKeyword::GameOver:
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
            Find("longer than 1,023 characters: the stage ends before this line");
        }
    }

private:
    void Find(const std::string& what) {
        check.findings.push_back("line " + std::to_string(at) + ": " + what);
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
        if (line.first == "boss" && !check.stopsForGood) check.hasBoss = true;
    }

    void Sleep(const StageLine& line) {
        Int(line.first, "frame count");
        int frames = ToInt(line.first);
        if (frames < 0 && !check.stopsForGood) {
            Find("\"sleep " + line.first + "\" stops the stage for good: nothing after it runs");
            check.stopsForGood = true;
        }
        if (frames > 0 && !check.stopsForGood)
            (check.hasBoss ? check.stepsAfterBoss : check.stepsBeforeBoss) += frames;
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
    int at = 0, openedAt = 0;
};

std::string StepsAsTime(long steps) {
    char text[48];
    std::snprintf(text, sizeof text, "%ld steps (%ld:%02ld)", steps, steps / 3600, steps / 60 % 60);
    return text;
}

}  // namespace

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
    if (check.hasBoss) {
        text += "length: " + StepsAsTime(check.stepsBeforeBoss) + " to the boss, then " +
                StepsAsTime(check.stepsAfterBoss) + " after its fight\n";
    } else {
        text += "length: " + StepsAsTime(check.stepsBeforeBoss) + ", no boss\n";
    }
    std::string kinds;
    for (const auto& [name, count] : check.kinds) {
        if (count > 0) kinds += " " + name + " x" + std::to_string(count);
    }
    text += "kinds:" + (kinds.empty() ? std::string(" none") : kinds) + "\n";
    return text;
}
