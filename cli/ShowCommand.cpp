#include "cli/ShowCommand.h"

#include <charconv>
#include <iostream>
#include <optional>

#include "cli/Report.h"
#include "cli/ShownFields.h"
#include "run_file/RunDataScanner.h"

namespace {

using Stuff::RunFileContents;

// The version number as its shortest decimal form in single precision, so
// "1.1.1" gives 1.11 and not the double nearest to the float.
Json VersionNumber(float number) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, number);
    double value = 0;
    std::from_chars(text, written.ptr, value);
    return value;
}

Json ContentsJson(const std::string& file, FileStatus status, const RunFileContents* contents,
                  const std::optional<Failure>& failure) {
    const auto value = [contents](auto read) { return contents ? Json(read(*contents)) : Json(nullptr); };
    using C = const RunFileContents&;
    Json object = PathObject(file);
    object["status"] = StatusName(status);
    object["fileSize"] = value([](C c) { return c.fileSize; });
    object["versionTag"] = value([](C c) { return c.version.tagMatched; });
    object["versionText"] = value([](C c) { return c.version.versionText; });
    object["versionNumber"] = contents ? VersionNumber(contents->passVersionNumber) : Json(nullptr);
    object["runDataStart"] = value([](C c) { return c.version.runDataStart; });
    object["recordLength"] = value([](C c) { return c.recordLength; });
    object["records"] = value([](C c) { return c.recordCount; });
    object["damagedCount"] = value([](C c) { return c.damagedCount; });
    object["damaged"] = value([](C c) { return c.damagedPositions; });
    object["notesPosition"] = contents && contents->notesPosition ? Json(*contents->notesPosition) : Json(nullptr);
    for (const ShownField& field : ShownFields) {
        object[field.key] = contents ? ValueJson(field, field.TextIn(contents->values)) : Json(nullptr);
    }
    object["notes"] = value([](C c) { return WithNewlines(c.values.notes); });
    object["error"] = failure ? Json(failure->text) : Json(nullptr);
    object["errorNumber"] = failure ? Json(failure->number) : Json(nullptr);
    return object;
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
    std::cout << Printable(file) << '\n' << "  " << Printable(c.version.Caption()) << '\n';
    for (const ShownField& field : ShownFields) {
        const std::string_view label = field.Row().caption;
        std::cout << "  " << label << std::string(17 - label.size(), ' ') << Printable(field.TextIn(c.values)) << '\n';
    }
    std::cout << "  " << Stuff::RecordCountText(c.recordCount) << '\n';
    if (c.damagedCount != 0) PrintLines(Stuff::DamagedPositionsMessage(c.damagedPositions, c.damagedCount), "  ");
    std::cout << "  Vehicle Notes:\n";
    if (!c.values.notes.empty()) PrintLines(c.values.notes, "    ");
}

}  // namespace

ExitStatus Show(const FileSelection& selection, const Output& output) {
    ExitStatus status = ExitStatus::Ok;
    std::optional<Records> records;
    if (output.format != Format::Text) records.emplace(std::cout, output.format);
    Stuff::RunFile runFile;
    bool first = true;
    const auto visit = [&](const std::string& file, std::optional<Failure> failure) {
        if (!failure) failure = LoadForReport(runFile, file);
        const RunFileContents* contents = failure ? nullptr : &runFile.Contents();
        const FileStatus fileStatus = contents ? StatusOf(*contents) : FileStatus::Error;
        status = Worse(status, ExitFor(fileStatus));
        if (failure) ReportProblem(file, "ERROR " + failure->text);
        if (fileStatus == FileStatus::Short) ReportProblem(file, "SHORT " + EndsBeforeRunData(*contents));
        if (output.quiet && fileStatus == FileStatus::Ok) return;
        if (records) return records->Add(ContentsJson(file, fileStatus, contents, failure));
        if (!contents) return;
        if (!first) std::cout << '\n';
        first = false;
        PrintContents(file, *contents);
    };
    const ExitStatus listed = ForEachSelectedFile(selection, visit);
    return Worse(status, listed);
}
