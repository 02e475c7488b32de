// A game that cannot start says what failed (no display, no window, no OpenGL
// 3.3), in the player's language: Japanese under a Japanese locale, English
// everywhere else.
#include <gtest/gtest.h>

#include <map>

#include "TestApp.h"
#include "support/Programs.h"
#include "support/TempDir.h"

namespace {

Language LanguageOf(const std::map<std::string, std::string>& environment) {
    return LanguageFrom([&](const char* name) -> const char* {
        auto it = environment.find(name);
        return it == environment.end() ? nullptr : it->second.c_str();
    });
}

constexpr const char* kNoOpenGlJa = "このプログラムにはOpenGL 3.3以上が必要です。";
constexpr const char* kNoOpenGlEn = "This game needs OpenGL 3.3 or later.";
constexpr const char* kNoWindowJa = "ウィンドウを開けませんでした。";
constexpr const char* kNoWindowEn = "The game's window could not be opened.";
constexpr const char* kNoDisplayJa = "ディスプレイに接続できません。";
constexpr const char* kNoDisplayEn = "There is no display to show the game on.";

class BrokenBackend : public NullBackend {
public:
    bool CreateDevice(const PresentParameters&) override { return false; }
};

}  // namespace

TEST(Language, JapaneseOnlyWhenTheLocaleOrItsPreferredLanguageIsJapanese) {
    using Env = std::map<std::string, std::string>;
    EXPECT_EQ(LanguageOf({}), Language::English);
    for (const char* name : {"LANG", "LC_MESSAGES", "LC_ALL"}) {
        EXPECT_EQ(LanguageOf({{name, "ja_JP.UTF-8"}}), Language::Japanese) << name;
        EXPECT_EQ(LanguageOf({{name, "en_GB.UTF-8"}}), Language::English) << name;
    }
    EXPECT_EQ(LanguageOf({{"LANG", "ja"}}), Language::Japanese);
    EXPECT_EQ(LanguageOf({{"LANG", "ja_JP.eucJP@x"}}), Language::Japanese);
    EXPECT_EQ(LanguageOf({{"LANG", "de_DE.UTF-8"}}), Language::English);
    EXPECT_EQ(LanguageOf({{"LANG", "jv_ID"}}), Language::English);
    // LC_ALL over LC_MESSAGES over LANG.
    EXPECT_EQ(LanguageOf(Env{{"LC_ALL", "en_US.UTF-8"}, {"LANG", "ja_JP.UTF-8"}}),
              Language::English);
    EXPECT_EQ(LanguageOf(Env{{"LC_MESSAGES", "ja_JP.UTF-8"}, {"LANG", "en_US.UTF-8"}}),
              Language::Japanese);
    EXPECT_EQ(LanguageOf(Env{{"LC_ALL", ""}, {"LC_MESSAGES", "ja_JP"}}), Language::Japanese);
    // LANGUAGE's first language that the game has, unless the locale is C.
    EXPECT_EQ(LanguageOf(Env{{"LANGUAGE", "fr:ja:en"}, {"LANG", "fr_FR.UTF-8"}}),
              Language::Japanese);
    EXPECT_EQ(LanguageOf(Env{{"LANGUAGE", "en"}, {"LANG", "ja_JP.UTF-8"}}), Language::English);
    EXPECT_EQ(LanguageOf(Env{{"LANGUAGE", "ja"}, {"LANG", "C.UTF-8"}}), Language::English);
    EXPECT_EQ(LanguageOf(Env{{"LANGUAGE", "ja"}, {"LC_ALL", "POSIX"}}), Language::English);
    EXPECT_EQ(LanguageOf(Env{{"LANGUAGE", "ja"}}), Language::English);
}

TEST(FrameworkStartup, EachFailureSaysWhatFailedInThePlayersLanguageAndGivesUp) {
    struct Case {
        const char* what;
        std::function<void(HeadlessPlatform::Options&)> breaks;
        const char* japanese;
        const char* english;
    };
    const Case cases[] = {
        {"no display", [](auto& o) { o.display = false; }, kNoDisplayJa, kNoDisplayEn},
        {"no window", [](auto& o) { o.windowOpens = false; }, kNoWindowJa, kNoWindowEn},
        {"no back end", [](auto& o) { o.makeBackend = [] { return nullptr; }; }, kNoOpenGlJa,
         kNoOpenGlEn},
        {"no device",
         [](auto& o) { o.makeBackend = [] { return std::make_unique<BrokenBackend>(); }; },
         kNoOpenGlJa, kNoOpenGlEn},
    };
    for (const Case& c : cases) {
        for (Language language : {Language::Japanese, Language::English}) {
            HeadlessPlatform::Options options;
            options.language = language;
            c.breaks(options);
            HeadlessPlatform platform(options);
            EXPECT_THROW(TestApp app(platform), StartupError) << c.what;
            ASSERT_EQ(platform.dialogs.Boxes().size(), 1u) << c.what;
            const auto& box = platform.dialogs.Boxes()[0];
            EXPECT_EQ(box.text, language == Language::Japanese ? c.japanese : c.english) << c.what;
            EXPECT_EQ(box.caption, "Velmora");
            EXPECT_EQ(box.icon, DialogIcon::Error);
        }
    }
}

// The real game on a machine without a display, on SDL's dummy driver (which
// makes no OpenGL window) and on the offscreen driver with an OpenGL too old.
TEST(GameStartup, EachFailureSaysWhatFailedInThePlayersLanguage) {
    TempDir home("startup_home");
    struct Case {
        const char* environment;
        const char* reason;
        const char* japanese;
        const char* english;
    };
    const Case cases[] = {
        {"", "no display", kNoDisplayJa, kNoDisplayEn},
        {"SDL_VIDEODRIVER=dummy", "no window", kNoWindowJa, kNoWindowEn},
        {"SDL_VIDEODRIVER=offscreen MESA_GL_VERSION_OVERRIDE=3.0", "no OpenGL 3.3", kNoOpenGlJa,
         kNoOpenGlEn},
    };
    for (const Case& c : cases) {
        for (const char* locale : {"LANG=ja_JP.UTF-8", "LANG=en_US.UTF-8", "LC_ALL=C"}) {
            const bool japanese = std::string(locale) == "LANG=ja_JP.UTF-8";
            ProgramRun run = RunProgram(
                "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u LANGUAGE -u LC_ALL "
                "-u LC_MESSAGES -u LANG SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=" +
                home.Path().string() + " XDG_DATA_HOME=" + home.Path().string() + " " + locale +
                " " + c.environment + " " + VELMORA_GAME);
            EXPECT_EQ(run.status, 1) << c.reason << " " << locale << "\n" << run.output;
            EXPECT_NE(run.output.find(std::string("velmora: cannot start: ") + c.reason),
                      std::string::npos)
                << run.output;
            EXPECT_NE(run.output.find(japanese ? c.japanese : c.english), std::string::npos)
                << c.reason << " " << locale << "\n"
                << run.output;
            EXPECT_EQ(run.output.find(japanese ? c.english : c.japanese), std::string::npos)
                << run.output;
        }
    }
}
