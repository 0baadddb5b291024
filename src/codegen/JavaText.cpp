#include "codegen/JavaText.h"

namespace tz {

namespace {
bool startsWith(const std::string& text, std::size_t i, char first, char second) {
    return i + 1 < text.size() && text[i] == first && text[i + 1] == second;
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
}  // namespace

std::size_t JavaTextReader::read(const std::string& text, std::size_t i) {
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
            if (c == '\n') state_ = State::Code;
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

std::size_t JavaTextReader::readLiteral(const std::string& text, std::size_t i, char quote) {
    const char c = text[i];
    if (c == '\\' && i + 1 < text.size() && !isLineEnd(text[i + 1])) return 2;
    if (c == quote || isLineEnd(c)) state_ = State::Code;
    return 1;
}

std::string foldBlankRuns(const std::string& text) {
    std::string folded;
    folded.reserve(text.size());
    JavaTextReader reader;
    bool afterFreeBlank = false;
    for (std::size_t i = 0; i < text.size();) {
        const bool freeBlank = text[i] == ' ' && !reader.inLiteral();
        const std::size_t length = reader.read(text, i);
        if (!(freeBlank && afterFreeBlank)) folded.append(text, i, length);
        afterFreeBlank = freeBlank;
        i += length;
    }
    return folded;
}

bool endsInLineComment(const std::string& text) {
    JavaTextReader reader;
    for (std::size_t i = 0; i < text.size();) i += reader.read(text, i);
    return reader.state() == JavaTextReader::State::LineComment;
}

}  // namespace tz
