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
    const QString page = readText("index.htm");
    ASSERT_FALSE(page.isEmpty()) << "no help page beside the program";
    // Every file the page pulls in is there and local; every in-page link has its target.
    const QRegularExpression reference(QStringLiteral(R"re((?:src|href)="([^"]+)")re"));
    for (const auto &match : reference.globalMatch(page)) {
        const QString target = match.captured(1);
        const bool found = target.startsWith(u'#') ? page.contains("id=\"" + target.mid(1) + '"')
                                                   : !target.contains("://") && !readText(target).isEmpty();
        EXPECT_TRUE(found) << target.toStdString();
    }
    EXPECT_TRUE(page.contains("\"style.css\"") && page.contains("\"assembly.svg\""));
    EXPECT_FALSE(readText("style.css").contains("url("));
    for (const char *words : {"Open Picture...", "Width in A4:", "A4 X resolution:", "Additional settings",
                              "Final image width:", "Final image height:", "Total pages:", "Height in A4:",
                              "Print this picture...", "Print assembly map...", "put 3 below", "put 2 next"})
        EXPECT_TRUE(page.contains(words)) << words;
}

}  // namespace
