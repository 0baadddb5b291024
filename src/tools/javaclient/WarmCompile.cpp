#include "tools/javaclient/WarmCompile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "toolchain/CompileServiceSocket.h"

namespace tz {

namespace {

constexpr std::size_t MaxSources = 64;
// Longer than any real compile takes; a shorter one for tests.
constexpr int CompileWaitMs = 60000;
constexpr int StepWaitMs = 5000;

int cappedWait(int milliseconds) {
    const char* setting = std::getenv("TZ_COMPILE_SERVICE_TIMEOUT_MS");
    const int cap = setting != nullptr ? std::atoi(setting) : 0;
    return cap > 0 && cap < milliseconds ? cap : milliseconds;
}

void appendInt(std::string& to, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) to += char((value >> shift) & 0xFF);
}

void appendText(std::string& to, std::string_view text) {
    appendInt(to, std::uint32_t(text.size()));
    to += text;
}

// Bounds-checked reading of a reply.
class ReplyReader {
  public:
    explicit ReplyReader(std::string_view bytes) : bytes_(bytes) {}
    std::optional<std::uint32_t> number() {
        if (bytes_.size() < 4) return std::nullopt;
        std::uint32_t value = 0;
        for (int k = 0; k < 4; ++k) value = (value << 8) | static_cast<unsigned char>(bytes_[k]);
        bytes_.remove_prefix(4);
        return value;
    }
    std::optional<std::string_view> text() {
        const auto length = number();
        if (!length || *length > bytes_.size()) return std::nullopt;
        const std::string_view text = bytes_.substr(0, *length);
        bytes_.remove_prefix(*length);
        return text;
    }
    bool atEnd() const { return bytes_.empty(); }

  private:
    std::string_view bytes_;
};

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// A file name of its own in its source's folder, nothing that leaves it.
bool isPlainClassFileName(std::string_view name) {
    return name.size() > 6 && name.size() <= 255 && name[0] != '.' && endsWith(name, ".class") &&
           name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

std::optional<ClassFileOut> readClassFile(ReplyReader& reader, std::size_t sourceCount) {
    const auto source = reader.number();
    const auto name = reader.text();
    const auto bytes = reader.text();
    if (!source || *source >= sourceCount || !name || !isPlainClassFileName(*name) || !bytes)
        return std::nullopt;
    return ClassFileOut{*source, std::string(*name), std::string(*bytes)};
}

// javac's class path is its working folder: the service sees no classes,
// so the compile may go there only when this folder offers none.
bool folderMayHoldClasses(const char* folder) {
    DIR* dir = opendir(folder);
    if (dir == nullptr) return true;
    bool found = false;
    while (const dirent* entry = found ? nullptr : readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        struct stat info {};
        found = endsWith(name, ".class") || endsWith(name, ".java") || entry->d_type == DT_DIR ||
                ((entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) &&
                 fstatat(dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode));
    }
    closedir(dir);
    return found;
}

// The whole text of a regular file, read with this process's rights, if it
// fits into what is left of budget.
std::optional<std::string> readSource(const std::string& name, std::size_t& budget) {
    const int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    std::optional<std::string> text;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && std::size_t(info.st_size) <= budget) {
        text.emplace(std::size_t(info.st_size), '\0');
        std::size_t done = 0;
        while (text && done < text->size()) {
            const ssize_t got = read(fd, text->data() + done, text->size() - done);
            if (got > 0) {
                done += std::size_t(got);
            } else if (got == 0 || errno != EINTR) {
                text.reset();  // shrunk meanwhile or unreadable: the compile here decides
            }
        }
    }
    close(fd);
    if (text) budget -= text->size();
    return text;
}

std::optional<std::vector<SourceFile>> readSources(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.size() > MaxSources) return std::nullopt;
    std::vector<SourceFile> sources;
    std::size_t budget = MaxRequestBytes / 2;
    for (const std::string& argument : arguments) {
        // Options and argument files are for the JDK's compiler here.
        if (argument.empty() || argument[0] == '-' || argument[0] == '@' ||
            !endsWith(argument, ".java"))
            return std::nullopt;
        auto text = readSource(argument, budget);
        if (!text) return std::nullopt;
        sources.push_back({argument, std::move(*text)});
    }
    return sources;
}

