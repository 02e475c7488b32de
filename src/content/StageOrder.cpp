#include "content/StageOrder.h"

#include <filesystem>

#include <toml++/toml.h>

#include "util/AssetPath.h"
#include "util/FileData.h"
#include "util/StringUtil.h"

namespace {
constexpr std::size_t kMaxOrderBytes = 64 << 10;
}  // namespace

std::vector<std::string> PackStages(const std::string& mediaDir,
                                    const std::function<void(const std::string&)>& report) {
    const std::string path = mediaDir + "stages.toml";
    std::vector<std::string> stages;
    std::error_code missing;
    if (!std::filesystem::exists(ResolveAssetPath(path), missing)) return stages;
    std::string data, why;
    if (!ReadFileLimited(ResolveAssetPath(path), kMaxOrderBytes, data, why)) {
        report(Printable(path) + ": " + why);
        return stages;
    }
    toml::table root;
    try {
        root = toml::parse(data, path);
    } catch (const toml::parse_error& e) {
        report(Printable(path) + ":" + std::to_string(e.source().begin.line) + ": " +
               Printable(std::string(e.description())));
        return stages;
    }
    const toml::array* listed = root["stages"].as_array();
    if (!listed) {
        report(Printable(path) + ": no list \"stages = [...]\"");
        return stages;
    }
    for (const toml::node& node : *listed) {
        std::optional<std::string> file = node.value<std::string>();
        const std::string full = file ? ResolveAssetPath(mediaDir + *file) : "";
        std::string problem;
        if (!file || file->empty() || file->find("..") != std::string::npos) {
            report(Printable(path) + ":" + std::to_string(node.source().begin.line) +
                   ": a stage is a file name of the pack's folder");
        } else if (!IsRegularFile(full, problem)) {
            report(Printable(full) + ": " + problem + "; the stage is left out");
        } else {
            stages.push_back(full);
        }
    }
    return stages;
}
