#include "cli/CheckCommand.h"

#include <iostream>
#include <optional>

#include "cli/Report.h"
#include "cli/RunFilePaths.h"

namespace {

struct Tally {
    uint64_t files = 0, ok = 0, damaged = 0, failed = 0;
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

}  // namespace

ExitStatus Check(const std::vector<std::string>& paths, bool recursive, bool json) {
    Tally tally;
    std::optional<JsonArray> array;
    if (json) array.emplace(std::cout);
    Stuff::RunFile runFile;

    ForEachRunFile(paths, recursive, [&](const std::string& path, std::optional<std::string> failure) {
        if (!failure) failure = LoadForReport(runFile, path);
        const Stuff::RunFileContents* contents = failure ? nullptr : &runFile.Contents();
        const bool damaged = contents && contents->damagedCount != 0;
        ++tally.files;
        ++(failure ? tally.failed : damaged ? tally.damaged : tally.ok);
        if (json) {
            array->Add(Json{
                {"file", path},
                {"status", failure ? "error" : damaged ? "damaged" : "ok"},
                {"records", contents ? Json(contents->recordCount) : Json(nullptr)},
                {"damagedCount", contents ? Json(contents->damagedCount) : Json(nullptr)},
                {"damaged", contents ? Json(contents->damagedPositions) : Json(nullptr)},
                {"error", failure ? Json(*failure) : Json(nullptr)},
            });
        } else if (failure) {
            std::cout << Printable(path) << ": ERROR " << *failure << '\n';
        } else if (damaged) {
            std::cout << Printable(path) << ": DAMAGED " << contents->damagedCount << " record(s) at " << PositionList(*contents)
                      << '\n';
        } else {
            std::cout << Printable(path) << ": OK\n";
        }
    });

    if (!json) {
        std::cout << tally.files << " files: " << tally.ok << " ok, " << tally.damaged << " damaged, " << tally.failed
                  << " unreadable\n";
    }
    return tally.failed != 0 ? ExitStatus::Failed : tally.damaged != 0 ? ExitStatus::Damaged : ExitStatus::Ok;
}
