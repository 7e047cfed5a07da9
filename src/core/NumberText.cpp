// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/NumberText.h"

#include <QLocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace plakatron {

namespace {

// The value to 15 significant digits: digits (no point, trailing zeros kept) and the decimal
// exponent of the first digit (value = d.ddd... x 10^exponent).
struct Decimal15 {
    bool negative = false;
    QString digits;  // exactly 15 characters
    int exponent = 0;
};

Decimal15 toDecimal15(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    // buffer: d.dddddddddddddde[+-]xx
    Decimal15 d;
    d.negative = std::signbit(value) && value != 0.0;
    const QString text = QString::fromLatin1(buffer);
    const qsizetype e = text.indexOf(u'e');
    d.digits = text.left(e).remove(u'.');
    d.exponent = text.mid(e + 1).toInt();
    return d;
}

QString stripTrailingZeros(QString digits)
{
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);
    return digits;
}

}  // namespace

QString Str(double value)
{
    const QChar sign = (std::signbit(value) && value != 0.0) ? u'-' : u' ';
    if (value == 0.0)
        return QStringLiteral(" 0");
    if (!std::isfinite(value))
        return sign + QStringLiteral("1.#INF");

    const Decimal15 d = toDecimal15(value);
    const QString digits = stripTrailingZeros(d.digits);
    const int e = d.exponent;

    if (e >= 15 || e < -4) {
        QString mantissa = digits.left(1);
        if (digits.size() > 1)
            mantissa += u'.' + digits.mid(1);
        const QString exp = QStringLiteral("%1").arg(std::abs(e), 2, 10, QLatin1Char('0'));
        return sign + mantissa + (e < 0 ? QStringLiteral("E-") : QStringLiteral("E+")) + exp;
    }
    if (e < 0)  // below 1: no zero before the point
        return sign + u'.' + QString(-e - 1, u'0') + digits;
    const qsizetype integerDigits = e + 1;
    if (digits.size() <= integerDigits)
        return sign + digits + QString(integerDigits - digits.size(), u'0');
    return sign + digits.left(integerDigits) + u'.' + digits.mid(integerDigits);
}

QString trimmedStr(double value)
{
    QString s = Str(value);
    if (s.startsWith(u' '))
        s.remove(0, 1);
    return s;
}

QString plainDecimal(std::int64_t value) { return QString::number(value); }

QString format00(double value)
{
    const QString point = QLocale().decimalPoint();
    if (!std::isfinite(value))
        return QString::number(value);

    const Decimal15 d = toDecimal15(value);
    // Keep the digits up to the second decimal and round the rest away from zero.
    const int keep = d.exponent + 1 + 2;  // digits before the cut
    QString kept;
    bool roundUp = false;
    if (value == 0.0 || keep < 0) {
        kept = QString();
    } else if (keep >= d.digits.size()) {
        kept = d.digits + QString(keep - d.digits.size(), u'0');
    } else {
        kept = d.digits.left(keep);
        roundUp = d.digits[keep].digitValue() >= 5;
    }
    // kept holds the value x 100 as a whole number (possibly empty = 0).
    if (roundUp) {
        qsizetype i = kept.size() - 1;
        while (i >= 0 && kept[i] == u'9') {
            kept[i] = u'0';
            --i;
        }
        if (i < 0)
            kept.prepend(u'1');
        else
            kept[i] = QChar(kept[i].unicode() + 1);
    }
    while (kept.size() < 3)
        kept.prepend(u'0');
    while (kept.size() > 3 && kept.startsWith(u'0'))
        kept.remove(0, 1);
    const bool isZero = kept.count(u'0') == kept.size();
    const QString sign = (d.negative && !isZero) ? QStringLiteral("-") : QString();
    return sign + kept.left(kept.size() - 2) + point + kept.right(2);
}

}  // namespace plakatron
