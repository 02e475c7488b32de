#include "game/GameApp.h"

#include <cstdio>

#include "app/BuildInfo.h"
#include "content/StageOrder.h"
#include "game/Hud.h"
#include "game/PlaybackBar.h"
#include "game/RenderSetup.h"
#include "game/Scenes.h"
#include "graphics/Glyphs.h"
#include "graphics/Quad.h"
#include "input/ScriptedInput.h"
#include "script/StageCheck.h"
#include "util/StepClock.h"
#include "util/StringUtil.h"

namespace {

constexpr int kScenes = 10;

std::string SaveFolder(const std::string& dir, const char* name) {
    return dir.empty() ? dir : dir + name;
}

void SayOnStderr(const std::string& what) {
    std::fprintf(stderr, "velmora: %s\n", what.c_str());
}

int Wrapped(int value, int count) {
    return (value % count + count) % count;
}

}  // namespace

GameApp::GameApp(Platform& platform, GameStart start)
    : AppFramework("Velmora", platform),
      mediaDir(platform.MediaDir()),
      scenePool(kScenes),
      catalogue(DeliveredStage(mediaDir), PackStages(mediaDir, SayOnStderr),
                SaveFolder(platform.UserSaveDir(), "stages/"), start.stage, SayOnStderr),
      records(
          HighScoreFile(SaveFolder(platform.GameSaveDir(), AssetAt(AssetKind::Settings, 0).file),
                        SaveFolder(platform.UserSaveDir(), AssetAt(AssetKind::Settings, 0).file)),
          SaveFolder(platform.UserSaveDir(), "records.ini"),
          SaveFolder(platform.UserSaveDir(), "stages/")),
      scoreTable(SaveFolder(platform.UserSaveDir(), "scores.txt")),
      shelf(SaveFolder(platform.UserSaveDir(), "replays/"),
            [this] { return HashModels(mediaDir); }),
      settings(std::move(start.settings)),
      settingsPath(std::move(start.settingsPath)),
      keyNames(platform.GetKeyNames()),
      chosenStage(catalogue.Chosen(settings.stage)) {
    window->ShowCursor(false);
    LoadAssets();
    SceneHost& scenes = *this;
    session = std::make_unique<Session>(scenes, FieldAssets(), GameVersion(), mediaDir);
    ShowBackgroundAsSet();
    if (start.wholeGame && catalogue.WholeGame() >= 0) chosenStage = catalogue.WholeGame();
    if (const Level* level = FindLevel(start.level.empty() ? settings.level : start.level))
        chosenLevel = level;
    ShowChosenRecord();
}

GameApp::~GameApp() {
    // A game left by quitting is kept as any other, and its score counts; a
    // replay being watched is no game, but what this run's games earned before
    // it still is. Only a program started to show a replay keeps nothing.
    if (!replay) FinishGame();
    shelf.Flush();
    if (!replay || replayFrom == ReplayFrom::Shelf) records.Save();
    // Scenes may still reach the game while they go.
    scenePool.Clear();
    session.reset();
}

std::string GameApp::MediaPath(AssetKind kind, int index) const {
    return mediaDir + AssetAt(kind, index).file;
}

