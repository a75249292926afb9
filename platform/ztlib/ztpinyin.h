#pragma once

#include <QChar>
#include <QString>

// Pinyin initials of Chinese characters, from the Unihan readings of the
// CJK Unified Ideographs block (first Mandarin reading of each character).
class ZtPinyin
{
public:
    // The upper-case initial of a CJK character, the upper-cased character itself
    // for a letter or digit, a null QChar for anything else.
    static QChar initial(QChar c);
    // Initials of a text, as the keyboard search matches it: "平安银行A" gives
    // "PAYXA"; characters without an initial are dropped.
    static QString initials(const QString& text);
};
