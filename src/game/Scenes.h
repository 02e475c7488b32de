#pragma once
// The states of the game's flow. Each lives in the scene pool, starts the next
// by creating it, and ends by returning false from its update.
#include "game/MenuList.h"
#include "game/NameEntry.h"
#include "game/Scene.h"

// Begins a recorded game, at the moment of a step at which the title menu's
// START would: the replay then follows its steps from the next one on.
class ReplayStart : public Scene {
public:
    explicit ReplayStart(SceneHost& host) : Scene(host) {}
    SceneKind Kind() const override { return SceneKind::ReplayStart; }
    bool Update() override {
        host.Game().StartGame();
        return false;
    }
};

// A practice asked for before the game runs (from the command line) begins in
// the first step, as the title's menu begins one and as a replay of it will.
class PracticeStart : public Scene {
public:
    PracticeStart(SceneHost& host, int start, int options)
        : Scene(host), start(start), options(options) {}
    SceneKind Kind() const override { return SceneKind::PracticeStart; }
    bool Update() override {
        host.Game().StartPractice(start, options);
        return false;
    }

private:
    int start, options;
};

// The title picture and its menu: START, the level and the stage to play,
// PRACTICE, the video's choice and sound, EXIT; the keys at the foot.
class TitleMenu : public Scene {
public:
    // row: the row chosen when it appears.
    explicit TitleMenu(SceneHost& host, int row = 0);
    SceneKind Kind() const override { return SceneKind::TitleMenu; }
    bool Update() override;
    void Draw() override;

    MenuList menu;
    // Why the last choice of a level or stage is not remembered.
    std::string message;
};

// Practice: where in the chosen stage to start, with how many options.
class PracticeMenu : public Scene {
public:
    explicit PracticeMenu(SceneHost& host);
    SceneKind Kind() const override { return SceneKind::Practice; }
    bool Update() override;
    void Draw() override;
    bool Back() override;

    MenuList menu;
    int options;
    bool leaving = false;
    // Read once, as the screen opens: the checker reads the whole file.
    std::vector<std::string> times;
};

// The kept replays, newest first, a row each: Up and Down (PageUp and
// PageDown, the shoulder buttons) choose, confirming watches, Delete (the
// pad's Back) asks and then removes the file, Esc or B goes back.
class ReplayMenu : public Scene {
public:
    explicit ReplayMenu(SceneHost& host);
    SceneKind Kind() const override { return SceneKind::Replays; }
    bool Update() override;
    void Draw() override;
    bool Back() override;
    // A replay's row: "2026-12-08 14:30  FIRST STAGE       NORMAL  000000101730   4:41  P L *",
    // each field cut to its column.
    static std::string RowText(const ReplayEntry& entry);

    std::vector<ReplayEntry> entries;
    MenuList menu;
    // Why the chosen replay cannot be watched, or how the last one ended.
    std::string message;
    bool confirmingDelete = false;
    bool leaving = false;
};

// The player's settings: the volumes, the picture, the keys and the pad's
// buttons, each change taken and written at once; DEFAULTS asks first.
// Confirming a key's row waits for the next key (a button's row, the next
// button); Esc cancels.
class OptionsMenu : public Scene {
public:
    explicit OptionsMenu(SceneHost& host);
    SceneKind Kind() const override { return SceneKind::Options; }
    bool Update() override;
    void Draw() override;
    bool Back() override;
    // What the row waiting for a key or a button says; empty while none waits.
    std::string BindingPrompt() const;

    MenuList menu;
    // What the last change came to: a key moved, refused, or not written.
    std::string message;
    // The row waiting for a key or a button.
    bool binding = false;
    bool confirmingDefaults = false;
    bool leaving = false;

private:
    void Change(int by);
    void Confirm();
    void ReadBinding();
    void Keep(const Settings& changed, std::span<const std::string_view> keys,
              std::string said = "");
};

// "GET READY" for 51 updates, then the stage.
class GetReady : public Scene {
public:
    // card: the stage's name under GET READY; none for the first stage alone.
    explicit GetReady(SceneHost& host, std::string card = "")
        : Scene(host), card(std::move(card)) {}
    SceneKind Kind() const override { return SceneKind::GetReady; }
    bool Update() override;
    void Draw() override;

    int counter = 0;
    std::string card;
};

