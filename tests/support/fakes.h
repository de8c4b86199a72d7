#pragma once
// Scripted chance, an in-memory settings store and a fake desktop, so that
// every outcome of a test is chosen, not hoped for.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "core/player_record.h"
#include "core/ports/display_environment.h"
#include "core/ports/random_source.h"
#include "core/ports/settings_store.h"

namespace velmoran::test {

// Hands out the draws it was given, in order. Running out is a test error.
class ScriptedRandom final : public RandomSource {
public:
    void reseed() override { ++reseeds; }
    float draw() override {
        if (script.empty()) throw std::logic_error("ScriptedRandom: no draw left in the script");
        const float r = script.front();
        script.pop_front();
        ++draws;
        return r;
    }
    // A draw that gives k (1 to n) through Int(r * n) + 1.
    static float forInt(int k, int n) { return (static_cast<float>(k) - 0.5F) / static_cast<float>(n); }
    void push(float r) { script.push_back(r); }
    void pushInt(int k, int n) { push(forInt(k, n)); }
    // Five reel stops, 1 to 22 each (a held reel takes no draw: leave it out).
    void pushStops(std::initializer_list<int> stops) {
        for (int s : stops) pushInt(s, 22);
    }
    // The re-spin decision: 1 lets a winning outcome stand, 2 to 7 withdraw it.
    void pushRespin(int t) { pushInt(t, 7); }
    void pushMultiplierDraw(int r) { pushInt(r, 25); }
    void pushCard(int suit) { pushInt(suit, 4); }

    std::deque<float> script;
    int draws = 0;
    int reseeds = 0;
};

class MemoryStore final : public SettingsStore {
public:
    std::string read(std::string_view app, std::string_view section, std::string_view key) override {
        ++reads;
        readLog.emplace_back(std::string(section), std::string(key));
        auto it = values.find({std::string(app), std::string(section), std::string(key)});
        return it == values.end() ? std::string{} : it->second;
    }
    void write(std::string_view app, std::string_view section, std::string_view key, std::string_view value) override {
        ++writes;
        writeLog.emplace_back(std::string(section), std::string(key), std::string(value));
        values[{std::string(app), std::string(section), std::string(key)}] = std::string(value);
    }
    void set(std::string_view section, std::string_view key, std::string_view value) {
        values[{"duraridu", std::string(section), std::string(key)}] = std::string(value);
    }
    [[nodiscard]] std::string get(std::string_view section, std::string_view key) const {
        auto it = values.find({"duraridu", std::string(section), std::string(key)});
        return it == values.end() ? std::string{} : it->second;
    }
    [[nodiscard]] bool has(std::string_view section, std::string_view key) const {
        return values.count({"duraridu", std::string(section), std::string(key)}) != 0;
    }
    // The record of a section as saved (every value the game writes is a
    // plain decimal; a missing one reads 0).
    [[nodiscard]] PlayerRecord record(std::string_view section) const {
        const auto number = [&](std::string_view key) {
            const std::string v = get(section, key);
            return v.empty() ? 0 : std::stoi(v);
        };
        PlayerRecord r;
        r.winroll = static_cast<std::int16_t>(number("winroll"));
        r.reelspeed = static_cast<std::int16_t>(number("reelspeed"));
        r.amountinvested = number("amountinvested");
        r.wager = number("wager");
        r.total = number("total");
        r.bank = number("bank");
        r.games = number("games");
        r.currentplayer = get(section, "currentplayer");
        return r;
    }
    bool flush() override {
        ++flushes;
        if (onFlush) onFlush();
        return !failFlush;
    }
    std::function<void()> onFlush;  // runs at every flush, after the writes

    std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
    std::vector<std::pair<std::string, std::string>> readLog;
    std::vector<std::tuple<std::string, std::string, std::string>> writeLog;
    int reads = 0;
    int writes = 0;
    int flushes = 0;
    bool failFlush = false;  // a store that cannot keep what it is given
};

class FakeDisplay final : public DisplayEnvironment {
public:
    std::int32_t pixelsPerInch() override { return ppi; }
    void requestDisplayMode(std::int32_t width, std::int32_t height) override { modes.emplace_back(width, height); }
    LinkResult openLink(std::string_view address) override {
        links.emplace_back(address);
        return linkResult;
    }

    std::int32_t ppi = 96;
    std::vector<std::pair<std::int32_t, std::int32_t>> modes;
    std::vector<std::string> links;
    LinkResult linkResult{true, 0};
};

}  // namespace velmoran::test
