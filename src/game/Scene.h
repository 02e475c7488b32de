#pragma once
// The states of the game's flow (title, pause, game over...) are scenes: small
// objects in a pool of their own, which runs also while the play field is
// paused and draws last. A scene starts the next by creating it and ends by
// returning false from its update. Scenes see the game through SceneHost and
// the few narrow services it hands out; none sees the whole play-through.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/Settings.h"
#include "game/ReplayList.h"
#include "game/SceneKind.h"
#include "game/ScoreTable.h"
#include "util/AssetTable.h"
#include "util/MusicChoice.h"
#include "world/GameObject.h"

class BitmapFont;
class Presses;
class ScenePool;
class Texture;
class VideoBackground;
struct GameSetup;
struct PadState;

// What the scenes draw with: the game's font and pictures on a screen of a size.
class SceneScreen {
public:
    virtual ~SceneScreen() = default;
    virtual const BitmapFont& Font() const = 0;
    virtual const Texture& GetTexture(TextureRef texture) const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // A rectangle of one colour, over what is drawn already.
    virtual void Fill(float x, float y, float width, float height, uint32_t color) const = 0;
};

// The game's flow as scenes drive it.
class GameControl {
public:
    virtual ~GameControl() = default;
    // A game of the title's chosen stage and level, or a practice of it.
    virtual void StartGame() = 0;
    virtual void StartPractice(int start, int options) = 0;
    // Ends the program.
    virtual void Quit() = 0;
    // Pauses or resumes the field and the music together.
    virtual void SetPaused(bool pause) = 0;
    virtual bool IsPaused() const = 0;
    // The title comes back at the end of this step.
    virtual void RequestReturnToTitle() = 0;
};

class MusicControl {
public:
    virtual ~MusicControl() = default;
    // A piece from its start at full volume.
    virtual void PlayMusic(const MusicChoice& piece) = 0;
    virtual void SetMusicVolume(float volume) = 0;
    virtual bool IsMusicComplete() = 0;
};

// The stage's timeline: started where the game starts, ticked once a frame.
class Timeline {
public:
    virtual ~Timeline() = default;
    virtual void StartTimeline() = 0;
    virtual void TickTimeline() = 0;
    // In the whole game: which of its stages plays (0 for the first, and in
    // any other game), and the next one begins.
    virtual int StageNumber() const = 0;
    virtual void NextStage() = 0;
};

// The title's rows, in their order.
enum class TitleRow {
    Start,
    Level,
    Stage,
    Practice,
    HowToPlay,
    HighScores,
    Replays,
    Options,
    VideoChange,
    DefaultVideo,
    VideoSound,
    Exit,
    Count
};

// What the title offers: the stage and the level a game is played at, and
// where practice can start in that stage.
class TitleChoices {
public:
    virtual ~TitleChoices() = default;
    virtual std::string LevelName() const = 0;
    virtual std::string StageName() const = 0;
    // By one, forward or back, wrapping. What the title says: empty, or why
    // the choice holds only until the game ends (the settings file did not
    // take it).
    virtual std::string ChangeLevel(int by) = 0;
    virtual std::string ChangeStage(int by) = 0;
    virtual std::vector<std::string> PracticeStarts() const = 0;
    // When each of them comes in a game from the start ("1:02"; after the
    // boss, "BOSS+0:05"), as the stage checker counts it.
    virtual std::vector<std::string> PracticeStartTimes() const = 0;
    // The title's row chosen when it comes back.
    virtual TitleRow ReturnRow() const = 0;
    // VIDEO CHANGE and DEFAULT VIDEO: the video behind the field, remembered for
    // the next start. What the title says: empty, or why it is not remembered.
    virtual std::string ChooseVideo() = 0;
    virtual std::string UseDefaultVideo() = 0;
    // The video's file name as the title shows it; DEFAULT for the game's own.
    virtual std::string VideoName() const = 0;
};

// The kept replays, as the REPLAYS screen shows and plays them.
class ReplayTheatre {
public:
    virtual ~ReplayTheatre() = default;
    // Newest first (see ListReplays).
    virtual std::vector<ReplayEntry> KeptReplays() = 0;
    // Starts watching one; why it cannot be watched here otherwise.
    virtual std::string Watch(const ReplayEntry& entry) = 0;
    // Removes one; false, with why, when it cannot.
    virtual bool Delete(const ReplayEntry& entry, std::string& why) = 0;
    // How the replay watched last ended; empty when none ended.
    virtual std::string LastVerdict() const = 0;
};

