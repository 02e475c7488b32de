// The game ended by a signal (a terminal closed, a session ended, Ctrl+C) leaves
// its loop and saves the high score, as when the window is closed.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// The game copied into a folder of its own, with links to the built pack, so
// that what it saves lands there.
class GameCopy {
public:
    GameCopy() {
        fs::path built(VELMORA_GAME);
        fs::copy_file(built, dir.Path() / "velmora");
        fs::create_directory(dir.Path() / "Media");
        for (const auto& entry : fs::directory_iterator(built.parent_path() / "Media")) {
            if (entry.path().filename() != "option.ini")
                fs::create_symlink(entry.path(), dir.Path() / "Media" / entry.path().filename());
        }
    }
    std::string SavePath() const { return dir / "Media/option.ini"; }
    std::string Program() const { return dir / "velmora"; }

private:
    TempDir dir{"signals"};
};

// Whether the process catches the signal yet (its handlers are in place).
bool Catches(pid_t pid, int signal) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
    }
    return false;
}

// Waits for the child's end for at most `seconds`; its wait status, or -1.
int WaitForExit(pid_t pid, double seconds) {
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < until) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

}  // namespace

TEST(DisplaySignals, HangUpTerminateAndInterruptEachSaveTheHighScore) {
    GameCopy game;
    for (int signal : {SIGHUP, SIGTERM, SIGINT}) {
        // A line the game does not keep: its absence shows the file was written anew.
        std::ofstream(game.SavePath()) << "HighScore=000000000777\nWritten=no\n";
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            setenv("SDL_AUDIODRIVER", "dummy", 1);
            if (!freopen("/dev/null", "w", stderr)) _exit(126);
            execl(game.Program().c_str(), "velmora", nullptr);
            _exit(127);
        }
        auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!Catches(pid, SIGHUP) && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        kill(pid, signal);
        int status = WaitForExit(pid, 30);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << strsignal(signal);
        EXPECT_EQ(FileText(game.SavePath()), "HighScore=000000000777\n") << strsignal(signal);
    }
}
