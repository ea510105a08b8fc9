#pragma once
// tachlet-cli set: writes the given values into each file in place, with the
// window's checks, messages and protections; or, with a dry run, tells what
// would change.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/ExitStatus.h"
#include "cli/FileSelection.h"
#include "cli/OutputFormat.h"
#include "run_file/RunFileLayout.h"

struct SetRequest {
    FileSelection selection;
    // The values as a user would type them into the window's fields.
    std::map<Stuff::Field, std::string> values;
    // The notes as typed: line breaks LF or CR LF.
    std::optional<std::string> notes;
    bool dryRun = false;
    // Each written file keeps the time of its last write.
    bool keepDate = false;
    Output output;
};

ExitStatus Set(const SetRequest& request);
