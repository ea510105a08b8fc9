#include "cli/ShowCommand.h"

#include <charconv>
#include <cstdlib>
#include <iostream>
#include <optional>

#include "cli/Report.h"
#include "run_file/RunDataScanner.h"

namespace {

using Stuff::RunFileContents;

// The whole numbers and tenths the load writes as plain digits.
Json WholeNumber(const std::string& digits) { return std::strtoull(digits.c_str(), nullptr, 10); }
Json Tenths(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// The version number as its shortest decimal form in single precision, so
// "1.1.1" gives 1.11 and not the double nearest to the float.
Json VersionNumber(float number) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, number);
    double value = 0;
    std::from_chars(text, written.ptr, value);
    return value;
}

Json ContentsJson(const std::string& file, const RunFileContents* contents, const std::optional<std::string>& error) {
    const auto value = [contents](auto read) { return contents ? Json(read(*contents)) : Json(nullptr); };
    using C = const RunFileContents&;
    return Json{
        {"file", file},
        {"versionTag", value([](C c) { return c.version.tagMatched; })},
        {"versionText", value([](C c) { return c.version.versionText; })},
        {"versionNumber", contents ? VersionNumber(contents->passVersionNumber) : Json(nullptr)},
        {"runDataStart", value([](C c) { return c.version.runDataStart; })},
        {"recordLength", value([](C c) { return c.recordLength; })},
        {"records", value([](C c) { return c.recordCount; })},
        {"damagedCount", value([](C c) { return c.damagedCount; })},
        {"damaged", value([](C c) { return c.damagedPositions; })},
        {"notesPosition", contents && contents->notesPosition ? Json(*contents->notesPosition) : Json(nullptr)},
        {"runName", value([](C c) { return c.values.runName; })},
        {"vehicleName", value([](C c) { return c.values.vehicleName; })},
        {"weight", contents ? WholeNumber(contents->values.weight) : Json(nullptr)},
        {"rolloutLength", contents ? Tenths(contents->values.rollout) : Json(nullptr)},
        {"redline", contents ? WholeNumber(contents->values.redline) : Json(nullptr)},
        {"shiftPoint", contents ? WholeNumber(contents->values.shiftPoint) : Json(nullptr)},
        {"pitchFactor", contents && contents->HasPitchFactor() ? Tenths(contents->values.pitch) : Json(nullptr)},
        {"notes", value([](C c) { return WithNewlines(c.values.notes); })},
        {"error", error ? Json(*error) : Json(nullptr)},
    };
}

// A text of the window, each of its lines indented.
void PrintLines(const std::string& text, const std::string& indent) {
    std::string lines = WithNewlines(text);
    for (size_t start = 0;;) {
        const size_t end = lines.find('\n', start);
        std::cout << indent << Printable(lines.substr(start, end - start)) << '\n';
        if (end == std::string::npos) return;
        start = end + 1;
    }
}

void PrintContents(const std::string& file, const RunFileContents& c) {
    std::cout << Printable(file) << '\n'
              << "  " << Printable(c.version.Caption()) << '\n'
              << "  Run Name:        " << Printable(c.values.runName) << '\n'
              << "  Vehicle Name:    " << Printable(c.values.vehicleName) << '\n'
              << "  Vehicle Weight:  " << c.values.weight << '\n'
              << "  Rollout Length:  " << c.values.rollout << '\n'
              << "  Redline:         " << c.values.redline << '\n'
              << "  Shift Point:     " << c.values.shiftPoint << '\n'
              << "  Pitch Factor:    " << c.values.pitch << '\n'
              << "  " << Stuff::RecordCountText(c.recordCount) << '\n';
    if (c.damagedCount != 0) PrintLines(Stuff::DamagedPositionsMessage(c.damagedPositions, c.damagedCount), "  ");
    std::cout << "  Vehicle Notes:\n";
    if (!c.values.notes.empty()) PrintLines(c.values.notes, "    ");
}

}  // namespace

ExitStatus Show(const std::vector<std::string>& files, bool json) {
    ExitStatus status = ExitStatus::Ok;
    std::optional<JsonArray> array;
    if (json) array.emplace(std::cout);
    Stuff::RunFile runFile;
    bool first = true;
    for (const std::string& file : files) {
        const std::optional<std::string> error = LoadForReport(runFile, file);
        const RunFileContents* contents = error ? nullptr : &runFile.Contents();
        status = Worse(status, error ? ExitStatus::Failed
                               : contents->damagedCount != 0 ? ExitStatus::Damaged
                                                             : ExitStatus::Ok);
        if (json) {
            array->Add(ContentsJson(file, contents, error));
            continue;
        }
        if (!first) std::cout << '\n';
        first = false;
        if (error) {
            std::cout << Printable(file) << "\n  ERROR " << *error << '\n';
        } else {
            PrintContents(file, *contents);
        }
    }
    return status;
}
