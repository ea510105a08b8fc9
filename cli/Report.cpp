#include "cli/Report.h"

#include "base/RuntimeError.h"
#include "cli/Terminal.h"

namespace {

// Paths and texts that are no valid UTF-8 are written with U+FFFD in place
// of the bytes that are not, rather than failing the whole report.
std::string Dump(const Json& json, int indent) {
    return json.dump(indent, ' ', false, Json::error_handler_t::replace);
}

// Every occurrence in one pass, left to right: a replacement never takes part
// in a later match.
std::string ReplaceEach(std::string_view text, std::string_view search, std::string_view replacement) {
    std::string result;
    for (size_t at = 0;;) {
        const size_t found = text.find(search, at);
        result += text.substr(at, found - at);
        if (found == std::string_view::npos) return result;
        result += replacement;
        at = found + search.size();
    }
}

}  // namespace

std::string FailureText(int32_t number, std::string_view description) {
    return "Error (" + std::to_string(number) + ") - " + std::string(description);
}

std::optional<std::string> LoadForReport(Stuff::RunFile& runFile, const std::string& path) {
    try {
        ScanProgress progress(path);
        runFile.Load(path, progress);
        return std::nullopt;
    } catch (const RuntimeError& error) {
        return FailureText(error.Number(), error.Description());
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

std::string Quoted(std::string_view text) { return Dump(Json(WithNewlines(text)), -1); }

JsonArray::~JsonArray() { out_ << (empty_ ? "[]\n" : "\n]\n") << std::flush; }

void JsonArray::Add(const Json& object) {
    // Each object indented one step inside the array: its own lines hold no
    // raw line break but those of the layout, as strings are escaped.
    out_ << (empty_ ? "[\n  " : ",\n  ") << ReplaceEach(Dump(object, 2), "\n", "\n  ");
    empty_ = false;
}
