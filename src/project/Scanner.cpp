#include "project/Scanner.h"

#include <array>
#include <chrono>
#include <memory>
#include <string_view>
#include <utility>

#include "platform/TextBytes.h"
#include "project/NameHelpers.h"

namespace tz {

namespace {

constexpr const char* CrLf = "\r\n";
constexpr std::size_t ClockCheckInterval = 1024;
constexpr auto ProgressInterval = std::chrono::milliseconds(16);

enum class ScanState {
    OutsideClass,
    BlockComment,
    LineComment,
    InClass,
    ClassBlockComment,
    ClassLineComment,
    InMethod
};

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool isQuote(char c) {
    return c == '"' || c == '\'';
}

using ByteSet = std::array<bool, 256>;

ByteSet byteSet(std::string_view members) {
    ByteSet set{};
    for (const char c : members) set[static_cast<unsigned char>(c)] = true;
    return set;
}

// Per kind of text, the bytes that may do more than join the pending text
// (or, in a skipped comment, more than nothing).
const ByteSet OutsideClassStops = byteSet("/\"';{\r\n");
const ByteSet InClassStops = byteSet("/\"';{}\r\n");
const ByteSet InFunctionStops = byteSet("/\"'{}();\r\n");
const ByteSet LineCommentStops = byteSet("\r\n");
const ByteSet BlockCommentStops = byteSet("*\r\n");
const ByteSet DoubleQuotedStops = byteSet("\\\"\r\n");
const ByteSet SingleQuotedStops = byteSet("\\'\r\n");

std::string asOneLine(const std::string& header) {
    std::string line;
    line.reserve(header.size());
    for (const char c : header) {
        if (c == '\n') {
            line += ' ';
        } else if (c != '\r') {
            line += c;
        }
    }
    return line;
}

class Scanner {
  public:
    Scanner(const Project& project, const std::string& source) : table_(project), source_(source) {}

    ScanResult run(const ScanProgress& progress) {
        table_.imports.clear();
        table_.setClassCount(0);
        using Clock = std::chrono::steady_clock;
        auto lastReport = Clock::now();
        std::size_t nextClockCheck = 0;
        for (i_ = 0; i_ < source_.size(); ++i_) {
            if (progress && i_ >= nextClockCheck) {
                nextClockCheck = i_ + ClockCheckInterval;
                if (Clock::now() - lastReport >= ProgressInterval) {
                    progress(i_, source_.size());
                    lastReport = Clock::now();
                }
            }
            takePlainRun();
            if (i_ == source_.size()) break;
            if (!step()) return std::move(result_);
        }
        finish();
        return std::move(result_);
    }

    Project& table() { return table_; }

  private:
    char at(std::size_t i) const { return i < source_.size() ? source_[i] : '\0'; }
    bool pairIs(char first, char second) const {
        return source_[i_] == first && at(i_ + 1) == second;
    }

    // The bytes from i_ on that would each only join the pending text (or be
    // skipped in a comment), taken at once.
    void takePlainRun() {
        const auto [stops, collects] = plainBytes();
        const std::size_t start = i_;
        const char* const data = source_.data();
        const std::size_t size = source_.size();
        while (i_ < size && !(*stops)[static_cast<unsigned char>(data[i_])]) ++i_;
        if (collects) pending_.append(data + start, i_ - start);
    }

    std::pair<const ByteSet*, bool> plainBytes() const {
        if (literalQuote_)
            return {literalQuote_ == '"' ? &DoubleQuotedStops : &SingleQuotedStops, true};
        switch (state_) {
            case ScanState::OutsideClass:
                return {&OutsideClassStops, true};
            case ScanState::BlockComment:
            case ScanState::ClassBlockComment:
                return {&BlockCommentStops, false};
            case ScanState::LineComment:
            case ScanState::ClassLineComment:
                return {&LineCommentStops, false};
            case ScanState::InClass:
                return {&InClassStops, true};
            case ScanState::InMethod:
                break;
        }
        if (lineComment_) return {&LineCommentStops, true};
        if (blockComment_) return {&BlockCommentStops, true};
        return {&InFunctionStops, true};
    }

