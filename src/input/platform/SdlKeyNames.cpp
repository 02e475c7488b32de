#include "input/platform/SdlKeyNames.h"

#include <SDL.h>

#include "util/StringUtil.h"

namespace {
constexpr std::string_view kComma = "Comma";

int ScancodeNamed(const std::string& name) {
    int code = SDL_GetScancodeFromName(name.c_str());
    if (code != SDL_SCANCODE_UNKNOWN) return code;
    std::string lower;
    for (char c : name)
        lower += AsciiLower(c);
    size_t at = lower.find("comma");
    if (at == std::string::npos) return 0;
    std::string withComma = name.substr(0, at) + "," + name.substr(at + kComma.size());
    return SDL_GetScancodeFromName(withComma.c_str());
}

std::string NameOf(int code) {
    std::string name = SDL_GetScancodeName(static_cast<SDL_Scancode>(code));
    for (size_t at = name.find(','); at != std::string::npos; at = name.find(',', at))
        name.replace(at, 1, kComma);
    return name;
}
}  // namespace

KeyNames SdlKeyNames() {
    return {ScancodeNamed, NameOf};
}
