#include <gtest/gtest.h>

#include "app/HeadlessPlatform.h"
#include "support/SettingsPrint.h"

TEST(HeadlessPlatform, KeepsEverySetOfSettingsAppliedForTheTestsToRead) {
    HeadlessPlatform platform;
    Settings quiet;
    quiet.musicVolume = 0;
    Settings stretched = quiet;
    stretched.picture = PictureFit::Stretch;
    platform.ApplySettings(quiet);
    platform.ApplySettings(stretched);
    EXPECT_EQ(platform.applied, (std::vector<Settings>{quiet, stretched}));
    EXPECT_EQ(platform.GetKeyNames().name(29), "Key 29");
}
