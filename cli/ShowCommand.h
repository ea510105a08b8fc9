#pragma once
// tachlet-cli show: what the window shows after loading each file, as text or
// in a data format.
#include "cli/ExitStatus.h"
#include "cli/FileSelection.h"
#include "cli/OutputFormat.h"

ExitStatus Show(const FileSelection& selection, const Output& output);
