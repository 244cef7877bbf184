#include "graphics/errors.h"

#include <QString>

#include <cstdint>

namespace kel {

Error::Error(const QString& text) : std::runtime_error(text.toStdString()) {}

QString Error::text() const { return QString::fromUtf8(what()); }

ConvertError::ConvertError(const QString& offendingText)
    : Error(QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(offendingText))
{
}

int strToInt(const QString& text)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && text[i].isSpace()) ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < n && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= n) throw ConvertError(text);
    long long value = 0;
    for (; i < n; ++i) {
        const char16_t ch = text[i].unicode();
        int digit = -1;
        if (ch >= u'0' && ch <= u'9') digit = ch - u'0';
        else if (base == 16 && ch >= u'a' && ch <= u'f') digit = ch - u'a' + 10;
        else if (base == 16 && ch >= u'A' && ch <= u'F') digit = ch - u'A' + 10;
        if (digit < 0 || digit >= base) throw ConvertError(text);
        value = value * base + digit;
        if (value > 0x100000000LL) throw ConvertError(text);
    }
    if (negative) value = -value;
    if (base == 10 && (value > INT32_MAX || value < INT32_MIN)) throw ConvertError(text);
    if (base == 16 && value > 0xFFFFFFFFLL) throw ConvertError(text);
    return static_cast<int>(static_cast<std::uint32_t>(value));
}

} // namespace kel
