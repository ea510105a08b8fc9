#pragma once
// The per-user settings of the program: text values addressed by section and
// key, kept under the application's own name.
#include <string>
#include <string_view>

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text; empty when the key is absent.
    virtual std::string GetSetting(std::string_view section, std::string_view key) const = 0;

    // Stores the text. False when the store could not keep it (for example an
    // unwritable settings file); the value may then be lost at the next start.
    virtual bool SaveSetting(std::string_view section, std::string_view key, std::string_view value) = 0;
};
