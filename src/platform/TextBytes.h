#pragma once
// Texts are kept as bytes; widgets show them as UTF-8 where that is valid,
// else as Latin-1, with CR LF line breaks shown as plain line breaks.
#include <QString>
#include <string>

namespace tz {

QString displayText(const std::string& bytes);
// Editor text back to bytes, with CR LF line breaks.
std::string storedText(const QString& text);
// The same without touching line breaks (one-line fields).
QString displayLine(const std::string& bytes);
std::string storedLine(const QString& text);

// Whether the bytes are valid UTF-8 (and so shown as UTF-8).
bool isUtf8(const std::string& bytes);

// A blank or a control character: a byte of code 32 and below.
inline bool isBlankByte(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// The text without its leading blank bytes.
std::string withoutLeadingWhite(const std::string& text);

// The first maxBytes bytes, shortened so that a UTF-8 sequence is never split.
std::string cutText(const std::string& text, std::size_t maxBytes);

}  // namespace tz
