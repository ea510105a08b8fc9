#include "platform/PathCharacters.h"

namespace PathCharacters {

const char Separator = '\\';

const std::string_view ForbiddenInNames = "\\/:*?\"<>|";

}  // namespace PathCharacters
