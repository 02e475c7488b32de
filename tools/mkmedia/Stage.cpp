#include <filesystem>

#include "Media.h"

namespace mkmedia {

bool WriteStage(const std::filesystem::path& file) {
    std::error_code error;
    std::filesystem::copy_file(MKMEDIA_STAGE_SOURCE, file,
                               std::filesystem::copy_options::overwrite_existing, error);
    return !error;
}

}  // namespace mkmedia
