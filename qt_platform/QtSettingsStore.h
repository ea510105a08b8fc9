#pragma once
#include <memory>
#include <string>

#include "support/SettingsStore.h"

class QSettings;

// The per-user settings of the application "Tachlet" in the system's own store
// (an INI file on Linux, the registry on Windows), or an INI file at a given
// path (tests point it into a temporary folder). Every write
// is flushed at once, so nothing waits for the program to end normally.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    explicit QtSettingsStore(const std::string& iniFilePath);
    ~QtSettingsStore() override;

    QtSettingsStore(const QtSettingsStore&) = delete;
    QtSettingsStore& operator=(const QtSettingsStore&) = delete;

    std::string GetSetting(std::string_view section, std::string_view key) const override;
    bool SaveSetting(std::string_view section, std::string_view key, std::string_view value) override;

    // Where the values are kept, for messages and tests.
    std::string FileName() const;

private:
    std::unique_ptr<QSettings> settings_;
};
