// The per-user settings file.
#include "players/qsettings_store.h"

#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

namespace velmoran {

namespace {

QString fromUtf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string toUtf8(const QString& s) {
    const QByteArray bytes = s.toUtf8();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

QString keyPath(std::string_view section, std::string_view key) {
    return fromUtf8(section) + u'/' + fromUtf8(key);
}

}  // namespace

QSettingsStore::QSettingsStore() = default;

QSettingsStore::~QSettingsStore() {
    flush();
}

QSettings& QSettingsStore::settingsFor(std::string_view application) {
    auto it = files_.find(application);
    if (it == files_.end()) {
        // Qt settles the user's configuration folder once per process; naming
        // it again here keeps the store on the folder the environment names
        // now ($XDG_CONFIG_HOME, else ~/.config), as Qt itself would find it.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
        auto settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, fromUtf8(application));
        // Only the user's own file counts: a system-wide file must never
        // supply a value that is missing from it.
        settings->setFallbacksEnabled(false);
        // Never write the file in place: a crash during the write would
        // leave it torn. Without a temporary file beside it the write fails.
        settings->setAtomicSyncRequired(true);
        it = files_.emplace(std::string(application), std::move(settings)).first;
    }
    return *it->second;
}

std::string QSettingsStore::read(std::string_view application, std::string_view section, std::string_view key) {
    const QVariant v = settingsFor(application).value(keyPath(section, key));
    // A hand-edited value with unquoted commas comes back as a list; joined
    // again it is the text that was typed (up to the blanks after commas).
    if (v.typeId() == QMetaType::QStringList) return toUtf8(v.toStringList().join(u", "));
    return toUtf8(v.toString());
}

void QSettingsStore::write(std::string_view application, std::string_view section, std::string_view key,
                           std::string_view value) {
    settingsFor(application).setValue(keyPath(section, key), fromUtf8(value));
}

void QSettingsStore::flush() {
    for (auto& [application, settings] : files_) settings->sync();
}

QString QSettingsStore::fileName(std::string_view application) {
    return settingsFor(application).fileName();
}

}  // namespace velmoran
