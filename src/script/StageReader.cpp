#include "script/StageReader.h"

#include <bit>
#include <cstdio>

#include "util/Fnv.h"
#include "util/StringUtil.h"
#include "util/TextFile.h"

namespace {

// Names longer than this show cut, on the title and in practice.
constexpr std::size_t kShownName = 32;
// The kinds as the first game numbered them, for the fingerprints it kept.
constexpr const char* kOldKindTable[] = {"obj1", "obj2", "obj3", "big1", "big2",
                                         "big3", "big4", "big5", "big6", "boss"};

int OldKindIndex(const std::string& name) {
    for (int i = 0; i < static_cast<int>(std::size(kOldKindTable)); ++i) {
        if (name == kOldKindTable[i]) return i;
    }
    return -1;
}

class Reader {
public:
    Reader(StageRead& read, const ContentBook& book) : read(read), book(book) {
        newPrint.Add("names and content");
    }

    void Line(int number, const std::string& text) {
        at = number;
        // Nothing to read, and a comment neither opens nor closes on it.
        if (text.empty()) return;
        StageLine line(text);
        const bool wasOpen = comments.Open();
        if (!comments.Counts(line)) {
            if (!wasOpen) openedAt = number;
            Commented(line);
            return;
        }
        StageItem item;
        item.keyword = line.Keyword();
        item.line = number;
        switch (item.keyword) {
            case StageKeyword::Teki:
                if (!Teki(line, item)) return;
                break;
            case StageKeyword::Boss:
                if (!Boss(line, item)) return;
                break;
            case StageKeyword::Sleep:
                Sleep(line, item);
                break;
            case StageKeyword::Play:
                item.name = line.first;
                item.piece = Piece(line.first, "play");
                break;
            case StageKeyword::FadeOut:
                Int(line.first, "frame count");
                item.count = ToInt(line.first);
                break;
            case StageKeyword::Clear:
                item.name = line.first.empty() ? "1" : line.first;
                item.piece = Piece(item.name, "clear");
                break;
            case StageKeyword::GameOver:
                break;
            case StageKeyword::Background:
                if (!Colour(line, item)) return;
                break;
            case StageKeyword::StageName:
                if (!Named(line, "stage")) return;
                item.text = line.rest;
                if (!named.empty()) {
                    Find("the stage is already called \"" + named + "\" (line " +
                         std::to_string(nameAt) + "); this name is ignored");
                    return;
                }
                named = line.rest;
                nameAt = at;
                break;
            case StageKeyword::Section:
                if (!Named(line, "section")) return;
                item.text = line.rest;
                for (const StageItem& before : read.items) {
                    if (before.keyword == StageKeyword::Section && before.text == line.rest) {
                        Find("a section before is called \"" + line.rest + "\" too (line " +
                             std::to_string(before.line) +
                             "); --practice takes the first by that name");
                        break;
                    }
                }
                break;
            case StageKeyword::None:
                Other(line, text);
                return;
        }
        Fingerprint(item);
        read.items.push_back(std::move(item));
    }

    void End() {
        if (comments.Open()) {
            at = openedAt;
            Find("the comment opened here is never closed; the rest of the file is ignored");
        }
        if (read.cutAt > 0) {
            at = read.cutAt;
            Find("longer than " + Thousands(TextFile::kMaxLine) +
                 " characters: the stage ends before this line");
        }
        read.fingerprint = newPrint.Value();
        read.oldFingerprint = oldPrint.Value();
    }

private:
    void Find(const std::string& what) {
        // A finding quotes the file, which must not steer the terminal it goes to.
        read.findings.push_back("line " + std::to_string(at) + ": " + Printable(what));
    }

