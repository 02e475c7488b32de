// The manual pages and the README cannot drift from the programs: every option
// a program's --help shows is described in its manual page's OPTIONS and named
// in the README, and the pages format without a warning.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "support/MustHave.h"
#include "support/Programs.h"
#include "support/TempDir.h"

namespace {

// The options --help names, as "--name" or "-n": a dash or two after a blank,
// a comma, a bracket or a bar, then a letter. (std::regex trips GCC 12's
// uninitialised-use warning under the sanitizers, so this is scanned by hand.)
std::set<std::string> OptionsIn(const std::string& help) {
    auto letter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    auto word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-'; };
    std::set<std::string> options;
    for (size_t at = 0; at < help.size(); ++at) {
        if (help[at] != '-') continue;
        char before = at == 0 ? ' ' : help[at - 1];
        if (!(std::isspace(static_cast<unsigned char>(before)) || before == ',' || before == '[' ||
              before == '|' || before == '('))
            continue;
        size_t name = at + 1 < help.size() && help[at + 1] == '-' ? at + 2 : at + 1;
        if (name >= help.size() || !letter(help[name])) continue;
        size_t end = name;
        while (end < help.size() && word(help[end]))
            ++end;
        options.insert(help.substr(at, end - at));
        at = end - 1;
    }
    return options;
}

// Every occurrence of from replaced by to.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
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

// The entries of a manual page's OPTIONS: the tag line under each .TP (as
// ".BI --stage FILE"), its escapes and fonts taken out. An option named only
// in another option's text has no entry of its own.
std::string OptionTags(const std::string& page) {
    std::string text = page;
    for (const char* font : {"\\fB", "\\fI", "\\fR", "\\fP"})
        text = Replaced(text, font, "");
    text = Replaced(text, "\\-", "-");
    size_t start = text.find("\n.SH OPTIONS\n");
    if (start == std::string::npos) return "";
    size_t end = text.find("\n.SH ", start + 1);
    std::string tags;
    for (size_t at = text.find("\n.TP\n", start); at < end; at = text.find("\n.TP\n", at + 1)) {
        size_t line = at + 5;
        tags += text.substr(line, text.find('\n', line) - line) + "\n";
    }
    return tags;
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
    EXPECT_EQ(FileText(err), "") << program.name;
    return run.output;
}

}  // namespace

TEST(Manuals, EveryOptionOfHelpIsInTheManualPageAndTheReadme) {
    std::string readme = FileText(VELMORA_README);
    ASSERT_NE(readme, "");
    for (const Program& program : kPrograms) {
        std::string help = Help(program);
        std::set<std::string> options = OptionsIn(help);
        EXPECT_TRUE(options.count("--help") && options.count("--version")) << help;
        std::string page =
            OptionTags(FileText(std::string(VELMORA_MANUALS) + "/" + program.name + ".6"));
        ASSERT_NE(page, "") << program.name << ".6 has no OPTIONS entries";
        for (const std::string& option : options) {
            EXPECT_TRUE(Names(page, option))
                << option << " of " << program.name << " --help has no entry in " << program.name
                << ".6's OPTIONS";
            EXPECT_TRUE(Names(readme, option))
                << option << " of " << program.name << " --help is not in README.md";
        }
    }
}

TEST(Manuals, ThePagesFormatWithoutAWarning) {
    if (RunProgram("command -v groff").status != 0) {
        VELMORA_MISSING("groff is not installed");
    }
    for (const Program& program : kPrograms) {
        std::string page = std::string(VELMORA_MANUALS) + "/" + program.name + ".6";
        ProgramRun run = RunProgram("LC_ALL=C.UTF-8 groff -man -ww -z -Tutf8 " + page);
        EXPECT_EQ(run.status, 0) << page;
        EXPECT_EQ(run.output, "") << page;
    }
}
