// The text and JSON forms of the par sheet.
#include "report.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "game_sim.h"
#include "reels/strips.h"
#include "reels/symbols.h"

namespace velmoran::par {

namespace {

// The pay table's order, richest first.
constexpr std::array<Symbol, 10> kShownOrder{
    Symbol::Chief,     Symbol::Maiden,  Symbol::Dreamcatcher, Symbol::BuffaloSkull, Symbol::Totem,
    Symbol::Moccasins, Symbol::LetterK, Symbol::LetterQ,      Symbol::LetterJ,      Symbol::Headdress,
};

[[gnu::format(printf, 1, 2)]] std::string format(const char* pattern, ...) {
    va_list args;
    va_start(args, pattern);
    std::array<char, 256> buffer{};
    std::vsnprintf(buffer.data(), buffer.size(), pattern, args);
    va_end(args);
    return buffer.data();
}

std::string percent(double share) {
    return format("%.4f %%", 100.0 * share);
}
std::string oneIn(double share) {
    return share > 0 ? format("1 in %.1f", 1.0 / share) : "never";
}
std::string grouped(std::uint64_t n) {
    std::string digits = std::to_string(n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<std::size_t>(i), ",");
    return digits;
}
std::string withHalfwidth(const Estimate& e, double scale, const char* pattern) {
    return format(pattern, scale * e.value) + " ± " + format(pattern, scale * e.halfwidth);
}

// One row of a table: a label, then one column per line count.
class Table {
public:
    explicit Table(std::string& out, int labelWidth, int columnWidth)
        : out_(out), label_(labelWidth), column_(columnWidth) {}
    void row(const std::string& label, const std::vector<std::string>& cells) {
        out_ += format("%-*s", label_, label.c_str());
        for (const auto& cell : cells) {
            // The ± sign takes two bytes and one column.
            const int extra = static_cast<int>(std::count(cell.begin(), cell.end(), '\xB1'));
            out_ += format("%*s", column_ + extra, cell.c_str());
        }
        out_ += '\n';
    }

private:
    std::string& out_;
    int label_;
    int column_;
};

template <class Figures, class F>
std::vector<std::string> cells(const std::vector<Figures>& all, F&& f) {
    std::vector<std::string> out;
    out.reserve(all.size());
    for (const auto& x : all) out.push_back(f(x));
    return out;
}

void baseSection(std::string& out, const ParSheet& sheet) {
    out += "BASE GAME, EXACT\n";
    out += "One paid spin with nothing held, every stop combination valued by the machine's evaluation.\n\n";
    Table t(out, 34, 14);
    t.row("",
          cells(sheet.base, [](const BaseFigures& b) { return format("%d line%s", b.lines, b.lines > 1 ? "s" : ""); }));
    t.row("Return before the re-spin rule",
          cells(sheet.base, [](const BaseFigures& b) { return percent(b.returnBefore()); }));
    t.row("Return after the re-spin rule",
          cells(sheet.base, [](const BaseFigures& b) { return percent(b.returnAfter()); }));
    t.row("Hit rate before", cells(sheet.base, [](const BaseFigures& b) { return percent(b.hitRateBefore()); }));
    t.row("Hit rate after", cells(sheet.base, [](const BaseFigures& b) { return percent(b.hitRateAfter()); }));
    t.row("Re-spins per paid spin",
          cells(sheet.base, [](const BaseFigures& b) { return format("%.4f", b.respinsPerSpin()); }));
    t.row("Std. deviation before (bets)",
          cells(sheet.base, [](const BaseFigures& b) { return format("%.3f", b.sdBefore()); }));
    t.row("Std. deviation after (bets)",
          cells(sheet.base, [](const BaseFigures& b) { return format("%.3f", b.sdAfter()); }));
    t.row("Largest win (total bets)", cells(sheet.base, [](const BaseFigures& b) {
              return format("%.2f", static_cast<double>(b.maxwin) / b.lines);
          }));
    out += '\n';
    const BaseFigures& any = sheet.base.front();
    out += "Scatters in view (the same at every line count)\n";
    Table s(out, 34, 18);
    s.row("", {"outcomes", "before", "after"});
    for (int count = 2; count <= 5; ++count) {
        s.row(format("%d scatters", count), {grouped(any.scatters[static_cast<std::size_t>(count)]),
                                             oneIn(any.scatterBefore(count)), oneIn(any.scatterAfter(count))});
    }
    s.row("3 or more (a sequence)", {grouped(any.scatters[3] + any.scatters[4] + any.scatters[5]),
                                     oneIn(any.scatterBefore(3) + any.scatterBefore(4) + any.scatterBefore(5)),
                                     oneIn(any.scatterAfter(3) + any.scatterAfter(4) + any.scatterAfter(5))});
    out += '\n';

    const BaseFigures& top = sheet.base.back();
    out +=
        format("Return by symbol and run at %d lines, after the re-spin rule (percent of the total bet)\n", top.lines);
    Table r(out, 16, 13);
    r.row("", {"2 of a kind", "3 of a kind", "4 of a kind", "5 of a kind", "all"});
    for (const Symbol symbol : kShownOrder) {
        std::vector<std::string> row;
        double sum = 0;
        for (int run = 2; run <= 5; ++run) {
            const double v = top.runReturnAfter(code(symbol), run);
            sum += v;
            row.push_back(linePay(symbol, run) > 0 ? format("%.4f", 100 * v) : "-");
        }
        row.push_back(format("%.4f", 100 * sum));
        r.row(std::string(name(symbol)), row);
    }
    std::vector<std::string> scatterRow;
    double scatterSum = 0;
    for (int count = 2; count <= 5; ++count) {
        scatterSum += top.scatterReturnAfter(count);
        scatterRow.push_back(format("%.4f", 100 * top.scatterReturnAfter(count)));
    }
    scatterRow.push_back(format("%.4f", 100 * scatterSum));
    r.row("Scatter 2/3/4/5", scatterRow);
    r.row("Total", {"", "", "", "", format("%.4f", 100 * top.returnAfter())});
    out += '\n';

    out += format("Win of a paid spin at %d lines (share of spins)\n", top.lines);
    Table w(out, 34, 14);
    w.row("Win (total bets)", {"before", "after"});
    for (std::size_t bin = 0; bin < kBins; ++bin)
        w.row(binLabel(bin), {percent(top.binBefore(bin)), percent(top.binAfter(bin))});
    out += '\n';
}

void gameSection(std::string& out, const ParSheet& sheet) {
    const GameFigures& first = sheet.games.front();
    out += "WHOLE GAME, MONTE CARLO\n";
    out += format(
        "Paid games with held wilds, the re-spin rule and free-spin sequences (multiplier, retriggers);\n"
        "no gamble. %s games a line count, seed %llu, %u independent streams; 95 %% confidence.\n\n",
        grouped(first.games).c_str(), static_cast<unsigned long long>(first.seed), first.batches);
    Table t(out, 34, 22);
    const auto& g = sheet.games;
    t.row("", cells(g, [](const GameFigures& f) { return format("%d line%s", f.lines, f.lines > 1 ? "s" : ""); }));
    t.row("Return (%)", cells(g, [](const GameFigures& f) { return withHalfwidth(f.rtp, 100, "%.3f"); }));
    t.row("Game hit rate (%)", cells(g, [](const GameFigures& f) { return withHalfwidth(f.hitrate, 100, "%.3f"); }));
    t.row("Sequences per 1000 games",
          cells(g, [](const GameFigures& f) { return withHalfwidth(f.sequences, 1000, "%.3f"); }));
    t.row("Free spins per sequence",
          cells(g, [](const GameFigures& f) { return withHalfwidth(f.freespins, 1, "%.3f"); }));
    t.row("Retriggers per sequence",
          cells(g, [](const GameFigures& f) { return withHalfwidth(f.retriggers, 1, "%.4f"); }));
    t.row("Sequence win (total bets)",
          cells(g, [](const GameFigures& f) { return withHalfwidth(f.sequencewin, 1, "%.2f"); }));
    t.row("Standing spins per game", cells(g, [](const GameFigures& f) { return withHalfwidth(f.spins, 1, "%.4f"); }));
    t.row("Re-spins per spin", cells(g, [](const GameFigures& f) { return withHalfwidth(f.respins, 1, "%.4f"); }));
    t.row("Volatility (SD/game, bets)",
          cells(g, [](const GameFigures& f) { return withHalfwidth(f.volatility, 1, "%.3f"); }));
    t.row("Return: paid line pays (%)",
          cells(g, [](const GameFigures& f) { return withHalfwidth(f.paidlines, 100, "%.3f"); }));
    t.row("Return: paid scatter pays (%)",
          cells(g, [](const GameFigures& f) { return withHalfwidth(f.paidscatters, 100, "%.3f"); }));
    t.row("Return: free spins (%)",
          cells(g, [](const GameFigures& f) { return withHalfwidth(f.freespinreturn, 100, "%.3f"); }));
    t.row("Largest game (total bets)", cells(g, [](const GameFigures& f) { return format("%.1f", f.maxwin); }));
    out += '\n';
    const GameFigures& top = g.back();
    out += format("Win of a game at %d lines (share of games)\n", top.lines);
    Table w(out, 34, 14);
    for (std::size_t bin = 0; bin < kBins; ++bin) w.row(binLabel(bin), {percent(top.bins[bin])});
    out += '\n';
}

nlohmann::ordered_json estimate(const Estimate& e) {
    return {{"value", e.value}, {"ci95", e.halfwidth}};
}

}  // namespace

GeneratorSkew generatorSkew() {
    std::array<std::uint32_t, kStops + 1> stops{};
    std::uint32_t stand = 0;
    constexpr std::uint32_t kDraws = 1U << 24U;
    for (std::uint32_t k = 0; k < kDraws; ++k) {
        const float r = static_cast<float>(k) * (1.0F / 16777216.0F);
        ++stops[static_cast<std::size_t>(wholeFrom(r, kStops))];
        stand += wholeFrom(r, 7) == 1 ? 1 : 0;
    }
    GeneratorSkew skew;
    const auto [low, high] = std::minmax_element(stops.begin() + 1, stops.end());
    skew.stoplow = static_cast<double>(*low) * kStops / kDraws;
    skew.stophigh = static_cast<double>(*high) * kStops / kDraws;
    skew.standprob = static_cast<double>(stand) * 7 / kDraws;
    return skew;
}

std::string textReport(const ParSheet& sheet) {
    std::string out;
    out += "VELMORAN PAR SHEET\n\n";
    out += format(
        "Five reels of %d stops: %s equally likely outcomes a spin. Bet: 1 coin a line; every figure\n"
        "is a share of the total bet (lines x line bet), which the line bet does not change.\n\n",
        kStops, grouped(sheet.base.empty() ? 0 : sheet.base.front().outcomes).c_str());
    if (!sheet.base.empty()) baseSection(out, sheet);
    if (!sheet.games.empty()) gameSection(out, sheet);
    out += format(
        "The program's generator draws k / 2^24: each stop has 1/22 times %.7f to %.7f, and a win stands\n"
        "with 1/7 times %.7f, so the figures above hold for it to about one part in a million.\n",
        sheet.skew.stoplow, sheet.skew.stophigh, sheet.skew.standprob);
    return out;
}

nlohmann::ordered_json jsonReport(const ParSheet& sheet) {
    using J = nlohmann::ordered_json;
    J doc;
    doc["machine"] = {{"reels", kReels},
                      {"stops", kStops},
                      {"outcomes", sheet.base.empty() ? 0 : sheet.base.front().outcomes},
                      {"linebet", 1}};
    doc["generator"] = {{"stop_low_x22", sheet.skew.stoplow},
                        {"stop_high_x22", sheet.skew.stophigh},
                        {"stand_x7", sheet.skew.standprob}};
    J base = J::array();
    for (const auto& b : sheet.base) {
        J item;
        item["lines"] = b.lines;
        item["return_before"] = b.returnBefore();
        item["return_after"] = b.returnAfter();
        item["hit_rate_before"] = b.hitRateBefore();
        item["hit_rate_after"] = b.hitRateAfter();
        item["respins_per_spin"] = b.respinsPerSpin();
        item["sd_before"] = b.sdBefore();
        item["sd_after"] = b.sdAfter();
        item["max_win_bets"] = static_cast<double>(b.maxwin) / b.lines;
        item["counts"] = {{"outcomes", b.outcomes},
                          {"wins", b.wins},
                          {"withdrawable", b.withdrawable},
                          {"win_coins", b.win},
                          {"withdrawable_win_coins", b.withdrawablewin}};
        J scatters = J::object();
        for (int count = 0; count <= 5; ++count) {
            scatters[std::to_string(count)] = {{"outcomes", b.scatters[static_cast<std::size_t>(count)]},
                                               {"before", b.scatterBefore(count)},
                                               {"after", b.scatterAfter(count)},
                                               {"return_after", b.scatterReturnAfter(count)}};
        }
        item["scatters"] = scatters;
        J runs = J::array();
        for (const Symbol symbol : kShownOrder)
            for (int run = 2; run <= 5; ++run)
                if (linePay(symbol, run) > 0)
                    runs.push_back({{"symbol", std::string(name(symbol))},
                                    {"run", run},
                                    {"return_before", b.runReturnBefore(code(symbol), run)},
                                    {"return_after", b.runReturnAfter(code(symbol), run)}});
        item["runs"] = runs;
        J bins = J::array();
        for (std::size_t bin = 0; bin < kBins; ++bin)
            bins.push_back({{"win_bets", binLabel(bin)}, {"before", b.binBefore(bin)}, {"after", b.binAfter(bin)}});
        item["win_distribution"] = bins;
        base.push_back(item);
    }
    doc["base_game_exact"] = base;
    J games = J::array();
    for (const auto& g : sheet.games) {
        J item;
        item["lines"] = g.lines;
        item["games"] = g.games;
        item["seed"] = g.seed;
        item["streams"] = g.batches;
        item["return"] = estimate(g.rtp);
        item["hit_rate"] = estimate(g.hitrate);
        item["sequences_per_game"] = estimate(g.sequences);
        item["free_spins_per_sequence"] = estimate(g.freespins);
        item["retriggers_per_sequence"] = estimate(g.retriggers);
        item["sequence_win_bets"] = estimate(g.sequencewin);
        item["spins_per_game"] = estimate(g.spins);
        item["respins_per_spin"] = estimate(g.respins);
        item["volatility_bets"] = estimate(g.volatility);
        item["return_paid_lines"] = estimate(g.paidlines);
        item["return_paid_scatters"] = estimate(g.paidscatters);
        item["return_free_spins"] = estimate(g.freespinreturn);
        item["max_game_bets"] = g.maxwin;
        J bins = J::array();
        for (std::size_t bin = 0; bin < kBins; ++bin)
            bins.push_back({{"win_bets", binLabel(bin)}, {"share", g.bins[bin]}});
        item["win_distribution"] = bins;
        item["seconds"] = g.seconds;
        item["outcomes_valued"] = g.evaluated;
        games.push_back(item);
    }
    doc["whole_game_monte_carlo"] = games;
    return doc;
}

}  // namespace velmoran::par
