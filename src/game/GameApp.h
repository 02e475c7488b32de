#pragma once
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/AppFramework.h"
#include "audio/SoundPlayer.h"
#include "game/GameMusic.h"
#include "game/Playback.h"
#include "game/Records.h"
#include "game/ReplayShelf.h"
#include "game/Scene.h"
#include "game/Session.h"
#include "game/VideoBackground.h"
#include "graphics/BitmapFont.h"
#include "graphics/Mesh.h"
#include "graphics/Texture.h"
#include "input/Presses.h"
#include "script/StageCatalogue.h"
#include "util/AssetTable.h"

// How the game starts: what the command line and the player's settings chose.
struct GameStart {
    // --stage: a stage file of the player's, chosen on the title.
    std::string stage;
    // --stage all: the whole game is chosen on the title.
    bool wholeGame = false;
    // --level, by name in any case; else the settings' level, else the first.
    std::string level;
    // The player's settings as read at start (the title's stage and level
    // among them), and the file they are kept in: the title's choices and the
    // SETTINGS screen's changes are written there. Without a file a change
    // holds for this run.
    Settings settings;
    std::string settingsPath;
};

// The game's application object: loads and owns the assets, the scenes, the
// music, the video, the stages and the records, keeps the play-through, and
// orders every step and every frame.
class GameApp : public AppFramework,
                public SceneHost,
                private SceneScreen,
                private GameControl,
                private MusicControl,
                private TitleChoices,
                private ReplayTheatre,
                private OptionsControl,
                private ScoreBoard,
                private PlaybackHost {
public:
    explicit GameApp(Platform& platform, GameStart start = {});
    // Keeps the records (and the replay of a game under way) for the next run.
    ~GameApp() override;

    void Update() override;
    void Render() override;
    void RestoreDeviceObjects() override;
    void OnEscape() override;
    void OnFullScreenSwitched() override;
    void OnKeyPressed(int scancode) override { presses.Key(scancode); }
    void OnPadButtonPressed(int button) override { presses.Button(button); }

    // The title menu, at start and after every game.
    void ShowTitle();
    // Begins a game of the title's chosen stage and level: score and lives
    // afresh, the ship flying in, the background scrolling, the video from its start.
    void StartGame() override;
    // A practice of the chosen stage from one of its starts (see
    // StageScript::PracticeStarts), with that many options, beginning in the
    // next step; false when there is no such start.
    bool Practice(int start, int options);
    // The same at once, from within a step.
    void StartPractice(int start, int options) override;
    // Ends the main loop.
    // A replay that chose QUIT GAME ends with its recording, not the viewer's program.
    void Quit() override {
        if (!playback) EndRun(0);
    }
    // The title comes back at the end of this step.
    void RequestReturnToTitle() override { returnToTitle = true; }

    // Where a replay is watched from: the command line, whose program ends
    // with it, the REPLAYS screen, which comes back after it,
    // or the author's loop, which plays a changed stage again and hands it back.
    enum class ReplayFrom { CommandLine, Shelf, Reload };
    // Plays a recorded game in place of the title (on the stage and models it
    // was played with: see ReplayMismatch): its steps are the game's input and
    // the viewer's keys control the playback (see Playback). From the command
    // line the loop ends with the replay, with 0 when it came where it did
    // when recorded, 1 when not; left before its end, ReplayEnded stays false.
    // A replay whose stage the catalogue cannot take is not played, on no
    // other stage either: empty when it plays, else why not (nothing changed).
    std::string PlayReplay(const Replay& replay, ReplayFrom from = ReplayFrom::CommandLine);
    bool ReplayEnded() const { return replayEnded; }
    // --watch: from now on a saved change to the chosen stage or its folder
    // reads it again and plays the game under way again on it.
    void StartWatching();
    // What the last reading found, as the screen shows it.
    const std::vector<std::string>& WatchNotice() const { return watchNotice; }
    bool ReplayMatched() const { return replayMatched; }
    // The viewer took the game over: it went on as a practice.
    bool TookOver() const { return tookOver; }
    // The playback under way; null when none is.
    Playback* Viewing() { return playback.get(); }
    // The last game played to its end; null before one was. The models'
    // fingerprint is left to whoever keeps it.
    const Replay* LastGame() const { return lastGame ? &*lastGame : nullptr; }

    // For tools and tests: the play-through, the scenes, the stages.
    Session& Play() { return *session; }
    ScenePool& Scenes() override { return scenePool; }
    const StageCatalogue& Catalogue() const { return catalogue; }
    TitleChoices& Choices() override { return *this; }
    ReplayTheatre& Replays() override { return *this; }
    OptionsControl& Options() override { return *this; }
    ScoreBoard& Scores() override { return *this; }
    // The input of the step under way: the player's, or the replay's.
    const PadState& Pad() const override { return stepPad; }
    const Presses& KeysPressed() const override { return presses; }
    // The background video: the title menu's video change and sound switch,
    // and the stop at game over and game clear.
    VideoBackground& Video() override { return *video; }
    // Where a file of the asset table is.
    std::string MediaPath(AssetKind kind, int index) const;

    // What the title offers.
    std::string LevelName() const override { return chosenLevel->name; }
    std::string StageName() const override { return catalogue.At(chosenStage).name; }
    std::string ChangeLevel(int by) override;
    std::string ChangeStage(int by) override;
    std::vector<std::string> PracticeStarts() const override;
    std::vector<std::string> PracticeStartTimes() const override;
    TitleRow ReturnRow() const override { return returnRow; }
    std::string ChooseVideo() override;
    std::string UseDefaultVideo() override;
    std::string VideoName() const override;

private:
    const SceneScreen& Screen() const override { return *this; }
    GameControl& Game() override { return *this; }
    MusicControl& Music() override { return *this; }
    Timeline& Stage() override { return *session; }

    const BitmapFont& Font() const override { return *font; }
    const Texture& GetTexture(TextureRef texture) const override {
        return *textures[texture.index];
    }
    int Width() const override { return device->GetWidth(); }
    int Height() const override { return device->GetHeight(); }
    void Fill(float x, float y, float width, float height, uint32_t color) const override;

    void SetPaused(bool pause) override;
    bool IsPaused() const override { return session->Field().IsPaused(); }

    void PlayMusic(const MusicChoice& piece) override;
    void SetMusicVolume(float volume) override { music->SetVolume(volume); }
    bool IsMusicComplete() override { return music->IsComplete(); }

    // The REPLAYS screen's.
    std::vector<ReplayEntry> KeptReplays() override;
    std::string Watch(const ReplayEntry& entry) override;
    bool Delete(const ReplayEntry& entry, std::string& why) override;
    std::string LastVerdict() const override { return verdict; }

    // The OPTIONS screen's.
    const Settings& Current() const override { return settings; }
    std::string ChangeOptions(const Settings& changed,
                              std::span<const std::string_view> keys) override;
    bool InFullScreen() const override { return fullScreen; }
    bool PadConnected() const override { return input && input->PadConnected(); }
    const KeyNames& Names() const override { return keyNames; }
    std::string KeyCap(int scancode) const override;
    void PlaySample() override;
    // The video floor as bright as the settings say.
    void ShowBackgroundAsSet();
    // Writes these keys of the settings; why not, for the screen, or empty.
    std::string KeepSettings(std::span<const std::string_view> keys);

    // The HIGH SCORES screen's and the results'.
    std::vector<ScoreEntry> ChosenTop() override;
    std::string PlayerName() const override { return settings.playerName; }
    std::string OfferedName() const override;
    int EnterLastGame(const std::string& name) override;

    // What playback asks of the game.
    void PlayStep(const PadState& pad) override { Step(pad); }
    void Rewind() override;
    void SetSilent(bool silent) override;
    int TimelinePosition() const override;

    void LoadAssets();
    WorldAssets FieldAssets() const;
    void RunMusicRule();
    // One step of the game with this input.
    void Step(const PadState& pad);
    void ReadToggles();
    // The viewer's keys of this frame, as playback takes them.
    PlaybackControls ViewerControls();
    // The viewer plays on from this step, as a practice.
    void TakeOver();
    // The viewer left the playback before its end.
    void LeaveReplay();
    // The replay is over: the program ends with it, or the REPLAYS screen comes back.
    void AfterReplay();
    void Begin(const GameSetup& setup);
    // What a recorded game was played with, as this game's stages and levels
    // have it; nothing, with why, when the catalogue cannot take its stage.
    std::optional<GameSetup> ReplaySetup(const Replay& recorded, std::string& why);
    void ReturnToTitle();
    // Ends the recording of the game under way: kept, with its score offered
    // to the records, or judged against the replay.
    void FinishGame();
    // Looks at the watched stage's files now and then.
    void WatchStage();
    void ReloadStage();
    // The records' key of a stage at a level.
    Records::Key RecordOf(const CataloguedStage& stage, const Level& level);
    // The title's HIGH SCORE: the record of the chosen stage and level.
    void ShowChosenRecord();
    // What the game just finished came to; its entry for the table waits for a name.
    GameResult ResultOf(const Replay& played);

    // Where the game's files are, with a trailing '/'.
    const std::string mediaDir;
    std::array<std::unique_ptr<Texture>, kTextureCount> textures;
    std::unique_ptr<VideoBackground> video;
    std::array<std::unique_ptr<Mesh>, kModelCount> models;
    std::unique_ptr<BitmapFont> font;
    std::unique_ptr<SoundPlayer> soundPlayer;
    std::array<SoundEffect, kSoundCount> sounds;
    std::unique_ptr<GameMusic> music;
    ScenePool scenePool;
    std::unique_ptr<Session> session;
    StageCatalogue catalogue;
    Records records;
    ScoreTable scoreTable;
    // The game just played, until the results enter it in its table.
    std::optional<std::pair<std::string, ScoreEntry>> unentered;
    std::optional<GameResult> lastResult;
    ReplayShelf shelf;
    Settings settings;
    const std::string settingsPath;
    const KeyNames keyNames;
    int chosenStage = 0;
    const Level* chosenLevel = &kLevels[0];
    TitleRow returnRow = TitleRow::Start;
    bool returnToTitle = false;
    bool toggleLatch = false;
    PadState stepPad;
    // A button Esc pressed for the next step: recorded as if its key had been.
    std::optional<PadButton> escPress;
    // The keys and buttons pressed since the last frame, and the viewer's pad
    // of the last frame: playback's controls act on presses.
    Presses presses;
    PadState viewerPad;
    // The recorded game being played back, if any.
    std::optional<Replay> replay;
    // The score the replay ended at, until its verdict is said.
    std::string endedAt;
    ReplayFrom replayFrom = ReplayFrom::CommandLine;
    std::unique_ptr<Playback> playback;
    bool replayEnded = false, replayMatched = false, tookOver = false;
    // Chosen on the REPLAYS screen, watched from the end of this step.
    std::optional<Replay> toWatch;
    std::string verdict;
    std::optional<Replay> lastGame;
    bool watching = false;
    uint64_t watchedStamp = 0;
    int watchWait = 0;
    std::vector<std::string> watchNotice;
    int watchNoticeFrames = 0;
};
