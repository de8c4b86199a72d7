#pragma once
// The settings store on disk: one INI file per user and application,
// $XDG_CONFIG_HOME/<application>.ini (~/.config/<application>.ini by
// default), a section per player slot and plain text values.
//
// Writes collect in memory until flush(), which replaces the file whole:
// Qt writes a temporary file beside it and renames it over the old one, so
// the file on disk is always either the old or the new one. A file that
// cannot be written is left as it is and the game goes on; the values stay
// in memory and the next flush tries again. Sections and keys the game does
// not know are kept.

#include <QString>
#include <map>
#include <memory>
#include <string>

#include "players/settings_store.h"

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
    void flush() override;

    // The file that holds the application's values.
    [[nodiscard]] QString fileName(std::string_view application);

private:
    QSettings& settingsFor(std::string_view application);

    std::map<std::string, std::unique_ptr<QSettings>, std::less<>> files_;
};

}  // namespace velmoran