    // "1,023": the limits are below a million.
    static std::string Thousands(std::size_t n) {
        char text[32];
        if (n < 1000) return std::to_string(n);
        std::snprintf(text, sizeof text, "%zu,%03zu", n / 1000, n % 1000);
        return text;
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

    void X(const StageLine& line, StageItem& item) {
        item.x = ToFloat(line.second);
        if (line.second.empty()) {
            Find("no x for the " + line.first + ": it comes in at 0");
        } else if (!IsWholeFloat(line.second)) {
            char x[32];
            std::snprintf(x, sizeof x, "%g", item.x);
            Find("\"" + line.second + "\" is not a number: the " + line.first + " comes in at " +
                 x);
        }
    }

    bool Teki(const StageLine& line, StageItem& item) {
        item.name = line.first;
        item.kind = book.Kind(line.first);
        if (!item.kind) item.boss = book.Boss(line.first);
        const bool part = item.kind && (item.kind->movement == Movement::ChainLink ||
                                        item.kind->movement == Movement::ArmSatellite ||
                                        item.kind->movement == Movement::RingSatellite);
        if (part) {
            Find("\"" + line.first + "\" is a part its head brings; the line is ignored");
            return false;
        }
        if (!item.kind && !item.boss) {
            Find("no enemy kind is called \"" + line.first + "\"; the line is ignored");
            return false;
        }
        X(line, item);
        return true;
    }

    bool Boss(const StageLine& line, StageItem& item) {
        item.name = line.first;
        item.boss = book.Boss(line.first);
        if (!item.boss) {
            Find("no boss is called \"" + line.first + "\"; the line is ignored");
            return false;
        }
        X(line, item);
        return true;
    }

    void Sleep(const StageLine& line, StageItem& item) {
        Int(line.first, "frame count");
        item.count = ToInt(line.first);
        if (item.count < 0 && !stopsForGood) {
            Find("\"sleep " + line.first + "\" stops the stage for good: nothing after it runs");
            stopsForGood = true;
        }
    }

    const MusicChoice* Piece(const std::string& token, const char* command) {
        if (const MusicChoice* piece = book.Piece(token)) return piece;
        std::string said(1, '"');
        said.append(command).append(" ").append(token).append("\": ");
        // The first stage's rule: whatever it is, it reads as a number.
        if (!IsWholeInt(token)) {
            const std::string number = std::to_string(ToInt(token));
            const MusicChoice* numbered = book.Piece(number);
            said.append("no piece is called \"").append(token).append("\"; it reads as ");
            said.append(number);
            if (!numbered) said.append(", which is no piece: the line does nothing");
            Find(said);
            return numbered;
        }
        said.append("there is no piece ").append(token);
        said.append(" (0 to 7, or a piece's name); the line does nothing");
        Find(said);
        return nullptr;
    }

    // Three whole numbers, red, green and blue, each 0 to 255.
    bool Colour(const StageLine& line, StageItem& item) {
        const std::string third = Token(line.rest, 2, " ");
        item.colour = 0;
        for (const std::string& part : {line.first, line.second, third}) {
            if (!IsWholeInt(part) || ToInt(part) < 0 || ToInt(part) > 255) {
                Find(
                    "a background is three numbers 0 to 255, red, green and blue; the line "
                    "is ignored");
                return false;
            }
            item.colour = item.colour << 8 | static_cast<uint32_t>(ToInt(part));
        }
        return true;
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

    void Fingerprint(const StageItem& item) {
        auto add = [](Fnv& fnv, char what, int value) {
            fnv.AddValue(what);
            fnv.AddValue(value);
        };
        const uint32_t x = std::bit_cast<uint32_t>(item.x);
        switch (item.keyword) {
            case StageKeyword::Teki:
                if (int old = OldKindIndex(item.name); old >= 0) {
                    add(oldPrint, 'T', old);
                    oldPrint.AddValue(x);
                }
                add(newPrint, 'T', 0);
                newPrint.Add(item.name);
                newPrint.AddValue(item.kind ? book.KindPrint(item.name)
                                            : book.BossPrint(item.name));
                newPrint.AddValue(x);
                break;
            case StageKeyword::Boss:
                add(newPrint, 'B', 0);
                newPrint.Add(item.name);
                newPrint.AddValue(book.BossPrint(item.name));
                newPrint.AddValue(x);
                break;
            case StageKeyword::Sleep:
                add(oldPrint, 'S', item.count);
                add(newPrint, 'S', item.count);
                break;
            case StageKeyword::Play:
                add(oldPrint, 'P', ToInt(item.name));
                add(newPrint, 'P', 0);
                newPrint.AddValue(item.piece ? book.PiecePrint(item.name) : 0);
                break;
            case StageKeyword::FadeOut:
                add(oldPrint, 'F', item.count);
                add(newPrint, 'F', item.count);
                break;
            case StageKeyword::GameOver:
                add(oldPrint, 'G', 0);
                add(newPrint, 'G', 0);
                break;
            case StageKeyword::Background:
                add(newPrint, 'K', static_cast<int>(item.colour));
                break;
            case StageKeyword::Clear:
                add(newPrint, 'C', 0);
                newPrint.AddValue(item.piece ? book.PiecePrint(item.name) : 0);
                break;
            case StageKeyword::StageName:
            case StageKeyword::Section:
            case StageKeyword::None:
                break;
        }
    }

    StageRead& read;
    const ContentBook& book;
    StageComments comments;
    int at = 0, openedAt = 0, nameAt = 0;
    std::string named;
    bool stopsForGood = false;
    Fnv newPrint, oldPrint;
};

}  // namespace

StageRead ReadStage(const std::string& path, const std::string& mediaDir) {
    StageRead read;
    auto content = std::make_shared<ContentBook>(mediaDir, StageFolderOf(path));
    Reader reader(read, *content);
    int number = 0;
    read.readable = TextFile::ForEachLine(
        path, [&](const std::string& line) { reader.Line(++number, line); }, &read.cutAt);
    reader.End();
    for (const std::string& finding : content->Findings())
        read.findings.push_back(finding);
    read.content = std::move(content);
    return read;
}
