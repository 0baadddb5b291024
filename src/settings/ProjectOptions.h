#pragma once
// The project options as data: what the options dialog's controls hold.
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace tz {

struct JavaColour {
    const char* name;
    int red;
    int green;
    int blue;
};

// The background colour choices, by index.
inline constexpr std::array<JavaColour, 13> ColourTable = {{
    {"black", 0, 0, 0},
    {"blue", 0, 0, 255},
    {"cyan", 0, 255, 255},
    {"darkGray", 128, 128, 128},
    {"gray", 128, 128, 128},
    {"green", 0, 255, 0},
    {"lightGray", 192, 192, 192},
    {"magenta", 255, 0, 255},
    {"orange", 236, 152, 0},
    {"pink", 237, 157, 185},
    {"red", 255, 0, 0},
    {"white", 255, 255, 255},
    {"yellow", 255, 255, 0},
}};
inline constexpr int DefaultColourIndex = 6;  // lightGray

inline constexpr bool isColourIndex(int index) {
    return index >= 0 && index < static_cast<int>(ColourTable.size());
}

struct RunParameter {
    std::string name;
    std::string value;
    bool operator==(const RunParameter&) const = default;
};

struct ProjectOptions {
    bool optimize = false;
    bool addAppletObjects = true;
    bool withoutLineBreaks = false;
    bool automaticBackground = false;
    bool dynamicObjects = false;
    int colourIndex = DefaultColourIndex;  // BCOL
    // Rows 1 and up of the parameter grid; the start-up grid has one empty row.
    std::vector<RunParameter> parameters{RunParameter{}};
    bool operator==(const ProjectOptions&) const = default;
};

}  // namespace tz
