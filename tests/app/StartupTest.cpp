// SPDX-License-Identifier: GPL-3.0-or-later
// The window program's command line, and the real start-up: the splash in its start-up role, then
// the window, on the picture named on the command line as a file manager's "Open with" starts it;
// one that fails to load gets the usual message over the window, which keeps the built-in picture.
#include "app/CommandLine.h"
#include "app/frmMain.h"
#include "app/modXPManifest.h"
#include "core/ProgramWide.h"
#include "support/TestSupport.h"
#include "support/VectorFiles.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace plakatron;

namespace {

using Action = StartupRequest::Action;

TEST(CommandLine, OnePictureHelpAndVersionElseAnErrorForExitCode2)
{
    const QString usage = QStringLiteral("\nUsage: plakatron [--pdf-page N] [PICTURE]");
    const QString again = QStringLiteral("\nTry 'plakatron --help'.\n");
    const struct { QStringList arguments; Action action; QString picture, text; int pdfPage = 1; } rows[] = {
        {{}, Action::Run, {}, {}},
        {{"photo.jpg"}, Action::Run, "photo.jpg", {}},
        {{"-"}, Action::Run, "-", {}},
        {{"--", "--help"}, Action::Run, "--help", {}},
        {{"photo.jpg", "-v"}, Action::ShowVersion, {}, PLAKATRON_VERSION "\n"},
        {{"--bogus", "-h"}, Action::ShowHelp, {}, "Usage: plakatron [--pdf-page N] [PICTURE]\n"},
        {{"--bogus", "photo.jpg"}, Action::Fail, {}, "plakatron: unknown option '--bogus'" + usage + again},
        {{"--pdf-page", "3", "poster.pdf"}, Action::Run, "poster.pdf", {}, 3},
        {{"poster.pdf", "--pdf-page=10000"}, Action::Run, "poster.pdf", {}, 10000},
        {{"--", "--pdf-page=2"}, Action::Run, "--pdf-page=2", {}},
        {{"--pdf-page", "0", "a.pdf"}, Action::Fail, {}, "plakatron: invalid value '0' for --pdf-page: allowed are 1 ... 10000" + usage + again},
        {{"--pdf-page=two", "a.pdf"}, Action::Fail, {}, "plakatron: invalid value 'two' for --pdf-page: allowed are 1 ... 10000" + usage + again},
        {{"a.pdf", "--pdf-page"}, Action::Fail, {}, "plakatron: --pdf-page needs a page number" + usage + again},
        {{"--pdf-page", "2"}, Action::Fail, {}, "plakatron: --pdf-page needs a PDF picture" + usage + again},
        {{"a.jpg", "b.jpg"}, Action::Fail, {}, "plakatron: one picture at a time, not 2" + usage + again},
        {{""}, Action::Fail, {}, "plakatron: the picture's name is empty" + usage + again},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.arguments.join(u' ').toStdString());
        const StartupRequest request = parseCommandLine(QStringList{"plakatron"} + r.arguments);
        EXPECT_EQ(request.action, r.action);
        EXPECT_EQ(request.picture, r.picture);
        EXPECT_EQ(request.pdfPage, r.pdfPage);
        // The help is checked by its first line; the rest is prose.
        EXPECT_EQ(r.action == Action::ShowHelp ? request.text.section(u'\n', 0, 0) + u'\n' : request.text, r.text);
    }
}

// The options the window system library takes itself are known before it is reached, so that what
// is left decides the answer without a display.
TEST(CommandLine, TheToolkitsOwnOptionsAreLeftToIt)
{
    const struct { QStringList arguments, left; } rows[] = {
        {{"-platform", "offscreen", "a.jpg"}, {"a.jpg"}},
        {{"--platform", "xcb", "-style=Fusion", "-reverse", "a.jpg"}, {"a.jpg"}},
        {{"-style", "Fusion", "-stylesheet", "s.qss", "--bogus"}, {"--bogus"}},
        {{"-qmljsdebugger=port:1", "-display", ":1", "-name", "x", "-session", "s"}, {}},
        {{"a.jpg", "-", "--", "-reverse", "-b"}, {"a.jpg", "-", "--", "-b"}},
        {{"-platformx", "-styles", "--help"}, {"-platformx", "-styles", "--help"}},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.arguments.join(u' ').toStdString());
        EXPECT_EQ(withoutToolkitOptions(QStringList{"plakatron"} + r.arguments), QStringList{"plakatron"} + r.left);
    }
}

