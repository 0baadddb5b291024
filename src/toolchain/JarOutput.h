#pragma once
// Where a runnable JAR may be written: checked before anything is compiled.
#include <QString>
#include <string>

namespace tz {

// Why out cannot take the JAR of the project at projectPath with its Java
// source at javaSourcePath: a folder, a folder that does not exist,
// something other than a file, the project file, its Java source or a
// class file beside that source. The empty text when out may be written.
QString jarOutputRefusal(const QString& out, const std::string& projectPath,
                         const std::string& javaSourcePath);

}  // namespace tz
