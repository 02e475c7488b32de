// Opens the real game window (SDL2 + OpenGL) on whatever display there is.
#include <chrono>
#include <vector>

#include <SDL.h>
#include <gtest/gtest.h>

#include "app/AppFramework.h"
#include "app/platform/SdlPlatform.h"
#include "app/platform/SdlWindow.h"
#include "graphics/PictureFit.h"
#include "support/MustHave.h"

namespace {

class WindowApp : public AppFramework {
public:
    explicit WindowApp(Platform& platform) : AppFramework("Velmora", platform) {
        clock.catchUp = false;
    }
    void Update() override {
        ++updates;
        if (updates == stopAfter) EndRun(7);
    }
    void OnEscape() override {
        ++escapes;
        if (escapeCloses) AppFramework::OnEscape();
    }
    void OnKeyPressed(int scancode) override { keys.push_back(scancode); }
    void OnPadButtonPressed(int button) override { buttons.push_back(button); }
    void Render() override { device->Clear(0xFF000000); }
    Window& TheWindow() { return *window; }
    SDL_Window* Handle() { return static_cast<SdlWindow&>(*window).Handle(); }

    int updates = 0, escapes = 0;
    int stopAfter = -1;
    bool escapeCloses = true;
    std::vector<int> keys, buttons;
};

void Push(SDL_Event event) {
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

SDL_Event KeyDown(SDL_Keycode key) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = key;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    return e;
}

SDL_Event DoubleClick() {
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.clicks = 2;
    return e;
}

struct DisplayWindow : ::testing::Test {
    void SetUp() override {
        if (!platform.Error().empty()) {
            VELMORA_MISSING("no display to open a window on: " << platform.Error());
        }
        app = std::make_unique<WindowApp>(platform);
    }
    SdlPlatform platform;
    std::unique_ptr<WindowApp> app;
};

}  // namespace

TEST_F(DisplayWindow, OpensAVelmoraWindowWithABlackClientArea) {
    EXPECT_STREQ(SDL_GetWindowTitle(app->Handle()), "Velmora");
    int w = 0, h = 0;
    SDL_GetWindowSize(app->Handle(), &w, &h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    std::vector<uint32_t> pixels = app->GetGraphicsDevice().GetDevice()->ReadBackBuffer();
    ASSERT_EQ(pixels.size(), 640u * 480u);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0xFF000000u), 640 * 480);
}

TEST_F(DisplayWindow, EscOrClosingTheWindowEndsTheLoopWithExitCodeZero) {
    app->stopAfter = 100;  // a loop that goes on ends with 7
    Push(KeyDown(SDLK_ESCAPE));
    EXPECT_EQ(app->Run(), 0);
    EXPECT_LE(app->updates, 1);  // at once, not after the steps that were due
    EXPECT_EQ(SDL_GetWindowFlags(app->Handle()) & SDL_WINDOW_SHOWN, 0u);

    app = std::make_unique<WindowApp>(platform);
    app->stopAfter = 100;
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = SDL_GetWindowID(app->Handle());
    Push(close);
    EXPECT_EQ(app->Run(), 0);
}

TEST_F(DisplayWindow, KeysControllerButtonsAndEscReachTheGamesHooksRepeatsDoNot) {
    app->escapeCloses = false;
    SDL_Event held = KeyDown(SDLK_PAGEDOWN);
    held.key.repeat = 1;
    SDL_Event button{};
    button.type = SDL_CONTROLLERBUTTONDOWN;
    button.cbutton.button = SDL_CONTROLLER_BUTTON_START;
    for (SDL_Event event : {KeyDown(SDLK_ESCAPE), KeyDown(SDLK_PAGEDOWN), held, KeyDown(SDLK_HOME),
                            button, KeyDown(SDLK_PERIOD)})
        Push(event);
    app->stopAfter = 3;
    EXPECT_EQ(app->Run(), 7);
    EXPECT_EQ(app->escapes, 1);
    EXPECT_EQ(app->keys,
              (std::vector<int>{SDL_SCANCODE_PAGEDOWN, SDL_SCANCODE_HOME, SDL_SCANCODE_PERIOD}));
    EXPECT_EQ(app->buttons, std::vector<int>{SDL_CONTROLLER_BUTTON_START});
    EXPECT_NE(SDL_GetWindowFlags(app->Handle()) & SDL_WINDOW_SHOWN, 0u);
}

