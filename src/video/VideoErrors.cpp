#include "video/VideoErrors.h"

#include <cstdio>

void VideoErrors::ShowCode(const char* format, uint32_t result) {
    char message[1024];
    std::snprintf(message, sizeof message, format, result);
    Show(std::string(message));
}
