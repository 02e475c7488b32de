#include "audio/SilentMusic.h"

bool SilentMusic::Open(const std::string& path) {
    opened.push_back(path);
    position = 0.0;
    ended = false;
    return true;
}

void SilentMusic::SetPosition(double seconds) {
    position = seconds;
    ended = false;
}
