// How a replay reads and writes as text: a line naming it and its format, then
// the header, a "name value" line each in a fixed order, then a line per run of
// equal steps.
#include <algorithm>
#include <charconv>
#include <span>
#include <sstream>

#include "game/Replay.h"
#include "world/World.h"

namespace {

constexpr std::string_view kMagic = "velmora replay ";
// Ten hours of play; a longer recording is not one of ours.
constexpr long kMostSteps = 60L * 60 * 60 * 10;
// What stands for the delivered stage where a file's path would.
constexpr std::string_view kDeliveredStage = "-";

// The header's lines in their order, in the first format and in the second.
constexpr std::string_view kFirstHeader[] = {"version",    "stage", "stage-hash", "models-hash",
                                             "high-score", "latch", "random",     "score",
                                             "field-hash", "steps"};
constexpr std::string_view kHeader[] = {"version",     "stage-name", "stage",      "stage-hash",
                                        "models-hash", "level",      "practice",   "section",
                                        "options",     "finished",   "high-score", "latch",
                                        "random",      "score",      "field-hash", "steps"};

// A text as lines, a '\r' before a line's end dropped.
class Lines {
public:
    explicit Lines(std::string_view text) : rest(text) {}

    // The next line; whole: it ended with a line break, not with the text.
    bool Next(std::string_view& line, bool& whole) {
        if (rest.empty()) return false;
        std::size_t end = rest.find('\n');
        whole = end != std::string_view::npos;
        line = rest.substr(0, end);
        rest.remove_prefix(whole ? end + 1 : rest.size());
        if (line.ends_with('\r')) line.remove_suffix(1);
        ++number;
        return true;
    }
    long Number() const { return number; }

private:
    std::string_view rest;
    long number = 0;
};

// A value on one line: control bytes and '%' as %XX, and a value that would
// read as the delivered stage's mark spelled out too, so any byte survives.
std::string Escape(std::string_view value) {
    std::string text;
    for (char c : value) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f || c == '%') {
            constexpr char kDigits[] = "0123456789ABCDEF";
            text += '%';
            text += kDigits[byte >> 4];
            text += kDigits[byte & 15];
        } else {
            text += c;
        }
    }
    if (text == kDeliveredStage) return "%2D";
    return text;
}

bool Unescape(std::string_view text, std::string& value) {
    value.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            value += text[i];
            continue;
        }
        unsigned byte = 0;
        if (text.size() - i < 3) return false;
        auto [end, error] = std::from_chars(text.data() + i + 1, text.data() + i + 3, byte, 16);
        if (error != std::errc() || end != text.data() + i + 3) return false;
        value += static_cast<char>(byte);
        i += 2;
    }
    return true;
}

std::string Hex(uint64_t value) {
    char text[17];
    auto [end, error] = std::to_chars(text, text + sizeof text, value, 16);
    return std::string(text, end);
}

bool ParseHex(std::string_view text, uint64_t& value) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool ParseLong(std::string_view text, long& value) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool ParseFlag(std::string_view text, bool& value) {
    if (text != "0" && text != "1") return false;
    value = text == "1";
    return true;
}

bool IsScore(std::string_view text) {
    return text.size() == kScoreDigits &&
           text.find_first_not_of("0123456789") == std::string_view::npos;
}

// A std::mt19937 as it writes itself: its 624 words of 32 bits and its
// position among them, each after a single space.
bool IsRandomState(std::string_view text) {
    constexpr int kWords = 624;
    uint32_t value = 0;
    for (int i = 0; i <= kWords; ++i) {
        if (i > 0) {
            if (!text.starts_with(' ')) return false;
            text.remove_prefix(1);
        }
        auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end == text.data()) return false;
        text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    }
    return text.empty() && value <= kWords;
}

// The format named by the text's first line; 0 when it names none.
long FormatOf(std::string_view firstLine) {
    long format = 0;
    if (!firstLine.starts_with(kMagic) || !ParseLong(firstLine.substr(kMagic.size()), format))
        return 0;
    return format;
}

// The header's values by their names, read from the lines in their order.
class Header {
public:
    Header(Lines& lines, std::string& error) : lines(lines), error(error) {}

    bool Read(std::span<const std::string_view> names) {
        for (std::string_view name : names) {
            std::string_view line;
            bool whole = false;
            // A header cut short is no header, even when its last line reads.
            if (!lines.Next(line, whole) || !whole || !line.starts_with(name) ||
                (line.size() > name.size() && line[name.size()] != ' ')) {
                error = "the replay's \"" + std::string(name) + "\" line is missing";
                return false;
            }
            line.remove_prefix(std::min(line.size(), name.size() + 1));
            values.push_back(line);
        }
        this->names = names;
        return true;
    }

    std::string_view Value(std::string_view name) const {
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i] == name) return values[i];
        }
        return {};
    }

    // Whether the named value reads; the reason when it does not.
    bool Check(std::string_view name, bool read) {
        if (!read && error.empty())
            error = "the replay's \"" + std::string(name) + "\" line is damaged";
        return read;
    }

    bool Text(std::string_view name, std::string& value, bool mayBeEmpty = true) {
        return Check(name, Unescape(Value(name), value) && (mayBeEmpty || !value.empty()));
    }

