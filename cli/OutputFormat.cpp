#include "cli/OutputFormat.h"

#include <algorithm>
#include <cstdint>

namespace {

bool IsUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                              : lead >= 0xF0 && lead <= 0xF4                ? 4
                                                                            : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        if (length > 1) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            // overlong forms, surrogates and code points past U+10FFFF
            if ((lead == 0xE0 && next < 0xA0) || (lead == 0xED && next > 0x9F) || (lead == 0xF0 && next < 0x90) ||
                (lead == 0xF4 && next > 0x8F)) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

std::string Base64(std::string_view bytes) {
    static constexpr char Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string encoded;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t taken = std::min<size_t>(3, bytes.size() - i);
        uint32_t group = 0;
        for (size_t k = 0; k < 3; ++k) {
            group = group << 8 | (k < taken ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        }
        for (size_t k = 0; k < 4; ++k) encoded += k <= taken ? Digits[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
    return encoded;
}

// The text with U+FFFD for each byte that is no UTF-8, as in the JSON forms.
std::string Readable(const std::string& text) {
    return IsUtf8(text) ? text : Json::parse(JsonText(Json(text))).get<std::string>();
}

std::string CsvField(const Json& value) {
    std::string text;
    if (value.is_null()) return text;
    if (value.is_string()) {
        text = Readable(value.get<std::string>());
    } else if (value.is_array()) {
        for (const Json& element : value) text += (text.empty() ? "" : " ") + CsvField(element);
    } else {
        text = JsonText(value);
    }
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    return '"' + ReplaceEach(text, "\"", "\"\"") + '"';
}

}  // namespace

std::string JsonText(const Json& json, int indent) {
    return json.dump(indent, ' ', false, Json::error_handler_t::replace);
}

Json PathObject(const std::string& path) {
    return Json{{"file", path}, {"pathBytes", IsUtf8(path) ? Json(nullptr) : Json(Base64(path))}};
}

Records::~Records() {
    if (format_ == Format::JsonArray) out_ << (empty_ ? "[]\n" : "\n]\n");
    out_ << std::flush;
}

void Records::Add(const Json& object) {
    switch (format_) {
    case Format::JsonArray:
        // Each object indented one step inside the array: its own lines hold
        // no raw line break but those of the layout, as strings are escaped.
        out_ << (empty_ ? "[\n  " : ",\n  ") << ReplaceEach(JsonText(object, 2), "\n", "\n  ");
        break;
    case Format::JsonLines: out_ << JsonText(object) << '\n'; break;
    case Format::Csv: AddCsv(object); break;
    case Format::Text: break;
    }
    empty_ = false;
}

// RFC 4180: fields with a comma, a quote or a line break in double quotes,
// their quotes doubled; every row ends with CR LF.
void Records::AddCsv(const Json& object) {
    std::string row;
    if (empty_) {
        for (const auto& [key, value] : object.items()) row += (row.empty() ? "" : ",") + CsvField(key);
        out_ << row << "\r\n";
        row.clear();
    }
    bool first = true;
    for (const auto& [key, value] : object.items()) {
        row += (first ? "" : ",") + CsvField(value);
        first = false;
    }
    out_ << row << "\r\n";
}

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
