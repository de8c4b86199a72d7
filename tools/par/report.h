#pragma once
// The par sheet as a reader gets it: a text report, the same figures as JSON
// and a chart.

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "figures.h"

namespace velmoran::par {

// How far the program's generator, which draws k / 2^24, is from uniform
// stops and an exact one-in-seven re-spin decision.
struct GeneratorSkew {
    double stoplow = 0;    // smallest stop probability x 22
    double stophigh = 0;   // largest stop probability x 22
    double standprob = 0;  // probability that the re-spin draw lets a win stand, x 7
};
[[nodiscard]] GeneratorSkew generatorSkew();

struct ParSheet {
    std::vector<BaseFigures> base;   // by line count
    std::vector<GameFigures> games;  // by line count; empty when not sampled
    GeneratorSkew skew;
    double enumerationseconds = 0;
};

[[nodiscard]] std::string textReport(const ParSheet& sheet);
[[nodiscard]] nlohmann::ordered_json jsonReport(const ParSheet& sheet);

// Writes a PNG: where the return comes from, and the win distribution, at
// the largest line count of the sheet. Returns false with a reason when the
// file cannot be written.
bool writeChart(const ParSheet& sheet, const std::string& path, std::string& error);

}  // namespace velmoran::par