private:
    Lines& lines;
    std::string& error;
    std::span<const std::string_view> names;
    std::vector<std::string_view> values;
};

std::optional<Replay> ReadHeader(Lines& lines, long& steps, std::string& error) {
    error.clear();
    std::string_view line;
    bool whole = false;
    long format = lines.Next(line, whole) ? FormatOf(line) : 0;
    if (format < 1) {
        error = "not a Velmora replay";
        return std::nullopt;
    }
    if (format > kReplayFormat) {
        error = "the replay was made by a newer version of the game";
        return std::nullopt;
    }
    Replay r;
    r.format = static_cast<int>(format);
    Header header(lines, error);
    if (r.format == 1 ? !header.Read(kFirstHeader) : !header.Read(kHeader)) return std::nullopt;

    bool read = true;
    if (r.format == 1) {
        // Its stage is the path as the player typed it.
        r.version = header.Value("version");
        std::string_view stage = header.Value("stage");
        r.stageFile = stage == kDeliveredStage ? "" : std::string(stage);
        read = header.Check("version", !r.version.empty()) && header.Check("stage", !stage.empty());
    } else {
        std::string_view stage = header.Value("stage");
        long options = -1;
        read = header.Text("version", r.version) && header.Text("stage-name", r.stageName) &&
               (stage == kDeliveredStage || header.Text("stage", r.stageFile, false)) &&
               header.Text("level", r.level) &&
               header.Check("practice", ParseFlag(header.Value("practice"), r.practice)) &&
               header.Text("section", r.section) &&
               header.Check("options", ParseLong(header.Value("options"), options) &&
                                           options >= 0 && options <= kMostStartOptions) &&
               header.Check("finished", ParseFlag(header.Value("finished"), r.finished));
        r.startOptions = static_cast<int>(options);
    }
    r.highScore = header.Value("high-score");
    r.random = header.Value("random");
    r.score = header.Value("score");
    read = read && header.Check("stage-hash", ParseHex(header.Value("stage-hash"), r.stageHash)) &&
           header.Check("models-hash", ParseHex(header.Value("models-hash"), r.modelsHash)) &&
           header.Check("high-score", IsScore(r.highScore)) &&
           header.Check("latch", ParseFlag(header.Value("latch"), r.toggleLatch)) &&
           header.Check("random", IsRandomState(r.random)) &&
           header.Check("score", IsScore(r.score)) &&
           header.Check("field-hash", ParseHex(header.Value("field-hash"), r.fieldHash)) &&
           header.Check("steps", ParseLong(header.Value("steps"), steps) && steps >= 1 &&
                                     steps <= kMostSteps);
    if (!read) return std::nullopt;
    return r;
}

}  // namespace

bool LooksLikeReplay(std::string_view text) {
    return text.starts_with(kMagic);
}

bool IsNewerReplay(std::string_view text) {
    return FormatOf(text.substr(0, text.find('\n'))) > kReplayFormat;
}

std::string ReplayToText(const Replay& r) {
    // An empty value leaves its name alone on the line.
    auto field = [](std::string_view name, const std::string& value) {
        return std::string(name) + (value.empty() ? "" : " " + value) + "\n";
    };
    std::string stage = r.stageFile.empty() ? std::string(kDeliveredStage) : Escape(r.stageFile);
    std::ostringstream out;
    out << kMagic << kReplayFormat << '\n'
        << field("version", Escape(r.version)) << field("stage-name", Escape(r.stageName))
        << field("stage", stage) << field("stage-hash", Hex(r.stageHash))
        << field("models-hash", Hex(r.modelsHash)) << field("level", Escape(r.level))
        << field("practice", r.practice ? "1" : "0") << field("section", Escape(r.section))
        << field("options", std::to_string(r.startOptions))
        << field("finished", r.finished ? "1" : "0") << field("high-score", r.highScore)
        << field("latch", r.toggleLatch ? "1" : "0") << field("random", r.random)
        << field("score", r.score) << field("field-hash", Hex(r.fieldHash))
        << field("steps", std::to_string(CountSteps(r.input)));
    WritePadRuns(out, r.input);
    return out.str();
}

std::optional<Replay> ReplayHeaderFromText(std::string_view start, long& steps,
                                           std::string& error) {
    Lines lines(start);
    return ReadHeader(lines, steps, error);
}

std::optional<Replay> ReplayFromText(std::string_view text, std::string& error) {
    Lines lines(text);
    long steps = 0;
    std::optional<Replay> r = ReadHeader(lines, steps, error);
    if (!r) return std::nullopt;
    long read = 0;
    std::string_view line;
    bool whole = false;
    for (PadRun run{}; lines.Next(line, whole);) {
        if (!PadRunFromText(line, run)) {
            error = "the replay's line " + std::to_string(lines.Number()) + " is not a step";
            return std::nullopt;
        }
        if (run.steps > steps - read) {
            error = "the replay holds more than the " + std::to_string(steps) +
                    " steps its header says";
            return std::nullopt;
        }
        read += run.steps;
        r->input.push_back(run);
    }
    if (read < steps) {
        error = "the replay holds " + std::to_string(read) + " of its " + std::to_string(steps) +
                " steps";
        return std::nullopt;
    }
    return r;
}
