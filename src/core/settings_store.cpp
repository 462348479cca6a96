#include "core/settings_store.h"

#include <QSettings>
#include <QString>

namespace orb {
namespace {

QString keyPath(const std::string& section, const std::string& key) {
    return QString::fromStdString(section + "/" + key);
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(
          std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "ORB", "ORB")) {}

QtSettingsStore::QtSettingsStore(const std::filesystem::path& iniFile)
    : settings_(std::make_unique<QSettings>(QString::fromStdString(iniFile.string()),
                                            QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() = default;

std::string QtSettingsStore::get(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
    return settings_->value(keyPath(section, key), QString::fromStdString(defaultValue))
        .toString()
        .toStdString();
}

void QtSettingsStore::set(const std::string& section, const std::string& key,
                          const std::string& value) {
    settings_->setValue(keyPath(section, key), QString::fromStdString(value));
    settings_->sync();
}

std::filesystem::path QtSettingsStore::fileName() const {
    return settings_->fileName().toStdString();
}

}  // namespace orb
