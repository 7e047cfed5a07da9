#include "core/Numeric.h"
#include "core/RuntimeError.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <optional>

using namespace plakatron;

namespace {

// The error number a call raises, or nothing when it succeeds.
template <typename F>
std::optional<int> errorOf(F &&f)
{
    try {
        f();
    } catch (const RuntimeError &e) {
        return e.number();
    }
    return std::nullopt;
}

const double notANumber = std::numeric_limits<double>::quiet_NaN();
const double infinity = std::numeric_limits<double>::infinity();

}  // namespace

TEST(Numeric, ConversionsRoundHalfToEvenAndOverflowOutsideTheirRange)
{
    struct Row { double in; std::optional<int> int16; std::optional<int> int32; };
    const Row rows[] = {
        {0.5, 0, 0}, {1.5, 2, 2}, {2.5, 2, 2}, {-2.5, -2, -2}, {-3.5, -4, -4}, {2.4999, 2, 2},
        {353.5, 354, 354}, {1060.5, 1060, 1060}, {1131.2, 1131, 1131},
        {32767.4, 32767, 32767}, {32767.5, std::nullopt, 32768}, {-32768.5, -32768, -32768},
        {-32768.6, std::nullopt, -32769}, {2147483647.4, std::nullopt, 2147483647},
        {2147483647.5, std::nullopt, std::nullopt}, {notANumber, std::nullopt, std::nullopt},
        {infinity, std::nullopt, std::nullopt},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.in);
        if (r.int16)
            EXPECT_EQ(CInt(r.in), *r.int16);
        else
            EXPECT_EQ(errorOf([&] { CInt(r.in); }), err::Overflow);
        if (r.int32)
            EXPECT_EQ(CLng(r.in), *r.int32);
        else
            EXPECT_EQ(errorOf([&] { CLng(r.in); }), err::Overflow);
    }
    EXPECT_EQ(CByte(255.4), 255);
    EXPECT_EQ(errorOf([] { CByte(255.5); }), err::Overflow);
    EXPECT_EQ(errorOf([] { CByte(-0.6); }), err::Overflow);
}

TEST(Numeric, DivisionFailsAsTheRunTimeDoes)
{
    EXPECT_DOUBLE_EQ(Div(2400, 880.0 / 560.0), 2400 * 560.0 / 880.0);
    EXPECT_EQ(errorOf([] { Div(1, 0); }), err::DivisionByZero);
    EXPECT_EQ(errorOf([] { Div(-1, 0); }), err::DivisionByZero);
    EXPECT_EQ(errorOf([] { Div(0, 0); }), err::Overflow);
    EXPECT_EQ(errorOf([] { Div(1e300, 1e-300); }), err::Overflow);
    EXPECT_EQ(IntDiv(7, 2), 3);
    EXPECT_EQ(IntDiv(-7, 2), -3);
    EXPECT_EQ(errorOf([] { IntDiv(7, 0); }), err::DivisionByZero);
    EXPECT_EQ(errorOf([] { IntDiv(std::numeric_limits<std::int32_t>::min(), -1); }), err::Overflow);
    EXPECT_EQ(Int(-0.5), -1);
    EXPECT_EQ(Int(2.995), 2);
    EXPECT_EQ(errorOf([] { Int(notANumber); }), err::Overflow);
}

TEST(Numeric, ValReadsTheLeadingNumber)
{
    struct Row { const char16_t *text; double value; };
    const Row rows[] = {
        {u"800 *", 800}, {u"100", 100}, {u"  17", 17}, {u"abc", 0}, {u"", 0}, {u"-5", -5},
        {u"1e9", 1e9}, {u"1E+3x", 1000}, {u"2.5.1", 2.5}, {u".5", 0.5}, {u"12abc", 12},
        {u"1 2 3", 123}, {u"&H1F", 31}, {u"&O17", 15}, {u"3 pages *", 3}, {u"1e", 1}, {u"-", 0},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(QString::fromUtf16(r.text).toStdString());
        EXPECT_DOUBLE_EQ(Val(r.text), r.value);
    }
    EXPECT_EQ(errorOf([] { Val(u"1e999"); }), err::Overflow);
}

TEST(Numeric, CIntOfATextNeedsAWholeNumber)
{
    EXPECT_EQ(CIntText(u"3"), 3);
    EXPECT_EQ(CIntText(u" 12 "), 12);
    EXPECT_EQ(CIntText(u"2.5"), 2);
    EXPECT_EQ(errorOf([] { CIntText(u""); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([] { CIntText(u"abc"); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([] { CIntText(u"3 %"); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([] { CIntText(u"1e9"); }), err::Overflow);
}

TEST(RuntimeErrorTest, CarriesNumberAndStandardDescription)
{
    const RuntimeError e(err::SubscriptOutOfRange);
    EXPECT_EQ(e.number(), 9);
    EXPECT_EQ(e.description(), QStringLiteral("Subscript out of range"));
    EXPECT_EQ(RuntimeError(err::InvalidPicture).description(), QStringLiteral("Invalid picture"));
    EXPECT_EQ(RuntimeError(12345).description(), QStringLiteral("Application-defined or object-defined error"));
    EXPECT_EQ(RuntimeError(53, QStringLiteral("x")).description(), QStringLiteral("x"));
}
