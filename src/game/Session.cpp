#include "game/Session.h"

#include <filesystem>
#include <iterator>
#include <sstream>

#include "content/ContentBook.h"
#include "game/Scenes.h"
#include "world/PlayerShip.h"
#include "world/WorldHash.h"

namespace {

// What the ending plays after a boss whose fight ends the stage.
constexpr MusicRef kEndingPiece = "qz_megami(or)";
// Room for the input of a long game (the bot's whole stage takes about 2,800
// runs), so that recording does not allocate while the game runs.
constexpr std::size_t kRunsReserved = 16384;

}  // namespace

Session::Session(SceneHost& host, const WorldAssets& assets, std::string version,
                 std::string mediaDir)
    : host(host),
      world(assets, *this),
      version(std::move(version)),
      mediaDir(std::move(mediaDir)) {}

StageScript& Session::StageIn(const std::string& path) {
    std::unique_ptr<StageScript>& kept = stages[path];
    StageHost& commands = *this;
    if (!kept) kept = std::make_unique<StageScript>(path, mediaDir, commands);
    return *kept;
}

void Session::Forget(const std::string& path) {
    auto kept = stages.find(path);
    if (kept == stages.end()) return;
    if (stage == kept->second.get()) stage = nullptr;
    stages.erase(kept);
}

void Session::Restore(const Replay& replay) {
    std::mt19937 random;
    std::istringstream(replay.random) >> random;
    world.SetRandomState(random);
    world.HighScore().SetFromText(replay.highScore);
}

void Session::Begin(const GameSetup& game, bool toggleLatch) {
    setup = game;
    chainAt = 0;
    stage = &StageIn(setup.stage->path);
    world.UseStageModels(stage->Content().ModelFiles());
    Replay& r = recording.emplace();
    r.version = version;
    // Where it came from: by its absolute path, so that it plays from any folder.
    r.stageName = setup.stage->name;
    // The game's own stages by their names, so that the replay plays wherever the game is.
    switch (setup.stage->origin) {
        case StageOrigin::Delivered:
            r.stageFile.clear();
            break;
        case StageOrigin::Pack:
            r.stageFile = setup.stage->setting;
            break;
        case StageOrigin::WholeGame:
            r.stageFile = kWholeGameMark;
            break;
        default:
            r.stageFile = setup.stage->path;
            break;
    }
    r.stageHash = FingerprintOf(*setup.stage);
    r.level = setup.level->name;
    r.practice = setup.practice;
    std::vector<StageSection> starts = stage->PracticeStarts();
    if (setup.start >= 0 && setup.start < static_cast<int>(starts.size()))
        r.section = starts[static_cast<std::size_t>(setup.start)].name;
    r.startOptions = setup.options;
    r.highScore = world.GetHighScore().Text();
    std::ostringstream random;
    random << world.RandomState();
    r.random = random.str();
    r.toggleLatch = toggleLatch;
    r.input.reserve(kRunsReserved);
    world.SetDifficulty(setup.level->difficulty);
    world.SetPatternRank(setup.level->patternRank);
    world.BeginGame(setup.options);
    endingMusicOn = false;
    cleared = false;
    tallying = false;
    over = false;
    bossEndsStage = false;
    stageStart = world.tally;
}

void Session::StartTimeline() {
    int command = 0;
    std::vector<StageSection> starts;
    // A practice starts in the first stage; the whole game's next ones from their tops.
    const int start = chainAt == 0 ? setup.start : -1;
    if (start >= 0) starts = stage->PracticeStarts();
    if (start >= 0 && start < static_cast<int>(starts.size())) {
        command = starts[static_cast<std::size_t>(start)].command;
        // As if every line before it had run at once.
        StageMusic music = stage->MusicBefore(command);
        if (music.piece) PlayMusic(*music.piece);
        if (music.fadedOut) host.Music().SetMusicVolume(0.0f);
        stage->LookAsBefore(command);
    }
    stage->StartAt(command);
}

