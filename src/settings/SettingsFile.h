#pragma once
// The program-wide settings file: four paths and the grid step in "Main",
// the placement of four windows, one section each, and the recent projects.
#include <string>
#include <vector>

#include "designer/DesignRules.h"

namespace tz {

inline constexpr const char* SettingsFileName = "tarjava.ini";

inline constexpr IntRange GridStepRange{1, 64};

struct MainSettings {
    std::string helpFile;
    std::string browser;
    std::string compiler;
    std::string compilerParameters;
    // [Main] GridStep; missing, malformed or outside GridStepRange it is GridStep.
    int gridStep = GridStep;
};

struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Bounds&) const = default;
};

struct WindowPlacement {
    std::string section;
    Bounds bounds;
};

// The settings file of a program directory; an installed program whose
// folder is not writable keeps it in the user's configuration folder.
std::string settingsFilePath(const std::string& programDirectory,
                             const std::string& userConfigDirectory, bool programDirectoryWritable);

MainSettings readMainSettings(const std::string& settingsPath, const std::string& programDirectory);
// False when the file cannot be written; it is then left as it was.
bool writeMainSettings(const std::string& settingsPath, const MainSettings& settings);

// Whether the program keeps a compiler warm in the background: [Main]
// WarmCompiler, on unless it is 0.
bool readWarmCompiler(const std::string& settingsPath);

// Each window's bounds as stored, a missing or malformed key keeping the
// given value.
std::vector<WindowPlacement> readPlacements(const std::string& settingsPath,
                                            std::vector<WindowPlacement> current);
// False when the file cannot be written; it is then left as it was.
bool writePlacements(const std::string& settingsPath, const std::vector<WindowPlacement>& windows);

// [Recent] File1 to File8, most recent first, empty keys left out.
std::vector<std::string> readRecentProjects(const std::string& settingsPath);
// Unused keys are emptied. False when the file cannot be written; it is then
// left as it was.
bool writeRecentProjects(const std::string& settingsPath, const std::vector<std::string>& paths);

}  // namespace tz
