#pragma once
// Every stage the game can play: its own (the first, then the pack's others),
// the player's (each *.txt in their stages folder) and one named on the
// command line. The one place that says which stages there are, where each is
// and what it is called.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Delivered is the first stage, as it always was; Pack the game's others;
// WholeGame all of the game's own, one after another.
enum class StageOrigin { Delivered, Pack, WholeGame, Player, CommandLine };

struct CataloguedStage {
    // As the title shows it: its "stage" line, or else its file's name, in the
    // font's glyphs and cut to fit.
    std::string name;
    std::string path;  // absolute; the whole game's is its first stage's
    StageOrigin origin;
    // How the settings remember it: the file's name in the player's folder,
    // "game:" and the file's name for the pack's others; empty for the rest.
    std::string setting;
    // The whole game's stages in order, and their names; empty for any other.
    std::vector<std::string> chain{}, chainNames{};
};

class StageCatalogue {
public:
    // Names shown are at most this long.
    static constexpr std::size_t kNameLength = 32;

    // deliveredPath: the game's first stage; packStages: its others, in
    // order; playerFolder: the player's stages (may be empty or missing);
    // commandLine: a file named with --stage, or empty. Files that are no
    // stage (not a regular file, unreadable, binary, too large) are left out,
    // each with a line to `report`.
    StageCatalogue(const std::string& deliveredPath, const std::vector<std::string>& packStages,
                   const std::string& playerFolder, const std::string& commandLine,
                   const std::function<void(const std::string&)>& report);

    const std::vector<CataloguedStage>& Stages() const { return stages; }
    const CataloguedStage& At(int i) const { return stages[static_cast<std::size_t>(i)]; }
    int Count() const { return static_cast<int>(stages.size()); }
    // The stage to start with: the one named on the command line, else the
    // one the settings remember by that value, else the whole game, else the
    // delivered stage.
    int Chosen(const std::string& setting) const;
    // The whole game's place; -1 when the game has one stage only.
    int WholeGame() const { return wholeGame; }
    // A catalogued stage by its name as shown, in any letter case; -1 for none.
    int Named(const std::string& name) const;
    // The stage in a file, listed or added now (a recorded game's, played on a
    // stage named on another day): -1, with the reason, when it cannot be one.
    int Include(const std::string& path, std::string& problem);

private:
    void Add(const std::string& path, StageOrigin origin, const std::string& setting);

    std::vector<CataloguedStage> stages;
    int named = -1;
    int wholeGame = -1;
};

// The game's own stage in a folder of the game's files (with its trailing '/').
std::string DeliveredStage(const std::string& mediaDir);
// How a replay names one of the game's other stages, wherever the game's files
// are: "game:" and its file's name, as the settings remember it.
inline constexpr std::string_view kPackStageMark = "game:";
// How a replay and the settings name the whole game.
inline constexpr std::string_view kWholeGameMark = "game:all";
// The file a replay's stage names: a pack stage's in mediaDir, any other as written.
std::string StageFileOf(const std::string& named, const std::string& mediaDir);

// Why the file cannot be a stage (missing, not a regular file, unreadable,
// too large, not text); empty when it can.
std::string StageFileProblem(const std::string& path);
// The stage's name as the title shows it, from the text of its "stage" line
// (or, with none, its file's name).
std::string ShownStageName(const std::string& written, const std::string& path);
