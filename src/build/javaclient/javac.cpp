// The compiler the compile batch calls: the JDK's javac, quiet on success,
// its messages on standard output. A warm compile service of this user does
// the compile when one answers; otherwise the JDK's javac runs here. Both
// get the same options and print the same bytes.
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "build/javaclient/CompileServiceSocket.h"

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

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += std::size_t(written);
    }
    return true;
}

void appendInt(std::string& to, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) to += char((value >> shift) & 0xFF);
}

std::optional<std::uint32_t> readInt(const std::string& from, std::size_t& at) {
    if (from.size() - at < 4) return std::nullopt;
    std::uint32_t value = 0;
    for (int k = 0; k < 4; ++k) value = (value << 8) | static_cast<unsigned char>(from[at++]);
    return value;
}

struct Reply {
    int status = 0;
    std::string output;
};

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

// The service's result, or nothing when no service answers, it declines or
// it ends before its reply is complete.
std::optional<Reply> compileInService(const std::vector<std::string>& arguments) {
    if (!environmentAllowsService()) return std::nullopt;
    std::vector<char> folder(4096);
    if (getcwd(folder.data(), folder.size()) == nullptr) return std::nullopt;
    std::vector<std::string> strings{folder.data()};
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        strings.emplace_back(value != nullptr ? value : "");
    }
    strings.insert(strings.end(), arguments.begin(), arguments.end());
    std::string request = "TZC1";
    appendInt(request, std::uint32_t(strings.size()));
    for (const std::string& text : strings) {
        appendInt(request, std::uint32_t(text.size()));
        request += text;
    }

    const int fd = tz::connectToCompileService();
    if (fd < 0) return std::nullopt;
    std::string reply;
    if (writeAll(fd, request)) {
        char buffer[65536];
        for (;;) {
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            reply.append(buffer, std::size_t(got));
        }
    }
    close(fd);
    std::size_t at = 1;
    if (reply.empty() || reply[0] != 'R') return std::nullopt;
    const auto status = readInt(reply, at);
    const auto length = readInt(reply, at);
    if (!status || !length || reply.size() - at != *length) return std::nullopt;
    return Reply{int(*status), reply.substr(at)};
}

}  // namespace

int main(int argc, char* argv[]) {
    // "-O" is an option of old compilers that today's refuse.
    std::vector<std::string> given;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-O") != 0) given.emplace_back(argv[i]);
    std::vector<std::string> arguments{"-Xlint:none", "-XDsuppressNotes", "-encoding",
                                       sourceEncoding(given)};
    arguments.insert(arguments.end(), given.begin(), given.end());

    if (const auto reply = compileInService(arguments)) {
        writeAll(STDOUT_FILENO, reply->output);
        return reply->status;
    }
    dup2(STDOUT_FILENO, STDERR_FILENO);
    std::vector<char*> command{const_cast<char*>(TZ_JDK_JAVAC)};
    for (std::string& argument : arguments) command.push_back(argument.data());
    command.push_back(nullptr);
    execv(TZ_JDK_JAVAC, command.data());
    std::fprintf(stdout, "javac: cannot run %s: %s\n", TZ_JDK_JAVAC, std::strerror(errno));
    return 127;
}