TEST_F(DisplayWindow, AltEnterF11AndDoubleClickSwitchToTheDesktopsFullScreenOtherKeysDoNot) {
    Push(KeyDown(SDLK_F1));
    SDL_Event altEnter = KeyDown(SDLK_RETURN);
    altEnter.key.keysym.mod = KMOD_LALT;
    Push(altEnter);
    app->stopAfter = 3;
    EXPECT_EQ(app->Run(), 7);
    EXPECT_TRUE(app->GetGraphicsDevice().IsFullScreen());
    EXPECT_EQ(app->keys, std::vector<int>{SDL_SCANCODE_F1});  // Alt+Enter's Enter is no key
    Uint32 flags = SDL_GetWindowFlags(app->Handle());
    EXPECT_EQ(flags & SDL_WINDOW_FULLSCREEN_DESKTOP, Uint32{SDL_WINDOW_FULLSCREEN_DESKTOP});
    // The back buffer keeps its size; the picture is placed on the desktop's.
    EXPECT_EQ(app->GetGraphicsDevice().GetDevice()->ReadBackBuffer().size(), 640u * 480u);

    for (SDL_Event event : {KeyDown(SDLK_F11), DoubleClick(), DoubleClick()}) {
        bool was = app->GetGraphicsDevice().IsFullScreen();
        Push(event);
        app->stopAfter = app->updates + 2;
        app->Run();
        EXPECT_NE(app->GetGraphicsDevice().IsFullScreen(), was);
    }
    EXPECT_FALSE(app->GetGraphicsDevice().IsFullScreen());
    int w = 0, h = 0, x = -1, y = -1;
    SDL_GetWindowSize(app->Handle(), &w, &h);
    SDL_GetWindowPosition(app->Handle(), &x, &y);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    // The frame sits at the screen's top-left; the client area starts inside its borders.
    int top = 0, left = 0;
    SDL_GetWindowBordersSize(app->Handle(), &top, &left, nullptr, nullptr);
    EXPECT_EQ(x, left);
    EXPECT_EQ(y, top);
}

TEST_F(DisplayWindow, AHiddenCursorShowsOverTheBarsBesideThePicture) {
    SDL_Window* handle = app->Handle();
    app->TheWindow().ShowCursor(false);
    app->SetFullScreen(true);
    int w = 0, h = 0;
    for (int i = 0; i < 200 && (w == 0 || w == 640); ++i) {
        SDL_PumpEvents();
        SDL_Delay(10);
        SDL_GetWindowSize(handle, &w, &h);
    }
    PictureRect picture = FitPicture(PictureFit::Aspect, w, h, 640, 480);
    if (picture == PictureRect{0, 0, w, h}) GTEST_SKIP() << "no bars on a " << w << "x" << h;
    // Moves the pointer and lets the window see it; the cursor's state then.
    auto cursorAt = [&](int x, int y) {
        SDL_WarpMouseInWindow(handle, x, y);
        ShellEvent event;
        for (int i = 0; i < 20; ++i) {
            SDL_Delay(10);
            while (app->TheWindow().PollEvent(event)) {
            }
        }
        return SDL_ShowCursor(SDL_QUERY);
    };
    int barX = picture.x > 0 ? picture.x / 2 : w / 2;
    int barY = picture.x > 0 ? h / 2 : picture.y / 2;
    EXPECT_EQ(cursorAt(w / 2, h / 2), SDL_DISABLE);
    EXPECT_EQ(cursorAt(barX, barY), SDL_ENABLE);
    EXPECT_EQ(cursorAt(w / 2, h / 2), SDL_DISABLE);
    // A fit applied while the game runs moves the bars: stretched, there are none.
    Settings stretched;
    stretched.picture = PictureFit::Stretch;
    platform.ApplySettings(stretched);
    EXPECT_EQ(cursorAt(barX, barY), SDL_DISABLE);
}

TEST_F(DisplayWindow, MaximisingKeepsTheBackBufferAndRestoringGivesTheWindowBack) {
    // Waits, pumping events, until the window manager has made the change.
    auto waitFor = [&](auto done) {
        for (int i = 0; i < 200 && !done(); ++i) {
            SDL_PumpEvents();
            SDL_Delay(10);
        }
        return done();
    };
    auto size = [&] {
        int w = 0, h = 0;
        SDL_GL_GetDrawableSize(app->Handle(), &w, &h);
        return std::pair{w, h};
    };
    SDL_MaximizeWindow(app->Handle());
    if (!waitFor([&] { return size().first > 640; })) {
        GTEST_SKIP() << "no window manager here maximises windows";
    }
    EXPECT_GT(size().second, 480);
    app->stopAfter = 2;
    app->Run();
    EXPECT_EQ(app->GetGraphicsDevice().GetWidth(), 640);
    EXPECT_EQ(app->GetGraphicsDevice().GetHeight(), 480);
    EXPECT_EQ(app->GetGraphicsDevice().GetDevice()->ReadBackBuffer().size(), 640u * 480u);

    SDL_RestoreWindow(app->Handle());
    EXPECT_TRUE(waitFor([&] { return size() == std::pair{640, 480}; }));
}

TEST_F(DisplayWindow, RunsSixtyStepsASecond) {
    app->stopAfter = 90;
    auto start = std::chrono::steady_clock::now();
    app->Run();
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // Loose bounds: this only catches a loop that spins free or stalls. A busy
    // machine can only make the run longer.
    EXPECT_GT(seconds, 1.3);
    EXPECT_LT(seconds, 10.0);
}
