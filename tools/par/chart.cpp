// The par sheet's chart, drawn with cairo: where the return comes from, and
// how often each size of win comes, at the sheet's largest line count.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "reels/paytable.h"
#include "reels/symbols.h"
#include "report.h"

namespace velmoran::par {

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 760;

struct Rgb {
    double r, g, b;
};
constexpr Rgb kInk{0.12, 0.12, 0.14};
constexpr Rgb kGrid{0.85, 0.85, 0.88};
constexpr Rgb kBase{0.80, 0.42, 0.15};     // the paid spin, exact
constexpr Rgb kGame{0.16, 0.38, 0.62};     // the whole game, sampled
constexpr Rgb kFeature{0.30, 0.58, 0.30};  // what the features add

struct Bar {
    std::string label;
    double value;  // share of the total bet
    Rgb colour;
};

void colour(cairo_t* cr, Rgb c) {
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

void text(cairo_t* cr, double x, double y, const std::string& s, double size, bool bold = false, double align = 0) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, s.c_str(), &extents);
    cairo_move_to(cr, x - align * extents.x_advance, y);
    cairo_show_text(cr, s.c_str());
}

std::string percentLabel(double share) {
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.2f %%", 100 * share);
    return buffer.data();
}

std::string shortBin(std::size_t bin) {
    static const std::array<const char*, kBins> kLabels{"0",     "<0.5",  "0.5-1",  "1-2",     "2-5",     "5-10",
                                                        "10-20", "20-50", "50-100", "100-250", "250-500", "500+"};
    return kLabels[bin];
}

// Horizontal bars of the return's sources, one per row.
void returnPanel(cairo_t* cr, const std::vector<Bar>& bars, double total, double x, double y, double w, double h) {
    const double labelWidth = 170;
    const double rowHeight = h / static_cast<double>(bars.size() + 1);
    double largest = 0;
    for (const auto& b : bars) largest = std::max(largest, b.value);
    const double scale = largest > 0 ? (w - labelWidth - 90) / largest : 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const double top = y + rowHeight * static_cast<double>(i);
        colour(cr, kInk);
        text(cr, x + labelWidth - 8, top + rowHeight * 0.65, bars[i].label, 13, false, 1);
        const double length = std::max(0.0, bars[i].value) * scale;
        colour(cr, bars[i].colour);
        cairo_rectangle(cr, x + labelWidth, top + rowHeight * 0.15, length, rowHeight * 0.7);
        cairo_fill(cr);
        colour(cr, kInk);
        text(cr, x + labelWidth + length + 6, top + rowHeight * 0.65, percentLabel(bars[i].value), 12);
    }
    colour(cr, kInk);
    text(cr, x + labelWidth - 8, y + h - rowHeight * 0.3, "Whole game", 14, true, 1);
    text(cr, x + labelWidth, y + h - rowHeight * 0.3, percentLabel(total), 14, true);
}

