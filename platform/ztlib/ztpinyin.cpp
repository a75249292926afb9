#include "ztpinyin.h"

#include <cstddef>

// Generated into the build tree by scripts/gen-pinyin.py.
extern const char ztPinyinInitialTable[];
extern const std::size_t ztPinyinInitialTableSize;

namespace {
constexpr char16_t firstIdeograph = 0x4E00;
}

QChar ZtPinyin::initial(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80) {
        if (c.isLetterOrNumber())
            return c.toUpper();
        return QChar();
    }
    if (u >= firstIdeograph && std::size_t(u - firstIdeograph) < ztPinyinInitialTableSize) {
        const char letter = ztPinyinInitialTable[u - firstIdeograph];
        return letter == ' ' ? QChar() : QChar(QLatin1Char(letter));
    }
    // Full-width letters and digits ("Ａ", "１") count like their ASCII forms.
    if (u >= 0xFF10 && u <= 0xFF5A) {
        const QChar narrow(ushort(u - 0xFEE0));
        if (narrow.isLetterOrNumber())
            return narrow.toUpper();
    }
    return QChar();
}

QString ZtPinyin::initials(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const QChar i = initial(c);
        if (!i.isNull())
            out.append(i);
    }
    return out;
}
