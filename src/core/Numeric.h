// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numeric rules of the classic Windows run time that captions, stored settings and pixel
// arithmetic depend on: conversions to 16/32-bit integers round to nearest with halves to even and
// fail with Overflow (6) beyond range; division by zero fails (11), 0 / 0 too (6); an infinite or
// undefined result is an Overflow. Every failure is a RuntimeError.

#include <QStringView>
#include <cstdint>

namespace plakatron {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double roundHalfEven(double value) noexcept;

// Conversions with range checks: Overflow (6) when the rounded value does not fit, or for NaN.
std::int16_t CInt(double value);
std::int32_t CLng(double value);
std::uint8_t CByte(double value);

// Int(): the largest whole number not above value (floor). NaN and infinities are an Overflow.
double Int(double value);

// value unchanged when finite, else Overflow (6): the run time never produces an infinity.
double checked(double value);

// a / b with the run time's failures: b == 0 -> Division by zero (11), 0 / 0 -> Overflow (6).
double Div(double a, double b);

// a \ b: 32-bit integer division truncating toward zero; b == 0 -> 11, INT32_MIN \ -1 -> 6.
std::int32_t IntDiv(std::int32_t a, std::int32_t b);

// Val(): the number a text starts with. Blanks, tabs and line feeds are skipped everywhere, a
// sign, digits, one decimal point and an exponent (E or D) are read while they form a number;
// "&H"/"&O" prefixes read hexadecimal/octal. A text without a leading number gives 0.
// ("800 *" -> 800, "abc" -> 0, "1e9" -> 1e9.) Overflow (6) when the number is not finite.
double Val(QStringView text);

// CInt of a text: the whole text must be a number (surrounding blanks allowed), else
// Type mismatch (13); then rounded and range-checked like CInt.
std::int16_t CIntText(QStringView text);

}  // namespace plakatron
