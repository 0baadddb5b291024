#pragma once
// A compile by the warm compile service that reads and writes only what
// this process may: the sources' text goes to the service, which compiles
// it in memory against the JDK alone, and the class files it returns are
// written here, with this process's rights and umask.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tz {

struct SourceFile {
    std::string name;  // as given on the command line
    std::string text;
};

struct ClassFileOut {
    std::size_t source = 0;  // index into the sources sent
    std::string fileName;
    std::string bytes;
};

struct CompileReply {
    int status = 0;
    std::string output;
    std::vector<ClassFileOut> classes;
};

// Request and reply on the wire; limits shared with the service.
inline constexpr std::size_t MaxRequestBytes = 4 << 20;
inline constexpr std::size_t MaxReplyBytes = 16 << 20;
std::string compileRequest(const std::vector<std::string>& locale, const std::string& encoding,
                           const std::vector<SourceFile>& sources);
// Nothing unless reply is a whole compile result for sourceCount sources
// whose class file names are plain names.
std::optional<CompileReply> parseCompileReply(std::string_view reply, std::size_t sourceCount);

// Writes all of bytes to a blocking fd.
bool writeAll(int fd, std::string_view bytes);

// The service's result with its class files written, or nothing when this
// compile must run here: the arguments are more than source names, no
// service answers in time, it declines, the sources or the working folder
// are more than it can see, or a class file cannot be written.
std::optional<CompileReply> compileWarm(const std::vector<std::string>& arguments,
                                        const std::string& encoding);

}  // namespace tz
