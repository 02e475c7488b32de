// Changing the settings file in place, as the options screen does: the
// player's own text kept, links written through, and every file that cannot
// take the change left as it was with a reason the screen can show.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "app/SettingsFile.h"
#include "input/platform/SdlKeyNames.h"
#include "support/MustHave.h"
#include "support/SettingsPrint.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::string Edit(std::string_view text, std::vector<SettingChange> changes) {
    return EditSettingsText(text, changes);
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Put(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

SettingsWrite Write(const std::string& path, std::vector<SettingChange> changes) {
    return WriteSettings(path, changes, SdlKeyNames());
}

const std::vector<SettingChange> kQuieter = {{"music_volume", "40"}};

// The folder's names, so a test can say nothing was left beside the file.
std::vector<std::string> Listing(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(SettingsEdit, TheValueChangesOnItsOwnLineAndEveryOtherByteStays) {
    const std::string text =
        "# my settings\n"
        "\n"
        "  Music_Volume=35   \n"
        "; an old note\n"
        "colour = blue\n"
        "not a setting at all\n"
        "key_fire = Z\n";
    EXPECT_EQ(Edit(text, {{"music_volume", "40"}, {"key_fire", "Left Shift, Space"}}),
              "# my settings\n"
              "\n"
              "  Music_Volume=40\n"
              "; an old note\n"
              "colour = blue\n"
              "not a setting at all\n"
              "key_fire = Left Shift, Space\n");
    // A key set twice changes where the reader takes it from: the last line.
    EXPECT_EQ(
        Edit("picture = stretch\n# x\npicture = zoom\nlevel = hard\n", {{"picture", "integer"}}),
        "picture = stretch\n# x\npicture = integer\nlevel = hard\n");
    // A commented-out key is a comment.
    EXPECT_EQ(Edit("# stage = old.txt\n", {{"stage", "new.txt"}}),
              "# stage = old.txt\nstage = new.txt\n");
    // A value emptied and given again.
    EXPECT_EQ(Edit("stage = old.txt\n", {{"stage", ""}}), "stage =\n");
    EXPECT_EQ(Edit("stage =\n", {{"stage", "a.txt"}}), "stage = a.txt\n");
}

TEST(SettingsEdit, AMissingKeyIsAddedInTheFilesOwnLineEnds) {
    EXPECT_EQ(Edit("", kQuieter), "music_volume = 40\n");
    EXPECT_EQ(Edit("fullscreen = yes", kQuieter), "fullscreen = yes\nmusic_volume = 40\n");
    // Windows line ends and a byte-order mark, as Notepad saves.
    EXPECT_EQ(Edit("\xEF\xBB\xBF"
                   "music_volume = 100\r\nfullscreen = yes\r\n",
                   {{"music_volume", "0"}, {"level", "normal"}}),
              "\xEF\xBB\xBF"
              "music_volume = 0\r\nfullscreen = yes\r\nlevel = normal\r\n");
    // Old Mac line ends are one line to the reader, and to the writer too.
    std::string mac = "fullscreen = yes\rpicture = integer\r";
    EXPECT_EQ(Edit(mac, kQuieter), mac + "\nmusic_volume = 40\n");
}

TEST(SettingsEdit, WhatTheWriterWroteIsWhatTheReaderReads) {
    // The file's text, the edit and the reading agree on every key's line,
    // whatever else the file holds.
    std::string garbage;
    for (int i = 0; i < 3000; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    for (const std::string& text :
         {std::string(""), std::string("music_volume = 10\nmusic_volume = loud\n"),
          "\xEF\xBB\xBF" + std::string("music_volume=3\r\n"), garbage,
          garbage + "\nMUSIC_VOLUME = 5"}) {
        std::string edited = Edit(text, {{"music_volume", "40"}, {"key_fire", "A"}});
        LoadedSettings read = ParseSettings(edited, SdlKeyNames());
        EXPECT_EQ(read.settings.musicVolume, 40);
        EXPECT_EQ(KeyListText(read.settings.keys, KeyAction::Fire, SdlKeyNames()), "A");
        if (text.starts_with(garbage)) {
            EXPECT_TRUE(edited.starts_with(garbage));
        }
    }
}

TEST(SettingsFile, ChangesAreWrittenAndReadBackWithTheRestOfTheFileKept) {
    TempDir dir("settings_write");
    std::string path = dir / "settings.ini";
    Put(path, "# mine\nfullscreen = yes\n\nkey_fire = X\n");
    chmod(path.c_str(), 0600);

    Settings settings = LoadSettings(path, SdlKeyNames()).settings;
    settings.effectsVolume = 20;
    settings.pad[0].button = ControllerButton::LeftShoulder;
    const std::string_view keys[] = {"effects_volume", "pad_fire"};
    SettingsWrite result = SaveSettings(path, settings, keys, SdlKeyNames());
    ASSERT_TRUE(result.written) << result.detail;
    EXPECT_EQ(result.reason, "");
    EXPECT_EQ(Slurp(path),
              "# mine\nfullscreen = yes\n\nkey_fire = X\neffects_volume = 20\n"
              "pad_fire = LeftShoulder\n");
    EXPECT_EQ(LoadSettings(path, SdlKeyNames()).settings, settings);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Listing(dir.Path()), std::vector<std::string>{"settings.ini"});

    // The defaults go back to the file key by key; the title's choices stay.
    settings.level = "hard";
    ASSERT_TRUE(SaveSetting(path, settings, "level", SdlKeyNames()).written);
    Settings restored = WithDefaultOptions(settings);
    ASSERT_TRUE(SaveSettings(path, restored, OptionKeys(), SdlKeyNames()).written);
    EXPECT_EQ(LoadSettings(path, SdlKeyNames()).settings, restored);
    EXPECT_EQ(restored.level, "hard");
    EXPECT_EQ(Slurp(path).rfind("# mine\nfullscreen = no\n\nkey_fire = Z, Space, Return\n", 0), 0u);
}

TEST(SettingsFile, AFileGoneSinceTheStartIsWrittenWithTheDefaultsAndTheChange) {
    TempDir dir("settings_gone");
    std::string path = dir / "config/velmora/settings.ini";
    ASSERT_TRUE(Write(path, kQuieter).written);
    LoadedSettings read = LoadSettings(path, SdlKeyNames());
    EXPECT_TRUE(read.problems.empty());
    Settings expected;
    expected.musicVolume = 40;
    EXPECT_EQ(read.settings, expected);
    EXPECT_NE(Slurp(path).find("# Volume of the music"), std::string::npos);
}

TEST(SettingsFile, ALinkIsWrittenThroughToItsTargetAndStaysALink) {
    TempDir dir("settings_link");
    fs::create_directories(dir.Path() / "dotfiles/velmora");
    fs::create_directories(dir.Path() / "config");
    Put(dir / "dotfiles/velmora/settings.ini", "# kept in git\npicture = stretch\n");
    // A relative link to a link, as dotfile managers make them.
    fs::create_symlink("../dotfiles/velmora/settings.ini", dir.Path() / "config/real.ini");
    fs::create_symlink("real.ini", dir.Path() / "config/settings.ini");

    ASSERT_TRUE(Write(dir / "config/settings.ini", kQuieter).written);
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "config/settings.ini"));
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "config/real.ini"));
    EXPECT_EQ(Slurp(dir / "dotfiles/velmora/settings.ini"),
              "# kept in git\npicture = stretch\nmusic_volume = 40\n");
    EXPECT_EQ(Listing(dir.Path() / "config"),
              (std::vector<std::string>{"real.ini", "settings.ini"}));
}

