#include "platform/Console.h"

#include <unistd.h>

namespace Console {

bool IsTerminal(Stream stream) { return ::isatty(stream == Stream::Output ? STDOUT_FILENO : STDERR_FILENO) != 0; }

// A terminal takes the bytes as they are.
void ShowOutputAsUtf8() {}

}  // namespace Console
