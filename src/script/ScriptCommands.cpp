#include "script/ScriptCommands.h"

#include "script/StageHost.h"
#include "script/StageScript.h"

void SpawnCommand::Execute() {
    kind.create(host.Field(), x);
}

void SleepCommand::Execute() {
    script.Sleep(frames);
}

void PlayCommand::Execute() {
    host.PlayMusic(piece);
}

void FadeOutCommand::Execute() {
    host.FadeOutMusic(frames);
}

void GameOverCommand::Execute() {
    host.GameOver();
}
