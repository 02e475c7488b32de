#include "game/Replay.h"

#include <charconv>
#include <random>
#include <sstream>

#include "script/StageScript.h"
#include "util/AssetPath.h"
#include "util/AssetTable.h"
#include "util/FileHash.h"

namespace {

constexpr std::string_view kMagic = "velmora replay 1";
// Ten hours of play; a longer recording is not one of ours.
constexpr long kMostSteps = 60L * 60 * 60 * 10;

std::string Hex(uint64_t value) {
    char text[17];
    auto [end, error] = std::to_chars(text, text + sizeof text, value, 16);
    return std::string(text, end);
}

bool ParseHex(std::string_view text, uint64_t& value) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool IsScore(std::string_view text) {
    return text.size() == 12 && text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

uint64_t HashModels(const std::string& mediaDir) {
    std::vector<std::string> paths;
    for (int i = 0; i < kModelCount; ++i)
        paths.push_back(ResolveAssetPath(mediaDir + AssetAt(AssetKind::Model, i).file));
    return HashFiles(paths);
}

std::string ReplayMismatch(const Replay& replay, const std::string& mediaDir) {
    const std::string stagePath =
        replay.stage.empty() ? mediaDir + AssetAt(AssetKind::Script, 0).file : replay.stage;
    if (replay.stageHash != FirstFormatFingerprint(stagePath))
        return "the stage " + stagePath + " is not the one the game was played on";
    if (replay.modelsHash != HashModels(mediaDir))
        return "the models in " + mediaDir + " are not the ones the game was played with";
    return "";
}

std::optional<Replay> PlayableReplay(std::string_view text, const std::string& mediaDir,
                                     std::string& why) {
    std::optional<Replay> replay = ReplayFromText(text, why);
    if (replay) why = ReplayMismatch(*replay, mediaDir);
    if (!why.empty()) return std::nullopt;
    return replay;
}

bool LooksLikeReplay(std::string_view text) {
    return text.substr(0, kMagic.size()) == kMagic;
}

std::string ReplayToText(const Replay& r) {
    std::ostringstream out;
    out << kMagic << '\n'
        << "version " << r.version << '\n'
        << "stage " << (r.stage.empty() ? "-" : r.stage) << '\n'
        << "stage-hash " << Hex(r.stageHash) << '\n'
        << "models-hash " << Hex(r.modelsHash) << '\n'
        << "high-score " << r.highScore << '\n'
        << "latch " << (r.toggleLatch ? 1 : 0) << '\n'
        << "random " << r.random << '\n'
        << "score " << r.score << '\n'
        << "field-hash " << Hex(r.fieldHash) << '\n'
        << "steps " << CountSteps(r.input) << '\n';
    WritePadRuns(out, r.input);
    return out.str();
}

std::optional<Replay> ReplayFromText(std::string_view text, std::string& error) {
    std::istringstream in{std::string(text)};
    std::string line;
    if (!std::getline(in, line) || line != kMagic) {
        error = "not a Velmora replay";
        return std::nullopt;
    }
    Replay r;
    // The header's lines, each a name, a space and a value, in this order.
    auto field = [&](std::string_view name, std::string& value) {
        if (!std::getline(in, line) || line.compare(0, name.size(), name) != 0 ||
            line.size() <= name.size() || line[name.size()] != ' ') {
            error = "the replay's \"" + std::string(name) + "\" line is missing";
            return false;
        }
        value = line.substr(name.size() + 1);
        return true;
    };
    std::string stage, stageHash, modelsHash, latch, fieldHash, steps;
    if (!field("version", r.version) || !field("stage", stage) || !field("stage-hash", stageHash) ||
        !field("models-hash", modelsHash) || !field("high-score", r.highScore) ||
        !field("latch", latch) || !field("random", r.random) || !field("score", r.score) ||
        !field("field-hash", fieldHash) || !field("steps", steps)) {
        return std::nullopt;
    }
    r.stage = stage == "-" ? "" : stage;
    std::mt19937 generator;
    std::istringstream random(r.random);
    long count = 0;
    auto [end, bad] = std::from_chars(steps.data(), steps.data() + steps.size(), count);
    if (!ParseHex(stageHash, r.stageHash) || !ParseHex(modelsHash, r.modelsHash) ||
        !ParseHex(fieldHash, r.fieldHash) || !IsScore(r.highScore) || !IsScore(r.score) ||
        (latch != "0" && latch != "1") || !(random >> generator) || bad != std::errc() ||
        end != steps.data() + steps.size() || count < 1 || count > kMostSteps) {
        error = "the replay's header is damaged";
        return std::nullopt;
    }
    r.toggleLatch = latch == "1";
    r.input = ReadPadRuns(in, count);
    if (CountSteps(r.input) != count) {
        error = "the replay holds " + std::to_string(CountSteps(r.input)) + " of its " +
                std::to_string(count) + " steps";
        return std::nullopt;
    }
    return r;
}
