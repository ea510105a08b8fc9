// tachlet-cli run as a user runs it: the real program over run files built
// byte by byte in a temporary folder, its output, its exit status and the
// files' bytes afterwards.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <nlohmann/json.hpp>

#include "testkit/SystemTestkit.h"
#include "testkit/RunFileBuilder.h"
#include "testkit/TempFolder.h"

using Json = nlohmann::ordered_json;

namespace {

struct Outcome {
    int status = -1;
    std::string out, err;
};

class ToolTest : public ::testing::Test {
protected:
    std::string Bytes(const RunFileBuilder& builder) const {
        const RunFileBuilder::Bytes bytes = builder.Build();
        return std::string(bytes.begin(), bytes.end());
    }
    std::string Write(const std::string& name, const RunFileBuilder& builder) { return folder.Write(name, Bytes(builder)); }
    std::string P(const std::string& name) const { return folder.Path(name); }

    // Runs the tool in the folder with its output in files of another, and
    // the input, when given, piped to it.
    Outcome Run(std::vector<std::string> args, const std::optional<std::string>& input = std::nullopt) const {
        args.insert(args.begin(), TACHLET_CLI_PROGRAM);
        return RunProgram(args, input);
    }
    // The same for any program, found by its full path. A program that reads
    // without end is ended after 30 seconds, not waited for.
    Outcome RunProgram(const std::vector<std::string>& args, const std::optional<std::string>& input = std::nullopt) const {
        std::string command = "cd " + Quoted(folder.Path()) + " && ";
        if (input) command += "cat " + Quoted(io.Write("in", *input)) + " | ";
        command += "timeout 30";
        for (const std::string& arg : args) command += " " + Quoted(arg);
        const int status = std::system((command + " >" + Quoted(io.Path("out")) + " 2>" + Quoted(io.Path("err"))).c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, io.Read("out"), io.Read("err")};
    }
    static std::string Quoted(const std::string& text) {
        std::string quoted = "'";
        for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return quoted + "'";
    }