// Bars of the share of spins and games in each win bin, on a log scale.
void distributionPanel(cairo_t* cr, const BaseFigures& base, const GameFigures* game, double x, double y, double w,
                       double h) {
    constexpr int kDecades = 8;  // 1 down to 1e-8
    const double left = x + 60;
    const double bottom = y + h - 40;
    const double plotHeight = h - 90;  // room for the legend above
    const double plotWidth = w - 70;
    cairo_set_line_width(cr, 1);
    for (int d = 0; d <= kDecades; ++d) {
        const double gy = bottom - plotHeight * (kDecades - d) / kDecades;
        colour(cr, kGrid);
        cairo_move_to(cr, left, gy);
        cairo_line_to(cr, left + plotWidth, gy);
        cairo_stroke(cr);
        colour(cr, kInk);
        text(cr, left - 6, gy + 4, d == 0 ? "1" : "1e-" + std::to_string(d), 11, false, 1);
    }
    const double slot = plotWidth / kBins;
    const auto heightOf = [&](double share) {
        if (share <= 0) return 0.0;
        return std::max(0.0, plotHeight * (1 + std::log10(share) / kDecades));
    };
    for (std::size_t bin = 0; bin < kBins; ++bin) {
        const double sx = left + slot * static_cast<double>(bin);
        const double barWidth = game != nullptr ? slot * 0.38 : slot * 0.7;
        const double spin = heightOf(base.binAfter(bin));
        colour(cr, kBase);
        cairo_rectangle(cr, sx + slot * 0.1, bottom - spin, barWidth, spin);
        cairo_fill(cr);
        if (game != nullptr) {
            const double g = heightOf(game->bins[bin]);
            colour(cr, kGame);
            cairo_rectangle(cr, sx + slot * 0.1 + barWidth, bottom - g, barWidth, g);
            cairo_fill(cr);
        }
        colour(cr, kInk);
        text(cr, sx + slot / 2, bottom + 16, shortBin(bin), 10, false, 0.5);
    }
    text(cr, left + plotWidth / 2, bottom + 34, "win in total bets", 12, false, 0.5);
    // Legend.
    colour(cr, kBase);
    cairo_rectangle(cr, left + plotWidth - 250, y + 4, 12, 12);
    cairo_fill(cr);
    colour(cr, kInk);
    text(cr, left + plotWidth - 232, y + 15, "paid spin, exact", 12);
    if (game != nullptr) {
        colour(cr, kGame);
        cairo_rectangle(cr, left + plotWidth - 250, y + 22, 12, 12);
        cairo_fill(cr);
        colour(cr, kInk);
        text(cr, left + plotWidth - 232, y + 33, "game, sampled", 12);
    }
}

}  // namespace

bool writeChart(const ParSheet& sheet, const std::string& path, std::string& error) {
    if (sheet.base.empty()) {
        error = "no figures to draw";
        return false;
    }
    const BaseFigures& base = sheet.base.back();
    const GameFigures* game = nullptr;
    for (const auto& g : sheet.games)
        if (g.lines == base.lines) game = &g;

    std::vector<Bar> bars;
    constexpr std::array<Symbol, 10> kOrder{
        Symbol::Chief,     Symbol::Maiden,  Symbol::Dreamcatcher, Symbol::BuffaloSkull, Symbol::Totem,
        Symbol::Moccasins, Symbol::LetterK, Symbol::LetterQ,      Symbol::LetterJ,      Symbol::Headdress};
    for (const Symbol s : kOrder) {
        double v = 0;
        for (int run = 2; run <= 5; ++run) v += base.runReturnAfter(code(s), run);
        bars.push_back({std::string(name(s)), v, kBase});
    }
    double scatters = 0;
    for (int count = 2; count <= 5; ++count) scatters += base.scatterReturnAfter(count);
    bars.push_back({"Scatter pays", scatters, kBase});
    double total = base.returnAfter();
    if (game != nullptr) {
        bars.push_back({"Held wilds", game->paidlines.value + game->paidscatters.value - base.returnAfter(), kFeature});
        bars.push_back({"Free spins", game->freespinreturn.value, kFeature});
        total = game->rtp.value;
    }

    const std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight), &cairo_surface_destroy);
    const std::unique_ptr<cairo_t, decltype(&cairo_destroy)> context(cairo_create(surface.get()), &cairo_destroy);
    cairo_t* cr = context.get();
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    colour(cr, kInk);
    text(cr, 30, 40, "Velmoran par sheet, " + std::to_string(base.lines) + " lines", 22, true);
    text(cr, 30, 90, "Where the return comes from (share of the total bet)", 15, true);
    text(cr, 30, 110,
         "line and scatter pays of a paid spin (exact, after the re-spin rule)" +
             std::string(game != nullptr ? "; held wilds and free spins sampled" : ""),
         11);
    returnPanel(cr, bars, total, 30, 125, 600, kHeight - 150);
    text(cr, 680, 90, "How often each win comes (log scale)", 15, true);
    distributionPanel(cr, base, game, 660, 110, 600, kHeight - 130);

    const cairo_status_t status = cairo_surface_write_to_png(surface.get(), path.c_str());
    if (status != CAIRO_STATUS_SUCCESS) {
        error = cairo_status_to_string(status);
        return false;
    }
    return true;
}

}  // namespace velmoran::par
