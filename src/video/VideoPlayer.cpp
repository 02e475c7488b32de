#include "video/VideoPlayer.h"

bool videoSoundOn = false;
