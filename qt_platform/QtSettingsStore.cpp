#include "qt_platform/QtSettingsStore.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "qt_platform/QtSystem.h"

namespace {

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString KeyPath(std::string_view section, std::string_view key) {
    return FromUtf8(section) + QLatin1Char('/') + FromUtf8(key);
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QtSystem::UserSettingsFormat(), QSettings::UserScope, QStringLiteral("Tachlet"),
                                            QStringLiteral("Tachlet"))) {}

QtSettingsStore::QtSettingsStore(const std::string& iniFilePath)
    : settings_(std::make_unique<QSettings>(QtSystem::PathText(iniFilePath),
                                            QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() { settings_->sync(); }

std::string QtSettingsStore::GetSetting(std::string_view section, std::string_view key) const {
    const QVariant value = settings_->value(KeyPath(section, key));
    // An unquoted comma in a hand-edited file makes the INI reader split the
    // text into a list; put the text back together rather than lose it.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QStringLiteral(", ")).toStdString();
    }
    if (value.typeId() == QMetaType::QByteArray) {
        return value.toByteArray().toStdString();
    }
    return value.toString().toStdString();
}

bool QtSettingsStore::SaveSetting(std::string_view section, std::string_view key, std::string_view value) {
    // Text that is not UTF-8 (a folder named in another encoding) is kept as
    // its bytes, which text would replace by look-alike characters.
    const QByteArray bytes(value.data(), static_cast<qsizetype>(value.size()));
    const QString text = FromUtf8(value);
    if (text.toUtf8() == bytes) {
        settings_->setValue(KeyPath(section, key), text);
    } else {
        settings_->setValue(KeyPath(section, key), bytes);
    }
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

std::string QtSettingsStore::FileName() const { return QtSystem::PathBytes(settings_->fileName()); }
