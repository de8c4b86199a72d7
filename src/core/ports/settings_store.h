#pragma once
// The per-user settings store: application, section, key and a text value.
// A key that is not present reads as the empty string. Single writes report
// nothing; flush() says whether what was written reached the store.

#include <string>
#include <string_view>

namespace velmoran {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string read(std::string_view application, std::string_view section, std::string_view key) = 0;
    virtual void write(std::string_view application, std::string_view section, std::string_view key,
                       std::string_view value) = 0;
    // Makes the writes so far durable together: after a crash the store holds
    // either all of them or none. False when they could not be kept (a full
    // disk, a read-only folder); the values stay and the next flush tries
    // again. A store that writes through needs nothing.
    virtual bool flush() { return true; }
};

}  // namespace velmoran
