// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/NumberText.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace plakatron;

TEST(NumberText, StrForm)
{
    struct Row { double value; const char *text; };
    const Row rows[] = {
        {5, " 5"}, {0, " 0"}, {-0.0, " 0"}, {0.5, " .5"}, {-0.5, "-.5"}, {23.4, " 23.4"}, {-12, "-12"},
        {1.0 / 3, " .333333333333333"}, {2.0 / 3, " .666666666666667"}, {0.0001, " .0001"}, {0.00001, " 1E-05"},
        {999999999999999, " 999999999999999"}, {1e15, " 1E+15"}, {1.5e20, " 1.5E+20"},
        {102.9 - 100, " 2.90000000000001"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.value);
        EXPECT_EQ(Str(r.value).toStdString(), r.text);
    }
    EXPECT_EQ(trimmedStr(59.8), QStringLiteral("59.8"));
    EXPECT_EQ(trimmedStr(-1), QStringLiteral("-1"));
}

TEST(NumberText, Format00RoundsHalvesAwayFromZeroWithTheLocaleSeparator)
{
    struct Row { double value; const char *text; };
    const Row rows[] = {
        {1.3501, "1.35"}, {3.125, "3.13"}, {2.005, "2.01"}, {1.005, "1.01"}, {0, "0.00"}, {0.004, "0.00"},
        {9.999, "10.00"}, {99.995, "100.00"}, {123456.789, "123456.79"}, {-1.005, "-1.01"}, {-0.001, "0.00"},
    };
    const QLocale saved;
    QLocale::setDefault(QLocale::c());
    for (const Row &r : rows) {
        SCOPED_TRACE(r.value);
        EXPECT_EQ(format00(r.value).toStdString(), r.text);
    }
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(format00(1234.5), QStringLiteral("1234,50"));  // the pattern has no grouping
    EXPECT_EQ(Str(1.35), QStringLiteral(" 1.35"));           // the Str form ignores the locale
    QLocale::setDefault(saved);
}