// Without any display (no X, no Wayland, no platform named) --help, --version and a command line
// the window cannot start with are answered as with one: the help or the version on standard
// output, or the reason and the usage line on standard error with exit code 2; Qt's own options
// are taken out first.
TEST(CommandLine, AnsweredWithoutADisplay)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    const QString refused = QStringLiteral("Usage: plakatron [--pdf-page N] [PICTURE]\nTry 'plakatron --help'.\n");
    const struct { QStringList arguments; int exitCode; QString out, error; } rows[] = {
        {{"--version"}, 0, PLAKATRON_VERSION "\n", {}},
        {{"--help"}, 0, "Usage: plakatron [--pdf-page N] [PICTURE]\n", {}},
        {{"a.jpg", "b.jpg"}, 2, {}, "plakatron: one picture at a time, not 2\n" + refused},
        {{"--bogus"}, 2, {}, "plakatron: unknown option '--bogus'\n" + refused},
        {{"-platform", "xcb", "-style", "Fusion", "a.jpg", "b.jpg"}, 2, {}, "plakatron: one picture at a time, not 2\n" + refused},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.arguments.join(u' ').toStdString());
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(PLAKATRON_BINARY_DIR "/bin/plakatron"), r.arguments);
        ASSERT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), r.exitCode);
        EXPECT_EQ(QString::fromLocal8Bit(program.readAllStandardError()), r.error);
        // The help by its first line; the rest is prose.
        EXPECT_EQ(QString::fromLocal8Bit(program.readAllStandardOutput()).section(u'\n', 0, 0, QString::SectionIncludeTrailingSep), r.out);
    }
}

TEST(Startup, TheSplashThenTheWindowOnThePictureNamedOnTheCommandLine)
{
    QTemporaryDir dir;
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const QString png = dir.filePath(QStringLiteral("screenshot.png")), jpeg = dir.filePath(QStringLiteral("IMG_0001.JPG"));
    ASSERT_TRUE(image.save(png) && image.save(jpeg, "JPEG"));
    const QString cutShort = dir.filePath(QStringLiteral("cut.jpg")), gone = dir.filePath(QStringLiteral("gone.jpg"));
    test::writeFile(cutShort, test::contentOf(jpeg).left(200));
    // Three pages of 72 x 36 points: a nominal 96 x 48 pixels each.
    const QString pdf = dir.filePath(QStringLiteral("three pages.pdf"));
    test::writeFile(pdf, test::writtenPdf(QSizeF(72, 36), 3, [](QPainter &, int) {}));
    const QSize builtIn(880, 560);
    const struct { QString picture; QSize shown; QString message, code; int pdfPage = 1; } rows[] = {  // the message's start and end
        {QString(), builtIn, {}, {}},
        {pdf, QSize(96, 48), {}, {}, 3},
        {pdf, builtIn, "Unable to load picture '" + pdf + "'\r\n", "\r\nCode 9", 4},
        {png, QSize(40, 30), {}, {}},
        {jpeg, QSize(40, 30), {}, {}},
        {cutShort, builtIn, "Unable to load picture '" + cutShort + "'\r\n", "\r\nCode 481"},
        {gone, builtIn, "Unable to load picture '" + gone + "'\r\nFile not found", "\r\nCode 53"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.picture.toStdString());
        // Each message as it is shown, with whether the window stood behind it.
        std::vector<std::pair<MessageRequest, bool>> shown;
        const MessageHandler previous = installMessageHandler([&shown](const MessageRequest &m) {
            shown.emplace_back(m, mainWindow() && mainWindow()->isVisible());
            return MsgAnswer::Ok;
        });
        int startupSplashes = 0;
        EXPECT_TRUE(modXPManifest::Main({.initControlClasses = [] { return true; },
                                         .showSplash = [&] { startupSplashes += programWide().SplashAtStartup; }},
                                        r.picture, r.pdfPage));
        installMessageHandler(previous);
        EXPECT_EQ(startupSplashes, 1);
        EXPECT_FALSE(programWide().SplashAtStartup);
        // Windows without an owner (the start-up splash, messages before the window) carry the icon too.
        EXPECT_FALSE(QApplication::windowIcon().availableSizes().isEmpty());
        ASSERT_NE(mainWindow(), nullptr);
        EXPECT_TRUE(mainWindow()->isVisible());
        EXPECT_EQ(mainWindow()->sourcePicture().size(), r.shown);
        if (r.picture == pdf && r.message.isEmpty()) {
            EXPECT_EQ(mainWindow()->sourcePicture().documentPage(), (DocumentPage{r.pdfPage, 3}));
        }
        ASSERT_EQ(shown.size(), r.message.isEmpty() ? 0u : 1u);
        for (const auto &[m, overTheWindow] : shown) {
            EXPECT_TRUE(m.text.startsWith(r.message) && m.text.endsWith(r.code)) << m.text.toStdString();
            EXPECT_EQ(m.icon, MsgIcon::Exclamation);
            EXPECT_TRUE(overTheWindow);
        }
        mainWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST(Startup, FailedInitialisationShowsTheErrorAndNoWindow)
{
    test::MessageCapture messages;
    EXPECT_FALSE(modXPManifest::Main({.initControlClasses = [] { return false; },
                                      .showSplash = [] { ADD_FAILURE() << "the splash showed"; }}));
    ASSERT_EQ(messages.messages().size(), 1u);
    const MessageRequest &m = messages.messages()[0];
    EXPECT_EQ(m.title + u'|' + m.text, "Plakatron|Initialization error!");
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_EQ(mainWindow(), nullptr);
}

}  // namespace