    bool step() {
        const char c = source_[i_];
        if (literalQuote_) {
            readLiteral(c);
            return true;
        }
        switch (state_) {
            case ScanState::OutsideClass:
                return stepOutsideClass(c);
            case ScanState::BlockComment:
            case ScanState::ClassBlockComment:
                if (pairIs('*', '/')) {
                    ++i_;
                    state_ = state_ == ScanState::BlockComment ? ScanState::OutsideClass
                                                               : ScanState::InClass;
                }
                return true;
            case ScanState::LineComment:
            case ScanState::ClassLineComment:
                if (c == '\n') {
                    state_ = state_ == ScanState::LineComment ? ScanState::OutsideClass
                                                              : ScanState::InClass;
                }
                return true;
            case ScanState::InClass:
                return stepInClass(c);
            case ScanState::InMethod:
                stepInFunction(c);
                return true;
        }
        return true;
    }

    // A literal is taken as it stands, so that its braces, semicolons and
    // comment marks are not read as structure.
    void openLiteral(char quote) {
        literalQuote_ = quote;
        pending_ += quote;
    }

    void readLiteral(char c) {
        if (c == '\\') {
            pending_ += c;
            const char next = at(i_ + 1);
            if (i_ + 1 < source_.size() && !isLineEnd(next)) {
                pending_ += next;
                ++i_;
            }
        } else if (c == literalQuote_) {
            pending_ += c;
            literalQuote_ = 0;
        } else if (c == '\n') {
            literalQuote_ = 0;
        } else if (c != '\r') {
            pending_ += c;
        }
    }

    bool stepOutsideClass(char c) {
        if (pairIs('/', '*')) {
            state_ = ScanState::BlockComment;
        } else if (pairIs('/', '/')) {
            state_ = ScanState::LineComment;
        } else if (isQuote(c)) {
            openLiteral(c);
        } else if (c == ';') {
            table_.imports += pending_ + ";" + CrLf;
            pending_.clear();
        } else if (c == '{') {
            return startClass();
        } else if (!isLineEnd(c)) {
            pending_ += c;
        }
        return true;
    }

    bool startClass() {
        if (table_.classCount() == Project::MaxClasses) {
            return refuse("The Java source holds more than " + std::to_string(Project::MaxClasses) +
                          " classes; the project is left unchanged.");
        }
        if (table_.classCount() == 0) result_.treeItems.push_back({1, "Imports"});
        className_ = declaredClassName(pending_);
        // The first class names the Java source file.
        if (table_.classCount() == 0 && !isJavaIdentifier(className_)) {
            return refuse("The first class, \"" + withoutLeadingWhite(asOneLine(pending_)) +
                          "\", has no name a Java source file can take; the project is left "
                          "unchanged.");
        }
        result_.treeItems.push_back({1, className_});
        classIndex_ = table_.classCount() + 1;
        table_.setClassCount(classIndex_);
        table_.setLastSlot(classIndex_, 0);
        classHeader_ = std::move(pending_);
        pending_.clear();
        classLevel_.clear();
        methodCounter_ = 0;
        state_ = ScanState::InClass;
        return true;
    }

    bool stepInClass(char c) {
        if (pairIs('/', '*')) {
            state_ = ScanState::ClassBlockComment;
        } else if (isQuote(c)) {
            openLiteral(c);
        } else if (c == '(' || c == ')') {
            pending_ += c;
        } else if (pairIs('/', '/')) {
            state_ = ScanState::ClassLineComment;
        } else if (c == '{') {
            return startMethod();
        } else if (c == '}') {
            endClass();
        } else if (c == ';') {
            classLevel_ += pending_ + ";" + CrLf;
            pending_.clear();
        } else if (!isLineEnd(c)) {
            pending_ += c;
        }
        return true;
    }

    // The pending text is kept: it leads the next statement outside classes.
    void endClass() {
        table_.fillSlot(classIndex_, 0, className_, asOneLine(classHeader_), classLevel_);
        state_ = ScanState::OutsideClass;
    }

    bool startMethod() {
        methodName_ = declaredMethodName(pending_);
        notAMethod_ = methodName_ == "NOT";
        if (!notAMethod_) {
            if (methodCounter_ == Project::MaxMethods) {
                return refuse("The class " + className_ + " holds more than " +
                              std::to_string(Project::MaxMethods) +
                              " methods; the project is left unchanged.");
            }
            ++methodCounter_;
            result_.treeItems.push_back({2, methodName_});
            table_.setLastSlot(classIndex_, methodCounter_);
        }
        methodHeader_ = std::move(pending_);
        pending_.clear();
        lineComment_ = blockComment_ = false;
        braceDepth_ = parenDepth_ = 0;
        state_ = ScanState::InMethod;
        return true;
    }

