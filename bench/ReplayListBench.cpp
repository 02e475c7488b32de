// The REPLAYS screen's list of a folder of 500 replays of a stage's length, a
// few of them damaged, empty or huge: it must open at once (100 ms at most).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "game/Replay.h"
#include "game/ReplayList.h"
#include "game/ReplayName.h"

namespace fs = std::filesystem;

namespace {

// A folder of its own, made once and removed at the end.
class Shelf {
public:
    Shelf()
        : folder(fs::temp_directory_path() /
                 ("velmora_bench_replays_" + std::to_string(getpid()))) {
        fs::create_directories(folder);
        Replay game;
        game.version = "0.1";
        game.stageName = "FIRST STAGE";
        game.highScore = game.score = "000000001000";
        std::ostringstream random;
        random << std::mt19937{};
        game.random = random.str();
        // The bot's run of the whole stage takes about 2,800 runs of steps.
        for (long i = 0; i < 2800; ++i)
            game.input.push_back({1 + i % 7, PadFromText(i % 2 ? "LZ" : "RZ")});
        std::string text = ReplayToText(game);
        for (int i = 0; i < 495; ++i)
            std::ofstream(folder / ReplayFileName(1'700'000'000 + 60 * i, game.score, "stage"))
                << text;
        std::ofstream(folder / "empty.replay");
        std::ofstream(folder / "cut.replay") << text.substr(0, 4000);
        std::ofstream(folder / "binary.replay") << std::string(1 << 16, '\x9c');
        std::ofstream(folder / "huge.replay");
        fs::resize_file(folder / "huge.replay", 200u << 20);
        fs::create_symlink("/dev/zero", folder / "zero.replay");
    }
    ~Shelf() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    fs::path folder;
};

void BM_ListFiveHundredReplays(benchmark::State& state) {
    static Shelf shelf;
    for (auto _ : state) {
        std::vector<ReplayEntry> list = ListReplays(shelf.folder.string(), true);
        benchmark::DoNotOptimize(list.data());
    }
    state.SetLabel("500 files");
}
BENCHMARK(BM_ListFiveHundredReplays)->Unit(benchmark::kMillisecond);

}  // namespace
