// The help page the Instructions command opens: copied beside the program, complete, readable
// without a network, and in the program's own words.
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QString readText(const QString &name)
{
    QFile file(QStringLiteral(PLAKATRON_BINARY_DIR "/bin/help/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(HelpPage, IsBesideTheProgramWithEverythingItUsesInTheProgramsOwnWords)
{
    const QString page = readText(QStringLiteral("index.htm"));
    ASSERT_FALSE(page.isEmpty()) << "no help page beside the program";
    // Every file the page pulls in is there and local; every in-page link has its target.
    QStringList used;
    for (const auto &match : QRegularExpression(QStringLiteral(R"re((?:src|href)="([^"]+)")re")).globalMatch(page)) {
        const QString target = match.captured(1);
        used << target;
        if (target.startsWith(u'#'))
            EXPECT_TRUE(page.contains(QStringLiteral("id=\"%1\"").arg(target.mid(1)))) << target.toStdString();
        else
            EXPECT_FALSE(target.contains(QStringLiteral("://")) || readText(target).isEmpty()) << target.toStdString();
    }
    EXPECT_TRUE(used.contains(QStringLiteral("style.css")) && used.contains(QStringLiteral("assembly.svg")));
    EXPECT_FALSE(readText(QStringLiteral("style.css")).contains(QStringLiteral("url(")));
    for (const char *words : {"Open Picture...", "Width in A4:", "A4 X resolution:", "Additional settings",
                              "Final image width:", "Final image height:", "Total pages:", "Height in A4:",
                              "Print this picture...", "put 3 below", "put 2 next"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(words))) << words;
}

}  // namespace
