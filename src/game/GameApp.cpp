#include "game/GameApp.h"

GameApp::GameApp(Platform& platform) : AppFramework("Velmora", platform) {
    confirmClose = false;
    window->ShowCursor(false);
}

void GameApp::Update() {
    input->Update();
}

void GameApp::Render() {
    device->Clear(0x00000000);
}