    TempFolder folder, io;
};

const std::string Arrow = " \u2192 ";

// "FILE STATUS" for each line of JSON lines, parsed one line at a time; the
// status is the first of the keys the object has.
std::vector<std::string> JsonLines(const std::string& lines, const char* key, const char* otherKey = "") {
    std::vector<std::string> read;
    for (size_t at = 0; at < lines.size(); at = lines.find('\n', at) + 1) {
        const Json object = Json::parse(lines.substr(at, lines.find('\n', at) - at));
        read.push_back(object["file"].get<std::string>() + " " + object.value(key, object.value(otherKey, "")));
    }
    return read;
}

std::vector<std::string> Plus(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

}  // namespace

TEST_F(ToolTest, CheckListsTheRunFilesOfFoldersInAnyCaseSortedAndDescendsWithR) {
    const RunFileBuilder damaged = RunFileBuilder().Records(3, 4).DamagedRecord(0).DamagedRecord(2);
    for (const char* name : {"runs", "runs/sub", "runs/sub/deeper"}) folder.MakeFolder(name);
    Write("runs/B.gtp", damaged);
    Write("runs/a.GTP", RunFileBuilder().Records(2, 4));
    folder.Write("runs/readme.txt", "no run file");
    Write("runs/sub/c.Gtp", RunFileBuilder());
    folder.Write("runs/sub/junk.GTP", "no run file either");
    Write("runs/sub/deeper/D.gtp", RunFileBuilder().Version("1.1.1"));
    const std::string top = "runs/a.GTP: OK\nruns/B.gtp: DAMAGED 2 record(s) at " +
                            std::to_string(damaged.DamagedPositions()[0]) + ", " +
                            std::to_string(damaged.DamagedPositions()[1]) + "\n";

    const Outcome flat = Run({"check", "runs"});
    EXPECT_EQ(flat.out, top + "2 files: 1 ok, 1 damaged, 0 short, 0 unreadable\n");
    EXPECT_EQ(flat.status, 1);
    const Outcome deep = Run({"check", "-r", "runs/", "runs/readme.txt"});
    EXPECT_EQ(deep.out,
              top + "runs/sub/c.Gtp: OK\nruns/sub/deeper/D.gtp: OK\n6 files: 3 ok, 1 damaged, 0 short, 2 unreadable\n");
    EXPECT_EQ(deep.status, 3);
    EXPECT_EQ(deep.err, "runs/sub/junk.GTP: ERROR Error (62) - Input past end of file (the file ends after 18 "
                        "bytes, inside the fields every run file has: it is cut short, or no run file)\n"
                        "runs/readme.txt: ERROR Error (62) - Input past end of file (the file ends after 11 bytes, "
                        "inside the fields every run file has: it is cut short, or no run file)\n");
    EXPECT_EQ(Json::parse(Run({"check", "--json", "runs"}).out)[1]["damaged"], damaged.DamagedPositions());
    EXPECT_EQ(Run({"check", "runs/sub/deeper"}).status, 0);
}

// The report, and that of a dry run, gives each value as the file receives
// it, not as typed.
TEST_F(ToolTest, SetWritesOnlyTheGivenValuesThatChangeAsStoredAndADryRunWritesNothing) {
    const RunFileBuilder original = RunFileBuilder().Records(4, 20).Notes("old").Tail(6);
    Write("RUN.GTP", original);
    std::vector<std::string> set{"set", "RUN.GTP", "--weight", "3100.5", "--rollout", "2.25", "--vehicle-name", "Car",
                                 "--notes", "a\nb"};
    const std::string changes = "  vehicle weight: 3000" + Arrow + "3100\n  rollout length: 2.5" + Arrow +
                                "2.3\n  notes: \"old\"" + Arrow + "\"a\\nb\"\n";

    const Outcome planned = Run(Plus(set, {"--dry-run"}));
    EXPECT_EQ(planned.out, "RUN.GTP: would change\n" + changes);
    EXPECT_EQ(planned.status, 0);
    EXPECT_EQ(folder.Read("RUN.GTP"), Bytes(original));

    const Outcome written = Run(set);
    EXPECT_EQ(written.out, "RUN.GTP: changed\n" + changes);
    EXPECT_EQ(written.status, 0);
    RunFileBuilder expected = original;
    expected.Weight(3100).Rollout(23).Notes("a\rb").Raw(original.NotesPosition() + 4, {0x00});
    EXPECT_EQ(folder.Read("RUN.GTP"), Bytes(expected));

    set.back() = "a\rb";  // the same notes, the break typed as the file holds it
    EXPECT_EQ(Run(set).out, "RUN.GTP: unchanged\n");
    EXPECT_EQ(folder.Read("RUN.GTP"), Bytes(expected));
}

TEST_F(ToolTest, SetRefusesAValueTheWindowRefusesWithItsMessageAndWritesNothing) {
    const RunFileBuilder original = RunFileBuilder().Records(2, 20).Notes("n");
    Write("RUN.GTP", original);
    Write("TWO.GTP", original);
    const std::tuple<std::string, std::string, std::string> refused[] = {
        {"--weight", "65536",
         "You entered a value that is out of the allowable range (1-65535).\nPlease correct this now.\n"},
        {"--run-name", std::string(48, 'r'), "Run name may hold at most 47 characters"},
        {"--notes", std::string(128, 'n') + "\n" + std::string(127, 'n'), "The notes take 256 bytes in the file"},
    };
    for (const auto& [option, value, message] : refused) {
        const Outcome outcome = Run({"set", "RUN.GTP", "TWO.GTP", "--shift-point", "5000", option, value});
        EXPECT_EQ(outcome.status, 2) << option;
        EXPECT_NE(outcome.err.find(message), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(folder.Read("RUN.GTP"), Bytes(original));
        EXPECT_EQ(folder.Read("TWO.GTP"), Bytes(original));
    }
}

// A file of a batch that cannot take a value (a pitch factor in a PASS 1.1.1
// file, notes without run data) or that another program holds is left alone;
// the others are written.
TEST_F(ToolTest, SetLeavesAFileItCannotWriteAloneAndWritesTheOthers) {
    const RunFileBuilder old = RunFileBuilder().Version("1.1.1").Records(2, 20).Notes("n");
    const RunFileBuilder empty = RunFileBuilder();  // no run data: no place for notes
    const RunFileBuilder current = RunFileBuilder().Records(2, 20).Notes("n");
    Write("OLD.GTP", old);
    Write("EMPTY.GTP", empty);
    Write("HELD.GTP", current);
    Write("NEW.GTP", current);

    Outcome pitch;
    {
        LockHolder other(P("HELD.GTP"));
        pitch = Run({"set", "OLD.GTP", "HELD.GTP", "NEW.GTP", "--pitch", "2.5", "--weight", "1500"});
    }
    EXPECT_EQ(pitch.out, "NEW.GTP: changed\n  vehicle weight: 3000" + Arrow + "1500\n  pitch factor: 1.0" + Arrow +
                             "2.5\n");
    EXPECT_EQ(pitch.err, "OLD.GTP: REFUSED this file carries no pitch factor (PASS Version 1.1.1); nothing was "
                         "written.\nHELD.GTP: ERROR Error (70) - Permission denied (the file is in use by another "
                         "program (PASS, Tachlet or another tachlet-cli))\n");
    EXPECT_EQ(pitch.status, 3);
    EXPECT_EQ(folder.Read("OLD.GTP"), Bytes(old));
    EXPECT_EQ(folder.Read("HELD.GTP"), Bytes(current));
    RunFileBuilder expected = current;
    EXPECT_EQ(folder.Read("NEW.GTP"), Bytes(expected.Pitch(25).Weight(1500)));

    const Outcome notes = Run({"set", "EMPTY.GTP", "OLD.GTP", "--notes", "x"});
    EXPECT_EQ(notes.out, "OLD.GTP: changed\n  notes: \"n\"" + Arrow + "\"x\"\n");
    EXPECT_EQ(notes.status, 2);
    EXPECT_EQ(folder.Read("EMPTY.GTP"), Bytes(empty));
    EXPECT_EQ(folder.Read("OLD.GTP"), Bytes(RunFileBuilder(old).Notes("x").Raw(old.NotesPosition() + 2, {0x00})));
}

// A forgotten value must not turn the next option into the value: the
// run named "--dry-run" would be written for real.
TEST_F(ToolTest, AValueOptionNeverTakesAnotherOptionAsItsValue) {
    const RunFileBuilder original = RunFileBuilder().Records(2, 20).Notes("n");
    Write("RUN.GTP", original);
    const std::vector<std::string> options{"--run-name", "--vehicle-name", "--weight", "--redline", "--shift-point",
                                           "--rollout", "--pitch", "--notes", "--notes-file"};
    for (size_t i = 0; i < options.size(); ++i) {
        const std::string& next = options[(i + 1) % options.size()];
        for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
                 {options[i], "--dry-run"}, {options[i], "--json"}, {options[i], next, "5"},
                 {options[i] + "=", "--dry-run"}}) {
            const Outcome outcome = Run(Plus({"set", "RUN.GTP"}, words));
            EXPECT_EQ(outcome.status, 2) << ::testing::PrintToString(words);
            EXPECT_TRUE(outcome.err.starts_with("tachlet-cli: " + options[i] + " needs a value\n")) << outcome.err;
            EXPECT_EQ(outcome.out, "");
            EXPECT_EQ(folder.Read("RUN.GTP"), Bytes(original)) << ::testing::PrintToString(words);
        }
    }
    // A value that starts with dashes is given after "=", one with a single dash as it is.
    EXPECT_EQ(Run({"set", "RUN.GTP", "--run-name=--odd", "--vehicle-name", "-x"}).status, 0);
    RunFileBuilder expected = original;
    EXPECT_EQ(folder.Read("RUN.GTP"), Bytes(expected.RunName("--odd").VehicleName("-x")));
    const Outcome negative = Run({"set", "RUN.GTP", "--weight", "-5"});
    EXPECT_EQ(negative.status, 2);
    EXPECT_NE(negative.err.find("vehicle weight \"-5\" is refused:\nYou entered"), std::string::npos) << negative.err;
}

