// The manual pages and the bash completion against the command definitions themselves: every
// command and option pomuran-cli defines has its section and lines there, so a new option
// without its documentation fails here.
#include <gtest/gtest.h>

#include <CLI/CLI.hpp>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/show_window.h"

namespace {

std::string readSource(const std::string& relative)
{
    std::ifstream in(std::string(POMURAN_SOURCE_DIR) + "/" + relative);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Command {
    std::string path;  // "" for pomuran-cli itself, else as "tickets add"
    std::vector<std::string> subcommands;
    std::vector<const CLI::Option*> options;  // with a long name, --help left out
};

void collect(CLI::App& app, const std::string& path, std::vector<Command>& commands)
{
    Command command{path, {}, {}};
    for (const CLI::Option* option : app.get_options()) {
        if (option->get_lnames().empty() || option == app.get_help_ptr()) continue;
        command.options.push_back(option);
    }
    const auto subcommands = app.get_subcommands([](CLI::App*) { return true; });
    for (CLI::App* sub : subcommands)
        command.subcommands.push_back(sub->get_name());
    commands.push_back(command);
    for (CLI::App* sub : subcommands)
        collect(*sub, path.empty() ? sub->get_name() : path + " " + sub->get_name(), commands);
}

std::vector<Command> definedCommands()
{
    static std::ostringstream sink;
    static CliContext context{sink, sink};
    static CLI::App app{kCliDescription, "pomuran-cli"};
    static const bool defined = (defineCli(app, context), true);
    static_cast<void>(defined);
    std::vector<Command> commands;
    collect(app, "", commands);
    return commands;
}

std::string longName(const CLI::Option* option)
{
    return "--" + option->get_lnames().front();
}

// How roff writes an option: every hyphen escaped.
std::string roff(const std::string& text)
{
    return std::regex_replace(text, std::regex("-"), "\\-");
}

// word occurs in text and is not merely the start of a longer option name.
bool containsOption(const std::string& text, const std::string& word)
{
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const std::string after = text.substr(at + word.size(), 2);
        if (after.empty() || (!std::isalnum(static_cast<unsigned char>(after[0])) &&
                              after != "\\-" && after[0] != '-'))
            return true;
    }
    return false;
}

// The man page's sections (.SS NAME) and their text.
std::map<std::string, std::string> manSections(const std::string& page)
{
    std::map<std::string, std::string> sections;
    std::istringstream in(page);
    std::string line, current;
    bool inCommand = false;
    while (std::getline(in, line)) {
        if (line.rfind(".SS ", 0) == 0) {
            current = line.substr(4);
            if (current.size() >= 2 && current.front() == '"')
                current = current.substr(1, current.size() - 2);
            inCommand = true;
            sections[current];
            continue;
        }
        if (line.rfind(".SH ", 0) == 0) inCommand = false;
        if (inCommand) sections[current] += line + '\n';
    }
    return sections;
}

// The completion's table: for each command (its case label), the words that may follow it.
std::map<std::string, std::set<std::string>> completionWords(const std::string& script)
{
    std::map<std::string, std::set<std::string>> table;
    const std::regex entry(R"re(^\s*"?([a-z ]*)"?\) echo "([^"]*)" ;;)re");
    std::istringstream in(script);
    std::string line;
    std::smatch match;
    while (std::getline(in, line)) {
        if (!std::regex_search(line, match, entry)) continue;
        std::istringstream words(match[2].str());
        std::string word;
        auto& set = table[match[1].str()];
        while (words >> word)
            set.insert(word);
    }
    return table;
}

std::set<std::string> wordsOf(const std::string& script, const std::string& variable)
{
    const std::regex assignment(variable + "=\"([^\"]*)\"");
    std::smatch match;
    std::set<std::string> words;
    if (!std::regex_search(script, match, assignment)) return words;
    std::istringstream in(match[1].str());
    for (std::string word; in >> word;)
        words.insert(word);
    return words;
}

TEST(CliDocumentationTest, EveryCommandAndOptionIsInTheManPage)
{
    const std::string page = readSource("packaging/pomuran-cli.1.in");
    ASSERT_FALSE(page.empty());
    const auto sections = manSections(page);
    std::string options;  // OPTIONS: those of pomuran-cli itself and the shared ones
    if (auto at = page.find(".SH OPTIONS"); at != std::string::npos)
        options = page.substr(at, page.find(".SH ", at + 1) - at);
    for (const Command& command : definedCommands()) {
        if (command.path.empty()) {
            for (const CLI::Option* option : command.options)
                EXPECT_TRUE(containsOption(options, roff(longName(option)))) << longName(option);
            continue;
        }
        const auto section = sections.find(command.path);
        ASSERT_NE(section, sections.end()) << "no .SS " << command.path;
        // Each command's synopsis or list names every option it takes.
        for (const CLI::Option* option : command.options)
            EXPECT_TRUE(containsOption(section->second, roff(longName(option))))
                << command.path << " " << longName(option);
    }
}

TEST(CliDocumentationTest, EveryCommandAndOptionCompletes)
{
    const std::string script = readSource("packaging/pomuran-cli.bash");
    ASSERT_FALSE(script.empty());
    const auto table = completionWords(script);
    const auto valueOptions = wordsOf(script, "_pomuran_cli_value_options");
    ASSERT_FALSE(valueOptions.empty());
    for (const Command& command : definedCommands()) {
        const auto words = table.find(command.path);
        ASSERT_NE(words, table.end()) << "no completion for \"" << command.path << "\"";
        for (const std::string& sub : command.subcommands)
            EXPECT_TRUE(words->second.count(sub)) << command.path << " " << sub;
        for (const CLI::Option* option : command.options) {
            const std::string name = longName(option);
            EXPECT_TRUE(words->second.count(name)) << command.path << " " << name;
            // The word after an option with a value is its value, never the next command.
            EXPECT_EQ(valueOptions.count(name) == 1, option->get_expected_min() > 0) << name;
            // Options naming a file complete file names.
            if (option->get_option_text() == "FILE") {
                EXPECT_TRUE(
                    std::regex_search(script, std::regex("\\n\\s*" + name + "\\) _filedir")))
                    << name;
            }
        }
    }
}

TEST(CliDocumentationTest, TheJapanesePageNamesEveryWindow)
{
    const std::string page = readSource("packaging/ja/pomuran-cli.1.in");
    ASSERT_FALSE(page.empty());
    for (const std::string& name : shownWindowNames())
        EXPECT_NE(page.find("\n" + name + "\n"), std::string::npos) << name;
}

}  // namespace