std::vector<std::string> callerLocale() {
    std::vector<std::string> locale;
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        locale.emplace_back(value != nullptr ? value : "");
    }
    return locale;
}

std::optional<std::string> askService(const std::string& request) {
    const int fd = connectToCompileService();
    if (fd < 0) return std::nullopt;
    std::optional<std::string> reply;
    if (sendAll(fd, request, cappedWait(StepWaitMs)))
        reply = receiveAll(fd, MaxReplyBytes, cappedWait(CompileWaitMs), cappedWait(StepWaitMs));
    close(fd);
    return reply;
}

std::string folderOf(const std::string& name) {
    const auto slash = name.rfind('/');
    return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

// Replaced whole, as a new file of mode 0666 less the umask or with the
// mode of the file it replaces. What javac would refuse or write through
// (a link, a file not writable here) is left to javac.
bool writeClassFile(const std::string& path, std::string_view bytes) {
    struct stat existing {};
    const bool exists = lstat(path.c_str(), &existing) == 0;
    if (exists ? !S_ISREG(existing.st_mode) || access(path.c_str(), W_OK) != 0 : errno != ENOENT)
        return false;
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = folderOf(path) + ".tzjavac-" + std::to_string(getpid()) + "-" +
                    std::to_string(attempt) + ".part";
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    bool written = (!exists || fchmod(fd, existing.st_mode & 0777) == 0) && writeAll(fd, bytes);
    written = close(fd) == 0 && written && rename(temporary.c_str(), path.c_str()) == 0;
    if (!written) unlink(temporary.c_str());
    return written;
}

}  // namespace

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(std::size_t(written));
    }
    return true;
}

std::string compileRequest(const std::vector<std::string>& locale, const std::string& encoding,
                           const std::vector<SourceFile>& sources) {
    std::string body;
    for (const std::string& value : locale) appendText(body, value);
    appendText(body, encoding);
    appendInt(body, std::uint32_t(sources.size()));
    for (const SourceFile& source : sources) {
        appendText(body, source.name);
        appendText(body, source.text);
    }
    std::string request = "TZC2";
    appendText(request, body);
    return request;
}

std::optional<CompileReply> parseCompileReply(std::string_view reply, std::size_t sourceCount) {
    if (reply.empty() || reply[0] != 'R') return std::nullopt;
    ReplyReader reader(reply.substr(1));
    const auto status = reader.number();
    const auto output = reader.text();
    const auto count = reader.number();
    if (!status || *status > 255 || !output || !count) return std::nullopt;
    CompileReply result{int(*status), std::string(*output), {}};
    for (std::uint32_t i = 0; i < *count; ++i) {
        auto file = readClassFile(reader, sourceCount);
        if (!file) return std::nullopt;
        result.classes.push_back(std::move(*file));
    }
    if (!reader.atEnd()) return std::nullopt;
    return result;
}

std::optional<CompileReply> compileWarm(const std::vector<std::string>& arguments,
                                        const std::string& encoding) {
    if (folderMayHoldClasses(".")) return std::nullopt;
    const auto sources = readSources(arguments);
    if (!sources) return std::nullopt;
    const std::string request = compileRequest(callerLocale(), encoding, *sources);
    if (request.size() > MaxRequestBytes) return std::nullopt;
    const auto reply = askService(request);
    if (!reply) return std::nullopt;
    auto result = parseCompileReply(*reply, sources->size());
    if (!result) return std::nullopt;
    for (const ClassFileOut& file : result->classes)
        if (!writeClassFile(folderOf((*sources)[file.source].name) + file.fileName, file.bytes))
            return std::nullopt;
    return result;
}

}  // namespace tz
