#pragma once
#include <SDL.h>

// The window icon used when there is no "aaa.ico" beside the program: a small
// ship over a dark disc, drawn in code so the program needs no resource file.
SDL_Surface* CreateBuiltinIcon();
