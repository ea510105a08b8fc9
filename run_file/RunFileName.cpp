#include "run_file/RunFileName.h"

#include <algorithm>

#include "support/Files.h"

namespace Stuff {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// C0 controls, DEL, and the C1 controls U+0080 to U+009F (C2 80 to C2 9F).
bool HasControlCharacter(std::string_view utf8) {
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x20 || c == 0x7F) return true;
        if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) <= 0x9F &&
            static_cast<unsigned char>(utf8[i + 1]) >= 0x80)
            return true;
    }
    return false;
}

bool EndsWithRunFileExtension(std::string_view name) {
    constexpr std::string_view Extension = ".gtp";
    if (name.size() < Extension.size()) return false;
    return std::equal(Extension.begin(), Extension.end(), name.end() - Extension.size(), [](char e, char c) {
        return e == (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    });
}

bool HasForbiddenCharacter(std::string_view name) {
    return name.find_first_of(Files::ForbiddenNameCharacters) != std::string_view::npos;
}

// "/" alone, or "any of \ / : * ? ..." where the system forbids more.
std::string ForbiddenCharactersText() {
    const std::string_view forbidden = Files::ForbiddenNameCharacters;
    if (forbidden.size() == 1) return "\"" + std::string(forbidden) + "\"";
    std::string text = "any of";
    for (const char c : forbidden) {
        text += ' ';
        text += c;
    }
    return text;
}

}  // namespace

NewName CheckNewName(std::string_view answer) {
    const std::string_view name = Trimmed(answer);
    if (name.empty()) return {};
    if (name.front() == '.' || HasForbiddenCharacter(name) || HasControlCharacter(name)) {
        return {{},
                "The name [" + std::string(name) + "] cannot be used: a file name may not start with \".\" or contain " +
                    ForbiddenCharactersText() + " or control characters.\r\nThe file was not renamed."};
    }
    std::string full(name);
    if (!EndsWithRunFileExtension(full)) full += ".gtp";
    return {full, {}};
}

}  // namespace Stuff
