// Every test program keeps its user data in a folder of its own, never in the
// home of whoever runs the tests.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

struct PrivateUserData {
    PrivateUserData()
        : dir(std::filesystem::temp_directory_path() /
              ("velmora-userdata-" + std::to_string(getpid()))) {
        setenv("XDG_DATA_HOME", dir.c_str(), 1);
    }
    ~PrivateUserData() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    std::filesystem::path dir;
};

const PrivateUserData userData;

}  // namespace
