#pragma once
// The settings store on disk: one INI file per user and application,
// $XDG_CONFIG_HOME/<application>.ini (~/.config/<application>.ini by
// default), a section per player slot and plain text values.
//
// Writes collect in memory until flush(), which replaces the file whole:
// Qt writes a temporary file beside it and renames it over the old one, so
// the file on disk is always either the old or the new one. A file that
// cannot be written is left as it is and flush() says so; the values stay in
// memory and the next flush tries again. Sections and keys the game does not
// know are kept. A file that could not be read whole (a line that is not a
// section, a key or a comment; bytes that are not text; a file that cannot
// be opened) is copied aside as `<file>.damaged` before the first flush
// writes over it, so nothing the player had is lost for good.

#include <QString>
#include <map>
#include <memory>
#include <string>

#include "core/ports/settings_store.h"

class QSettings;

namespace velmoran {

class QSettingsStore final : public SettingsStore {
public:
    QSettingsStore();
    ~QSettingsStore() override;
    QSettingsStore(const QSettingsStore&) = delete;
    QSettingsStore& operator=(const QSettingsStore&) = delete;

    std::string read(std::string_view application, std::string_view section, std::string_view key) override;
    void write(std::string_view application, std::string_view section, std::string_view key,
               std::string_view value) override;
    bool flush() override;

    // The file that holds the application's values.
    [[nodiscard]] QString fileName(std::string_view application);

    // Removes what a copy killed in the middle of a save left beside the
    // file: the temporary files `<file>.XXXXXX` (the new contents it never
    // renamed into place; the file itself still holds the last whole save)
    // and the writer's lock `<file>.lock`. A lock killed before it named its
    // owner cannot be seen to be stale, and the next save would wait until
    // it is 30 s old. Only for a caller that knows no other copy can be
    // saving now, such as the holder of the store's lock. Returns how many
    // were removed.
    int removeUnfinishedSaves(std::string_view application);

private:
    struct File {
        std::unique_ptr<QSettings> settings;
        bool damaged = false;  // not read whole, and not yet set aside
    };
    File& fileFor(std::string_view application);
    QSettings& settingsFor(std::string_view application) { return *fileFor(application).settings; }

    std::map<std::string, File, std::less<>> files_;
};

}  // namespace velmoran
