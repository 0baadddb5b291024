#include "toolchain/BuildFiles.h"

#include "designer/DesignObjects.h"
#include "platform/TextBytes.h"

namespace tz {

namespace {
const char* const CrLf = "\r\n";

// The batch runs in a shell: a path with characters the shell would act on
// is quoted, so that a file name can never run a command.
std::string shellWord(const std::string& text) {
    const bool plain = !text.empty() && text.find_first_not_of(
                                            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                            "0123456789/._+-,:@%=") == std::string::npos;
    if (plain) return text;
    std::string quoted = "'";
    for (char c : text) quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Page text that would end an attribute or a tag is written as an entity.
std::string htmlEscaped(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}
}  // namespace

std::string javacBatch(bool optimize) {
    return std::string("@echo off") + CrLf + "javac " + (optimize ? "-O " : "") + "%1 > res.txt" +
           CrLf + "copy res.txt+byt.txt tst.txt" + CrLf;
}

std::string compilerOutputPadding() {
    return std::string(" ") + CrLf;
}

std::string lineBreakRefusal(std::initializer_list<std::string_view> texts,
                             const std::string& file) {
    for (const std::string_view text : texts) {
        if (text.find_first_of("\r\n") == std::string_view::npos) continue;
        // Shown on one line, the breaks written as they would be typed.
        std::string shown;
        for (const char c : text)
            shown += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
        return "\"" + shown + "\" holds a line break and cannot be written into " + file + ".";
    }
    return {};
}

std::string classNameOf(const std::string& javaSourcePath) {
    const auto slash = javaSourcePath.find_last_of('/');
    std::string name =
        slash == std::string::npos ? javaSourcePath : javaSourcePath.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

bool pageHasParameters(const std::vector<RunParameter>& parameters) {
    return !parameters.empty() && !parameters.front().name.empty();
}

std::string appletPage(const std::string& javaSourcePath, int designWidth, int designHeight,
                       const std::vector<RunParameter>& parameters) {
    std::string page = std::string("<TITLE>Tarvelo Zuva</TITLE>") + CrLf;
    page += "<APPLET CODE=\"" + classNameOf(javaSourcePath) +
            ".class\" WIDTH=" + std::to_string(designWidth) +
            " HEIGHT=" + std::to_string(designHeight - AppletCaptionHeight) + ">" + CrLf;
    if (pageHasParameters(parameters)) {
        for (const RunParameter& parameter : parameters)
            page += "<PARAM NAME=\"" + htmlEscaped(parameter.name) + "\" VALUE=\"" +
                    htmlEscaped(parameter.value) + "\">" + CrLf;
    }
    page += std::string("</APPLET>") + CrLf;
    // The page's texts are the user's bytes: the page says how to read them.
    return std::string("<META CHARSET=\"") + (isUtf8(page) ? "UTF-8" : "ISO-8859-1") + "\">" +
           CrLf + page;
}

std::string externalCompilerBatch(const std::string& compiler, const std::string& parameters,
                                  const std::string& javaSourcePath) {
    return std::string("@echo off") + CrLf + shellWord(compiler) + " " + parameters + " " +
           shellWord(javaSourcePath) + CrLf;
}

}  // namespace tz
