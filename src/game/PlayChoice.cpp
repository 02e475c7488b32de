#include "game/PlayChoice.h"

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
