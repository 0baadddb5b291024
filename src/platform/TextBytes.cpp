#include "platform/TextBytes.h"

#include <QStringDecoder>

namespace tz {

namespace {

bool isValidUtf8(const std::string& bytes, QString* decoded = nullptr) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (decoded) *decoded = std::move(text);
    return !utf8.hasError();
}

}  // namespace

bool isUtf8(const std::string& bytes) {
    return isValidUtf8(bytes);
}

QString displayLine(const std::string& bytes) {
    QString text;
    if (isValidUtf8(bytes, &text)) return text;
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

std::string storedLine(const QString& text) {
    return text.toUtf8().toStdString();
}

QString displayText(const std::string& bytes) {
    QString text = displayLine(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

std::string storedText(const QString& text) {
    QString crlf = text;
    crlf.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    crlf.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return storedLine(crlf);
}

std::string withoutLeadingWhite(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size() && isBlankByte(text[start])) ++start;
    return text.substr(start);
}

std::string cutText(const std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    std::size_t end = maxBytes;
    if (isValidUtf8(text)) {
        // Never leave half a character: step back over continuation bytes.
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    }
    return text.substr(0, end);
}

}  // namespace tz
