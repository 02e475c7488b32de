#include <filesystem>

#include "Media.h"

namespace mkmedia {

bool WriteStage(const std::filesystem::path& root) {
    // Every stage with its folder, the kinds and bosses they share and their order.
    const std::filesystem::path source = std::filesystem::path(MKMEDIA_STAGE_SOURCE).parent_path();
    std::error_code error;
    std::filesystem::copy(source, root,
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing,
                          error);
    return !error;
}

}  // namespace mkmedia
