// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MessageBox.h"
#include "core/Numeric.h"
#include "core/RuntimeError.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

using namespace plakatron;

namespace {

// What a call gives: its value in decimal, or "E" and the number of the error it raises.
template <typename F>
std::string outcome(F &&f)
{
    try {
        return std::to_string(f());
    } catch (const RuntimeError &e) {
        return "E" + std::to_string(e.number());
    }
}

const double notANumber = std::numeric_limits<double>::quiet_NaN();

}  // namespace

TEST(Numeric, ConversionsRoundHalfToEvenAndOverflowOutsideTheirRange)
{
    struct Row { double in; const char *int16; const char *int32; };
    const Row rows[] = {
        {0.5, "0", "0"}, {1.5, "2", "2"}, {2.5, "2", "2"}, {-2.5, "-2", "-2"}, {-3.5, "-4", "-4"},
        {2.4999, "2", "2"}, {1060.5, "1060", "1060"}, {1131.2, "1131", "1131"}, {32767.4, "32767", "32767"},
        {32767.5, "E6", "32768"}, {-32768.5, "-32768", "-32768"}, {-32768.6, "E6", "-32769"},
        {2147483647.4, "E6", "2147483647"}, {2147483647.5, "E6", "E6"}, {notANumber, "E6", "E6"},
        {std::numeric_limits<double>::infinity(), "E6", "E6"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.in);
        EXPECT_EQ(outcome([&] { return CInt(r.in); }), r.int16);
        EXPECT_EQ(outcome([&] { return CLng(r.in); }), r.int32);
    }
    EXPECT_EQ(outcome([] { return CByte(255.4); }), "255");
    EXPECT_EQ(outcome([] { return CByte(255.5); }), "E6");
    EXPECT_EQ(outcome([] { return CByte(-0.6); }), "E6");
}

TEST(Numeric, DivisionFailsAsTheRunTimeDoes)
{
    EXPECT_DOUBLE_EQ(Div(2400, 880.0 / 560.0), 2400 * 560.0 / 880.0);
    EXPECT_EQ(outcome([] { return Div(1, 0); }), "E11");
    EXPECT_EQ(outcome([] { return Div(0, 0); }), "E6");
    EXPECT_EQ(outcome([] { return Div(1e300, 1e-300); }), "E6");
    EXPECT_EQ(outcome([] { return IntDiv(-7, 2); }), "-3");
    EXPECT_EQ(outcome([] { return IntDiv(7, 0); }), "E11");
    EXPECT_EQ(outcome([] { return IntDiv(std::numeric_limits<std::int32_t>::min(), -1); }), "E6");
    EXPECT_EQ(Int(-0.5), -1);
    EXPECT_EQ(outcome([] { return Int(notANumber); }), "E6");
}

TEST(Numeric, ValReadsTheLeadingNumber)
{
    struct Row { const char16_t *text; double value; };
    const Row rows[] = {
        {u"800 *", 800}, {u"  17", 17}, {u"abc", 0}, {u"", 0}, {u"-5", -5}, {u"1E+3x", 1000}, {u"2.5.1", 2.5},
        {u".5", 0.5}, {u"1 2 3", 123}, {u"&H1F", 31}, {u"&O17", 15}, {u"3 pages *", 3}, {u"1e", 1}, {u"-", 0},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(QString::fromUtf16(r.text).toStdString());
        EXPECT_DOUBLE_EQ(Val(r.text), r.value);
    }
    EXPECT_EQ(outcome([] { return Val(u"1e999"); }), "E6");
}

TEST(Numeric, CIntOfATextNeedsAWholeNumber)
{
    const std::pair<const char16_t *, const char *> rows[] = {
        {u" 12 ", "12"}, {u"2.5", "2"}, {u"", "E13"}, {u"abc", "E13"}, {u"3 %", "E13"}, {u"1e9", "E6"}};
    for (const auto &[text, expected] : rows)
        EXPECT_EQ(outcome([&] { return CIntText(text); }), expected) << expected;
}

TEST(RuntimeErrorTest, CarriesNumberAndStandardDescription)
{
    EXPECT_EQ(RuntimeError(err::SubscriptOutOfRange).number(), 9);
    EXPECT_EQ(RuntimeError(9).description(), QStringLiteral("Subscript out of range"));
    EXPECT_EQ(RuntimeError(err::InvalidPicture).description(), QStringLiteral("Invalid picture"));
    EXPECT_EQ(RuntimeError(12345).description(), QStringLiteral("Application-defined or object-defined error"));
    EXPECT_EQ(RuntimeError(53, QStringLiteral("x")).description(), QStringLiteral("x"));
    // The two forms of a message.
    EXPECT_EQ(describeWithCode(RuntimeError(err::Overflow)), QStringLiteral("Overflow\r\nCode 6"));
    EXPECT_EQ(errorWithNumber(RuntimeError(err::Overflow)), QStringLiteral("Error: 6 Overflow"));
}
