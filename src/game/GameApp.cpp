#include "game/GameApp.h"

#include <cstdio>
#include <filesystem>

#include "app/BuildInfo.h"
#include "game/Hud.h"
#include "game/RenderSetup.h"
#include "game/Scenes.h"
#include "graphics/Glyphs.h"
#include "input/ScriptedInput.h"

namespace {
constexpr int kScenes = 10;
}  // namespace

GameApp::GameApp(Platform& platform, const std::string& stagePath)
    : AppFramework("Velmora", platform),
      mediaDir(platform.MediaDir()),
      scenePool(Scene::kSlotSize, kScenes),
      shelf(ReplayFolder(platform.UserSaveDir()), [this] { return HashModels(mediaDir); }) {
    confirmClose = false;
    window->ShowCursor(false);
    LoadAssets();
    StageFile stage{MediaPath(AssetKind::Script, 0), true};
    if (!stagePath.empty()) stage = {stagePath, false};
    session = std::make_unique<Session>(*this, FieldAssets(), stage, GameVersion());
    highScoreFile = ScoresFor(stage);
    highScoreFile.Read(session->Field().HighScore());
}

GameApp::~GameApp() {
    // A game that reached its ending is a finished game, even when the player
    // leaves during the credits.
    if (!replay && session->Cleared()) FinishGame();
    shelf.Flush();
    if (!replay) highScoreFile.Write(session->Field().GetHighScore());
    // Scenes may still reach the game while they go.
    scenePool.Clear();
    session.reset();
}

std::string GameApp::SavePath(const std::string& dir) {
    return dir.empty() ? dir : dir + AssetAt(AssetKind::Settings, 0).file;
}

HighScoreFile GameApp::ScoresFor(const StageFile& stage) const {
    if (stage.own) return {SavePath(platform.GameSaveDir()), SavePath(platform.UserSaveDir())};
    // A stage of the player's keeps a best score of its own, by its name and
    // its text: an edited stage starts again from nothing.
    std::string user = platform.UserSaveDir();
    if (user.empty()) return {"", ""};
    char hash[20];
    std::snprintf(hash, sizeof hash, "%016llx",
                  static_cast<unsigned long long>(session->StageHash()));
    std::string name = std::filesystem::path(stage.path).stem().string();
    std::error_code ignored;
    std::filesystem::create_directories(user + "stages/", ignored);
    return {user + "stages/" + name + "-" + hash + ".ini", ""};
}

std::string GameApp::ReplayFolder(const std::string& dir) {
    return dir.empty() ? dir : dir + "replays/";
}

void GameApp::PlayReplay(const Replay& recorded) {
    // Its steps become the input; what is kept is what the game must come to.
    replay = recorded;
    replay->input = {};
    // The step that starts the game, as the title's START would, holds nothing.
    std::vector<PadRun> steps{{1, PadState{}}};
    steps.insert(steps.end(), recorded.input.begin(), recorded.input.end());
    auto input = std::make_unique<ScriptedInput>(std::move(steps));
    replayInput = input.get();
    this->input->Override(std::move(input));
    session->Restore(recorded);
    CreateScene<ReplayStart>();
}

std::string GameApp::MediaPath(AssetKind kind, int index) const {
    return mediaDir + AssetAt(kind, index).file;
}

void GameApp::LoadAssets() {
    for (int i = 0; i < kTextureCount; ++i)
        textures[i] = std::make_unique<Texture>(*device, MediaPath(AssetKind::Texture, i));

    // A dialog's time is not caught up afterwards.
    video = std::make_unique<VideoBackground>(platform, *device, *window, mediaDir,
                                              [this] { ResetClock(); });

    for (int i = 0; i < kModelCount; ++i)
        models[i] = std::make_unique<Mesh>(*device, MediaPath(AssetKind::Model, i));

    // 32 columns and 7 rows of cells; 8-pixel glyphs with a 2-pixel shadow.
    font = std::make_unique<BitmapFont>(*device, MediaPath(AssetKind::Font, 0),
                                        std::string(kGlyphOrder), 0.03125f, 0.14285715f, 8.0f, 8.0f,
                                        2.0f, 2.0f);

    soundPlayer = std::make_unique<SoundPlayer>(platform.CreateAudioBackend());
    for (int i = 0; i < kSoundCount; ++i)
        sounds[i] = soundPlayer->Load(MediaPath(AssetKind::Sound, i));
    musicPlayer = std::make_unique<MusicPlayer>(platform.CreateMusicBackend());
    musicPlayer->SetVolume(1.0f);
}

