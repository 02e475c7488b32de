#pragma once
#include <array>
#include <memory>
#include <string>

#include "app/AppFramework.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundPlayer.h"
#include "graphics/BitmapFont.h"
#include "graphics/Mesh.h"
#include "graphics/Texture.h"
#include "util/AssetTable.h"
#include "video/VideoPlayer.h"
#include "world/GameFlow.h"
#include "world/GameObject.h"
#include "world/World.h"

// The game's application object: loads and owns the assets, the play field,
// the scenes, the music and the video, and orders every step and every frame.
class GameApp : public AppFramework, private GameFlow {
public:
    explicit GameApp(Platform& platform);
    ~GameApp() override;

    void Update() override;
    void Render() override;
    void RestoreDeviceObjects() override;

    // Begins a new game: score and lives afresh, the ship flying in, the
    // background scrolling and the video from its start.
    void StartGame();

    World& GetWorld() { return *world; }
    // Record 0 of the input, as read at the start of this step.
    const PadState& Pad() const { return input->GetState(0); }

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
    // Stops and rewinds the music.
    void StopMusic() { musicPlayer->Stop(); }
    void PauseMusic(bool pause);

    const Texture& GetTexture(TextureRef texture) const { return *textures[texture.index]; }
    const BitmapFont& Font() const { return *font; }
    // Where a file of the asset table is.
    std::string MediaPath(AssetKind kind, int index) const;

private:
    void LoadAssets();
    void RunMusicRule();
    void LoopVideo();
    void ReadToggles();
    void ReturnToTitle();

    // What the play field asks of the game.
    void GameOver() override;
    void HaltStage() override;
    void BossWarning() override;
    void BossFightEnded() override;

    std::array<std::unique_ptr<Texture>, kTextureCount> textures;
    std::unique_ptr<VideoPlayer> videoPlayer;
    const GpuTexture* videoTexture = nullptr;
    std::array<std::unique_ptr<Mesh>, kModelCount> models;
    std::unique_ptr<BitmapFont> font;
    std::unique_ptr<SoundPlayer> soundPlayer;
    std::array<SoundEffect, kSoundCount> sounds;
    std::unique_ptr<MusicPlayer> musicPlayer;
    ObjectPool scenePool;
    std::unique_ptr<World> world;
    bool returnToTitle = false;
    bool toggleLatch = false;
};
