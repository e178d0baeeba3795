#include "ui/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "astro/CoreError.h"
#include "locations/FileIo.h"

namespace quintrel {

namespace {

QString KeyPath(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

}  // namespace

// The values of one INI file, parsed and written by QSettings on a private copy in a
// folder of our own: QSettings itself would write the user's file on every change, and
// would put a plain file in place of a link to a device.
struct QtSettingsStore::Document {
    QString path;
    QTemporaryDir folder;
    std::unique_ptr<QSettings> values;
    std::map<QString, QString> pending;  // written here since the last Commit

    // Reads the file at `path`; a file that cannot be read counts as empty unless
    // `strict`, when the reason is thrown.
    Document(const QString& filePath, bool strict) : path(filePath) {
        std::string bytes;
        if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
            try {
                bytes = ReadWholeFile(path.toStdString());
            } catch (const CoreError&) {
                if (strict) {
                    throw;
                }
            }
        }
        const QString copy = folder.filePath(QStringLiteral("copy.ini"));
        QFile file(copy);
        if (!folder.isValid() || !file.open(QIODevice::WriteOnly) ||
            file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
                static_cast<qint64>(bytes.size())) {
            if (strict) {
                throw CoreError("Cannot save the settings in \"" + path.toStdString() +
                                "\": no room for a temporary copy");
            }
        }
        file.close();
        values = std::make_unique<QSettings>(copy, QSettings::IniFormat);
    }
};

QtSettingsStore::QtSettingsStore() = default;

QtSettingsStore::QtSettingsStore(const QString& iniPath) : iniPath_(iniPath) {}

QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::FilePath(const std::string& application) const {
    if (!iniPath_.isEmpty()) {
        return iniPath_;
    }
    // Where QSettings keeps a per-user INI file of organisation "Varnel".
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Varnel/") + QString::fromStdString(application) +
           QStringLiteral(".ini");
}

QtSettingsStore::Document& QtSettingsStore::DocumentOf(const std::string& application) {
    std::unique_ptr<Document>& document = documents_[application];
    if (!document) {
        document = std::make_unique<Document>(FilePath(application), false);
    }
    return *document;
}

std::string QtSettingsStore::Read(const std::string& application, const std::string& section,
                                  const std::string& key, const std::string& defaultText) {
    const QVariant value = DocumentOf(application).values->value(KeyPath(section, key));
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
    Document& document = DocumentOf(application);
    const QString path = KeyPath(section, key);
    const QString value = QString::fromStdString(text);
    document.values->setValue(path, value);
    document.pending[path] = value;
}

void QtSettingsStore::Commit() {
    for (auto& [application, document] : documents_) {
        if (document->pending.empty()) {
            continue;
        }
        const std::string path = document->path.toStdString();
        // Refused before anything is read: a device, a pipe, a read-only or hard-linked file.
        ReplaceableTarget(path);
        // What the file holds now, so values another program stored meanwhile stay; a
        // file that cannot be read is not replaced.
        auto fresh = std::make_unique<Document>(document->path, true);
        for (const auto& [key, value] : document->pending) {
            fresh->values->setValue(key, value);
        }
        // A file that did not parse (FormatError) is written anyway, as QSettings always
        // did: its garbage gives way to the values of this session.
        fresh->values->sync();
        if (fresh->values->status() == QSettings::AccessError) {
            throw CoreError("Cannot save the settings in \"" + path + "\"");
        }
        const std::string bytes = ReadWholeFile(fresh->values->fileName().toStdString());
        if (!QDir().mkpath(QFileInfo(document->path).absolutePath())) {
            throw CoreError("Cannot save the settings in \"" + path +
                            "\": its folder cannot be made");
        }
        WriteFileAtomically(path, bytes);
        document = std::move(fresh);
    }
}

}  // namespace quintrel
