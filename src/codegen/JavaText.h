#pragma once
// Reading generated Java text as code, comments and literals, so that blank
// runs can be folded without touching literals and so that a text that ends
// inside a line comment is known.
#include <optional>
#include <string>
#include <string_view>

namespace tz {

class JavaTextReader {
  public:
    enum class State { Code, LineComment, BlockComment, String, Character };

    // Reads the piece of text at position i: one character, or two for a
    // comment mark or a backslash escape. Returns the piece's length.
    std::size_t read(std::string_view text, std::size_t i);
    // The first position from i on whose character may change the state;
    // the characters before it leave the state as it is.
    std::size_t nextNotable(std::string_view text, std::size_t i) const;
    State state() const { return state_; }
    bool inLiteral() const { return state_ == State::String || state_ == State::Character; }

  private:
    std::size_t readLiteral(std::string_view text, std::size_t i, char quote);
    static bool startsWith(std::string_view text, std::size_t i, char first, char second) {
        return i + 1 < text.size() && text[i] == first && text[i + 1] == second;
    }
    static bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

    State state_ = State::Code;
};

// Inline: blank folding reads at every stop, and keeps its state in a
// register only when this is part of its loop.
[[gnu::always_inline]] inline std::size_t JavaTextReader::read(std::string_view text,
                                                               std::size_t i) {
    const char c = text[i];
    switch (state_) {
        case State::Code:
            if (startsWith(text, i, '/', '/')) {
                state_ = State::LineComment;
                return 2;
            }
            if (startsWith(text, i, '/', '*')) {
                state_ = State::BlockComment;
                return 2;
            }
            if (c == '"') state_ = State::String;
            if (c == '\'') state_ = State::Character;
            return 1;
        case State::LineComment:
            if (isLineEnd(c)) state_ = State::Code;
            return 1;
        case State::BlockComment:
            if (startsWith(text, i, '*', '/')) {
                state_ = State::Code;
                return 2;
            }
            return 1;
        case State::String:
            return readLiteral(text, i, '"');
        case State::Character:
            return readLiteral(text, i, '\'');
    }
    return 1;
}

[[gnu::always_inline]] inline std::size_t JavaTextReader::readLiteral(std::string_view text,
                                                                      std::size_t i, char quote) {
    const char c = text[i];
    if (c == '\\' && i + 1 < text.size() && !isLineEnd(text[i + 1])) return 2;
    if (c == quote || isLineEnd(c)) state_ = State::Code;
    return 1;
}

// How blank runs are dropped: Shuffled moves eight bytes by one table
// look-up, on machines that have it, else it is Portable. Both give the same
// text.
enum class FoldPath { Portable, Shuffled };
FoldPath fastestFoldPath();

// Every run of two or more blanks outside string and character literals
// becomes one blank.
std::string foldBlankRuns(std::string_view text, FoldPath path = fastestFoldPath());

// Folds a text given in consecutive parts as if it were one, each part
// within its own bytes. No part but the last may end inside a comment mark
// or a backslash escape.
class BlankFolder {
  public:
    explicit BlankFolder(FoldPath path = fastestFoldPath())
        : path_(path == FoldPath::Shuffled ? fastestFoldPath() : path) {}
    // Returns the folded length of the part.
    std::size_t foldInPlace(char* part, std::size_t size);

    struct FoldedLine {
        std::size_t end;     // the position of its CR
        std::size_t length;  // its folded length
    };
    // Copies the line of text from start to its CR LF folded to out, for a
    // caller who ends it with a line comment without blanks and a line feed
    // instead: most lines need no step by step reading then. Only from code;
    // nothing for a line that opens a literal or a block comment, holds a
    // lone CR or LF, or has no CR LF. Out takes up to sixteen bytes more.
    std::optional<FoldedLine> foldCommentedLine(std::string_view text, std::size_t start,
                                                char* out);

  private:
    FoldPath path_;
    JavaTextReader reader_;
    bool afterFreeBlank_ = false;  // the last part ended in a blank outside literals
};

// Whether the text ends inside a "//" comment.
bool endsInLineComment(std::string_view text);

}  // namespace tz
