#include "support/Files.h"

namespace Files {

const char PathSeparator = '/';

const std::string_view ForbiddenNameCharacters = "/";

}  // namespace Files
