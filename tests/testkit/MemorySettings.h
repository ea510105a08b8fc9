#pragma once
// A settings store in memory for tests, with the writes logged in order and a
// switch that makes every write fail.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/SettingsStore.h"

class MemorySettings : public SettingsStore {
public:
    struct Write {
        std::string section;
        std::string key;
        std::string value;
    };

    std::string GetSetting(std::string_view section, std::string_view key) const override {
        const auto found = values_.find({std::string(section), std::string(key)});
        return found == values_.end() ? "" : found->second;
    }

    bool SaveSetting(std::string_view section, std::string_view key, std::string_view value) override {
        writes_.push_back({std::string(section), std::string(key), std::string(value)});
        if (!failWrites_) values_[{std::string(section), std::string(key)}] = std::string(value);
        return !failWrites_;
    }

    // Stores a value without logging it as a write of the program.
    void Set(std::string section, std::string key, std::string value) {
        values_[{std::move(section), std::move(key)}] = std::move(value);
    }
    bool Has(const std::string& section, const std::string& key) const { return values_.count({section, key}) != 0; }
    const std::vector<Write>& Writes() const { return writes_; }
    void FailWrites(bool fail = true) { failWrites_ = fail; }

private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
    std::vector<Write> writes_;
    bool failWrites_ = false;
};
