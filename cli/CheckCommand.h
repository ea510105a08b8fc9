#pragma once
// tachlet-cli check: one line per run file (OK, DAMAGED, SHORT or ERROR) and
// a tally, or one record per file in a data format.
#include "cli/ExitStatus.h"
#include "cli/FileSelection.h"
#include "cli/OutputFormat.h"

ExitStatus Check(const FileSelection& selection, const Output& output);
