// The real GTK file chooser and message box on the display, driven by xdotool
// as a user would drive them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "app/platform/DesktopFileChooser.h"
#include "app/platform/GtkDialogs.h"
#include "support/MustHave.h"
#include "video/Clips.h"

namespace {

// Runs a shell command; true when it succeeded.
bool Shell(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

// Waits for our window titled so, gives it the keyboard and types the keys
// (xdotool words). Without a window manager a dialog gets no focus by itself.
// xdotool's name search does not match Japanese titles, so titles are compared here.
std::thread Drive(const std::string& title, const std::string& keys) {
    return std::thread([title, keys] {
        const std::string ours =
            "for w in $(xdotool search --onlyvisible --class velmora); do [ \"$(LC_ALL=C.UTF-8 "
            "xdotool getwindowname $w)\" = '" +
            title + "' ] && echo $w; done";
        const std::string find = "w=$(for i in $(seq 300); do " + ours +
                                 " | grep . && break; sleep 0.1; done | head -n1)";
        Shell(find + " && [ -n \"$w\" ] && xdotool windowfocus --sync $w && sleep 0.3 && xdotool " +
              keys);
        // Never leave the test waiting on a dialog nobody answered: Esc to all of ours.
        Shell("for i in $(seq 100); do [ -z \"$(" + ours +
              ")\" ] && exit; sleep 0.2; done; "
              "for w in $(xdotool search --onlyvisible --class velmora); do "
              "xdotool key --window $w Escape; done");
    });
}

class DisplayDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY") || !Shell("command -v xdotool >/dev/null")) {
            VELMORA_MISSING("needs a display and xdotool");
        }
        setenv("GSETTINGS_BACKEND", "memory", 1);
        setenv("NO_AT_BRIDGE", "1", 1);
        std::ofstream(folder / "CLIP.AVI") << "not really a clip";
    }

    TempFolder folder;
    DesktopFileChooser chooser;
    const std::vector<FileChooser::Filter> filters = {{"avi(*.avi)", "*.avi"},
                                                      {"All files(*.*)", "*.*"}};
};

}  // namespace

TEST_F(DisplayDialogs, TheChooserGivesTheTypedFileRemembersItAndCancels) {
    const std::string path = (folder / "CLIP.AVI").string();
    // Ctrl+L opens the location field; what is typed into it then is the file.
    auto driver = Drive("ファイルを開く", "key ctrl+l && sleep 0.5 && xdotool type --delay 20 '" +
                                              path + "' && sleep 0.3 && xdotool key Return");
    auto chosen = chooser.ChooseFile("ファイルを開く", filters, "");
    driver.join();
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, path);

    // Opened on the last choice, Enter takes it again.
    driver = Drive("ファイルを開く", "key Return");
    chosen = chooser.ChooseFile("ファイルを開く", filters, path);
    driver.join();
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, path);

    driver = Drive("ファイルを開く", "key Escape");
    chosen = chooser.ChooseFile("ファイルを開く", filters, path);
    driver.join();
    EXPECT_FALSE(chosen);
}

TEST_F(DisplayDialogs, TheMessageBoxShowsAndAnswers) {
    GtkDialogs dialogs;
    auto driver = Drive("エラー", "key Return");
    EXPECT_EQ(dialogs.ShowMessageBox("動画ファイル(wmv,avi,mpg)を指定してください。", "エラー",
                                     DialogButtons::Ok, DialogIcon::None),
              DialogResult::Ok);
    driver.join();
    driver = Drive("終了", "key Escape");
    EXPECT_EQ(
        dialogs.ShowMessageBox("終了します？", "終了", DialogButtons::OkCancel, DialogIcon::None),
        DialogResult::Cancel);
    driver.join();
}
