#include "cli/CheckCommand.h"

#include <iostream>
#include <optional>

#include "cli/Report.h"

namespace {

struct Tally {
    uint64_t files = 0, ok = 0, damaged = 0, cut = 0, failed = 0;

    void Count(FileStatus status) {
        ++files;
        ++(status == FileStatus::Error ? failed : status == FileStatus::Short ? cut
                                              : status == FileStatus::Damaged ? damaged
                                                                              : ok);
    }
};

// "336, 360", and how many more there are than the load keeps.
std::string PositionList(const Stuff::RunFileContents& contents) {
    std::string list;
    for (const uint64_t position : contents.damagedPositions) {
        list += (list.empty() ? "" : ", ") + std::to_string(position);
    }
    if (contents.damagedCount > contents.damagedPositions.size()) {
        list += " and " + std::to_string(contents.damagedCount - contents.damagedPositions.size()) + " more";
    }
    return list;
}

Json CheckJson(const std::string& file, FileStatus status, const Stuff::RunFileContents* contents,
               const std::optional<Failure>& failure) {
    Json object = PathObject(file);
    object["status"] = StatusName(status);
    object["fileSize"] = contents ? Json(contents->fileSize) : Json(nullptr);
    object["records"] = contents ? Json(contents->recordCount) : Json(nullptr);
    object["damagedCount"] = contents ? Json(contents->damagedCount) : Json(nullptr);
    object["damaged"] = contents ? Json(contents->damagedPositions) : Json(nullptr);
    object["error"] = failure ? Json(failure->text) : Json(nullptr);
    object["errorNumber"] = failure ? Json(failure->number) : Json(nullptr);
    return object;
}

std::string Files(uint64_t count) { return std::to_string(count) + (count == 1 ? " file" : " files"); }

}  // namespace

ExitStatus Check(const FileSelection& selection, const Output& output) {
    Tally tally;
    std::optional<Records> records;
    if (output.format != Format::Text) records.emplace(std::cout, output.format);
    Stuff::RunFile runFile;

    const auto visit = [&](const std::string& path, std::optional<Failure> failure) {
        if (!failure) failure = LoadForReport(runFile, path);
        const Stuff::RunFileContents* contents = failure ? nullptr : &runFile.Contents();
        const FileStatus status = contents ? StatusOf(*contents) : FileStatus::Error;
        tally.Count(status);
        if (failure) ReportProblem(path, "ERROR " + failure->text);
        if (output.quiet && status == FileStatus::Ok) return;
        if (records) return records->Add(CheckJson(path, status, contents, failure));
        if (status == FileStatus::Short) {
            std::cout << Printable(path) << ": SHORT " << EndsBeforeRunData(*contents) << '\n';
        } else if (status == FileStatus::Damaged) {
            std::cout << Printable(path) << ": DAMAGED " << contents->damagedCount << " record(s) at "
                      << PositionList(*contents) << '\n';
        } else if (status == FileStatus::Ok) {
            std::cout << Printable(path) << ": OK\n";
        }
    };
    const ExitStatus listed = ForEachSelectedFile(selection, visit);

    if (!records && !output.quiet) {
        std::cout << Files(tally.files) << ": " << tally.ok << " ok, " << tally.damaged << " damaged, " << tally.cut
                  << " short, " << tally.failed << " unreadable\n";
    }
    const ExitStatus found = tally.failed != 0 ? ExitStatus::Failed
                             : tally.damaged + tally.cut != 0 ? ExitStatus::Damaged
                                                              : ExitStatus::Ok;
    return Worse(found, listed);
}
