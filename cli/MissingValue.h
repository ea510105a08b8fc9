#pragma once
// A value option never takes another option as its value: in
// "--run-name --dry-run" the name was forgotten, and taking "--dry-run" as
// the name would turn a dry run into a write. CLI11 takes whatever word
// follows, so the words are looked at before it parses them. A value that
// really starts with dashes is given as "--run-name=--odd"; a word with a
// single dash ("-5") is a value.
#include <optional>
#include <span>
#include <string>

#include <CLI/CLI.hpp>

struct MissingValue {
    const CLI::App* command;  // whose option it is, for its usage
    std::string option;       // as given: "--run-name"
};

// The first value option in `words` (the arguments after the program's name)
// that is the last word or followed by a word starting with "--" ("--name="
// counts as "--name", as CLI11 takes the next word for it). Options are those
// of the command named first; words after "--" are none.
std::optional<MissingValue> FindMissingValue(const CLI::App& app, std::span<const std::string> words);
