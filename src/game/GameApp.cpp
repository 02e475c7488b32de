#include "game/GameApp.h"

#include "game/Hud.h"
#include "game/Scenes.h"
#include "graphics/RenderSetup.h"

namespace {

constexpr const char* kGlyphOrder = "0123456789@?{}ABCDEFGHIJKLMNOPQRSTUVWXYZ=.";
constexpr int kScenes = 10;
// The pieces the stage and the ending ask for by number.
constexpr MusicRef kMusicTable[] = {"qz_disky",       "qz_megami(or)", "qz_disky", "qz_disky",
                                    "qz_bossbattle1", "qz_disky",      "qz_disky", "qz_disky"};

}  // namespace

GameApp::GameApp(Platform& platform)
    : AppFramework("Velmora", platform),
      scenePool(Scene::kSlotSize, kScenes),
      highScoreFile(SavePath(platform.GameSaveDir()), SavePath(platform.UserSaveDir())) {
    confirmClose = false;
    window->ShowCursor(false);
    LoadAssets();

    WorldAssets assets;
    for (int i = 0; i < kModelCount; ++i)
        assets.models[i] = models[i].get();
    assets.font = font.get();
    assets.soundPlayer = soundPlayer.get();
    assets.sounds = sounds;
    assets.screen = device.get();
    world = std::make_unique<World>(assets, static_cast<GameFlow&>(*this));
    highScoreFile.Read(world->HighScore());
    stage = std::make_unique<StageScript>(MediaPath(AssetKind::Script, 0),
                                          static_cast<StageHost&>(*this));
}

GameApp::~GameApp() {
    highScoreFile.Write(world->GetHighScore());
    // Scenes and objects may still reach the game while they go.
    scenePool.Clear();
    world.reset();
}

std::string GameApp::SavePath(const std::string& dir) {
    return dir.empty() ? dir : dir + AssetAt(AssetKind::Settings, 0).file;
}

std::string GameApp::MediaPath(AssetKind kind, int index) const {
    return exeDir + "Media/" + AssetAt(kind, index).file;
}

void GameApp::LoadAssets() {
    for (int i = 0; i < kTextureCount; ++i)
        textures[i] = std::make_unique<Texture>(*device, MediaPath(AssetKind::Texture, i));

    // A dialog's time is not caught up afterwards.
    video = std::make_unique<VideoBackground>(platform, *device, *window, exeDir,
                                              [this] { ResetClock(); });

    for (int i = 0; i < kModelCount; ++i)
        models[i] = std::make_unique<Mesh>(*device, MediaPath(AssetKind::Model, i));

    // 32 columns and 7 rows of cells; 8-pixel glyphs with a 2-pixel shadow.
    font = std::make_unique<BitmapFont>(*device, MediaPath(AssetKind::Font, 0), kGlyphOrder,
                                        0.03125f, 0.14285715f, 8.0f, 8.0f, 2.0f, 2.0f);

    soundPlayer = std::make_unique<SoundPlayer>(platform.CreateAudioBackend());
    for (int i = 0; i < kSoundCount; ++i)
        sounds[i] = soundPlayer->Load(MediaPath(AssetKind::Sound, i));
    musicPlayer = std::make_unique<MusicPlayer>(platform.CreateMusicBackend());
    musicPlayer->SetVolume(1.0f);
}

void GameApp::ShowTitle() {
    CreateScene<TitleMenu>();
}

void GameApp::StartGame() {
    world->BeginGame();
    CreateScene<GetReady>();
    endingMusicOn = false;
    // Without a video the background keeps its own still picture: the model's
    // material is made to be multiplied by a texture and glares white without one.
    Mesh& background = world->Model("bg1");
    if (video->Texture()) {
        background.ReplaceTextures(video->Texture());
    } else {
        background.RestoreTextures();
    }
    video->Restart();
}

void GameApp::SetPaused(bool pause) {
    world->SetPaused(pause);
    PauseMusic(pause);
}

void GameApp::PlayMusic(int n) {
    if (n < 0 || n >= static_cast<int>(std::size(kMusicTable))) return;
    musicPlayer->Open(MediaPath(AssetKind::Music, kMusicTable[n].index));
    musicPlayer->SetVolume(1.0f);
    musicPlayer->Play();
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
    world->SetPad(Pad());
    ReadToggles();
    if (world->IsHalted()) return;
    world->Step();
    scenePool.UpdateAll();
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
    bool freeze = pad.Held(kButtonFreeze), catchUp = pad.Held(kButtonCatchUp);
    if (!toggleLatch && freeze) world->SetHalted(!world->IsHalted());
    if (!toggleLatch && catchUp) clock.catchUp = !clock.catchUp;
    toggleLatch = freeze || catchUp;
}

void GameApp::ReturnToTitle() {
    StopMusic();
    world->Clear();
    scenePool.Clear();
    ShowTitle();
    returnToTitle = false;
}

void GameApp::Render() {
    video->UploadNewestFrame();
    RenderBackend* backend = device->GetDevice();
    if (backend) backend->SetViewport(Viewport{0, 0, device->GetWidth(), device->GetHeight()});
    device->Clear(0x00000000);
    world->Draw();
    scenePool.DrawAll();
    DrawHeadUpDisplay(backend, *font, GetTexture("lifeIcon"), *world, device->GetHeight());
}

void GameApp::RestoreDeviceObjects() {
    ApplyGameRenderState(*device);
}

void GameApp::GameOver() {
    CreateScene<::GameOver>();
}

void GameApp::HaltStage() {
    stage->Halt();
}

void GameApp::BossWarning() {
    CreateScene<Warning>();
}

void GameApp::BossFightEnded() {
    stage->Resume();
    // The boss is gone: its gauge goes with it, not only when the ending ends.
    world->SetBossGauge(0.0f);
    CreateScene<GameClear>();
}

void GameApp::FadeOutMusic(int frames) {
    CreateScene<MusicFade>(frames, 1.0f, 0.0f);
}
