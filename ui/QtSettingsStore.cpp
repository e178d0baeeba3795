#include "ui/QtSettingsStore.h"

#include <QSettings>
#include <memory>

namespace quintrel {

namespace {

std::unique_ptr<QSettings> OpenStore(const QString& iniPath, const std::string& application) {
    if (!iniPath.isEmpty()) {
        return std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
    }
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Varnel"),
                                       QString::fromStdString(application));
}

QString KeyPath(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

}  // namespace

std::string QtSettingsStore::Read(const std::string& application, const std::string& section,
                                  const std::string& key, const std::string& defaultText) {
    const auto settings = OpenStore(iniPath_, application);
    const QVariant value = settings->value(KeyPath(section, key));
    if (!value.isValid()) {
        return defaultText;
    }
    // A value with commas comes back from the INI reader as a list; rejoin it so the
    // text reads back exactly as written.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    }
    return value.toString().toStdString();
}

void QtSettingsStore::Write(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& text) {
    const auto settings = OpenStore(iniPath_, application);
    settings->setValue(KeyPath(section, key), QString::fromStdString(text));
    settings->sync();
}

}  // namespace quintrel