// Notes come from a file or a pipe; the wrong one (a folder, a device, a log)
// is refused on one line without being read to its end, and a refused text
// is quoted by its start only.
TEST_F(ToolTest, NotesFileTakesAFileOrStandardInputAndRefusesAnythingElseOnOneLine) {
    const RunFileBuilder original = RunFileBuilder().Records(2, 20).Notes("n");
    Write("RUN.GTP", original);
    folder.MakeFolder("notes");
    folder.Write("big.txt", std::string(100'000, 'x'));
    const std::string big(100'000, 'y');
    const std::pair<std::string, std::optional<std::string>> refused[] = {
        {"notes", std::nullopt}, {"/dev/zero", std::nullopt}, {"big.txt", std::nullopt}, {"-", big}};
    for (const auto& [file, input] : refused) {
        const Outcome outcome = Run({"set", "RUN.GTP", "--notes-file", file}, input);
        EXPECT_EQ(outcome.status, 2) << file;
        EXPECT_TRUE(outcome.err.starts_with("tachlet-cli: ") && outcome.err.ends_with("; nothing was written.\n") &&
                    std::count(outcome.err.begin(), outcome.err.end(), '\n') == 1)
            << outcome.err;
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(folder.Read("RUN.GTP"), Bytes(original)) << file;
    }
    EXPECT_EQ(Run({"set", "RUN.GTP", "--notes-file", "-"}, "piped\nnotes\n").status, 0);
    EXPECT_EQ(folder.Read("RUN.GTP"),
              Bytes(RunFileBuilder(original).Notes("piped\rnotes").Raw(original.NotesPosition() + 12, {0x00})));

    std::string text;
    for (int i = 0; i < 100; ++i) text += "0123456789\u00e9";
    folder.Write("long.txt", text);
    const std::string start = text.substr(0, 5 * 12) + "01234";  // each é is two bytes
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--notes-file", "long.txt"}, {"--run-name", text}}) {
        const Outcome outcome = Run(Plus({"set", "RUN.GTP"}, args));
        EXPECT_EQ(outcome.status, 2);
        EXPECT_NE(outcome.err.find(" \"" + start + "\u2026\" is refused:\n"), std::string::npos) << outcome.err;
    }
}

// Escape sequences in a run file or a file name would act on the terminal:
// the text output shows them as pictures, the JSON keeps them exactly.
TEST_F(ToolTest, TextOutputShowsControlCharactersOfFilesAndNamesWithoutSendingThem) {
    const std::string clear = "\x1B[2J\x1B]0;owned\x07";
    const RunFileBuilder hostile =
        RunFileBuilder().RunName("Run" + clear).VehicleName("Car\x81\x7F").Records(2, 20).Notes("a\tb\x1B[1m");
    const std::string name = "R\x1B[31m.GTP";
    Write(name, hostile);
    const std::string shownName = "R\u241B[31m.GTP", shownClear = "\u241B[2J\u241B]0;owned\u2407";

    const Outcome show = Run({"show", name});
    EXPECT_EQ(show.status, 0);
    for (const std::string& line : {shownName + "\n", "  Run Name:        Run" + shownClear + "\n",
                                   std::string("  Vehicle Name:    Car\uFFFD\u2421\n"), std::string("    a\tb\u241B[1m\n")})
        EXPECT_NE(show.out.find(line), std::string::npos) << line << show.out;
    EXPECT_EQ(show.out.find('\x1B'), std::string::npos);

    EXPECT_EQ(Run({"check", "."}).out, "./" + shownName + ": OK\n1 file: 1 ok, 0 damaged, 0 short, 0 unreadable\n");
    const Outcome set = Run({"set", name, "--run-name", "Run", "--dry-run"});
    EXPECT_EQ(set.out, shownName + ": would change\n  run name: \"Run\\u001b[2J\\u001b]0;owned\\u0007\"" + Arrow +
                           "\"Run\"\n");

    const Json json = Json::parse(Run({"show", "--json", name}).out);
    EXPECT_EQ(json[0]["file"], name);
    EXPECT_EQ(json[0]["runName"], "Run" + clear);
    EXPECT_EQ(json[0]["vehicleName"], "Car\u0081\x7F");
}

// A usage error is one line of reason and a pointer to the help, not the
// whole help in front of the output a script looks at.
TEST_F(ToolTest, AUsageErrorGivesItsReasonOnOneLineAndEndsWithStatusTwo) {
    Write("RUN.GTP", RunFileBuilder());
    const std::pair<std::vector<std::string>, std::string> errors[] = {
        {{}, "a command is required: show, check or set"},
        {{"shwo", "RUN.GTP"}, "'shwo' is not a command; did you mean 'show'?"},
        {{"list", "RUN.GTP"}, "'list' is not a command (the commands are show, check, set)"},
        {{"show"}, "show needs a file, a folder or --files-from"},
        {{"check", "--deep", "RUN.GTP"}, "The following argument was not expected: --deep"},
        {{"check", "--json", "--csv", "RUN.GTP"}, "--json excludes --csv"},
        {{"set", "RUN.GTP", "--csv", "--weight", "5"}, "The following argument was not expected: --csv"},
        {{"show", "-0", "RUN.GTP"}, "--null requires --files-from"},
        {{"set", "RUN.GTP"}, "set needs at least one value to write"},
        {{"set", "--files-from", "-", "--notes-file", "-"},
         "standard input can give the notes or the list of files, not both"},
    };
    for (const auto& [args, reason] : errors) {
        const Outcome outcome = Run(args);
        EXPECT_EQ(outcome.status, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(outcome.err, "tachlet-cli: " + reason + "\nTry 'tachlet-cli --help'.\n");
        EXPECT_EQ(outcome.out, "");
    }
    EXPECT_NE(Run({"--help"}).out.find("Examples:\n  tachlet-cli show "), std::string::npos);
}

// A list of 3,000 names fits no command line (on Windows it ends at 32,767
// characters): it comes from a file or a pipe, by lines or NUL-separated.
TEST_F(ToolTest, FilesFromReadsPathsByLineOrNulFromAFileOrStandardInputForEveryCommand) {
    const RunFileBuilder original = RunFileBuilder().Records(2, 20).Notes("n");
    for (const char* name : {"2024-06-01", "2024-06-02"}) folder.MakeFolder(name);
    Write("2024-06-01/A.GTP", original);
    Write("2024-06-02/b.gtp", original);
    Write("2024-06-02/C.GTP", original);
    folder.Write("list.txt", "2024-06-01/A.GTP\r\nGONE.GTP\n\n2024-06-02\n");
    folder.Write("list0", std::string("2024-06-01/A.GTP\0GONE.GTP\0", 26));

    const Outcome lines = Run({"check", "--files-from", "list.txt"});
    const Outcome nul = Run({"check", "-0", "--files-from", "-"}, folder.Read("list0"));
    EXPECT_EQ(lines.out, "2024-06-01/A.GTP: OK\n2024-06-02/b.gtp: OK\n2024-06-02/C.GTP: OK\n"
                         "4 files: 3 ok, 0 damaged, 0 short, 1 unreadable\n");
    EXPECT_EQ(nul.out, "2024-06-01/A.GTP: OK\n2 files: 1 ok, 0 damaged, 0 short, 1 unreadable\n");
    for (const Outcome* outcome : {&lines, &nul}) {
        EXPECT_EQ(outcome->err, "GONE.GTP: ERROR Error (53) - File not found\n");
        EXPECT_EQ(outcome->status, 3);
    }
    // A NUL in a line would cut the name short to another file's.
    const Outcome cut = Run({"show", "--files-from", "list0"});
    EXPECT_EQ(cut.err, "2024-06-01/A.GTP\u2400GONE.GTP\u2400: ERROR Error (52) - Bad file name or number (the name "
                       "holds a NUL byte; a list of such names is read with -0)\n");
    EXPECT_EQ(cut.out, "");

    // set and show take folders, and the list after the paths given.
    const Outcome set = Run({"set", "-r", ".", "--files-from", "-", "--weight", "1500", "-q"}, "2024-06-01/A.GTP\n");
    EXPECT_EQ(set.status, 0);
    EXPECT_EQ(set.out, "");
    RunFileBuilder expected = original;
    expected.Weight(1500);
    for (const char* name : {"2024-06-01/A.GTP", "2024-06-02/b.gtp", "2024-06-02/C.GTP"})
        EXPECT_EQ(folder.Read(name), Bytes(expected)) << name;

    // A list that cannot be read stops the command before any file.
    const Outcome missing = Run({"set", "2024-06-01/A.GTP", "--files-from", "gone.txt", "--weight", "1"});
    EXPECT_EQ(missing.status, 3);
    EXPECT_EQ(missing.err, "tachlet-cli: cannot read the list gone.txt (Error (53) - File not found)\n");
    // A device lists nothing without end.
    const Outcome device = Run({"check", "-0", "--files-from", "/dev/zero"});
    EXPECT_EQ(device.status, 3);
    EXPECT_EQ(device.err, "tachlet-cli: cannot read the list /dev/zero (it is a device)\n");
    EXPECT_EQ(folder.Read("2024-06-01/A.GTP"), Bytes(expected));
}

// Whatever the output goes to, the problems reach the person at the
// terminal, each with what it means; -q leaves out the files that are OK.
TEST_F(ToolTest, DataGoesToStandardOutputProblemsToStandardErrorAndQuietShowsOnlyTheFilesNotOk) {
    const RunFileBuilder damaged = RunFileBuilder().Records(3, 4).DamagedRecord(1);
    Write("A.GTP", RunFileBuilder().Records(2, 4));
    Write("B.GTP", damaged);
    Write("C.GTP", RunFileBuilder().Records(2, 4).CutTo(300));
    folder.Write("D.GTP", "");
    folder.Write("E.GTP", std::string(400, 'x'));
    folder.MakeFolder("F.GTP");
    Write("G.GTP", RunFileBuilder());
    const std::string damagedAt = std::to_string(damaged.DamagedPositions()[0]);
    const std::string shortFile = "the file ends after 300 bytes, before its run data at byte 312";
    const std::vector<std::string> check{"check", "A.GTP", "B.GTP", "C.GTP", "D.GTP", "E.GTP", "F.GTP/", "G.GTP"};
    Outcome outcome;
    {
        LockHolder other(P("G.GTP"));
        outcome = Run(check);
    }
    EXPECT_EQ(outcome.out, "A.GTP: OK\nB.GTP: DAMAGED 1 record(s) at " + damagedAt + "\nC.GTP: SHORT " + shortFile +
                               "\n6 files: 1 ok, 1 damaged, 1 short, 3 unreadable\n");
    EXPECT_EQ(outcome.err, "D.GTP: ERROR Error (62) - Input past end of file (the file is empty)\n"
                           "E.GTP: ERROR Error (13) - Type mismatch (no PASS version number where a run file has "
                           "one: this is no run file)\n"
                           "G.GTP: ERROR Error (70) - Permission denied (the file is in use by another program (PASS, "
                           "Tachlet or another tachlet-cli))\n");
    EXPECT_EQ(outcome.status, 3);

    const Outcome quiet = Run(Plus(check, {"-q"}));
    EXPECT_EQ(quiet.out, "B.GTP: DAMAGED 1 record(s) at " + damagedAt + "\nC.GTP: SHORT " + shortFile + "\n");
    EXPECT_EQ(quiet.err, outcome.err.substr(0, outcome.err.find("G.GTP")));
    EXPECT_EQ(Run({"check", "A.GTP", "C.GTP"}).status, 1);

    const Outcome show = Run({"show", "--json-lines", "-q", "A.GTP", "C.GTP", "D.GTP"});
    EXPECT_EQ(JsonLines(show.out, "status"), (std::vector<std::string>{"C.GTP short", "D.GTP error"}));
    EXPECT_EQ(show.err, "C.GTP: SHORT " + shortFile + "\nD.GTP: ERROR Error (62) - Input past end of file (the file "
                        "is empty)\n");
    EXPECT_EQ(show.status, 3);
}

// set --json for a script: each changed value old and new as the file has
// them, every file's outcome; JSON lines of several runs join into one
// stream that reads line by line.
TEST_F(ToolTest, SetJsonGivesOldAndNewAsStoredAndJsonLinesOfSeveralRunsReadLineByLine) {
    const RunFileBuilder old = RunFileBuilder().Version("1.1.1").Records(2, 20).Notes("n");
    const RunFileBuilder current = RunFileBuilder().Records(2, 20).Notes("old");
    Write("OLD.GTP", old);
    Write("NEW.GTP", current);
    const Outcome set = Run({"set", "--json", "NEW.GTP", "OLD.GTP", "GONE.GTP", "--weight", "3100.5", "--pitch",
                             "1.25", "--notes", "a\nb", "--run-name", "R"});
    const Json expected = Json::parse(R"json([
        {"file": "NEW.GTP", "pathBytes": null, "outcome": "changed",
         "changes": {"runName": {"old": "Run 1", "new": "R"}, "weight": {"old": 3000, "new": 3100},
                     "pitchFactor": {"old": 1.0, "new": 1.2}, "notes": {"old": "old", "new": "a\nb"}},
         "warning": null, "error": null, "errorNumber": null},
        {"file": "OLD.GTP", "pathBytes": null, "outcome": "refused", "changes": {}, "warning": null,
         "error": "this file carries no pitch factor (PASS Version 1.1.1)", "errorNumber": null},
        {"file": "GONE.GTP", "pathBytes": null, "outcome": "error", "changes": {}, "warning": null,
         "error": "Error (53) - File not found", "errorNumber": 53}])json");
    EXPECT_EQ(Json::parse(set.out), expected) << set.out;
    EXPECT_EQ(set.status, 3);
    EXPECT_EQ(Json::parse(Run({"set", "--json", "NEW.GTP", "--weight", "3100"}).out)[0]["outcome"], "unchanged");

    std::string stream;
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"show", "--json-lines", "NEW.GTP", "GONE.GTP"}, {"check", "--json-lines", "OLD.GTP"},
             {"set", "--json-lines", "OLD.GTP", "--weight", "5", "--dry-run"}})
        stream += Run(args).out;
    EXPECT_EQ(JsonLines(stream, "status", "outcome"),
              (std::vector<std::string>{"NEW.GTP ok", "GONE.GTP error", "OLD.GTP ok", "OLD.GTP wouldChange"}));
}

