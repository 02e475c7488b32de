#pragma once
#include <utility>

#include "util/AssetTable.h"
#include "world/GameObject.h"

class BitmapFont;
class Session;
class Texture;
class VideoBackground;
struct PadState;

// What a scene may ask of the game around it.
class SceneHost {
public:
    virtual ~SceneHost() = default;

    // The input, as read at the start of this step.
    virtual const PadState& Pad() const = 0;
    // The play-through: its field and its stage.
    virtual Session& Play() = 0;
    // Scenes live in their own pool, which runs also while the field is paused.
    virtual ObjectPool& ScenePool() = 0;

    // The title menu's choices.
    virtual void StartGame() = 0;
    virtual void Quit() = 0;
    virtual VideoBackground& Video() = 0;

    // Pauses or resumes the field and the music together.
    virtual void SetPaused(bool pause) = 0;
    // The title comes back at the end of this step.
    virtual void RequestReturnToTitle() = 0;

    // A piece from its start at full volume.
    virtual void PlayMusic(MusicRef piece) = 0;
    virtual void SetMusicVolume(float volume) = 0;
    virtual bool IsMusicComplete() = 0;

    virtual const BitmapFont& Font() const = 0;
    virtual const Texture& GetTexture(TextureRef texture) const = 0;
    virtual int ScreenWidth() const = 0;
    virtual int ScreenHeight() const = 0;

    // A new scene, constructed as T(*this, args...); null when the pool is full.
    template <class T, class... Args>
    T* CreateScene(Args&&... args) {
        static_assert(FitsFamilySlot<T>(), "the scene outgrew the scene slot size");
        void* slot = ScenePool().Allocate();
        return slot ? new (slot) T(*this, std::forward<Args>(args)...) : nullptr;
    }
};

// A state of the game's flow (title, pause, game over...). Scenes live in the
// game's scene pool, which runs also while the play field is paused, and draw
// last. They are made with SceneHost::CreateScene.
class Scene : public GameObject {
public:
    // Room for a scene's own counters and flags.
    static constexpr std::size_t kSlotSize = 96;

    explicit Scene(SceneHost& host);
    // What the scene is, for reports and tests.
    virtual const char* Name() const = 0;

protected:
    SceneHost& host;
};
