#pragma once
// The standard output and error of a command-line program: whether a person
// watches them at a terminal (a console window on Windows), and the UTF-8 the
// program writes shown as such there.
namespace Console {

enum class Stream { Output, Error };

bool IsTerminal(Stream stream);

// While it lives, a console window shows the program's output as UTF-8, as
// a Linux terminal does; on Windows a console otherwise reads the bytes in
// its own code page, and gets that back afterwards.
class Utf8Output {
public:
    Utf8Output();
    ~Utf8Output();
    Utf8Output(const Utf8Output&) = delete;
    Utf8Output& operator=(const Utf8Output&) = delete;

private:
    unsigned previous_ = 0;  // the code page to give back; 0 for none
};

}  // namespace Console
