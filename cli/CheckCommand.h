#pragma once
// tachlet-cli check: one line per run file (OK, DAMAGED or ERROR) and a
// summary, or the same as one JSON array.
#include <string>
#include <vector>

#include "cli/ExitStatus.h"

ExitStatus Check(const std::vector<std::string>& paths, bool recursive, bool json);
