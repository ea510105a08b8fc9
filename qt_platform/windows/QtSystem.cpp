#include "qt_platform/QtSystem.h"

#include "base/WideText.h"

namespace QtSystem {

// QString holds UTF-16 as Windows names files; a lone surrogate keeps its
// three-byte form (see WideText).
std::string PathBytes(const QString& path) {
    return WideText::ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(path.utf16()),
                                                static_cast<size_t>(path.size())));
}

QString PathText(std::string_view path) {
    const auto units = WideText::FromUtf8(path);
    if (!units) return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
    return QString::fromUtf16(units->data(), static_cast<qsizetype>(units->size()));
}

// The registry under HKEY_CURRENT_USER\Software\Tachlet\Tachlet, where
// Windows programs keep theirs.
QSettings::Format UserSettingsFormat() { return QSettings::NativeFormat; }

}  // namespace QtSystem
