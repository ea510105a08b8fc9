#include "support/Files.h"

namespace Files {

const char PathSeparator = '/';

}  // namespace Files
