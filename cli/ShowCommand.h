#pragma once
// tachlet-cli show: what the window shows after loading each file, as text or
// as one JSON array.
#include <string>
#include <vector>

#include "cli/ExitStatus.h"

ExitStatus Show(const std::vector<std::string>& files, bool json);
