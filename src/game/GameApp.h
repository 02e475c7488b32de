#pragma once
#include <array>
#include <memory>
#include <string>

#include "app/AppFramework.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundPlayer.h"
#include "game/HighScoreFile.h"
#include "game/ReplayShelf.h"
#include "game/Scene.h"
#include "game/Session.h"
#include "game/VideoBackground.h"
#include "graphics/BitmapFont.h"
#include "graphics/Mesh.h"
#include "graphics/Texture.h"
#include "input/ScriptedInput.h"
#include "util/AssetTable.h"

// The game's application object: loads and owns the assets, the scenes, the
// music, the video and the high score, keeps the play-through, and orders
// every step and every frame.
class GameApp : public AppFramework, public SceneHost {
public:
    // stagePath: a stage file of the player's, played instead of the game's own.
    explicit GameApp(Platform& platform, const std::string& stagePath = "");
    // Keeps the high score (and the replay of a game that reached its ending)
    // for the next run.
    ~GameApp() override;

    void Update() override;
    void Render() override;
    void RestoreDeviceObjects() override;

    // The title menu, at start and after every game.
    void ShowTitle();
    // Begins a new game: score and lives afresh, the ship flying in, the
    // background scrolling and the video from its start.
    void StartGame() override;
    // Ends the main loop; the high score is kept as the game goes.
    void Quit() override { EndRun(0); }

    // Plays a recorded game in place of the title (on the stage and models it
    // was played with: see ReplayMismatch): its steps are the input, nothing
    // else is (Esc still quits), and the loop ends with it, with 0 when it came
    // where it did when recorded, 1 when not.
    void PlayReplay(const Replay& replay);
    bool ReplayEnded() const { return replayEnded; }
    bool ReplayMatched() const { return replayMatched; }
    // The last game played to its end; null before one was. The models'
    // fingerprint is left to whoever keeps it.
    const Replay* LastGame() const { return lastGame ? &*lastGame : nullptr; }

    Session& Play() override { return *session; }
    const PadState& Pad() const override { return input->GetState(); }
    ObjectPool& ScenePool() override { return scenePool; }

    void SetPaused(bool pause) override;
    void RequestReturnToTitle() override { returnToTitle = true; }

    void PlayMusic(MusicRef piece) override;
    // Stops and rewinds the music.
    void StopMusic() { musicPlayer->Stop(); }
    void SetMusicVolume(float volume) override { musicPlayer->SetVolume(volume); }
    bool IsMusicComplete() override { return musicPlayer->IsComplete(); }

    // The background video: the title menu's video change and sound switch,
    // and the stop at game over and game clear.
    VideoBackground& Video() override { return *video; }

    const Texture& GetTexture(TextureRef texture) const override {
        return *textures[texture.index];
    }
    const BitmapFont& Font() const override { return *font; }
    int ScreenWidth() const override { return device->GetWidth(); }
    int ScreenHeight() const override { return device->GetHeight(); }
    // Where a file of the asset table is.
    std::string MediaPath(AssetKind kind, int index) const;

private:
    // The high-score file in a save folder, or none.
    static std::string SavePath(const std::string& dir);
    static std::string ReplayFolder(const std::string& dir);
    HighScoreFile ScoresFor(const StageFile& stage) const;
    void LoadAssets();
    WorldAssets FieldAssets() const;
    void PauseMusic(bool pause);
    void RunMusicRule();
    void ReadToggles();
    void ReturnToTitle();
    // Ends the recording of the game under way: kept, or judged against the replay.
    void FinishGame();

    // Where the game's files are, with a trailing '/'.
    const std::string mediaDir;
    std::array<std::unique_ptr<Texture>, kTextureCount> textures;
    std::unique_ptr<VideoBackground> video;
    std::array<std::unique_ptr<Mesh>, kModelCount> models;
    std::unique_ptr<BitmapFont> font;
    std::unique_ptr<SoundPlayer> soundPlayer;
    std::array<SoundEffect, kSoundCount> sounds;
    std::unique_ptr<MusicPlayer> musicPlayer;
    ObjectPool scenePool;
    std::unique_ptr<Session> session;
    HighScoreFile highScoreFile{"", ""};
    ReplayShelf shelf;
    bool returnToTitle = false;
    bool toggleLatch = false;
    // The recorded game being played back, if any.
    std::optional<Replay> replay;
    const ScriptedInput* replayInput = nullptr;
    bool replayEnded = false, replayMatched = false;
    std::optional<Replay> lastGame;
};
