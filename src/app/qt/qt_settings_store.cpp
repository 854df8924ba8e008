#include "app/qt/qt_settings_store.h"

#include <QSettings>
#include <QString>

#include "core/workspace.h"

namespace tq530 {

namespace {

QString KeyOf(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::UserScope, QString::fromLatin1(kAppTitle),
                                            QString::fromLatin1(kAppTitle))) {}

QtSettingsStore::~QtSettingsStore() = default;

std::string QtSettingsStore::GetText(const std::string& section, const std::string& key,
                                     const std::string& defaultText) const {
    const QVariant value = settings_->value(KeyOf(section, key));
    if (!value.isValid()) {
        return defaultText;
    }
    return value.toString().toStdString();
}

void QtSettingsStore::SetText(const std::string& section, const std::string& key,
                              const std::string& value) {
    settings_->setValue(KeyOf(section, key), QString::fromStdString(value));
    settings_->sync();
}

}  // namespace tq530
