// The game's side of the score table: what a game came to, and its entry
// under the player's name.
#include <pwd.h>
#include <unistd.h>
#include <algorithm>

#include <cstdlib>
#include <ctime>

#include "game/GameApp.h"

namespace {

std::string Today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[16] = "0000-00-00";
    if (localtime_r(&now, &local)) std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

// Who is logged in, as the name first offered for the table.
std::string LoginName() {
    for (const char* variable : {"USER", "LOGNAME"}) {
        const char* value = std::getenv(variable);
        if (value && !TableName(value).empty()) return value;
    }
    const passwd* entry = getpwuid(getuid());
    return entry && entry->pw_name ? entry->pw_name : "";
}

}  // namespace

GameResult GameApp::ResultOf(const Replay& played) {
    const GameSetup& setup = session->Setup();
    const World& world = session->Field();
    GameResult result;
    result.score = played.score;
    result.grazes = world.tally.grazes;
    result.destroyed = world.tally.destroyed;
    result.items = world.tally.items;
    result.livesLost = world.tally.livesLost;
    result.practice = setup.practice;
    for (const PadRun& run : played.input)
        result.steps += static_cast<int>(run.steps);
    result.reached = "START";
    const StageScript& stage = session->Stage();
    for (const StageSection& start : stage.PracticeStarts())
        if (start.command <= stage.Position()) result.reached = start.name;
    if (session->Cleared()) result.reached = "CLEAR";
    unentered.reset();
    if (!setup.practice) {
        std::string key = Records::KeyText(RecordOf(*setup.stage, *setup.level));
        result.makesTable = scoreTable.Makes(key, played.score);
        if (result.makesTable)
            unentered.emplace(key, ScoreEntry{played.score, Today(), result.reached, ""});
    }
    return result;
}

std::vector<ScoreEntry> GameApp::ChosenTop() {
    const Records::Key key = RecordOf(catalogue.At(chosenStage), *chosenLevel);
    // Games kept before kinds had names stand in the table with the newer ones.
    std::vector<ScoreEntry> top = scoreTable.Top(Records::KeyText(key));
    for (const ScoreEntry& old : scoreTable.Top(Records::OldKeyText(key)))
        top.push_back(old);
    std::stable_sort(top.begin(), top.end(),
                     [](const ScoreEntry& a, const ScoreEntry& b) { return a.score > b.score; });
    if (top.size() > static_cast<std::size_t>(ScoreTable::kPlaces)) top.resize(ScoreTable::kPlaces);
    return top;
}

std::string GameApp::OfferedName() const {
    if (!settings.playerName.empty()) return settings.playerName;
    std::string login = TableName(LoginName());
    return login.empty() ? "PLAYER" : login;
}

int GameApp::EnterLastGame(const std::string& name) {
    if (!unentered) return -1;
    std::string kept = TableName(name);
    if (kept.empty()) kept = OfferedName();
    if (kept != settings.playerName) {
        settings.playerName = kept;
        KeepSettings({{setting::kPlayerName}});
    }
    auto [key, entry] = *std::exchange(unentered, std::nullopt);
    entry.name = kept;
    return scoreTable.Enter(key, entry);
}
