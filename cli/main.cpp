// tachlet-cli: the command line of the tool. Reads the arguments with CLI11
// and hands them to the command; a usage error prints the usage and ends
// with status 2.
#include <algorithm>
#include <iostream>

#include <CLI/CLI.hpp>

#include "cli/CheckCommand.h"
#include "cli/MissingValue.h"
#include "cli/NotesFile.h"
#include "cli/SetCommand.h"
#include "cli/ShowCommand.h"
#include "run_file/FieldTable.h"
#include "platform/CommandLine.h"
#include "platform/Console.h"

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
    bool json = false;
    bool recursive = false;
    std::vector<std::string> showFiles, checkPaths;
    SetRequest set;
    std::map<Field, std::string> typed;
    std::string notes, notesFile;
};

void Describe(CLI::App& app, Arguments& a) {
    app.description("Shows, checks and edits the run files of PASS, many at a time.");
    app.set_version_flag("--version", Version);
    app.require_subcommand(1);
    CLI::App* show = app.add_subcommand("show", "Show version, values, record count, damaged records and notes");
    show->add_flag("--json", a.json, "One JSON array with one object per file");
    show->add_option("FILE", a.showFiles, "Run files")->required();

    CLI::App* check = app.add_subcommand("check", "Check run files for damaged records: OK, DAMAGED or ERROR each");
    check->add_flag("--json", a.json, "One JSON array with one object per file");
    check->add_flag("-r,--recursive", a.recursive, "Descend into the subfolders of folders");
    check->add_option("PATH", a.checkPaths, "Run files, and folders of *.gtp files in any case")->required();

    CLI::App* set = app.add_subcommand("set", "Write values into run files in place, as the window saves them");
    set->add_option("FILE", a.set.files, "Run files")->required();
    for (const ValueOption& option : ValueOptions) {
        set->add_option(option.name, a.typed[option.field], Help(option))->type_name(option.type);
    }
    CLI::Option* notes = set->add_option("--notes", a.notes, "Vehicle notes; a line break is stored as one CR")
                             ->type_name("TEXT");
    set->add_option("--notes-file", a.notesFile, "Vehicle notes read from a file, or from standard input for -")
        ->type_name("F")
        ->excludes(notes);
    set->add_flag("--dry-run", a.set.dryRun, "Print what would change (old \u2192 new) and write nothing");

    // Set last: subcommands take the footer their parent has when they are made.
    app.footer(
        "Examples:\n"
        "  tachlet-cli show RUN01.GTP                  what the window shows for RUN01.GTP\n"
        "  tachlet-cli check -r ~/runs                 find the damaged run files below ~/runs\n"
        "  tachlet-cli set *.GTP --weight 3150         set the weight of every run file here\n"
        "\n"
        "Exit status: 0 all read (and written) and nothing damaged, 1 damaged records found,\n"
        "2 usage error or value refused, 3 a file could not be read or written.");
}

// The problem, then the usage of the command it concerns (the tool's own
// when none).
int Usage(const CLI::App& app, const CLI::App* command, const std::string& problem) {
    std::cerr << "tachlet-cli: " << problem << "\n\n" << (command ? command->help(app.get_name()) : app.help());
    return static_cast<int>(ExitStatus::Refused);
}

int Usage(const CLI::App& app, const std::string& problem) {
    const std::vector<CLI::App*> commands = app.get_subcommands();
    return Usage(app, commands.empty() ? nullptr : commands.back(), problem);
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
    if (const std::optional<MissingValue> missing = FindMissingValue(app, words)) {
        return Usage(app, missing->command, missing->option + " needs a value");
    }
    try {
        app.parse(static_cast<int>(pointers.size()), pointers.data());
    } catch (const CLI::Success& answer) {
        return app.exit(answer);
    } catch (const CLI::ParseError& error) {
        return Usage(app, error.what());
    }

    ExitStatus status = ExitStatus::Ok;
    if (app.got_subcommand("show")) {
        status = Show(a.showFiles, a.json);
    } else if (app.got_subcommand("check")) {
        status = Check(a.checkPaths, a.recursive, a.json);
    } else {
        CLI::App* set = app.get_subcommand("set");
        for (const ValueOption& option : ValueOptions) {
            if (set->count(option.name) != 0) a.set.values[option.field] = a.typed[option.field];
        }
        if (set->count("--notes") != 0) a.set.notes = a.notes;
        if (set->count("--notes-file") != 0) {
            NotesFileText read = ReadNotesFile(a.notesFile);
            if (!read.problem.empty()) {
                std::cerr << "tachlet-cli: " << read.problem << "; nothing was written.\n";
                return static_cast<int>(read.status);
            }
            a.set.notes = std::move(read.notes);
        }
        if (a.set.values.empty() && !a.set.notes) return Usage(app, "set needs at least one value to write");
        status = Set(a.set);
    }
    return static_cast<int>(status);
}
