#pragma once
#include <array>
#include <memory>
#include <string>

#include "app/AppFramework.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundPlayer.h"
#include "game/HighScoreFile.h"
#include "game/VideoBackground.h"
#include "graphics/BitmapFont.h"
#include "graphics/Mesh.h"
#include "graphics/Texture.h"
#include "script/StageHost.h"
#include "script/StageScript.h"
#include "util/AssetTable.h"
#include "world/GameFlow.h"
#include "world/GameObject.h"
#include "world/World.h"

// The game's application object: loads and owns the assets, the play field,
// the scenes, the stage, the music and the video, and orders every step and
// every frame.
class GameApp : public AppFramework, private GameFlow, private StageHost {
public:
    explicit GameApp(Platform& platform);
    // Keeps the high score for the next run.
    ~GameApp() override;

    void Update() override;
    void Render() override;
    void RestoreDeviceObjects() override;

    // The title menu, at start and after every game.
    void ShowTitle();
    // Begins a new game: score and lives afresh, the ship flying in, the
    // background scrolling and the video from its start.
    void StartGame();
    // Ends the main loop; the high score is kept as the game goes.
    void Quit() { window->PostQuitMessage(0); }

    World& GetWorld() { return *world; }
    StageScript& Stage() { return *stage; }
    // The input, as read at the start of this step.
    const PadState& Pad() const { return input->GetState(); }

    // Scenes live in their own pool, which runs also while the field is paused.
    template <class T, class... Args>
    T* CreateScene(Args&&... args) {
        static_assert(FitsFamilySlot<T>(), "the scene outgrew the scene slot size");
        void* slot = scenePool.Allocate();
        return slot ? new (slot) T(*this, std::forward<Args>(args)...) : nullptr;
    }
    ObjectPool& ScenePool() { return scenePool; }

    bool IsPaused() const { return world->IsPaused(); }
    // Pauses or resumes the play field and the music.
    void SetPaused(bool pause);
    void RequestReturnToTitle() { returnToTitle = true; }

    // Piece n of the music table from its start at full volume; nothing for a
    // number outside the table.
    void PlayMusic(int n) override;
    // Stops and rewinds the music.
    void StopMusic() { musicPlayer->Stop(); }
    void PauseMusic(bool pause);
    void SetMusicVolume(float volume) { musicPlayer->SetVolume(volume); }
    bool IsMusicComplete() { return musicPlayer->IsComplete(); }
    // While the ending plays, the video's own sound does not silence the music.
    void SetEndingMusic(bool on) { endingMusicOn = on; }
    bool EndingMusicOn() const { return endingMusicOn; }

    // The background video: the title menu's video change and sound switch,
    // and the stop at game over and game clear.
    VideoBackground& Video() { return *video; }

    const Texture& GetTexture(TextureRef texture) const { return *textures[texture.index]; }
    const BitmapFont& Font() const { return *font; }
    int ScreenWidth() const { return device->GetWidth(); }
    int ScreenHeight() const { return device->GetHeight(); }
    // Where a file of the asset table is.
    std::string MediaPath(AssetKind kind, int index) const;

private:
    // The high-score file in a save folder, or none.
    static std::string SavePath(const std::string& dir);
    void LoadAssets();
    void RunMusicRule();
    void ReadToggles();
    void ReturnToTitle();

    // What the play field and the stage ask of the game.
    void GameOver() override;
    void HaltStage() override;
    void BossWarning() override;
    void BossFightEnded() override;
    void FadeOutMusic(int frames) override;

    std::array<std::unique_ptr<Texture>, kTextureCount> textures;
    std::unique_ptr<VideoBackground> video;
    std::array<std::unique_ptr<Mesh>, kModelCount> models;
    std::unique_ptr<BitmapFont> font;
    std::unique_ptr<SoundPlayer> soundPlayer;
    std::array<SoundEffect, kSoundCount> sounds;
    std::unique_ptr<MusicPlayer> musicPlayer;
    bool endingMusicOn = false;
    ObjectPool scenePool;
    std::unique_ptr<World> world;
    HighScoreFile highScoreFile;
    std::unique_ptr<StageScript> stage;
    bool returnToTitle = false;
    bool toggleLatch = false;
};
