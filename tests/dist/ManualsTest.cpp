// The manual pages and the README cannot drift from the programs: every option
// a program's --help shows is described in its manual page's OPTIONS and named
// in the README, and the pages format without a warning.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "support/Programs.h"
#include "support/TempDir.h"

namespace {

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The options --help names, as "--name" or "-n".
std::set<std::string> OptionsIn(const std::string& help) {
    std::set<std::string> options;
    std::regex option(R"((^|[\s,\[|(])(--?[A-Za-z][A-Za-z0-9-]*))");
    for (auto it = std::sregex_iterator(help.begin(), help.end(), option);
         it != std::sregex_iterator(); ++it)
        options.insert((*it)[2]);
    return options;
}

// Whether text names the option as a word of its own: "--at" is not in "--attack".
bool Names(const std::string& text, const std::string& option) {
    for (size_t at = text.find(option); at != std::string::npos; at = text.find(option, at + 1)) {
        size_t end = at + option.size();
        bool before = at == 0 || !(std::isalnum(static_cast<unsigned char>(text[at - 1])) ||
                                   text[at - 1] == '-');
        bool after = end == text.size() ||
                     !(std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '-');
        if (before && after) return true;
    }
    return false;
}

// The OPTIONS section of a manual page's source, its escapes and fonts taken out.
std::string OptionsSection(const std::string& page) {
    std::string text = std::regex_replace(page, std::regex(R"(\\f[BIRP])"), "");
    text = std::regex_replace(text, std::regex(R"(\\-)"), "-");
    size_t start = text.find("\n.SH OPTIONS\n");
    if (start == std::string::npos) return "";
    size_t end = text.find("\n.SH ", start + 1);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

struct Program {
    const char* name;
    const char* path;
};

const Program kPrograms[] = {{"velmora", VELMORA_GAME}, {"velmora-sim", VELMORA_SIM}};

// What the program's --help says on stdout; its stderr must stay empty.
std::string Help(const Program& program) {
    TempDir home("manual_help");
    std::string err = home / "stderr";
    ProgramRun run =
        RunProgram("(env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME=" + home.Path().string() +
                   " " + program.path + " --help 2>" + err + ")");
    EXPECT_EQ(run.status, 0) << program.name;
    EXPECT_EQ(Contents(err), "") << program.name;
    return run.output;
}

}  // namespace

TEST(Manuals, EveryOptionOfHelpIsInTheManualPageAndTheReadme) {
    std::string readme = Contents(VELMORA_README);
    ASSERT_NE(readme, "");
    for (const Program& program : kPrograms) {
        std::string help = Help(program);
        std::set<std::string> options = OptionsIn(help);
        EXPECT_TRUE(options.count("--help") && options.count("--version")) << help;
        std::string page =
            OptionsSection(Contents(std::string(VELMORA_MANUALS) + "/" + program.name + ".6"));
        ASSERT_NE(page, "") << program.name << ".6 has no OPTIONS";
        for (const std::string& option : options) {
            EXPECT_TRUE(Names(page, option))
                << option << " of " << program.name << " --help is not in " << program.name
                << ".6's OPTIONS";
            EXPECT_TRUE(Names(readme, option))
                << option << " of " << program.name << " --help is not in README.md";
        }
    }
}

TEST(Manuals, ThePagesFormatWithoutAWarning) {
    if (RunProgram("command -v groff").status != 0) GTEST_SKIP() << "groff is not installed";
    for (const Program& program : kPrograms) {
        std::string page = std::string(VELMORA_MANUALS) + "/" + program.name + ".6";
        ProgramRun run = RunProgram("LC_ALL=C.UTF-8 groff -man -ww -z -Tutf8 " + page);
        EXPECT_EQ(run.status, 0) << page;
        EXPECT_EQ(run.output, "") << page;
    }
}