void GameApp::LoadAssets() {
    for (int i = 0; i < kTextureCount; ++i)
        textures[i] = std::make_unique<Texture>(*device, MediaPath(AssetKind::Texture, i));

    // A dialog's time is not caught up afterwards.
    video = std::make_unique<VideoBackground>(platform, *device, *window, mediaDir, settings.video,
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
    music =
        std::make_unique<GameMusic>(std::make_unique<MusicPlayer>(platform.CreateMusicBackend()));
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
    CreateScene<TitleMenu>(static_cast<int>(returnRow));
}

Records::Key GameApp::RecordOf(const CataloguedStage& stage, const Level& level) {
    Records::Key key;
    key.delivered = stage.origin == StageOrigin::Delivered;
    key.stage = session->FingerprintOf(stage);
    if (stage.chain.empty()) key.oldStage = session->StageIn(stage.path).OldFingerprint();
    if (!key.delivered && &level == &kLevels[0])
        key.firstFormat = FirstFormatFingerprint(stage.path);
    key.level = &level;
    return key;
}

void GameApp::ShowChosenRecord() {
    const std::string best = records.Best(RecordOf(catalogue.At(chosenStage), *chosenLevel));
    session->Field().HighScore().SetFromText(best);
}

std::string GameApp::ChangeLevel(int by) {
    int count = static_cast<int>(Levels().size());
    chosenLevel = &kLevels[Wrapped(static_cast<int>(chosenLevel - kLevels) + by, count)];
    ShowChosenRecord();
    settings.level = LevelName();
    for (char& c : settings.level)
        c = AsciiLower(c);
    return KeepSettings({{setting::kLevel}});
}

std::string GameApp::ChangeStage(int by) {
    chosenStage = Wrapped(chosenStage + by, catalogue.Count());
    ShowChosenRecord();
    settings.stage = catalogue.At(chosenStage).setting;
    std::string said = KeepSettings({{setting::kStage}});
    const std::size_t findings = session->StageIn(catalogue.At(chosenStage).path).Findings().size();
    // What is wrong in the stage is the simulator's to list: the row says there is some.
    if (said.empty() && findings > 0) {
        said = std::to_string(findings);
        said.append(findings == 1 ? " FINDING" : " FINDINGS");
        said.append(" IN THIS STAGE: VELMORA-SIM --CHECK LISTS THEM");
    }
    return said;
}

std::vector<std::string> GameApp::PracticeStarts() const {
    std::vector<std::string> names;
    for (const StageSection& start :
         session->StageIn(catalogue.At(chosenStage).path).PracticeStarts())
        names.push_back(start.name);
    return names;
}

std::vector<std::string> GameApp::PracticeStartTimes() const {
    std::vector<std::string> times;
    for (const StageCheck::Start& start :
         CheckStage(catalogue.At(chosenStage).path, mediaDir).starts) {
        std::string time = start.afterBoss ? "BOSS+" : "";
        time += StepsAsClock(start.steps);
        times.push_back(time);
    }
    return times;
}

void GameApp::StartGame() {
    GameSetup setup;
    if (replay) {
        // Taken when the replay began: the catalogue keeps what it took.
        std::string why;
        std::optional<GameSetup> recorded = ReplaySetup(*replay, why);
        if (!recorded) return;
        setup = *recorded;
        toggleLatch = replay->toggleLatch;
    } else {
        // A new player reads how to play first (a run without a player's
        // settings, as tests and the simulator are, has no new player).
        if (!settings.shownHowToPlay && !settingsPath.empty()) {
            settings.shownHowToPlay = true;
            KeepSettings({{setting::kShownHowToPlay}});
            if (CreateScene<HowToPlay>(true)) return;
        }
        setup.stage = &catalogue.At(chosenStage);
        setup.level = chosenLevel;
    }
    Begin(setup);
}

std::optional<GameSetup> GameApp::ReplaySetup(const Replay& recorded, std::string& why) {
    GameSetup setup;
    int stage = recorded.stageFile.empty() ? 0
                : recorded.stageFile == kWholeGameMark
                    ? catalogue.WholeGame()
                    : catalogue.Include(StageFileOf(recorded.stageFile, mediaDir), why);
    if (stage < 0 && why.empty()) why = "this game has no other stages to play it on";
    if (stage < 0) {
        why = "the stage " + Printable(recorded.stageFile) + " cannot be played: " + why;
        return std::nullopt;
    }
    setup.stage = &catalogue.At(stage);
    if (const Level* level = FindLevel(recorded.level)) setup.level = level;
    setup.practice = recorded.practice;
    if (!recorded.section.empty())
        setup.start = FindPracticeStart(session->StageIn(setup.stage->path).PracticeStarts(),
                                        recorded.section);
    setup.options = recorded.startOptions;
    return setup;
}

bool GameApp::Practice(int start, int options) {
    const CataloguedStage& stage = catalogue.At(chosenStage);
    int starts = static_cast<int>(session->StageIn(stage.path).PracticeStarts().size());
    if (start < 0 || start >= starts) return false;
    return CreateScene<PracticeStart>(start, options) != nullptr;
}

void GameApp::StartPractice(int start, int options) {
    const CataloguedStage& stage = catalogue.At(chosenStage);
    Begin(GameSetup{&stage, chosenLevel, true, start, options});
}

void GameApp::Begin(const GameSetup& setup) {
    session->Begin(setup, toggleLatch);
    CreateScene<GetReady>(session->StageCard());
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
    music->Pause(pause);
}

void GameApp::PlayMusic(const MusicChoice& piece) {
    if (piece.pack >= 0) {
        music->Play(MediaPath(AssetKind::Music, piece.pack));
    } else if (!piece.file.empty()) {
        music->Play(piece.file);
    }
}

void GameApp::Update() {
    WatchStage();
    if (watchNoticeFrames > 0 && --watchNoticeFrames == 0) watchNotice.clear();
    RunMusicRule();
    video->Loop();
    input->Update();
    soundPlayer->NewFrame();
    if (playback) {
        // The viewer may take the game over or leave it here.
        PlaybackControls controls = ViewerControls();
        viewerPad = input->GetState();
        if (playback) playback->Frame(controls);
        // A replay that ends before the title comes back was left by its player.
        if (playback && replay && !replayEnded && playback->AtEnd()) FinishGame();
        if (replayEnded) AfterReplay();
    } else {
        Step(input->GetState());
    }
    presses.Clear();
}

void GameApp::Step(const PadState& given) {
    PadState pad = given;
    if (escPress) pad.buttons[*std::exchange(escPress, std::nullopt)] = true;
    stepPad = pad;
    session->Record(pad);
    World& world = session->Field();
    world.SetPad(pad);
    ReadToggles();
    if (world.IsHalted()) return;
    world.Step();
    scenePool.UpdateAll();
    if (returnToTitle) ReturnToTitle();
    if (toWatch) {
        std::string why = PlayReplay(*std::exchange(toWatch, std::nullopt), ReplayFrom::Shelf);
        if (!why.empty()) SayOnStderr("the replay cannot be played: " + why);
    }
}

void GameApp::RunMusicRule() {
    if (video->IsSoundOn() && !session->EndingMusicOn()) {
        music->Stop();
    } else {
        music->Loop();
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
    music->Stop();
    returnToTitle = false;
    // A replay played to its end: what follows it is not the title.
    if (replayEnded) return;
    returnRow = session->Setup().practice ? TitleRow::Practice : TitleRow::Start;
    ShowChosenRecord();
    ShowTitle();
    // The title waits under what the game came to.
    if (lastResult) CreateScene<Results>(*std::exchange(lastResult, std::nullopt));
}

void GameApp::FinishGame() {
    std::optional<Replay> finished = session->Finish();
    if (!finished) return;
    Replay& played = *finished;
    if (!replay) {
        const GameSetup& setup = session->Setup();
        if (!setup.practice) records.Offer(RecordOf(*setup.stage, *setup.level), played.score);
        lastResult = ResultOf(played);
        lastGame = played;
        shelf.Keep(std::move(played), setup.stage->path);
        return;
    }
    replayEnded = true;
    replayMatched = played.score == replay->score && played.fieldHash == replay->fieldHash;
    verdict = replayMatched ? "THE REPLAY ENDED AS IT WAS RECORDED" : "THE REPLAY WENT ITS OWN WAY";
    endedAt = played.score;
}

void GameApp::OnEscape() {
    if (playback) {
        LeaveReplay();
        return;
    }
    // In a game Esc is the pause key (or, asking, the pause menu's back), so a
    // replay plays it as it was; the player's settings may keep its written
    // quit at once. Elsewhere it goes back from a menu, and where nothing takes
    // it, it quits as it always did.
    if (!settings.escQuits && session->Recording() && scenePool.Has(SceneKind::StageRunner) &&
        !scenePool.Has(SceneKind::GameOver)) {
        const Pause* pause = nullptr;
        for (Scene* scene : Each<Scene>(scenePool.Pool()))
            pause = pause ? pause : dynamic_cast<const Pause*>(scene);
        escPress = pause && pause->confirming ? kButtonHover : kButtonPause;
        return;
    }
    if (!scenePool.Back()) AppFramework::OnEscape();
}

void GameApp::Render() {
    video->UploadNewestFrame();
    RenderBackend* backend = device->GetDevice();
    if (backend) backend->SetViewport(Viewport{0, 0, device->GetWidth(), device->GetHeight()});
    device->Clear(0x00000000);
    const World& world = session->Field();
    world.Draw();
    scenePool.DrawAll();
    DrawHeadUpDisplay(
        backend, *font, GetTexture("lifeIcon"), world, device->GetHeight(),
        {.practice = session->Practising(), .catchUp = clock.catchUp, .notice = watchNotice});
    if (playback) DrawPlaybackBar(backend, *font, *playback);
}

void GameApp::Fill(float x, float y, float width, float height, uint32_t color) const {
    FillRect(device->GetDevice(), x, y, width, height, color);
}

void GameApp::RestoreDeviceObjects() {
    ApplyGameRenderState(*device);
}
