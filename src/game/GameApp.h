#pragma once
#include <memory>
#include <random>
#include <string>

#include "app/AppFramework.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundPlayer.h"
#include "graphics/BitmapFont.h"
#include "graphics/Mesh.h"
#include "graphics/Texture.h"
#include "video/VideoBackground.h"
#include "world/DigitCounter.h"
#include "world/ModelTable.h"
#include "world/ObjectPool.h"

class PlayerShip;

// The models, each named after its file.
struct GameModels {
    std::unique_ptr<Mesh> obj1, beam, crash1, crash2, obj2, obj5, big1, obj3, obj4, item1, item2,
        effect1, bg1, ship, shot, obj6, bomb1, bomb2, bomb3, bomb4, bomb5, bullet1, bullet2,
        needle1, needle2;
};

// The sound effects, in the order they are loaded. Two files are loaded twice,
// into independent handles.
struct SoundTable {
    SoundEffect sndShot, sndLaser, sndBom1, sndCrash, sndBossOut, sndCap1, sndCap2, sndBomb1,
        sndBomb2, sndKasuri, sndVoiceOption;
};

// The game's application object: owns the assets, the object pools, the score,
// the lives and the random source, and orders every step and every frame.
class GameApp : public AppFramework {
public:
    explicit GameApp(Platform& platform);
    ~GameApp() override;

    void Update() override;
    void Render() override;
    void RestoreDeviceObjects() override;

    // Begins a new game: score and lives afresh, the ship flying in, the
    // background scrolling and the video from its start.
    void StartGame();

    // Record 0 of the input, as read at the start of this step.
    const PadState& Pad() const { return input->GetState(0); }
    PlayerShip* GetPlayer() const { return player; }
    void SetPlayer(PlayerShip* ship) { player = ship; }
    // Adds to the score; the high score follows it.
    void AddScore(int points);
    const DigitCounter& GetScore() const { return *score; }
    const DigitCounter& GetHighScore() const { return *highScore; }
    void LoseLife() { --lives; }
    int GetLives() const { return lives; }
    // The next output of the game's generator in [0, 1], both ends included.
    double NextRandom();
    double RandomSigned() { return NextRandom() - 0.5; }
    const std::mt19937& RandomState() const { return random; }
    void PlaySound(const SoundEffect& sound) { soundPlayer->Play(sound); }

    bool IsPaused() const { return paused; }
    // Pauses or resumes the play field and the music.
    void SetPaused(bool pause);
    bool IsHalted() const { return halted; }
    void RequestReturnToTitle() { returnToTitle = true; }
    // Bullets and enemies move only on steps whose count is a multiple of it.
    void SetSlowDivisor(int divisor) { slowDivisor = divisor; }
    int GetFrameCounter() const { return frameCounter; }
    // Stops and rewinds the music.
    void StopMusic() { musicPlayer->Stop(); }
    void PauseMusic(bool pause);
    // The background video: the title menu's video change and sound switch,
    // and the stop at game over and game clear.
    VideoBackground& Video() { return *video; }

    // Loaders; paths are built from the executable's folder.
    std::unique_ptr<Mesh> LoadMesh(const std::string& name);
    std::unique_ptr<Texture> LoadTexture(const std::string& name);
    std::unique_ptr<BitmapFont> LoadFont(const std::string& name, const std::string& glyphOrder);
    SoundEffect LoadSound(const std::string& name);

    GameModels models;
    ModelTable bulletTable{}, needleTable{};
    std::unique_ptr<BitmapFont> font;
    SoundTable soundTable;
    std::unique_ptr<ObjectPool> backgroundPool, bombPool, bulletPool, effectPool, enemyPool,
        itemPool, playerPool, playerShotPool, scenePool, popupPool;

private:
    void LoadModels();
    void LoadSounds();
    void CreatePools();
    void ClearPools();
    void RunMusicRule();
    void ReadToggles();
    void ReturnToTitle();

    std::mt19937 random;
    std::unique_ptr<DigitCounter> score, highScore;
    int lives = 3;
    PlayerShip* player = nullptr;
    bool paused = false;
    bool returnToTitle = false;
    bool halted = false;
    bool toggleLatch = false;
    int frameCounter = 0;
    int slowDivisor = 1;
    std::unique_ptr<Texture> titleTexture, lifeIconTexture, bombTexture, aTexture;
    std::unique_ptr<VideoBackground> video;
    std::unique_ptr<SoundPlayer> soundPlayer;
    std::unique_ptr<MusicPlayer> musicPlayer;
};

// The one application object of the process, through which everything on the
// play field reaches the game. Set while a GameApp exists.
GameApp& App();
