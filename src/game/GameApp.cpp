#include "game/GameApp.h"

#include "game/Scene.h"
#include "graphics/RenderSetup.h"
#include "world/Background.h"
#include "world/BombBlast.h"
#include "world/Effect.h"
#include "world/Enemy.h"
#include "world/EnemyBullet.h"
#include "world/Item.h"
#include "world/PlayerShip.h"
#include "world/PlayerShot.h"
#include "world/PlayerStates.h"
#include "world/ScorePopup.h"

namespace {

GameApp* application = nullptr;

constexpr const char* kGlyphOrder = "0123456789@?{}ABCDEFGHIJKLMNOPQRSTUVWXYZ=.";
constexpr int kScoreDigits = 12;
constexpr int kStartLives = 3;
constexpr int kStartOptions = 2;
// One effect slot stays free for the player's death, so a field full of
// effects can never swallow it.
constexpr int kEffectsReservedForDeath = 1;
// 1 / (2^32 - 1): outputs map onto [0, 1] with both ends reachable.
constexpr double kRandomScale = 1.0 / 4294967295.0;

}  // namespace

GameApp& App() {
    return *application;
}

GameApp::GameApp(Platform& platform) : AppFramework("Velmora", platform) {
    application = this;
    confirmClose = false;
    window->ShowCursor(false);

    titleTexture = LoadTexture("title.png");
    lifeIconTexture = LoadTexture("ship.png");
    bombTexture = LoadTexture("bomb.png");
    aTexture = LoadTexture("a.png");

    video = std::make_unique<VideoBackground>(platform, *device, *window, exeDir,
                                              [this] { ResetClock(); });

    LoadModels();
    font = LoadFont("fonts.png", kGlyphOrder);

    soundPlayer = std::make_unique<SoundPlayer>(platform.CreateAudioBackend());
    LoadSounds();
    musicPlayer = std::make_unique<MusicPlayer>(platform.CreateMusicBackend());
    musicPlayer->SetVolume(1.0f);

    CreatePools();
    score = std::make_unique<DigitCounter>(kScoreDigits);
    highScore = std::make_unique<DigitCounter>(kScoreDigits);
}

GameApp::~GameApp() {
    // Objects may still reach the game while they go.
    ClearPools();
    application = nullptr;
}

void GameApp::LoadModels() {
    GameModels& m = models;
    m.obj1 = LoadMesh("obj1");
    m.beam = LoadMesh("beam");
    m.crash1 = LoadMesh("crash_1");
    m.crash2 = LoadMesh("crash_2");
    m.obj2 = LoadMesh("obj2");
    m.big1 = LoadMesh("big1");
    m.obj3 = LoadMesh("obj3");
    m.obj4 = LoadMesh("obj4");
    m.item1 = LoadMesh("item1");
    m.item2 = LoadMesh("item2");
    m.effect1 = LoadMesh("effect1");
    m.bg1 = LoadMesh("bg1");
    m.ship = LoadMesh("ship");
    m.shot = LoadMesh("shot");
    m.obj5 = LoadMesh("obj5");
    m.obj6 = LoadMesh("obj6");
    m.bomb1 = LoadMesh("bomb1");
    m.bomb2 = LoadMesh("bomb2");
    m.bomb3 = LoadMesh("bomb3");
    m.bomb4 = LoadMesh("bomb4");
    m.bomb5 = LoadMesh("bomb5");
    m.bullet1 = LoadMesh("bullet1");
    m.bullet2 = LoadMesh("bullet2");
    m.needle1 = LoadMesh("needle1");
    m.needle2 = LoadMesh("needle2");
    bulletTable = ModelTable{{m.bullet1.get(), m.bullet2.get()}, 0.01f};
    needleTable = ModelTable{{m.needle1.get(), m.needle2.get()}, 0.0f};
}

void GameApp::LoadSounds() {
    SoundTable& s = soundTable;
    s.sndShot = LoadSound("shot.wav");
    s.sndLaser = LoadSound("laser.wav");
    s.sndBom1 = LoadSound("bom1.wav");
    s.sndCrash = LoadSound("crash.wav");
    s.sndBossOut = LoadSound("boss_out.wav");
    s.sndCap1 = LoadSound("cap.wav");
    s.sndCap2 = LoadSound("cap.wav");
    s.sndBomb1 = LoadSound("bomb.wav");
    s.sndBomb2 = LoadSound("bomb.wav");
    s.sndKasuri = LoadSound("kasuri.wav");
    s.sndVoiceOption = LoadSound("voice_option.wav");
}

