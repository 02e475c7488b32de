#include <filesystem>

#include "Media.h"

namespace mkmedia {

bool WriteStage(const std::filesystem::path& root) {
    const std::filesystem::path source = std::filesystem::path(MKMEDIA_STAGE_SOURCE).parent_path();
    for (const char* file : {"script_easy.txt", "kinds.toml", "bosses.toml"}) {
        std::error_code error;
        std::filesystem::copy_file(source / file, root / file,
                                   std::filesystem::copy_options::overwrite_existing, error);
        if (error) return false;
    }
    return true;
}

}  // namespace mkmedia
