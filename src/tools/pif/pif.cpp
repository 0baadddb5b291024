// Runs the batch file named after this program ("javac.pif" runs "javac.bat")
// from the working folder in a POSIX shell. "%1" becomes the first argument,
// quoted so that no file name can run anything else; "@echo off" is
// dropped; "copy A+B C" concatenates files. Ends when the batch has ended,
// with the status of its first failing line (128 + N for a line killed by
// signal N).
//
// Started with --in-terminal, it keeps its terminal window open until Enter
// is pressed.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string lowered(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string substituted(const std::string& line, const std::string& argument) {
    std::string result;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line.compare(i, 2, "%1") == 0) {
            result += shellQuoted(argument);
            ++i;
        } else {
            result += line[i];
        }
    }
    return result;
}

// "copy A+B C": C becomes A followed by B. False when a part cannot be read or written.
bool concatenate(const std::string& line) {
    std::istringstream words(line);
    std::string command, sources, target;
    words >> command >> sources >> target;
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    std::istringstream parts(sources);
    for (std::string part; std::getline(parts, part, '+');) {
        std::ifstream in(part, std::ios::binary);
        if (!in) return false;
        // Inserting an empty stream would mark the output as failed.
        if (in.peek() != std::ifstream::traits_type::eof()) out << in.rdbuf();
    }
    return static_cast<bool>(out);
}

// A shell's status for a command: its exit code, or 128 + the signal that
// ended it.
int commandStatus(int waitStatus) {
    if (waitStatus == -1) return 127;
    if (WIFSIGNALED(waitStatus)) return 128 + WTERMSIG(waitStatus);
    return WEXITSTATUS(waitStatus);
}

int runBatch(const fs::path& batch, const std::string& argument) {
    std::ifstream in(batch, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", batch.c_str());
        return 1;
    }
    // The batch goes on after a failing line (the compiler's output is still
    // copied) but its status is that of the first line that failed.
    int status = 0;
    for (std::string raw; std::getline(in, raw);) {
        const std::string line = trimmed(raw);
        if (line.empty() || lowered(line) == "@echo off") continue;
        const int lineStatus =
            lowered(line).rfind("copy ", 0) == 0
                ? (concatenate(line) ? 0 : 1)
                : commandStatus(std::system(substituted(line, argument).c_str()));
        if (status == 0) status = lineStatus;
    }
    return status;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool inTerminal = !args.empty() && args[0] == "--in-terminal";
    if (inTerminal) args.erase(args.begin());
    const std::string argument = args.empty() ? std::string() : args[0];

    const fs::path self = fs::absolute(fs::path(argv[0]));
    const fs::path folder = self.parent_path();
    // The batch's commands are looked up beside this program first.
    const std::string path =
        folder.string() + ":" + (std::getenv("PATH") ? std::getenv("PATH") : "");
    setenv("PATH", path.c_str(), 1);
    // The batch is the run's own, in its working folder; this folder is only read.
    const int status = runBatch(self.stem().string() + ".bat", argument);
    if (inTerminal) {
        std::cout << "\nPress Enter to close this window." << std::flush;
        std::string ignored;
        std::getline(std::cin, ignored);
    }
    return status;
}
