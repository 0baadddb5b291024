#include "settings/SettingsFile.h"

#include "platform/ProfileFile.h"

namespace tz {

namespace {
const char* const MainSection = "Main";
}

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
    return settings;
}

bool writeMainSettings(const std::string& settingsPath, const MainSettings& settings) {
    ProfileFile profile = ProfileFile::load(settingsPath);
    profile.write(MainSection, "Java-Help", settings.helpFile);
    profile.write(MainSection, "Browser", settings.browser);
    profile.write(MainSection, "Comppar", settings.compilerParameters);
    profile.write(MainSection, "Compiler", settings.compiler);
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
        b.left = profile.readInt(window.section, "left", b.left);
        b.top = profile.readInt(window.section, "top", b.top);
        b.width = profile.readInt(window.section, "width", b.width);
        b.height = profile.readInt(window.section, "height", b.height);
    }
    return current;
}

bool writePlacements(const std::string& settingsPath, const std::vector<WindowPlacement>& windows) {
    ProfileFile profile = ProfileFile::load(settingsPath);
    for (const WindowPlacement& window : windows) {
        profile.writeInt(window.section, "left", window.bounds.left);
        profile.writeInt(window.section, "top", window.bounds.top);
        profile.writeInt(window.section, "width", window.bounds.width);
        profile.writeInt(window.section, "height", window.bounds.height);
    }
    return profile.save(settingsPath);
}

}  // namespace tz
