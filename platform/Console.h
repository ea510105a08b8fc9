#pragma once
// The standard output and error of a command-line program: whether a person
// watches them at a terminal (a console window on Windows), and the UTF-8 the
// program writes shown as such there.
namespace Console {

enum class Stream { Output, Error };

bool IsTerminal(Stream stream);

// Makes a console window show the program's output as UTF-8, as a Linux
// terminal does, until the program ends: on Windows a console otherwise reads
// the bytes in its own code page, which it gets back at the end.
void ShowOutputAsUtf8();

}  // namespace Console
