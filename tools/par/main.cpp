// velmoran_par: the machine's par sheet, computed with its own evaluation.
//
//   velmoran_par [--games N] [--seed S] [--threads T] [--lines L] [--out PREFIX]
//
// Prints the text report and writes PREFIX.txt, PREFIX.json and PREFIX.png.
#include <getopt.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "figures.h"
#include "report.h"

namespace {

using namespace velmoran::par;

void usage(std::FILE* to) {
    std::fputs(
        "usage: velmoran_par [options]\n"
        "  --games N    games sampled a line count for the whole game (default 10000000; 0: exact part only)\n"
        "  --seed S     seed of the sampled streams (default 1)\n"
        "  --threads T  threads (default: every core)\n"
        "  --lines L    one line count (1, 5, 10, 15 or 25) instead of all five\n"
        "  --out P      write P.txt, P.json and P.png (default par_sheet)\n",
        to);
}

bool parseCount(const char* text, std::uint64_t& value) {
    char* end = nullptr;
    const unsigned long long parsed = std::strtoull(text, &end, 10);
    if (end == text || *end != '\0') return false;
    value = parsed;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    MonteCarloConfig config;
    std::string prefix = "par_sheet";
    std::uint64_t onlyLines = 0;
    const option options[] = {{"games", required_argument, nullptr, 'g'},
                              {"seed", required_argument, nullptr, 's'},
                              {"threads", required_argument, nullptr, 't'},
                              {"lines", required_argument, nullptr, 'l'},
                              {"out", required_argument, nullptr, 'o'},
                              {"help", no_argument, nullptr, 'h'},
                              {nullptr, 0, nullptr, 0}};
    for (int opt; (opt = getopt_long(argc, argv, "g:s:t:l:o:h", options, nullptr)) != -1;) {
        std::uint64_t value = 0;
        switch (opt) {
            case 'g':
                if (!parseCount(optarg, config.games)) return usage(stderr), 2;
                break;
            case 's':
                if (!parseCount(optarg, config.seed)) return usage(stderr), 2;
                break;
            case 't':
                if (!parseCount(optarg, value) || value > 1024) return usage(stderr), 2;
                config.threads = static_cast<unsigned>(value);
                break;
            case 'l':
                if (!parseCount(optarg, onlyLines)) return usage(stderr), 2;
                break;
            case 'o':
                prefix = optarg;
                break;
            case 'h':
                usage(stdout);
                return 0;
            default:
                usage(stderr);
                return 2;
        }
    }
    if (optind != argc) return usage(stderr), 2;

    std::vector<std::int16_t> lineCounts;
    for (const auto lines : kLineCounts)
        if (onlyLines == 0 || onlyLines == static_cast<std::uint64_t>(lines)) lineCounts.push_back(lines);
    if (lineCounts.empty()) {
        std::fprintf(stderr, "velmoran_par: the machine plays 1, 5, 10, 15 or 25 lines\n");
        return 2;
    }

    ParSheet sheet;
    sheet.skew = generatorSkew();
    const auto start = std::chrono::steady_clock::now();
    for (const auto lines : lineCounts) sheet.base.push_back(enumerateBase(lines, config.threads));
    sheet.enumerationseconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (config.games > 0) {
        for (const auto lines : lineCounts) {
            config.lines = lines;
            sheet.games.push_back(simulateGames(config));
        }
    }

    const std::string text = textReport(sheet);
    std::cout << text;
    std::ofstream txt(prefix + ".txt");
    txt << text;
    std::ofstream json(prefix + ".json");
    json << jsonReport(sheet).dump(2) << '\n';
    if (!txt.flush() || !json.flush()) {
        std::fprintf(stderr, "velmoran_par: cannot write %s.txt and %s.json\n", prefix.c_str(), prefix.c_str());
        return 1;
    }
    std::string error;
    if (!writeChart(sheet, prefix + ".png", error)) {
        std::fprintf(stderr, "velmoran_par: %s.png: %s\n", prefix.c_str(), error.c_str());
        return 1;
    }
    std::fprintf(stderr, "exact part %.2f s", sheet.enumerationseconds);
    for (const auto& g : sheet.games)
        std::fprintf(stderr, "; %d lines sampled in %.2f s (%.1f million outcomes/s)", g.lines, g.seconds,
                     static_cast<double>(g.evaluated) / g.seconds / 1e6);
    std::fprintf(stderr, "\nwrote %s.txt, %s.json, %s.png\n", prefix.c_str(), prefix.c_str(), prefix.c_str());
    return 0;
}
