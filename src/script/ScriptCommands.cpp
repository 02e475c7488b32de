#include "script/ScriptCommands.h"

#include "content/ContentBook.h"
#include "script/StageHost.h"
#include "script/StageScript.h"
#include "world/Boss.h"
#include "world/KindEnemy.h"

void SpawnCommand::Execute() {
    SpawnKind(host.Field(), kind, x);
}

void BossCommand::Execute() {
    // A boss takes a slot kept for bosses: a crowded field never costs the stage its end.
    if (!SpawnBoss(host.Field(), boss, x)) return;
    host.BossFightBegins(endsStage);
    script.Halt();
}

void SleepCommand::Execute() {
    script.Sleep(frames);
}

void PlayCommand::Execute() {
    if (piece) host.PlayMusic(*piece);
}

void FadeOutCommand::Execute() {
    host.FadeOutMusic(frames);
}

void GameOverCommand::Execute() {
    host.GameOver();
}

void BackgroundCommand::Execute() {
    host.Field().floorColour = colour;
}

void ClearCommand::Execute() {
    host.ClearStage(piece ? *piece : MusicChoice{});
}