// A name that is no UTF-8 cannot be written in JSON as it is: the JSON gives
// a readable form and the exact bytes, by which a script opens it again.
TEST_F(ToolTest, ANameThatIsNotUtf8KeepsAReadablePathAndItsExactBytesToOpenItAgain) {
    const std::string name = "R\xE9.GTP";  // Latin-1, as an old copy may have left it
    // A version field without its tag is read by its number alone.
    Write(name, RunFileBuilder().VersionField("PASSVERZION2.5").Records(2, 20).Weight(2345));
    const Json shown = Json::parse(Run({"show", "--json", "."}).out)[0];
    EXPECT_EQ(shown["file"], "./R\uFFFD.GTP");
    EXPECT_EQ(shown["versionTag"], false);
    EXPECT_EQ(shown["versionNumber"], 2.5);
    const std::string bytes = shown["pathBytes"];
    const std::string decoded = RunProgram({"/usr/bin/base64", "-d"}, bytes).out;
    EXPECT_EQ(decoded, "./" + name);
    EXPECT_EQ(Json::parse(Run({"show", "--json", decoded}).out)[0]["weight"], 2345);
    EXPECT_NE(Run({"check", "--csv", "."}).out.find("\r\n./R\uFFFD.GTP," + bytes + ",ok,"), std::string::npos);
}