TEST(SettingsFile, ADanglingLinkOrALoopIsLeftAloneAndSaysSo) {
    TempDir dir("settings_badlink");
    std::string dangling = dir / "dangling.ini", loop = dir / "loop.ini";
    fs::create_symlink("gone/settings.ini", dangling);
    fs::create_symlink("loop.ini", loop);

    SettingsWrite result = Write(dangling, kQuieter);
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.reason, "CANNOT WRITE SETTINGS: BROKEN LINK");
    EXPECT_NE(result.detail.find(dangling), std::string::npos);
    result = Write(loop, kQuieter);
    EXPECT_EQ(result.reason, "CANNOT WRITE SETTINGS: LINK LOOP");

    // Nor does the start write its defaults over them.
    for (const std::string& link : {dangling, loop}) {
        LoadedSettings read = LoadSettings(link, SdlKeyNames());
        EXPECT_EQ(read.settings, Settings{});
        ASSERT_EQ(read.problems.size(), 1u);
        EXPECT_NE(read.problems[0].find("it is left alone"), std::string::npos);
        EXPECT_TRUE(fs::is_symlink(link));
    }
    EXPECT_EQ(fs::read_symlink(dangling), "gone/settings.ini");
    EXPECT_FALSE(fs::exists(dir.Path() / "gone"));
    EXPECT_EQ(Listing(dir.Path()), (std::vector<std::string>{"dangling.ini", "loop.ini"}));
}

