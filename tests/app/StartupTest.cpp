// The window program's command line, and the real start-up with a picture named on it, as a file
// manager's "Open with" starts it: the picture opens in the window, one that fails to load gets
// the usual message over the window, which keeps the built-in picture.
#include "app/CommandLine.h"
#include "app/frmMain.h"
#include "app/modXPManifest.h"
#include "core/MessageBox.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace plakatron;

namespace {

using Action = StartupRequest::Action;

TEST(CommandLine, OnePictureHelpAndVersionElseAnErrorForExitCode2)
{
    const struct { QStringList arguments; Action action; QString picture, text; } rows[] = {
        {{}, Action::Run, {}, {}},
        {{"photo.jpg"}, Action::Run, "photo.jpg", {}},
        {{"/home/me/My Pictures/IMG_0001.JPG"}, Action::Run, "/home/me/My Pictures/IMG_0001.JPG", {}},
        {{"-"}, Action::Run, "-", {}},
        {{"--", "-dash.jpg"}, Action::Run, "-dash.jpg", {}},
        {{"--", "--help"}, Action::Run, "--help", {}},
        {{"--version"}, Action::ShowVersion, {}, "2.0.9\n"},
        {{"photo.jpg", "-v"}, Action::ShowVersion, {}, "2.0.9\n"},
        {{"--bogus", "-h"}, Action::ShowHelp, {}, "Usage: plakatron [PICTURE]\n"},
        {{"--bogus", "photo.jpg"}, Action::Fail, {}, "plakatron: unknown option '--bogus'\nTry 'plakatron --help'.\n"},
        {{"a.jpg", "b.jpg"}, Action::Fail, {}, "plakatron: one picture at a time, not 2\nTry 'plakatron --help'.\n"},
        {{""}, Action::Fail, {}, "plakatron: the picture's name is empty\nTry 'plakatron --help'.\n"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.arguments.join(u' ').toStdString());
        const StartupRequest request = parseCommandLine(QStringList{"plakatron"} + r.arguments);
        EXPECT_EQ(request.action, r.action);
        EXPECT_EQ(request.picture, r.picture);
        // The help is checked by its first line; the rest is prose.
        EXPECT_EQ(r.action == Action::ShowHelp ? request.text.section(u'\n', 0, 0) + u'\n' : request.text, r.text);
    }
}

TEST(Startup, APictureNamedOnTheCommandLineOpensInTheWindow)
{
    QTemporaryDir dir;
    const auto file = [&dir](const char *name, const QByteArray &bytes) {
        const QString path = dir.filePath(QLatin1String(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        return path;
    };
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const QString png = dir.filePath(QStringLiteral("screenshot.png"));
    ASSERT_TRUE(image.save(png));
    const QString jpeg = dir.filePath(QStringLiteral("IMG_0001.JPG"));
    ASSERT_TRUE(image.save(jpeg, "JPEG"));
    QFile jpegFile(jpeg);
    ASSERT_TRUE(jpegFile.open(QIODevice::ReadOnly));
    const QString cutShort = file("cut.jpg", jpegFile.readAll().left(200));

    const QSize builtIn(880, 560);
    // A failure's message: its start and its end.
    const struct { QString picture; QSize shown; QString message, code; } rows[] = {
        {QString(), builtIn, {}, {}},
        {png, QSize(40, 30), {}, {}},
        {jpeg, QSize(40, 30), {}, {}},
        {cutShort, builtIn, "Unable to load picture '" + cutShort + "'\r\n", "\r\nCode 481"},
        {file("empty.png", {}), builtIn, "Unable to load picture '" + dir.filePath("empty.png") + "'\r\nThe file is empty.",
         "\r\nCode 481"},
        {dir.filePath("gone.jpg"), builtIn, "Unable to load picture '" + dir.filePath("gone.jpg") + "'\r\nFile not found",
         "\r\nCode 53"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.picture.toStdString());
        // Each message as it is shown, with whether the window stood behind it.
        std::vector<std::pair<MessageRequest, bool>> shown;
        const MessageHandler previous = installMessageHandler([&shown](const MessageRequest &m) {
            shown.emplace_back(m, mainWindow() && mainWindow()->isVisible());
            return MsgAnswer::Ok;
        });
        EXPECT_TRUE(modXPManifest::Main({.initControlClasses = [] { return true; }, .showSplash = [] {}}, r.picture));
        installMessageHandler(previous);
        ASSERT_NE(mainWindow(), nullptr);
        EXPECT_TRUE(mainWindow()->isVisible());
        EXPECT_EQ(mainWindow()->sourcePicture().size(), r.shown);
        if (r.message.isEmpty()) {
            EXPECT_TRUE(shown.empty());
        } else {
            ASSERT_EQ(shown.size(), 1u);
            const auto &[m, overTheWindow] = shown[0];
            EXPECT_TRUE(m.text.startsWith(r.message) && m.text.endsWith(r.code)) << m.text.toStdString();
            EXPECT_EQ(m.icon, MsgIcon::Exclamation);
            EXPECT_TRUE(overTheWindow);
        }
        mainWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

}  // namespace
