#include "util/FileStamp.h"

#include <filesystem>

#include <sys/stat.h>

#include "util/Fnv.h"

namespace {

void AddEntry(Fnv& fnv, const std::string& path) {
    fnv.Add(path);
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        fnv.AddValue(-1);
        return;
    }
    fnv.AddValue(static_cast<int64_t>(info.st_size));
    fnv.AddValue(static_cast<int64_t>(info.st_mtim.tv_sec));
    fnv.AddValue(static_cast<int64_t>(info.st_mtim.tv_nsec));
}

}  // namespace

uint64_t StampOfFiles(const std::string& file, const std::string& folder) {
    Fnv fnv;
    AddEntry(fnv, file);
    std::error_code error;
    std::filesystem::recursive_directory_iterator it(folder, error), end;
    for (int seen = 0; !error && it != end && seen < kMaxStampEntries; it.increment(error), ++seen)
        AddEntry(fnv, it->path().string());
    return fnv.Value();
}