TEST(SettingsFile, WhatCannotTakeTheChangeStaysAsItWasWithAReason) {
    TempDir dir("settings_refused");
    struct Case {
        std::string name, reason;
    };
    // The mode bits count for root too, who could write anyway.
    Put(dir / "readonly.ini", "music_volume = 100\n");
    chmod((dir / "readonly.ini").c_str(), 0444);
    fs::create_directories(dir.Path() / "folder.ini");
    fs::create_directories(dir.Path() / "locked");
    Put(dir / "locked/settings.ini", "music_volume = 100\n");
    chmod((dir / "locked").c_str(), 0555);
    Put(dir / "huge.ini", std::string(1 << 20, 'x'));
    mkfifo((dir / "fifo.ini").c_str(), 0644);
    Put(dir / "wide.ini", std::string("\xFF\xFEm\0u\0", 6));
    const Case cases[] = {
        {"readonly.ini", "CANNOT WRITE SETTINGS: READ-ONLY"},
        {"folder.ini", "CANNOT WRITE SETTINGS: IT IS A FOLDER"},
        {"locked/settings.ini", "CANNOT WRITE SETTINGS: READ-ONLY"},
        {"huge.ini", "CANNOT WRITE SETTINGS: TOO LARGE"},
        {"fifo.ini", "CANNOT WRITE SETTINGS: NOT A FILE"},
        {"wide.ini", "CANNOT WRITE SETTINGS: NOT UTF-8"},
    };
    for (const Case& c : cases) {
        std::string path = dir / c.name;
        std::string before = fs::is_regular_file(path) ? Slurp(path) : "";
        SettingsWrite result = Write(path, kQuieter);
        EXPECT_FALSE(result.written) << c.name;
        EXPECT_EQ(result.reason, c.reason) << c.name;
        EXPECT_NE(result.detail.find(path), std::string::npos) << c.name;
        if (fs::is_regular_file(path)) {
            EXPECT_EQ(Slurp(path), before) << c.name;
        }
    }
    EXPECT_TRUE(fs::is_directory(dir.Path() / "folder.ini"));
    EXPECT_EQ(Listing(dir.Path() / "locked"), std::vector<std::string>{"settings.ini"});
    chmod((dir / "locked").c_str(), 0755);

    // A value that would break the file's lines is refused before anything is touched.
    SettingsWrite bad = Write(dir / "new.ini", {{"stage", "two\nlines.txt"}});
    EXPECT_EQ(bad.reason, "CANNOT WRITE SETTINGS: BAD VALUE");
    EXPECT_FALSE(fs::exists(dir / "new.ini"));
    EXPECT_EQ(Write("", kQuieter).reason, "CANNOT WRITE SETTINGS: NO HOME FOLDER");
}

TEST(SettingsFile, AGarbageFileKeepsItsBytesAndTakesTheKey) {
    TempDir dir("settings_garbage");
    std::string garbage;
    for (int i = 0; i < 4000; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    Put(dir / "settings.ini", garbage);
    ASSERT_TRUE(Write(dir / "settings.ini", kQuieter).written);
    std::string now = Slurp(dir / "settings.ini");
    EXPECT_EQ(now.substr(0, garbage.size()), garbage);
    EXPECT_EQ(LoadSettings(dir / "settings.ini", SdlKeyNames()).settings.musicVolume, 40);
}

namespace {

// Runs the write in a child of its own, with a 16 KiB file system mounted on
// dir and filled up: the real full disk. 0 written, 1 refused as a full disk
// with the file as it was, 2 anything else, 77 when no file system can be
// mounted here.
int WriteOnAFullDisk(const std::string& dir) {
    pid_t child = fork();
    if (child == 0) {
        if (getuid() != 0) {
            uid_t uid = getuid();
            if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) _exit(77);
            std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
        } else if (unshare(CLONE_NEWNS) != 0) {
            _exit(77);
        }
        if (mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=16k") != 0) {
            _exit(77);
        }
        std::string path = dir + "/settings.ini";
        Put(path, "music_volume = 100\n");
        std::ofstream filler(dir + "/filler", std::ios::binary);
        std::string block(1024, 'x');
        for (int i = 0; i < 64 && filler.write(block.data(), 1024); ++i) {
            filler.flush();
        }
        SettingsWrite result = Write(path, kQuieter);
        if (result.written) _exit(0);
        bool kept = Slurp(path) == "music_volume = 100\n" &&
                    Listing(dir) == std::vector<std::string>{"filler", "settings.ini"};
        _exit(result.reason == "CANNOT WRITE SETTINGS: DISK FULL" && kept ? 1 : 2);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}

}  // namespace

TEST(SettingsFile, AFullDiskIsSaidAndTheFileStaysWhole) {
    TempDir dir("settings_full");
    int result = WriteOnAFullDisk(dir.Path().string());
    if (result == 77) {
        VELMORA_MISSING("no small file system can be mounted here");
    }
    EXPECT_EQ(result, 1) << "0: written on a full disk; 2: not refused as one, or the file changed";
}
