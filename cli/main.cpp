// tachlet-cli: the command line of the tool. Reads the arguments with CLI11
// and hands them to the command; a usage error prints its reason and where
// to find the usage, and ends with status 2.
#include <algorithm>
#include <iostream>
#include <optional>
#include <span>

#include <CLI/CLI.hpp>

#include "cli/CheckCommand.h"
#include "cli/MissingValue.h"
#include "cli/NotesFile.h"
#include "cli/SetCommand.h"
#include "cli/ShowCommand.h"
#include "platform/CommandLine.h"
#include "platform/Console.h"
#include "run_file/FieldTable.h"

namespace {

using Stuff::Field;

const std::string Version = "tachlet-cli " + std::to_string(TACHLET_VERSION_MAJOR) + "." +
                            std::to_string(TACHLET_VERSION_MINOR) + "." + std::to_string(TACHLET_VERSION_PATCH);

struct ValueOption {
    const char* name;
    Field field;
    const char* type;
    const char* about;  // the help before the field's limit
};

constexpr ValueOption ValueOptions[] = {
    {"--run-name", Field::RunName, "TEXT", "Run name"},
    {"--vehicle-name", Field::VehicleName, "TEXT", "Vehicle name"},
    {"--weight", Field::VehicleWeight, "N", "Vehicle weight in pounds"},
    {"--redline", Field::Redline, "N", "Redline"},
    {"--shift-point", Field::ShiftPoint, "N", "Shift point"},
    {"--rollout", Field::RolloutLength, "X", "Rollout length in inches, rounded to one decimal"},
    {"--pitch", Field::PitchFactor, "X", "Pitch factor in degrees per G (PASS 2.0 files and later)"},
};

// The option's help with the limit worded as the window's tooltips word it.
std::string Help(const ValueOption& option) {
    return std::string(option.about) + ". " + Stuff::LimitText(Stuff::Editable(option.field));
}

struct Arguments {
    FileSelection selection;
    Output output;
    bool json = false, jsonLines = false, csv = false;
    SetRequest set;
    std::map<Field, std::string> typed;
    std::string notes, notesFile, listFile;
};

const std::vector<std::string> Commands{"show", "check", "set"};

// The files and folders to work on and the form of the results, alike for
// every command; CSV for the commands whose records are flat.
void AddBatchOptions(CLI::App& command, Arguments& a, bool csv) {
    command.add_option("PATH", a.selection.paths, "Run files, and folders of *.gtp files in any case")->type_name("");
    command.add_flag("-r,--recursive", a.selection.recursive, "Descend into the subfolders of folders");
    CLI::Option* list =
        command.add_option("--files-from", a.listFile, "Read more paths from FILE, one a line; - for standard input")
            ->type_name("FILE");
    command.add_flag("-0,--null", a.selection.nulSeparated, "The paths of --files-from end with a NUL (find -print0)")
        ->needs(list);
    command.add_flag("-q,--quiet", a.output.quiet, "Only the files that are not OK");
    CLI::Option* json = command.add_flag("--json", a.json, "One JSON array with one object per file");
    CLI::Option* lines = command.add_flag("--json-lines", a.jsonLines, "One JSON object per file, one a line")
                             ->excludes(json);
    if (csv) {
        command.add_flag("--csv", a.csv, "A table for a spreadsheet: a header row, one row per file")
            ->excludes(json)
            ->excludes(lines);
    }
}

void Describe(CLI::App& app, Arguments& a) {
    app.description("Shows, checks and edits the run files of PASS, many at a time.");
    app.set_version_flag("--version", Version);
    app.set_help_all_flag("--help-all", "Print the help of every command");
    CLI::App* show = app.add_subcommand("show", "Show version, values, record count, damaged records and notes");
    AddBatchOptions(*show, a, true);

    CLI::App* check =
        app.add_subcommand("check", "Check run files for damaged records: OK, DAMAGED, SHORT or ERROR each");
    AddBatchOptions(*check, a, true);

    CLI::App* set = app.add_subcommand("set", "Write values into run files in place, as the window saves them");
    AddBatchOptions(*set, a, false);
    for (const ValueOption& option : ValueOptions) {
        set->add_option(option.name, a.typed[option.field], Help(option))->type_name(option.type);
    }
    CLI::Option* notes = set->add_option("--notes", a.notes, "Vehicle notes; a line break is stored as one CR")
                             ->type_name("TEXT");
    set->add_option("--notes-file", a.notesFile, "Vehicle notes read from a file, or from standard input for -")
        ->type_name("F")
        ->excludes(notes);
    set->add_flag("--dry-run", a.set.dryRun, "Print what would change (old \u2192 new) and write nothing");
    set->add_flag("--preserve-date", a.set.keepDate, "Keep each written file's modification time");

    // Set last: subcommands take the footer their parent has when they are made.
    app.footer(
        "Examples:\n"
        "  tachlet-cli show RUN01.GTP                  what the window shows for RUN01.GTP\n"
        "  tachlet-cli check -r -q ~/runs              list the damaged and unreadable run files below ~/runs\n"
        "  tachlet-cli set *.GTP --weight 3150         set the weight of every run file here\n"
        "  find runs -name '*.GTP' -print0 | tachlet-cli check --files-from - -0 --csv > runs.csv\n"
        "\n"
        "Results go to standard output; errors and warnings about files to standard error.\n"
        "Exit status: 0 all read (and written) and nothing damaged, 1 damaged or short files found,\n"
        "2 usage error or value refused, 3 a file could not be read or written.");
}

// The command the words name first, or the reason why none is named.
std::optional<std::string> CommandProblem(std::span<const std::string> words) {
    const auto named = std::find_if(words.begin(), words.end(), [](const std::string& word) {
        return !word.starts_with('-');
    });
    const bool asksOnly = std::any_of(words.begin(), named, [](const std::string& word) {
        return word == "--help" || word == "-h" || word == "--help-all" || word == "--version";
    });
    if (named == words.end()) {
        if (asksOnly) return std::nullopt;
        return std::string("a command is required: show, check or set");
    }
    if (std::find(Commands.begin(), Commands.end(), *named) == Commands.end()) return UnknownCommand(*named, Commands);
    return std::nullopt;
}

// The reason of a usage error, on its first line.
std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

int Usage(const std::string& reason) {
    ReportUsageError(reason);
    return static_cast<int>(ExitStatus::Refused);
}

// The values to write, from the options given and the notes file.
std::optional<int> GatherValues(CLI::App& set, Arguments& a) {
    for (const ValueOption& option : ValueOptions) {
        if (set.count(option.name) != 0) a.set.values[option.field] = a.typed[option.field];
    }
    if (set.count("--notes") != 0) a.set.notes = a.notes;
    if (set.count("--notes-file") != 0) {
        if (a.notesFile == "-" && a.selection.listFile == "-") {
            return Usage("standard input can give the notes or the list of files, not both");
        }
        NotesFileText read = ReadNotesFile(a.notesFile);
        if (!read.problem.empty()) {
            std::cerr << "tachlet-cli: " << read.problem << "; nothing was written.\n";
            return static_cast<int>(read.status);
        }
        a.set.notes = std::move(read.notes);
    }
    if (a.set.values.empty() && !a.set.notes) return Usage("set needs at least one value to write");
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    Console::ShowOutputAsUtf8();
    // Names and values as UTF-8 on every system, as the core takes them.
    const std::vector<std::string> arguments = CommandLine::Arguments(argc, argv);
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
    CLI::App app("", "tachlet-cli");
    Arguments a;
    Describe(app, a);
    const auto words = std::span(arguments).subspan(std::min<size_t>(1, arguments.size()));
    if (const std::optional<std::string> problem = CommandProblem(words)) return Usage(*problem);
    if (const std::optional<MissingValue> missing = FindMissingValue(app, words)) {
        return Usage(missing->option + " needs a value");
    }
    try {
        app.parse(static_cast<int>(pointers.size()), pointers.data());
    } catch (const CLI::Success& answer) {
        return app.exit(answer);
    } catch (const CLI::ParseError& error) {
        return Usage(FirstLine(error.what()));
    }

    CLI::App* command = app.get_subcommands().front();
    if (!a.listFile.empty()) a.selection.listFile = a.listFile;
    if (a.selection.paths.empty() && !a.selection.listFile) {
        return Usage(command->get_name() + " needs a file, a folder or --files-from");
    }
    a.output.format = a.json ? Format::JsonArray : a.jsonLines ? Format::JsonLines : a.csv ? Format::Csv : Format::Text;
    ExitStatus status = ExitStatus::Ok;
    if (command->get_name() == "show") {
        status = Show(a.selection, a.output);
    } else if (command->get_name() == "check") {
        status = Check(a.selection, a.output);
    } else {
        if (const std::optional<int> refused = GatherValues(*command, a)) return *refused;
        a.set.selection = a.selection;
        a.set.output = a.output;
        status = Set(a.set);
    }
    return static_cast<int>(status);
}
