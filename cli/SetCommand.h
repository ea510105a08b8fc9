#pragma once
// tachlet-cli set: writes the given values into each file in place, with the
// window's checks, messages and protections; or, with a dry run, tells what
// would change.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/ExitStatus.h"
#include "run_file/RunFileLayout.h"

struct SetRequest {
    std::vector<std::string> files;
    // The values as a user would type them into the window's fields.
    std::map<Stuff::Field, std::string> values;
    // The notes as typed: line breaks LF or CR LF.
    std::optional<std::string> notes;
    bool dryRun = false;
};

ExitStatus Set(const SetRequest& request);
