#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "app/platform/SdlPlatform.h"

TEST(SdlPlatformSaveDirs, TheGameKeepsBesideItselfThenInTheUsersDataFolderAnInstalledOneOnlyThere) {
    SdlPlatform platform;
    EXPECT_EQ(platform.GameSaveDir(), platform.ExecutableDir() + "Media/");
    std::string savedData = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("XDG_DATA_HOME", "/data", 1);
    EXPECT_EQ(platform.UserSaveDir(), "/data/velmora/");
    setenv("HOME", "/home/player", 1);
    for (const char* ignored : {"", "data", "./data"}) {
        setenv("XDG_DATA_HOME", ignored, 1);
        EXPECT_EQ(platform.UserSaveDir(), "/home/player/.local/share/velmora/") << ignored;
    }
    unsetenv("HOME");
    EXPECT_EQ(platform.UserSaveDir(), "");

    // An installed game keeps everything in the player's folder, never in its own.
    SdlPlatform installed(DataDir{platform.ExecutableDir(), "/usr/"});
    EXPECT_EQ(installed.GameSaveDir(), "");
    setenv("HOME", "/home/player", 1);
    setenv("XDG_DATA_HOME", "/usr/share", 1);
    EXPECT_EQ(installed.UserSaveDir(), "/home/player/.local/share/velmora/");
    EXPECT_EQ(platform.UserSaveDir(), "/usr/share/velmora/");
    setenv("XDG_DATA_HOME", savedData.c_str(), 1);
    if (savedHome.empty()) {
        unsetenv("HOME");
    } else {
        setenv("HOME", savedHome.c_str(), 1);
    }
}
