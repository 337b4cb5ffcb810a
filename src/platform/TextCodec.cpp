#include "platform/TextCodec.h"

#include <QStringDecoder>

namespace {

// Code points of the bytes 0x80..0x9F; 0 marks the five bytes left undefined,
// which decode to the C1 control of the same value as Windows does.
const char16_t kHighBlock[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

bool isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

} // namespace

QString decodeWindows1252(const QByteArray& bytes)
{
    QString text;
    text.resize(bytes.size());
    QChar* out = text.data();
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        char16_t u = b;
        if (b >= 0x80 && b <= 0x9F && kHighBlock[b - 0x80] != 0)
            u = kHighBlock[b - 0x80];
        *out++ = QChar(u);
    }
    return text;
}

QString decodeText(const QByteArray& bytes)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    if (isValidUtf8(body))
        return QString::fromUtf8(body);
    return decodeWindows1252(bytes);
}

namespace {

// The Windows-1252 byte of a UTF-16 unit, -1 when the code page has none.
int windows1252Byte(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i)
        if (kHighBlock[i] == u || (kHighBlock[i] == 0 && u == 0x80 + i))
            return 0x80 + i;
    return -1;
}

} // namespace

QByteArray encodeWindows1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar ch : text) {
        const int byte = windows1252Byte(ch.unicode());
        out.append(byte < 0 ? '?' : char(byte));
    }
    return out;
}

QString firstCharacterOutsideWindows1252(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (windows1252Byte(text[i].unicode()) >= 0)
            continue;
        const bool paire = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        return text.mid(i, paire ? 2 : 1);
    }
    return QString();
}

QString withoutControlCharacters(QString text)
{
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return text;
}
