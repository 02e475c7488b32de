#include "util/FileHash.h"

#include "util/FileData.h"
#include "util/Fnv.h"

namespace {
// As large as any file of the game may be.
constexpr std::size_t kMaxBytes = 64 << 20;
}  // namespace

uint64_t HashFiles(const std::vector<std::string>& paths) {
    Fnv fnv;
    for (const std::string& path : paths) {
        std::string data, error;
        bool read = ReadFileLimited(path, kMaxBytes, data, error);
        fnv.AddValue(read ? data.size() : ~std::size_t{0});
        fnv.Add(data);
    }
    return fnv.Value();
}
