#include "cli/MissingValue.h"

#include <algorithm>
#include <set>

namespace {

std::set<std::string> ValueOptionNames(const CLI::App& command) {
    std::set<std::string> names;
    for (const CLI::Option* option : command.get_options()) {
        if (option->get_positional() || option->get_expected_min() == 0) continue;  // a file or a flag
        for (const std::string& name : option->get_lnames()) names.insert("--" + name);
        for (const std::string& name : option->get_snames()) names.insert("-" + name);
    }
    return names;
}

const CLI::App* CommandNamed(const CLI::App& app, const std::string& name) {
    const std::vector<const CLI::App*> found =
        app.get_subcommands([&](const CLI::App* command) { return command->get_name() == name; });
    return found.empty() ? nullptr : found.front();
}

}  // namespace

std::optional<MissingValue> FindMissingValue(const CLI::App& app, std::span<const std::string> words) {
    const auto named = std::find_if(words.begin(), words.end(), [](const std::string& word) {
        return !word.starts_with('-');
    });
    const CLI::App* command = named == words.end() ? nullptr : CommandNamed(app, *named);
    if (command == nullptr) return std::nullopt;
    const std::set<std::string> options = ValueOptionNames(*command);
    for (auto word = named + 1; word != words.end() && *word != "--"; ++word) {
        // CLI11 reads "--run-name=" with nothing after it as the bare option.
        const std::string option = word->ends_with('=') ? word->substr(0, word->size() - 1) : *word;
        if (options.count(option) == 0) continue;
        if (word + 1 == words.end() || word[1].starts_with("--")) return MissingValue{command, option};
        ++word;  // its value, whatever it looks like
    }
    return std::nullopt;
}
