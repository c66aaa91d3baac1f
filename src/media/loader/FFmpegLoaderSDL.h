#pragma once
// SDL2's entry table, bound when the player's library set loads.
#include "media/loader/FFmpegLoaderNames.h"

#include <SDL.h>

namespace tovrel {

#define TOVREL_DECLARE_SDL_ENTRY(name) decltype(&::name) name = nullptr;

struct TSDLEntries {
    TOVREL_SDL_ENTRIES(TOVREL_DECLARE_SDL_ENTRY)
};

extern TSDLEntries SDL;

} // namespace tovrel
