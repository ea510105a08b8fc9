#include "cli/Report.h"

#include <iostream>

#include "base/RuntimeError.h"
#include "cli/OutputFormat.h"
#include "cli/Terminal.h"

FileStatus StatusOf(const Stuff::RunFileContents& contents) {
    if (contents.EndsBeforeRunData()) return FileStatus::Short;
    return contents.damagedCount != 0 ? FileStatus::Damaged : FileStatus::Ok;
}

const char* StatusName(FileStatus status) {
    switch (status) {
    case FileStatus::Error: return "error";
    case FileStatus::Short: return "short";
    case FileStatus::Damaged: return "damaged";
    case FileStatus::Ok: break;
    }
    return "ok";
}

ExitStatus ExitFor(FileStatus status) {
    switch (status) {
    case FileStatus::Error: return ExitStatus::Failed;
    case FileStatus::Short:
    case FileStatus::Damaged: return ExitStatus::Damaged;
    case FileStatus::Ok: break;
    }
    return ExitStatus::Ok;
}

void ReportProblem(const std::string& path, const std::string& line) {
    std::cerr << Printable(path) << ": " << Printable(line) << '\n';
}

std::optional<Failure> LoadForReport(Stuff::RunFile& runFile, const std::string& path) {
    try {
        ScanProgress progress(path);
        runFile.Load(path, progress);
        return std::nullopt;
    } catch (const RuntimeError& error) {
        return FailureOf(path, error);
    }
}

std::string Excerpt(std::string_view text) {
    constexpr size_t MostCharacters = 60;
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        // Every byte but a UTF-8 continuation byte starts a character.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && characters++ == MostCharacters) {
            return std::string(text.substr(0, i)) + "\u2026";
        }
    }
    return std::string(text);
}

std::string WithNewlines(std::string_view text) { return ReplaceEach(text, "\r\n", "\n"); }

std::string Printable(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool c1 = byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        if (c1) {
            shown += "\uFFFD";
            ++i;
        } else if (byte == 0x7F) {
            shown += "\u2421";
        } else if (byte < 0x20 && byte != '\t') {
            shown += "\xE2\x90";  // U+2400 to U+241F
            shown += static_cast<char>(0x80 + byte);
        } else {
            shown += text[i];
        }
    }
    return shown;
}

std::string Quoted(std::string_view text) { return JsonText(Json(WithNewlines(text))); }