void Session::Record(const PadState& pad) {
    if (recording) AppendSteps(recording->input, pad);
}

std::optional<Replay> Session::Finish() {
    if (recording) {
        recording->score = world.GetScore().Text();
        // Left before its game over or its ending: kept, but marked so.
        recording->finished = over || cleared;
        recording->fieldHash = HashWorld(world);
    }
    return std::exchange(recording, std::nullopt);
}

void Session::TakeOver() {
    setup.practice = true;
    if (recording) recording->practice = true;
}

void Session::End() {
    world.Clear();
}

void Session::GameOver() {
    over = true;
    // Practice keeps no record, so it makes none.
    host.CreateScene<::GameOver>(!setup.practice && world.ScoreIsHighScore());
}

void Session::BossWarning() {
    host.CreateScene<Warning>();
}

void Session::BossFightEnded() {
    // The first stage's boss ends its fight once for each of its last parts.
    if (tallying) return;
    if (stage) stage->Resume();
    if (bossEndsStage) ClearStage(kEndingPiece);
}

void Session::BossFightBegins(bool endsStage) {
    bossEndsStage = endsStage;
}

void Session::ClearStage(const MusicChoice& piece) {
    // In the whole game a stage cleared is followed by the next: its tally first.
    if (setup.stage && chainAt + 1 < setup.stage->chain.size()) {
        if (tallying) return;
        tallying = true;
        stage->Halt();
        const World::Tally& now = world.tally;
        host.CreateScene<StageTally>(
            setup.stage->chainNames[chainAt],
            StageTally::Given{now.grazes - stageStart.grazes, now.items - stageStart.items,
                              world.GetLives()});
        return;
    }
    cleared = true;
    if (host.CreateScene<GameClear>(piece)) endingMusicOn = true;
}

void Session::NextStage() {
    // A game lost during the tally ends there.
    if (over || !setup.stage || chainAt + 1 >= setup.stage->chain.size()) return;
    ++chainAt;
    tallying = false;
    stage = &StageIn(setup.stage->chain[chainAt]);
    world.UseStageModels(stage->Content().ModelFiles());
    const PlayerShip* ship = world.GetPlayer();
    world.BeginStage(ship ? ship->optionCount : World::kStartOptions);
    stageStart = world.tally;
    bossEndsStage = false;
    host.CreateScene<GetReady>(StageCard());
}

std::string Session::StageCard() const {
    if (!recording) return "";
    if (!setup.stage->chain.empty()) return setup.stage->chainNames[chainAt];
    // The delivered stage alone starts as it always did, with GET READY alone.
    return setup.stage->origin == StageOrigin::Delivered ? "" : setup.stage->name;
}

int Session::TimelinePosition() {
    int before = 0;
    for (std::size_t i = 0; i < chainAt; ++i)
        before += StageIn(setup.stage->chain[i]).Count();
    return before + stage->Position();
}

std::vector<int> Session::SectionMarks(const GameSetup& game) {
    std::vector<int> marks;
    std::vector<std::string> paths = game.stage->chain;
    if (paths.empty()) paths.push_back(game.stage->path);
    int before = 0;
    for (const std::string& path : paths) {
        const StageScript& script = StageIn(path);
        for (const StageSection& start : script.PracticeStarts())
            marks.push_back(before + start.command);
        before += script.Count();
    }
    return marks;
}

uint64_t Session::FingerprintOf(const CataloguedStage& choice) {
    if (choice.chain.empty()) return StageIn(choice.path).Fingerprint();
    std::vector<uint64_t> prints;
    for (const std::string& path : choice.chain)
        prints.push_back(StageIn(path).Fingerprint());
    return ChainFingerprint(prints);
}

void Session::PlayMusic(const MusicChoice& piece) {
    host.Music().PlayMusic(piece);
}

void Session::FadeOutMusic(int frames) {
    host.CreateScene<MusicFade>(frames, 1.0f, 0.0f);
}
