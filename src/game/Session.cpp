#include "game/Session.h"

#include <filesystem>
#include <iterator>
#include <sstream>

#include "game/Scenes.h"
#include "world/WorldHash.h"

namespace {

// The pieces the stage and the ending ask for by number.
constexpr MusicRef kMusicTable[] = {"qz_disky",       "qz_megami(or)", "qz_disky", "qz_disky",
                                    "qz_bossbattle1", "qz_disky",      "qz_disky", "qz_disky"};
static_assert(std::size(kMusicTable) == kStagePieces);
constexpr int kEndingPiece = 1;
// The delivered stage is written for the lowest difficulty.
constexpr float kDifficulty = 0.0f;
// Room for the input of a long game (the bot's whole stage takes about 2,800
// runs), so that recording does not allocate while the game runs.
constexpr std::size_t kRunsReserved = 16384;

}  // namespace

Session::Session(SceneHost& host, const WorldAssets& assets, StageFile stageFile,
                 std::string version)
    : host(host),
      world(assets, *this),
      stageFile(std::move(stageFile)),
      stage(this->stageFile.path, *this),
      stageHash(HashStage(this->stageFile.path)),
      version(std::move(version)) {
    world.SetDifficulty(kDifficulty);
}

std::optional<MusicRef> Session::MusicPiece(int n) {
    if (n < 0 || n >= static_cast<int>(std::size(kMusicTable))) return std::nullopt;
    return kMusicTable[n];
}

void Session::Restore(const Replay& replay) {
    std::mt19937 random;
    std::istringstream(replay.random) >> random;
    world.SetRandomState(random);
    world.HighScore().SetFromText(replay.highScore);
}

void Session::Begin(bool toggleLatch) {
    Replay& r = recording.emplace();
    r.version = version;
    // By its absolute path, so that it plays from any folder.
    if (!stageFile.own) {
        std::error_code e;
        std::filesystem::path path = std::filesystem::absolute(stageFile.path, e);
        r.stageFile = e ? stageFile.path : path.string();
    }
    r.stageHash = stageHash;
    r.highScore = world.GetHighScore().Text();
    std::ostringstream random;
    random << world.RandomState();
    r.random = random.str();
    r.toggleLatch = toggleLatch;
    r.input.reserve(kRunsReserved);
    world.BeginGame();
    endingMusicOn = false;
    cleared = false;
}

void Session::Record(const PadState& pad) {
    if (recording) AppendSteps(recording->input, pad);
}

std::optional<Replay> Session::Finish() {
    if (recording) {
        recording->score = world.GetScore().Text();
        recording->fieldHash = HashWorld(world);
    }
    return std::exchange(recording, std::nullopt);
}

void Session::End() {
    world.Clear();
}

void Session::GameOver() {
    host.CreateScene<::GameOver>(world.ScoreIsHighScore());
}

void Session::HaltStage() {
    stage.Halt();
}

void Session::BossWarning() {
    host.CreateScene<Warning>();
}

void Session::BossFightEnded() {
    stage.Resume();
    cleared = true;
    // What follows the boss: the ending.
    if (host.CreateScene<GameClear>(*MusicPiece(kEndingPiece))) endingMusicOn = true;
}

void Session::PlayMusic(int n) {
    if (std::optional<MusicRef> piece = MusicPiece(n)) host.PlayMusic(*piece);
}

void Session::FadeOutMusic(int frames) {
    host.CreateScene<MusicFade>(frames, 1.0f, 0.0f);
}