// In the whole game, between a stage cleared and the next: what the stage
// gave, for a few seconds over the field, then the next stage begins.
class StageTally : public Scene {
public:
    struct Given {
        int grazes = 0, items = 0, lives = 0;
    };
    StageTally(SceneHost& host, std::string stage, Given given)
        : Scene(host), stage(std::move(stage)), given(given) {}
    SceneKind Kind() const override { return SceneKind::StageTally; }
    bool Update() override;
    void Draw() override;

    int counter = 0;

private:
    std::string stage;
    Given given;
};

// Runs the stage script, one tick per unpaused frame, and opens the pause.
class StageRunner : public Scene {
public:
    // Until the whole game's next stage begins, which has a runner of its own.
    explicit StageRunner(SceneHost& host);
    SceneKind Kind() const override { return SceneKind::StageRunner; }
    bool Update() override;

    bool held = true;
    int stageNumber;
};

// Holds the field and the music until the pause key is pressed again; or
// CONTINUE, or QUIT TO TITLE once that is confirmed.
class Pause : public Scene {
public:
    explicit Pause(SceneHost& host);
    ~Pause() override;
    SceneKind Kind() const override { return SceneKind::Pause; }
    bool Update() override;
    void Draw() override;

    bool held = true;
    MenuList menu;
    // The row asked about (QUIT TO TITLE or QUIT GAME), 0 while none is.
    int confirming = 0;
};

// "GAME OVER" (with "HI SCORE!" for a record) for 151 updates, then the title.
class GameOver : public Scene {
public:
    GameOver(SceneHost& host, bool newHighScore);
    SceneKind Kind() const override { return SceneKind::GameOver; }
    bool Update() override;
    void Draw() override;

    int counter = 0;
    bool newHighScore;
};

// The boss's warning, blinking in ten-update phases for 120 updates.
class Warning : public Scene {
public:
    explicit Warning(SceneHost& host) : Scene(host) {}
    SceneKind Kind() const override { return SceneKind::Warning; }
    bool Update() override;
    void Draw() override;

    int counter = 0;
};

// The ending: its music and the credits, until the music has played out.
// Paused like play; the pause menu skips the rest.
class GameClear : public Scene {
public:
    GameClear(SceneHost& host, const MusicChoice& piece);
    SceneKind Kind() const override { return SceneKind::GameClear; }
    bool Update() override;
    void Draw() override;

    int counter = 0;
};

// After a game, over the title: the tally of what it gave; then, where it
// made its table, the player's name asked once and the table with the game
// marked. Fire, pause or the hover button goes on; the title waits under it.
class Results : public Scene {
public:
    Results(SceneHost& host, GameResult result);
    SceneKind Kind() const override { return SceneKind::Results; }
    bool Update() override;
    void Draw() override;
    bool Back() override;

    enum class Page { Tally, Name, Table };
    GameResult result;
    Page page = Page::Tally;
    NameEntry name;
    int place = -1;  // of the game in the table

private:
    bool GoOn();
    MenuList keys{1};
    bool backPressed = false;
};

// The ten best games of the chosen stage, a table for each level: Left and
// Right turn to the other levels, anything else goes back to the title.
class HighScores : public Scene {
public:
    explicit HighScores(SceneHost& host);
    SceneKind Kind() const override { return SceneKind::HighScores; }
    bool Update() override;
    void Draw() override;
    bool Back() override;

    MenuList menu{1};
    std::string message;
    bool leaving = false;
};

// How to play, a page at a time with the keys as bound, a moving picture
// where a word would not do. From the title, or once before a new player's
// first game, which it then starts.
class HowToPlay : public Scene {
public:
    HowToPlay(SceneHost& host, bool beforeFirstGame);
    SceneKind Kind() const override { return SceneKind::HowToPlay; }
    bool Update() override;
    void Draw() override;
    bool Back() override;
    // The page's lines, with the keys as bound.
    std::vector<std::string> Lines() const;

    MenuList menu{1};
    int page = 0;
    int counter = 0;  // the pictures move with it
    bool beforeFirstGame;
    bool leaving = false;

private:
    void Leave();
};

// Sets the music's volume once a frame, in even steps from one level to another.
class MusicFade : public Scene {
public:
    MusicFade(SceneHost& host, int count, float start, float end);
    SceneKind Kind() const override { return SceneKind::MusicFade; }
    bool Update() override;

    int count;
    float volume;
    float step;
};
