#pragma once
// Text inside the program is UTF-8; Windows names files in UTF-16. These turn
// one into the other without loss: a name may hold a lone surrogate, which no
// UTF-8 can spell, so such a unit is carried as its three-byte form (WTF-8),
// and the name converts back to the very units the file system gave.
#include <optional>
#include <string>
#include <string_view>

namespace WideText {

// One code point (a lone surrogate included) appended in its UTF-8 form.
void AppendUtf8(std::string& out, char32_t code);

// UTF-16 units to UTF-8; lone surrogates kept as their three-byte form.
std::string ToUtf8(std::u16string_view units);

// UTF-8 (with lone surrogates in their three-byte form) to UTF-16. Nullopt for
// bytes that are no such text: such a name cannot name any file there.
std::optional<std::u16string> FromUtf8(std::string_view text);

}  // namespace WideText