void GameApp::CreatePools() {
    backgroundPool = std::make_unique<ObjectPool>(Background::kSlotSize, 2);
    bombPool = std::make_unique<ObjectPool>(BombBlast::kSlotSize, 2);
    bulletPool = std::make_unique<ObjectPool>(EnemyBullet::kSlotSize, 2000);
    effectPool = std::make_unique<ObjectPool>(Effect::kSlotSize, 2000, kEffectsReservedForDeath);
    enemyPool = std::make_unique<ObjectPool>(Enemy::kSlotSize, 500);
    itemPool = std::make_unique<ObjectPool>(Item::kSlotSize, 2000);
    playerPool = std::make_unique<ObjectPool>(PlayerShip::kSlotSize, 2);
    playerShotPool = std::make_unique<ObjectPool>(PlayerShot::kSlotSize, 100);
    scenePool = std::make_unique<ObjectPool>(Scene::kSlotSize, 10);
    popupPool = std::make_unique<ObjectPool>(ScorePopup::kSlotSize, 2000);
}

void GameApp::ClearPools() {
    for (auto* pool : {&backgroundPool, &bombPool, &bulletPool, &effectPool, &enemyPool, &itemPool,
                       &playerPool, &playerShotPool, &scenePool, &popupPool}) {
        (*pool)->Clear();
    }
}

std::unique_ptr<Mesh> GameApp::LoadMesh(const std::string& name) {
    return std::make_unique<Mesh>(*device, exeDir + "Media/Model/" + name + ".x");
}

std::unique_ptr<Texture> GameApp::LoadTexture(const std::string& name) {
    return std::make_unique<Texture>(*device, exeDir + "Media/Texture/" + name);
}

std::unique_ptr<BitmapFont> GameApp::LoadFont(const std::string& name,
                                              const std::string& glyphOrder) {
    // 32 columns and 7 rows of cells; 8-pixel glyphs with a 2-pixel shadow.
    return std::make_unique<BitmapFont>(*device, exeDir + "Media/Font/" + name, glyphOrder,
                                        0.03125f, 0.14285715f, 8.0f, 8.0f, 2.0f, 2.0f);
}

SoundEffect GameApp::LoadSound(const std::string& name) {
    return soundPlayer->Load(exeDir + "Media/Sound/" + name);
}

void GameApp::StartGame() {
    score->Set(0);
    lives = kStartLives;
    frameCounter = 0;
    player = Create<PlayerEntry>(kStartOptions);
    Create<Background>();
    endingMusicOn = false;
    // Without a video the background keeps its own still picture: the model's
    // material is made to be multiplied by a texture and glares white without one.
    if (video->Texture()) {
        models.bg1->ReplaceTextures(video->Texture());
    } else {
        models.bg1->RestoreTextures();
    }
    video->Restart();
}

void GameApp::AddScore(int points) {
    score->Add(points);
    if (score->Compare(*highScore) > 0) highScore->Copy(*score);
}

double GameApp::NextRandom() {
    return random() * kRandomScale;
}

void GameApp::SetPaused(bool pause) {
    paused = pause;
    PauseMusic(pause);
}

void GameApp::PauseMusic(bool pause) {
    if (pause) {
        musicPlayer->Pause();
    } else {
        musicPlayer->Play();
    }
}

void GameApp::Update() {
    RunMusicRule();
    video->Loop();
    input->Update();
    ReadToggles();
    if (halted) return;
    if (!paused) {
        if (slowDivisor > 0 && frameCounter % slowDivisor == 0) {
            bulletPool->UpdateAll();
            enemyPool->UpdateAll();
        }
        backgroundPool->UpdateAll();
        bombPool->UpdateAll();
        effectPool->UpdateAll();
        itemPool->UpdateAll();
        playerPool->UpdateAll();
        playerShotPool->UpdateAll();
        popupPool->UpdateAll();
        ++frameCounter;
    }
    scenePool->UpdateAll();
    if (returnToTitle) ReturnToTitle();
}

void GameApp::RunMusicRule() {
    if (video->IsSoundOn() && !endingMusicOn) {
        StopMusic();
    } else if (musicPlayer->IsComplete()) {
        musicPlayer->SetPosition(0.0);
        musicPlayer->Play();
    }
}

void GameApp::ReadToggles() {
    // Press edges only; one latch covers both keys.
    const PadState& pad = Pad();
    bool freeze = pad.buttons[3], catchUp = pad.buttons[4];
    if (!toggleLatch && freeze) halted = !halted;
    if (!toggleLatch && catchUp) clock.catchUp = !clock.catchUp;
    toggleLatch = freeze || catchUp;
}

void GameApp::ReturnToTitle() {
    StopMusic();
    ClearPools();
    returnToTitle = false;
}

void GameApp::Render() {
    video->UploadNewestFrame();
    RenderBackend* backend = device->GetDevice();
    if (backend) backend->SetViewport(Viewport{0, 0, device->GetWidth(), device->GetHeight()});
    device->Clear(0x00000000);
    backgroundPool->DrawAll();
    bombPool->DrawAll();
    effectPool->DrawAll();
    playerShotPool->DrawAll();
    playerPool->DrawAll();
    itemPool->DrawAll();
    enemyPool->DrawAll();
    bulletPool->DrawAll();
    popupPool->DrawAll();
    scenePool->DrawAll();
}

void GameApp::RestoreDeviceObjects() {
    ApplyGameRenderState(*device);
}
