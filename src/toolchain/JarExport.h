#pragma once
// A runnable JAR of the compiled applet: its classes, its pictures, the page
// it runs with and the program's own applet runner, which starts it.
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
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
    // Whether a file is a picture the applet can show; it alone is packed as one.
    std::function<bool(const std::string& path)> isPicture;
};

struct JarOutcome {
    QString error;        // empty when out was written
    QStringList packed;   // what the JAR holds besides the runner, one line each
    QStringList leftOut;  // files the project names that were not packed, and why
};

// Writes jar to out in one step, with the runner and the JDK's jar tool of
// javaBin. Only the classes, real pictures and, from the project's folder,
// the pictures and sounds the parameters name go in: a received project
// must not carry any other file of the user's into the JAR.
JarOutcome writeRunnableJar(const RunnableJar& jar, const QString& javaBin, const QString& out);

}  // namespace tz
