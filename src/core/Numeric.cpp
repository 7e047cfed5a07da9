// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Numeric.h"

#include "core/RuntimeError.h"

#include <QString>
#include <cmath>
#include <limits>

namespace plakatron {

double roundHalfEven(double value) noexcept
{
    // std::nearbyint honours the current rounding mode; the program never leaves the default
    // (to nearest, ties to even), but do not depend on callers for it.
    const double down = std::floor(value);
    const double diff = value - down;
    if (diff < 0.5)
        return down;
    if (diff > 0.5)
        return down + 1.0;
    return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
}

namespace {
template <typename Int>
Int convertChecked(double value)
{
    if (std::isnan(value))
        raise(err::Overflow);
    const double r = roundHalfEven(value);
    if (r < static_cast<double>(std::numeric_limits<Int>::min())
        || r > static_cast<double>(std::numeric_limits<Int>::max()))
        raise(err::Overflow);
    return static_cast<Int>(r);
}
}  // namespace

std::int16_t CInt(double value) { return convertChecked<std::int16_t>(value); }
std::int32_t CLng(double value) { return convertChecked<std::int32_t>(value); }
std::uint8_t CByte(double value) { return convertChecked<std::uint8_t>(value); }

double Int(double value) { return std::floor(checked(value)); }

double checked(double value)
{
    if (!std::isfinite(value))
        raise(err::Overflow);
    return value;
}

double Div(double a, double b)
{
    if (b == 0.0)
        raise(a == 0.0 || std::isnan(a) ? err::Overflow : err::DivisionByZero);
    return checked(a / b);
}

std::int32_t IntDiv(std::int32_t a, std::int32_t b)
{
    if (b == 0)
        raise(err::DivisionByZero);
    if (a == std::numeric_limits<std::int32_t>::min() && b == -1)
        raise(err::Overflow);
    return a / b;
}

namespace {
bool isSkippedBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

double parseRadix(const QString &digits, int radix)
{
    double v = 0;
    for (QChar c : digits) {
        const int d = c.isDigit() ? c.digitValue()
                                  : (c.toLower() >= u'a' && c.toLower() <= u'f' ? c.toLower().unicode() - 'a' + 10 : 99);
        if (d >= radix)
            break;
        v = v * radix + d;
    }
    return v;
}
}  // namespace

double Val(QStringView text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (!isSkippedBlank(c))
            s.append(c);

    if (s.startsWith(u"&H", Qt::CaseInsensitive))
        return parseRadix(s.mid(2), 16);
    if (s.startsWith(u"&O", Qt::CaseInsensitive))
        return parseRadix(s.mid(2), 8);

    // Longest prefix of the form [sign] digits [. digits] [(E|D) [sign] digits].
    qsizetype i = 0;
    QString number;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        number.append(s[i++]);
    bool anyDigit = false;
    while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
        number.append(s[i++]);
        anyDigit = true;
    }
    if (i < s.size() && s[i] == u'.') {
        number.append(s[i++]);
        while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
            number.append(s[i++]);
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0.0;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E' || s[i] == u'd' || s[i] == u'D')) {
        qsizetype j = i + 1;
        QString exponent = QStringLiteral("e");
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-'))
            exponent.append(s[j++]);
        bool expDigit = false;
        while (j < s.size() && s[j].isDigit() && s[j].unicode() < 128) {
            exponent.append(s[j++]);
            expDigit = true;
        }
        if (expDigit)
            number.append(exponent);
    }
    return checked(std::strtod(number.toLatin1().constData(), nullptr));
}

std::int16_t CIntText(QStringView text)
{
    const QString trimmed = text.trimmed().toString();
    bool ok = false;
    const double v = trimmed.toDouble(&ok);  // C locale: "." separator, no grouping
    if (!ok)
        raise(err::TypeMismatch);
    return CInt(v);
}

}  // namespace plakatron
