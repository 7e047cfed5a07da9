// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three ways numbers become text in this program.
//  - Str(): captions, progress texts and hints. Up to 15 significant digits, "." whatever the
//    locale, no zero before the point below 1, and a blank in place of the sign for numbers that
//    are not negative: Str(5) == " 5", Str(0.5) == " .5", Str(-0.5) == "-.5", Str(123.4) == " 123.4".
//    Magnitudes from 1E+15 and below 1E-04 switch to the exponent form (" 1E+15", " 1.5E-05").
//  - plainDecimal(): stored settings, the version, error numbers: digits without blanks.
//  - format00(): the "0.00" pattern with the user's locale decimal separator, halves rounded
//    away from zero after the value has been taken to 15 significant digits.

#include <QString>
#include <cstdint>

namespace plakatron {

QString Str(double value);
QString plainDecimal(std::int64_t value);
QString format00(double value);

// Str() with its leading blank removed: LTrim(Str(x)).
QString trimmedStr(double value);

}  // namespace plakatron
