#pragma once

// What a scene is, for the tools and tests that ask which scenes are alive.
enum class SceneKind {
    TitleMenu,
    Practice,
    GetReady,
    StageRunner,
    Pause,
    GameOver,
    Warning,
    GameClear,
    MusicFade,
    ReplayStart,
    Replays,
    Options,
    Results,
    HighScores,
    HowToPlay,
    PracticeStart,
    StageTally,
};

const char* SceneName(SceneKind kind);
