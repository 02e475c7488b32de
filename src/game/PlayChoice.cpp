#include "game/PlayChoice.h"

#include <filesystem>

#include "content/StageOrder.h"
#include "game/Levels.h"
#include "script/StageCatalogue.h"
#include "script/StageCheck.h"
#include "util/StringUtil.h"

PlayChoiceCheck CheckPlayChoice(const PlayChoice& choice, const std::string& mediaDir) {
    PlayChoiceCheck check;
    if (!choice.level.empty() && !FindLevel(choice.level)) {
        check.refusal = "there is no level \"" + Printable(choice.level) +
                        "\" (the levels: " + LevelNames() + ")";
        check.showUsage = true;
        return check;
    }
    if (!choice.stage.empty()) {
        if (std::string problem = StageFileProblem(choice.stage); !problem.empty()) {
            check.refusal = "--stage " + Printable(choice.stage) + ": " + problem;
            return check;
        }
    }
    if (!choice.practice.empty()) {
        std::string sections;
        check.practiceStart =
            NamedPracticeStart(choice.stage.empty() ? DeliveredStage(mediaDir) : choice.stage,
                               mediaDir, choice.practice, sections);
        if (check.practiceStart < 0) {
            check.refusal = "the stage has no section \"" + Printable(choice.practice) +
                            "\"; its sections:\n" + sections;
            check.refusal.pop_back();  // the program adds its own line end
            check.showUsage = true;
        }
    }
    return check;
}

NamedStage StageNamed(const std::string& stage, const std::string& mediaDir,
                      const std::function<void(const std::string&)>& say) {
    std::error_code error;
    if (stage.empty() || std::filesystem::exists(stage, error)) return {stage, false};
    StageCatalogue own(DeliveredStage(mediaDir), PackStages(mediaDir, say), "", "", say);
    std::string lowered = stage;
    for (char& c : lowered)
        c = AsciiLower(c);
    const int named = lowered == "all" ? own.WholeGame() : own.Named(stage);
    if (named >= 0 && named == own.WholeGame()) return {"", true};
    if (named >= 0) return {own.At(named).path, false};
    return {stage, false};
}
