// The compiler the compile batch calls: the JDK's javac, quiet on success,
// its messages on standard output. A warm compile service of this user does
// the compile when one answers in time and can do it with what this process
// may read and write; otherwise the JDK's javac runs here. Both get the same
// options and print the same bytes.
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/javaclient/WarmCompile.h"

namespace {

// Strict UTF-8, as the compiler's decoder reads it: no overlong forms, no
// surrogates, nothing above U+10FFFF.
bool isValidUtf8(const std::string& bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int length = 0;
        std::uint32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > bytes.size()) return false;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
            (length == 4 && (code < 0x10000 || code > 0x10FFFF)))
            return false;
        i += length;
    }
    return true;
}

// The compiler must read the bytes the user typed: UTF-8 when every source
// named is valid UTF-8, else Latin-1, which maps every byte.
const char* sourceEncoding(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        if (argument.size() < 5 || argument.compare(argument.size() - 5, 5, ".java") != 0) continue;
        std::ifstream in(argument, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        if (!isValidUtf8(bytes)) return "ISO-8859-1";
    }
    return "UTF-8";
}

// Variables that change what a javac started here does; the service does
// not see this process's environment.
bool environmentAllowsService() {
    const char* setting = std::getenv("TZ_WARM_COMPILER");
    if (setting != nullptr && std::strcmp(setting, "0") == 0) return false;
    for (const char* name :
         {"CLASSPATH", "JDK_JAVAC_OPTIONS", "JAVA_TOOL_OPTIONS", "_JAVA_OPTIONS"})
        if (std::getenv(name) != nullptr) return false;
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    // "-O" is an option of old compilers that today's refuse.
    std::vector<std::string> given;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-O") != 0) given.emplace_back(argv[i]);
    const char* encoding = sourceEncoding(given);
    if (environmentAllowsService()) {
        if (const auto reply = tz::compileWarm(given, encoding)) {
            tz::writeAll(STDOUT_FILENO, reply->output);
            return reply->status;
        }
    }
    std::vector<std::string> arguments{"-Xlint:none", "-XDsuppressNotes", "-encoding", encoding};
    arguments.insert(arguments.end(), given.begin(), given.end());
    dup2(STDOUT_FILENO, STDERR_FILENO);
    std::vector<char*> command{const_cast<char*>(TZ_JDK_JAVAC)};
    for (std::string& argument : arguments) command.push_back(argument.data());
    command.push_back(nullptr);
    execv(TZ_JDK_JAVAC, command.data());
    std::fprintf(stdout, "javac: cannot run %s: %s\n", TZ_JDK_JAVAC, std::strerror(errno));
    return 127;
}