// The player's settings as the OPTIONS screen changes them: a change is taken
// at once (heard, seen, the keys bound) and written to the settings file.
class OptionsControl {
public:
    virtual ~OptionsControl() = default;
    virtual const Settings& Current() const = 0;
    // Takes the changed settings and writes the given keys of them; why the
    // file could not keep them (the change holds for this run), or empty.
    virtual std::string ChangeOptions(const Settings& changed,
                                      std::span<const std::string_view> keys) = 0;
    // Whether the picture fills the screen now (F11 switches it too).
    virtual bool InFullScreen() const = 0;
    // Whether a game pad is there to bind a button from.
    virtual bool PadConnected() const = 0;
    // How keys are named in the settings file.
    virtual const KeyNames& Names() const = 0;
    // A key as the screens name it ("LEFT SHIFT"); empty for a key without a name.
    virtual std::string KeyCap(int scancode) const = 0;
    // An effect at the effects' volume, to hear it.
    virtual void PlaySample() = 0;
};

// What a game just played came to, for the tally after it.
struct GameResult {
    std::string score;
    int grazes = 0, destroyed = 0, items = 0, livesLost = 0;
    std::string reached;  // the section the game got to, or CLEAR
    int steps = 0;        // how long it lasted
    bool practice = false;
    // It has a place in its table (practice has no table).
    bool makesTable = false;
};

// The best games, as the HIGH SCORES screen and the tally after a game show them.
class ScoreBoard {
public:
    virtual ~ScoreBoard() = default;
    // The ten best games of the title's chosen stage and level, best first.
    // Not const: the stage is read the first time it is asked for.
    virtual std::vector<ScoreEntry> ChosenTop() = 0;
    // The name the player gave the table, empty until one was given; and
    // the one offered before that (the login name).
    virtual std::string PlayerName() const = 0;
    virtual std::string OfferedName() const = 0;
    // Enters the game just played under a name, kept for the games after;
    // its place in the table from 0, or -1.
    virtual int EnterLastGame(const std::string& name) = 0;
};

// The first key of an action as the screens name it ("Z"), or "?" when it has none.
std::string FirstKeyCap(const OptionsControl& options, KeyAction action);

// What a scene may ask of the game around it.
class SceneHost {
public:
    virtual ~SceneHost() = default;

    // The input, as read at the start of this step.
    virtual const PadState& Pad() const = 0;
    // The keys and pad buttons pressed since the last frame.
    virtual const Presses& KeysPressed() const = 0;
    // Scenes live in their own pool, which runs also while the field is paused.
    virtual ScenePool& Scenes() = 0;
    virtual const SceneScreen& Screen() const = 0;
    virtual GameControl& Game() = 0;
    virtual MusicControl& Music() = 0;
    virtual VideoBackground& Video() = 0;
    virtual Timeline& Stage() = 0;
    virtual TitleChoices& Choices() = 0;
    virtual ReplayTheatre& Replays() = 0;
    virtual OptionsControl& Options() = 0;
    virtual ScoreBoard& Scores() = 0;

    // A new scene, constructed as T(*this, args...); null when the pool is full.
    template <class T, class... Args>
    T* CreateScene(Args&&... args);
};

// A state of the game's flow. Scenes are made with SceneHost::CreateScene.
class Scene : public PoolNode {
public:
    // Room for a scene's own counters and flags.
    static constexpr std::size_t kSlotSize = 256;

    explicit Scene(SceneHost& host);
    // False ends the scene.
    virtual bool Update() { return true; }
    virtual void Draw() {}
    // Esc or the pad's back button: true when the scene took it (went back).
    virtual bool Back() { return false; }
    virtual SceneKind Kind() const = 0;

protected:
    SceneHost& host;
};

// The scenes alive, in a fixed pool: one made during a pass is updated in that
// same pass, one that returns false goes at once.
class ScenePool {
public:
    explicit ScenePool(int capacity) : pool(Scene::kSlotSize, capacity) {}

    template <class T, class... Args>
    T* Create(SceneHost& host, Args&&... args) {
        constexpr std::size_t align = alignof(std::max_align_t);
        static_assert(sizeof(T) <= Scene::kSlotSize && alignof(T) <= align,
                      "the scene outgrew the scene slot size");
        void* slot = pool.Allocate();
        return slot ? new (slot) T(host, std::forward<Args>(args)...) : nullptr;
    }
    void UpdateAll();
    void DrawAll() const;
    void Clear() { pool.Clear(); }
    int Count() const { return pool.Count(); }
    bool Has(SceneKind kind) const;
    // The scenes alive by name, in the pool's order: "TitleMenu,MusicFade".
    std::string Names() const;
    // Esc: offered to the scenes from the newest back; false when none took it.
    bool Back();
    ObjectPool& Pool() { return pool; }
    const ObjectPool& Pool() const { return pool; }

private:
    ObjectPool pool;
};

template <class T, class... Args>
T* SceneHost::CreateScene(Args&&... args) {
    return Scenes().Create<T>(*this, std::forward<Args>(args)...);
}
