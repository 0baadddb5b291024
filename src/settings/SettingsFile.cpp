#include "settings/SettingsFile.h"

#include <algorithm>

#include "platform/ProfileFile.h"
#include "settings/RecentList.h"

namespace tz {

namespace {
const char* const MainSection = "Main";
const char* const RecentSection = "Recent";
constexpr int MaxPlacement = 1 << 20;

std::string recentKey(std::size_t index) {
    return "File" + std::to_string(index + 1);
}
}  // namespace

std::string settingsFilePath(const std::string& programDirectory,
                             const std::string& userConfigDirectory,
                             bool programDirectoryWritable) {
    if (programDirectoryWritable || userConfigDirectory.empty())
        return programDirectory + SettingsFileName;
    std::string folder = userConfigDirectory;
    if (folder.back() != '/') folder += '/';
    return folder + SettingsFileName;
}

MainSettings readMainSettings(const std::string& settingsPath,
                              const std::string& programDirectory) {
    const ProfileFile profile = ProfileFile::load(settingsPath);
    MainSettings settings;
    settings.helpFile =
        profile.readString(MainSection, "Java-Help", programDirectory + "tarjava.hlp");
    settings.browser = profile.readString(MainSection, "Browser", "");
    settings.compiler = profile.readString(MainSection, "Compiler", "");
    settings.compilerParameters = profile.readString(MainSection, "Comppar", "");
    const int gridStep = profile.readInt(MainSection, "GridStep", GridStep);
    if (GridStepRange.contains(gridStep)) settings.gridStep = gridStep;
    return settings;
}

bool writeMainSettings(const std::string& settingsPath, const MainSettings& settings) {
    ProfileFile profile = ProfileFile::load(settingsPath);
    profile.write({{MainSection, "Java-Help", settings.helpFile},
                   {MainSection, "Browser", settings.browser},
                   {MainSection, "Comppar", settings.compilerParameters},
                   {MainSection, "Compiler", settings.compiler},
                   {MainSection, "GridStep", std::to_string(settings.gridStep)}});
    return profile.save(settingsPath);
}

bool readWarmCompiler(const std::string& settingsPath) {
    return ProfileFile::load(settingsPath).readInt(MainSection, "WarmCompiler", 1) != 0;
}

std::vector<WindowPlacement> readPlacements(const std::string& settingsPath,
                                            std::vector<WindowPlacement> current) {
    const ProfileFile profile = ProfileFile::load(settingsPath);
    for (WindowPlacement& window : current) {
        Bounds& b = window.bounds;
        // Far beyond any screen, yet a window's right and bottom edges stay ints.
        const auto read = [&](const char* key, int value, int low) {
            return std::clamp(profile.readInt(window.section, key, value), low, MaxPlacement);
        };
        b.left = read("left", b.left, -MaxPlacement);
        b.top = read("top", b.top, -MaxPlacement);
        b.width = read("width", b.width, 0);
        b.height = read("height", b.height, 0);
    }
    return current;
}

bool writePlacements(const std::string& settingsPath, const std::vector<WindowPlacement>& windows) {
    std::vector<ProfileEntry> entries;
    for (const WindowPlacement& window : windows) {
        const Bounds& b = window.bounds;
        for (const auto& [key, value] :
             {std::pair{"left", b.left}, {"top", b.top}, {"width", b.width}, {"height", b.height}})
            entries.push_back({window.section, key, std::to_string(value)});
    }
    ProfileFile profile = ProfileFile::load(settingsPath);
    profile.write(entries);
    return profile.save(settingsPath);
}

std::vector<std::string> readRecentProjects(const std::string& settingsPath) {
    const ProfileFile profile = ProfileFile::load(settingsPath);
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < MaxRecentProjects; ++i) {
        std::string path = profile.readString(RecentSection, recentKey(i), "");
        if (!path.empty()) paths.push_back(std::move(path));
    }
    return paths;
}

bool writeRecentProjects(const std::string& settingsPath, const std::vector<std::string>& paths) {
    std::vector<ProfileEntry> entries;
    for (std::size_t i = 0; i < MaxRecentProjects; ++i)
        entries.push_back({RecentSection, recentKey(i), i < paths.size() ? paths[i] : ""});
    ProfileFile profile = ProfileFile::load(settingsPath);
    profile.write(entries);
    return profile.save(settingsPath);
}

}  // namespace tz