WorldAssets GameApp::FieldAssets() const {
    WorldAssets assets;
    for (int i = 0; i < kModelCount; ++i)
        assets.models[i] = models[i].get();
    assets.font = font.get();
    assets.soundPlayer = soundPlayer.get();
    assets.sounds = sounds;
    assets.screen = device.get();
    return assets;
}

void GameApp::ShowTitle() {
    CreateScene<TitleMenu>();
}

void GameApp::StartGame() {
    if (replay) toggleLatch = replay->toggleLatch;
    session->Begin(toggleLatch);
    CreateScene<GetReady>();
    // Without a video the background keeps its own still picture: the model's
    // material is made to be multiplied by a texture and glares white without one.
    Mesh& background = session->Field().Model("bg1");
    if (video->Texture()) {
        background.ReplaceTextures(video->Texture());
    } else {
        background.RestoreTextures();
    }
    video->Restart();
}

void GameApp::SetPaused(bool pause) {
    session->Field().SetPaused(pause);
    PauseMusic(pause);
}

void GameApp::PlayMusic(MusicRef piece) {
    musicPlayer->Open(MediaPath(AssetKind::Music, piece.index));
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
    session->Record(Pad());
    World& world = session->Field();
    world.SetPad(Pad());
    ReadToggles();
    if (!world.IsHalted()) {
        world.Step();
        scenePool.UpdateAll(world);
        if (returnToTitle) ReturnToTitle();
    }
    // A replay that ends before the title comes back was left by its player.
    if (replay && !replayEnded && replayInput->Finished()) FinishGame();
}

void GameApp::RunMusicRule() {
    if (video->IsSoundOn() && !session->EndingMusicOn()) {
        StopMusic();
    } else if (musicPlayer->IsComplete()) {
        musicPlayer->SetPosition(0.0);
        musicPlayer->Play();
    }
}

void GameApp::ReadToggles() {
    // Press edges only; one latch covers both keys.
    const PadState& pad = Pad();
    World& world = session->Field();
    bool freeze = pad.Held(kButtonFreeze), catchUp = pad.Held(kButtonCatchUp);
    if (!toggleLatch && freeze) world.SetHalted(!world.IsHalted());
    if (!toggleLatch && catchUp) clock.catchUp = !clock.catchUp;
    toggleLatch = freeze || catchUp;
}

void GameApp::ReturnToTitle() {
    FinishGame();
    session->End();
    // A pause that goes with its scene resumes the music: stop it after.
    scenePool.Clear();
    StopMusic();
    ShowTitle();
    returnToTitle = false;
}

void GameApp::FinishGame() {
    std::optional<Replay> finished = session->Finish();
    if (!finished) return;
    Replay& played = *finished;
    if (!replay) {
        lastGame = played;
        shelf.Keep(std::move(played), session->StageSource().path);
        return;
    }
    replayEnded = true;
    replayMatched = played.score == replay->score && played.fieldHash == replay->fieldHash;
    if (replayMatched) {
        std::fprintf(stderr, "velmora: the replay ended as it was recorded, at %s points\n",
                     played.score.c_str());
    } else {
        std::fprintf(stderr,
                     "velmora: the replay went its own way: it ended at %s points, not %s\n",
                     played.score.c_str(), replay->score.c_str());
    }
    window->PostQuitMessage(replayMatched ? 0 : 1);
}

void GameApp::Render() {
    video->UploadNewestFrame();
    RenderBackend* backend = device->GetDevice();
    if (backend) backend->SetViewport(Viewport{0, 0, device->GetWidth(), device->GetHeight()});
    device->Clear(0x00000000);
    const World& world = session->Field();
    world.Draw();
    scenePool.DrawAll(world);
    DrawHeadUpDisplay(backend, *font, GetTexture("lifeIcon"), world, device->GetHeight());
}

void GameApp::RestoreDeviceObjects() {
    ApplyGameRenderState(*device);
}