    void stepInFunction(char c) {
        if (lineComment_) {
            readLineComment(c);
        } else if (blockComment_) {
            readBlockComment(c);
        } else if (isQuote(c)) {
            openLiteral(c);
        } else if (c == '}') {
            closeBrace();
        } else if (c == '{') {
            pending_ += std::string(CrLf) + "{" + CrLf;
            ++braceDepth_;
        } else if (pairIs('/', '/')) {
            lineComment_ = true;
            pending_ += '/';
        } else if (pairIs('/', '*')) {
            blockComment_ = true;
            pending_ += '/';
        } else if (c == ';') {
            pending_ += ';';
            if (parenDepth_ == 0) pending_ += CrLf;
        } else if (c == '(') {
            ++parenDepth_;
            pending_ += c;
        } else if (c == ')') {
            --parenDepth_;
            pending_ += c;
        } else if (!isLineEnd(c)) {
            pending_ += c;
        }
    }

    void readLineComment(char c) {
        if (c == '\n') {
            lineComment_ = false;
            pending_ += CrLf;
        } else if (c != '\r') {
            pending_ += c;
        }
    }

    void readBlockComment(char c) {
        if (pairIs('*', '/')) {
            blockComment_ = false;
            pending_ += std::string("*/") + CrLf;
            ++i_;
        } else if (c == '\n') {
            pending_ += CrLf;
        } else if (c != '\r') {
            pending_ += c;
        }
    }

    void closeBrace() {
        if (braceDepth_ > 0) {
            pending_ += std::string(CrLf) + "}" + CrLf;
            --braceDepth_;
            return;
        }
        endBlock("}");
    }

    // closing: the block's "}", or nothing when the source ended first.
    void endBlock(const char* closing) {
        if (notAMethod_) {
            classLevel_ += std::string(CrLf) + methodHeader_ + "{" + pending_ + closing;
        } else {
            table_.fillSlot(classIndex_, methodCounter_, methodName_, asOneLine(methodHeader_),
                            std::move(pending_));
        }
        pending_.clear();
        state_ = ScanState::InClass;
    }

    // A source that ends inside a method or a class keeps what was read of
    // them, and says where it ended.
    void finish() {
        std::string where;
        if (literalQuote_) {
            where = "a literal";
        } else if (blockComment_ || state_ == ScanState::BlockComment ||
                   state_ == ScanState::ClassBlockComment) {
            where = "a comment";
        }
        const bool inBlock = state_ == ScanState::InMethod;
        if (inBlock) {
            if (!where.empty()) where += " in ";
            where += notAMethod_ ? "a block" : "method " + methodName_;
            endBlock("");
        }
        if (state_ == ScanState::InClass || state_ == ScanState::ClassBlockComment ||
            state_ == ScanState::ClassLineComment) {
            classLevel_ += pending_;
            endClass();
            if (!where.empty()) where += inBlock ? " of " : " in ";
            where += "class " + className_;
        }
        if (!where.empty()) result_.endedEarly = "The source ends early, inside " + where + ".";
    }

    bool refuse(std::string message) {
        result_.ok = false;
        result_.message = std::move(message);
        return false;
    }

    Project table_;
    const std::string& source_;
    std::size_t i_ = 0;
    ScanState state_ = ScanState::OutsideClass;
    char literalQuote_ = 0;  // the quote of the open literal, 0 outside literals
    std::string pending_;
    std::string classHeader_;
    std::string className_;
    std::string classLevel_;
    int classIndex_ = 0;
    int methodCounter_ = 0;
    std::string methodHeader_;
    std::string methodName_;
    bool notAMethod_ = false;
    int braceDepth_ = 0;
    int parenDepth_ = 0;
    bool blockComment_ = false;
    bool lineComment_ = false;
    ScanResult result_;
};

}  // namespace

ScanResult scanJavaSource(Project& project, const std::string& source,
                          const ScanProgress& progress) {
    auto scanner = std::make_unique<Scanner>(project, source);
    ScanResult result = scanner->run(progress);
    if (result.ok) project.takeClassTable(scanner->table());
    return result;
}

}  // namespace tz