// A spreadsheet or a script reads the table as the JSON gives the records.
TEST_F(ToolTest, CsvReadBackWithPythonsCsvModuleHoldsWhatTheJsonHolds) {
    Write("A, \"B\".GTP", RunFileBuilder().RunName("Run, \"fast\"").Records(3, 4).DamagedRecord(0).DamagedRecord(2)
                              .Notes("line 1\rline, 2"));
    Write("C.GTP", RunFileBuilder().Version("1.1.1"));
    const std::string compare = R"py(
import csv, json, sys
rows = list(csv.DictReader(open(sys.argv[1], newline='', encoding='utf-8')))
records = [json.loads(line) for line in open(sys.argv[2], encoding='utf-8')]
def cell(value):
    if value is None: return ''
    if isinstance(value, bool): return 'true' if value else 'false'
    if isinstance(value, list): return ' '.join(cell(v) for v in value)
    return value if isinstance(value, str) else json.dumps(value)
assert len(rows) == len(records) > 0, (rows, records)
for row, record in zip(rows, records):
    assert list(row) == list(record), (list(row), list(record))
    assert row == {k: cell(v) for k, v in record.items()}, (row, record)
print(len(rows))
)py";
    for (const char* command : {"show", "check"}) {
        folder.Write("table.csv", Run({command, "--csv", ".", "GONE.GTP"}).out);
        folder.Write("records.jsonl", Run({command, "--json-lines", ".", "GONE.GTP"}).out);
        const Outcome read = RunProgram({"/usr/bin/python3", "-c", compare, "table.csv", "records.jsonl"});
        EXPECT_EQ(read.out, "3\n") << command << read.err;
    }
    EXPECT_NE(folder.Read("table.csv").find("\"./A, \"\"B\"\".GTP\""), std::string::npos);
}

// For many a run its file's date is the only date it has.
TEST_F(ToolTest, PreserveDateKeepsEachWrittenFilesModificationTimeToTheNanosecond) {
    const auto modified = [this](const char* name) { return std::filesystem::last_write_time(FsPath(P(name))); };
    Write("A.GTP", RunFileBuilder().Records(2, 20));
    Write("B.GTP", RunFileBuilder().Records(2, 20));
    const auto dated = modified("A.GTP") - std::chrono::hours(24 * 400) + std::chrono::nanoseconds(123'456'789);
    for (const char* name : {"A.GTP", "B.GTP"}) std::filesystem::last_write_time(FsPath(P(name)), dated);
    EXPECT_EQ(Run({"set", "A.GTP", "B.GTP", "--weight", "1500", "--preserve-date"}).status, 0);
    for (const char* name : {"A.GTP", "B.GTP"}) EXPECT_EQ(modified(name), dated) << name;
    EXPECT_EQ(static_cast<uint8_t>(folder.Read("B.GTP").at(148)), 1500 & 0xFF);
    EXPECT_EQ(Run({"set", "A.GTP", "--weight", "1600"}).status, 0);
    EXPECT_GT(modified("A.GTP"), dated);
}
