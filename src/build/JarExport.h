#pragma once
// A runnable JAR of the compiled applet: its classes, its pictures, the page
// it runs with and the program's own applet runner, which starts it.
#include <QString>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "settings/ProjectOptions.h"

namespace tz {

// What marks each class file beside a Java source as written: size and time.
struct ClassStamp {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type time;
    bool operator==(const ClassStamp&) const = default;
};
using ClassStamps = std::map<std::string, ClassStamp>;

ClassStamps classStamps(const std::string& javaSourcePath);
// The names of the class files beside the source made or rewritten since
// before: what a compile of it wrote, whatever the classes are called.
std::vector<std::string> classesWrittenSince(const ClassStamps& before,
                                             const std::string& javaSourcePath);

struct RunnableJar {
    std::string javaSourcePath;
    std::vector<std::string> classFiles;    // names, beside the source
    std::vector<std::string> picturePaths;  // of the design's image objects
    int designWidth = 0;
    int designHeight = 0;
    std::vector<RunParameter> parameters;
};

// Writes jar to out in one step, with the runner and the JDK's jar tool of
// javaBin. The error text, or the empty text when out was written.
QString writeRunnableJar(const RunnableJar& jar, const QString& javaBin, const QString& out);

}  // namespace tz
