// The per-user settings file.
#include "shell/store/qsettings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringList>
#include <QVariant>
#include <algorithm>

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

// Whether every line of the file is one the game could have written or a
// person could have meant: blank, a comment, a [section] or a key=value
// with a plain text value. A missing file is read whole (there is nothing).
bool readWhole(const QString& path) {
    QFile file(path);
    if (!file.exists()) return true;
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError()) return false;
    const auto lines = QStringView(text).split(u'\n');
    for (QStringView line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#')) continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0) return false;
        // Qt's own forms (@Variant, @ByteArray) are never written by the game.
        if (line.mid(eq + 1).trimmed().startsWith(u'@')) return false;
        for (QChar c : line)
            if (c.unicode() < 0x20 && c != u'\t') return false;
    }
    return true;
}

// Copies a damaged file to the first free name of `<file>.damaged`,
// `<file>.damaged.2`, ... A file that cannot even be read is moved there
// instead. False when neither works.
bool setAside(const QString& path) {
    if (!QFile::exists(path)) return true;
    QString target = path + QStringLiteral(".damaged");
    for (int n = 2; QFile::exists(target); ++n) target = path + QStringLiteral(".damaged.%1").arg(n);
    return QFile::copy(path, target) || QFile::rename(path, target);
}

}  // namespace

QSettingsStore::QSettingsStore() = default;

QSettingsStore::~QSettingsStore() {
    flush();
}

QSettingsStore::File& QSettingsStore::fileFor(std::string_view application) {
    auto it = files_.find(application);
    if (it == files_.end()) {
        // Qt settles the user's configuration folder once per process; naming
        // it again here keeps the store on the folder the environment names
        // now ($XDG_CONFIG_HOME, else ~/.config), as Qt itself would find it.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
        File file;
        file.settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, fromUtf8(application));
        // Only the user's own file counts: a system-wide file must never
        // supply a value that is missing from it.
        file.settings->setFallbacksEnabled(false);
        // Never write the file in place: a crash during the write would
        // leave it torn. Without a temporary file beside it the write fails.
        file.settings->setAtomicSyncRequired(true);
        file.damaged = file.settings->status() != QSettings::NoError || !readWhole(file.settings->fileName());
        it = files_.emplace(std::string(application), std::move(file)).first;
    }
    return it->second;
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

bool QSettingsStore::flush() {
    bool kept = true;
    for (auto& [application, file] : files_) {
        if (file.damaged && setAside(file.settings->fileName())) file.damaged = false;
        file.settings->sync();
        // A file that could not be parsed reports so on every read; only a
        // failed write means the values did not reach the disk.
        if (file.settings->status() == QSettings::AccessError) kept = false;
    }
    return kept;
}

int QSettingsStore::removeUnfinishedSaves(std::string_view application) {
    const QFileInfo file(fileName(application));
    // Qt names the temporary of a save after the file, a dot and six letters
    // or digits; nothing else of ours beside the file has such a name.
    const QString prefix = file.fileName() + u'.';
    int removed = 0;
    const auto candidates = file.dir().entryInfoList({prefix + QStringLiteral("??????")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& candidate : candidates) {
        const QString suffix = candidate.fileName().mid(prefix.size());
        const bool temporary = std::all_of(suffix.begin(), suffix.end(),
                                           [](QChar c) { return c.isLetterOrNumber() && c.unicode() < 0x80; });
        if (temporary && QFile::remove(candidate.filePath())) ++removed;
    }
    const QString writerLock = file.filePath() + QStringLiteral(".lock");
    if (QFileInfo(writerLock).isFile() && QFile::remove(writerLock)) ++removed;
    return removed;
}

QString QSettingsStore::fileName(std::string_view application) {
    return settingsFor(application).fileName();
}

}  // namespace velmoran
