// The management areas of the synthetic data set: where they lie and what sets their moose apart.
#pragma once
#include <string>
#include <vector>

namespace vildo::cli {

enum class Region { North, Middle, South };

struct SynthCounty {
    int code;
    const char* name;
    Region region;
    bool wolves;  // wolf territories in its areas
    bool bears;
    std::vector<const char*> areas;  // area numbers 1, 2, ...
};

// The 20 counties in code order; the whole country (code 26) is made from them.
const std::vector<SynthCounty>& synthCounties();

// The names of the whole country's regions, area numbers 1..3 under code 26.
constexpr const char* kRegionNames[3] = {"Norra Sverige", "Mellersta Sverige", "Södra Sverige"};

}  // namespace vildo::cli
