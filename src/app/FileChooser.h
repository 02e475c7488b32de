#pragma once
#include <optional>
#include <string>
#include <vector>

// The desktop's open-file dialog: only an existing file can be chosen.
class FileChooser {
public:
    struct Filter {
        std::string name;  // shown to the user
        // "*.wmv", or several: "*.wmv;*.avi"; matched without regard to case
        std::string pattern;
    };
    virtual ~FileChooser() = default;
    // Blocks until the user answers. The path, or nothing when the dialog was
    // cancelled or could not open. initialPath: selected at the start when not empty.
    virtual std::optional<std::string> ChooseFile(const std::string& title,
                                                  const std::vector<Filter>& filters,
                                                  const std::string& initialPath) = 0;
};

// A shell pattern that matches regardless of case ("*.wmv" -> "*.[wW][mM][vV]");
// "*.*" means every file, as users of other desktops expect.
std::string CaseInsensitivePattern(const std::string& pattern);
// A filter's patterns, one each, case-insensitive.
std::vector<std::string> FilterPatterns(const FileChooser::Filter& filter);
