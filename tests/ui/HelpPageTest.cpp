// The help page the Instructions command opens: copied beside the program, complete, and
// readable without a network.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

const QString helpFolder = QStringLiteral(PLAKATRON_BINARY_DIR "/bin/help/");

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

TEST(HelpPage, IsBesideTheProgramWithEverythingItUses)
{
    const QString page = readText(helpFolder + QStringLiteral("index.htm"));
    ASSERT_FALSE(page.isEmpty()) << "no help page in " << helpFolder.toStdString();

    // Every file the page or its stylesheet pulls in is there and local.
    const QRegularExpression reference(QStringLiteral(R"re((?:src|href)\s*=\s*"([^"#]+)")re"));
    QSet<QString> used;
    for (const auto &match : reference.globalMatch(page))
        used.insert(match.captured(1));
    EXPECT_TRUE(used.contains(QStringLiteral("style.css")));
    EXPECT_TRUE(used.contains(QStringLiteral("assembly.svg")));
    for (const QString &name : used) {
        EXPECT_FALSE(name.contains(QStringLiteral("://"))) << name.toStdString();
        EXPECT_TRUE(QFile::exists(helpFolder + name)) << name.toStdString();
    }
    EXPECT_FALSE(readText(helpFolder + QStringLiteral("style.css")).contains(QStringLiteral("url(")));

    // Every in-page link has its target.
    const QRegularExpression anchor(QStringLiteral(R"re(href="#([^"]+)")re"));
    for (const auto &match : anchor.globalMatch(page))
        EXPECT_TRUE(page.contains(QStringLiteral("id=\"") + match.captured(1) + QLatin1Char('"')))
            << match.captured(1).toStdString();
}

TEST(HelpPage, UsesTheProgramsOwnWords)
{
    const QString page = readText(helpFolder + QStringLiteral("index.htm"));
    for (const char *words : {"Open Picture...", "Width in A4:", "A4 X resolution:", "Additional settings",
                              "Final image width:", "Final image height:", "Total pages:", "Height in A4:",
                              "Print this picture...", "put 3 below", "put 2 next"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(words))) << words;
}

}  // namespace
