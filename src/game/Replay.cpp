#include "game/Replay.h"

#include "content/StageOrder.h"
#include "game/Levels.h"
#include "script/StageCatalogue.h"
#include "script/StageCheck.h"
#include "script/StageScript.h"
#include "util/AssetPath.h"
#include "util/AssetTable.h"
#include "util/FileData.h"
#include "util/FileHash.h"
#include "util/StringUtil.h"

uint64_t HashModels(const std::string& mediaDir) {
    std::vector<std::string> paths;
    for (int i = 0; i < kModelCount; ++i)
        paths.push_back(ResolveAssetPath(mediaDir + AssetAt(AssetKind::Model, i).file));
    return HashFiles(paths);
}

std::string ReplayMismatch(const Replay& replay, const std::string& mediaDir) {
    const bool whole = replay.stageFile == kWholeGameMark;
    const bool delivered = replay.stageFile.empty() || whole;
    const std::string stagePath =
        delivered ? DeliveredStage(mediaDir) : StageFileOf(replay.stageFile, mediaDir);
    std::vector<std::string> chain;
    if (whole) {
        chain = PackStages(mediaDir, [](const std::string&) {});
        if (chain.empty())
            return "it is a game of the whole game, and this game has one stage only";
        chain.insert(chain.begin(), stagePath);
    }
    const std::string shown = Printable(stagePath);
    // A stage the catalogue would not take is not the one played, whatever its
    // fingerprint: one rule for both, so no replay passes here and then finds
    // no stage to play on.
    if (std::string why = StageFileProblem(ResolveAssetPath(stagePath)); !why.empty()) {
        std::string where = delivered || stagePath.starts_with('/')
                                ? ""
                                : " (a path from the folder the game was started in)";
        return "the stage " + shown + where + " it was played on cannot be read: " + why;
    }
    // The first format fingerprinted the file's bytes; the second what the
    // stage plays, with the kinds by their place in the game's table; now the
    // kinds count by name and content.
    StageRead read = ReadStage(stagePath, mediaDir);
    uint64_t fingerprint = replay.format == 1   ? FirstFormatFingerprint(stagePath)
                           : replay.format == 2 ? read.oldFingerprint
                                                : read.fingerprint;
    if (whole) {
        std::vector<uint64_t> prints;
        for (const std::string& path : chain)
            prints.push_back(ReadStage(path, mediaDir).fingerprint);
        fingerprint = ChainFingerprint(prints);
    }
    if (replay.stageHash != fingerprint)
        return "the stage " + shown + " has changed since the game was played on it";
    if (replay.modelsHash != HashModels(mediaDir))
        return "the models in " + Printable(mediaDir) +
               " are not the ones the game was played with";
    if (!FindLevel(replay.level))
        return "it was played at a level this game does not have: " + Printable(replay.level);
    if (!replay.section.empty()) {
        // The stage's own rule, read as the game reads it.
        if (FindPracticeStart(PracticeStartsOf(read), replay.section) < 0)
            return "the stage has no section " + Printable(replay.section) + " any more";
    }
    return "";
}

std::optional<Replay> PlayableReplay(std::string_view text, const std::string& mediaDir,
                                     std::string& why) {
    std::optional<Replay> replay = ReplayFromText(text, why);
    if (replay) why = ReplayMismatch(*replay, mediaDir);
    if (!why.empty()) return std::nullopt;
    return replay;
}
