// Files replaced as one step keep what the player set on them, and what a
// killed write left behind goes with the next write of the same file.
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include "app/SettingsFile.h"
#include "input/KeyTable.h"
#include "support/TempDir.h"
#include "util/AtomicFile.h"

namespace fs = std::filesystem;

namespace {

mode_t ModeOf(const fs::path& file) {
    struct stat info {};
    stat(file.c_str(), &info);
    return info.st_mode & 07777;
}

void Aged(const fs::path& file, std::chrono::seconds age) {
    fs::last_write_time(file, fs::file_time_type::clock::now() - age);
}

}  // namespace

TEST(AtomicFile, AFileKeepsItsModeAndANewOneIsReadableByAll) {
    TempDir dir("atomic_mode");
    std::string why;
    ASSERT_TRUE(WriteFileAtomically(dir / "new.ini", "a\n", why)) << why;
    EXPECT_EQ(ModeOf(dir / "new.ini"), 0644u);
    for (mode_t mode : {0600u, 0640u, 0664u}) {
        chmod((dir / "new.ini").c_str(), mode);
        ASSERT_TRUE(WriteFileAtomically(dir / "new.ini", "b\n", why)) << why;
        EXPECT_EQ(ModeOf(dir / "new.ini"), mode);
    }
}

// Two games writing the same file at once: the new file has its mode before it
// takes the name, so neither ever reads mkstemp's 0600 as the player's.
TEST(AtomicFile, WritersAtOnceNeverLeaveTheFilePrivate) {
    TempDir dir("atomic_race");
    const std::string file = dir / "settings.ini";
    std::ofstream(file) << "x\n";
    chmod(file.c_str(), 0644);
    auto write = [&] {
        std::string why;
        for (int i = 0; i < 300; ++i)
            WriteFileAtomically(file, "music_volume = " + std::to_string(i) + "\n", why);
    };
    std::thread a(write), b(write);
    a.join();
    b.join();
    EXPECT_EQ(ModeOf(file), 0644u);
}

TEST(AtomicFile, LeftoversOfAKilledWriteGoWhenOldEnoughOrUnderTheLock) {
    TempDir dir("atomic_left");
    const std::string file = dir / "records.ini";
    std::ofstream(file + ".aB3dE9") << "killed half way";
    std::ofstream(file + ".Zz9yY8") << "a write under way";
    std::ofstream(dir / "other.ini.Qq1Ww2") << "another file's";
    Aged(file + ".aB3dE9", std::chrono::minutes(5));
    Aged(dir / "other.ini.Qq1Ww2", std::chrono::minutes(5));
    RemoveLeftoverTemporaries(file, std::chrono::seconds(60));
    EXPECT_FALSE(fs::exists(file + ".aB3dE9"));
    EXPECT_TRUE(fs::exists(file + ".Zz9yY8"));
    EXPECT_TRUE(fs::exists(dir / "other.ini.Qq1Ww2"));
    RemoveLeftoverTemporaries(file);
    EXPECT_FALSE(fs::exists(file + ".Zz9yY8"));
    EXPECT_TRUE(fs::exists(dir / "other.ini.Qq1Ww2"));
}

// The settings file as the OPTIONS screen writes it: a temporary a killed
// write left long ago goes with the next change.
TEST(AtomicFile, ASettingsWriteRemovesWhatAKilledOneLeft) {
    TempDir dir("atomic_settings");
    const std::string file = dir / "settings.ini";
    std::ofstream(file) << "music_volume = 50\n";
    std::ofstream(file + ".k1LLed") << std::string(61000, 'x');
    Aged(file + ".k1LLed", std::chrono::hours(1));
    SettingsWrite write =
        WriteSettings(file, std::vector<SettingChange>{{"music_volume", "40"}}, NumberedKeyNames());
    ASSERT_TRUE(write.written) << write.detail;
    EXPECT_FALSE(fs::exists(file + ".k1LLed"));
    EXPECT_EQ(FileText(file), "music_volume = 40\n");
}
