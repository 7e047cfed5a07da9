// Bringing pictures into the real main window: dropping files on the grid view and the open
// dialog (answered through its seam), with real files decoded by the real loader.
#include "app/StoredSettings.h"
#include "app/frmMain.h"
#include "core/ProgramWide.h"
#include "input/Toolbox.h"
#include "layout/GridView.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace plakatron;

namespace {

class PictureInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(QSettings(QSettings::IniFormat, QSettings::UserScope, appTitle(), appTitle()).fileName());
        window = std::make_unique<frmMain>();
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        grid = window->findChild<GridView *>(QStringLiteral("picGrid"));
        // A page is selected so that a failed load can be seen to keep it.
        window->picGrid_MouseDown(Qt::LeftButton, QPointF(10, 10));
        ASSERT_EQ(window->grid().SelectedPage, 1);
    }

    QString picture(const QString &name, int w, int h)
    {
        const QString path = dir.filePath(name);
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::darkMagenta);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    QString textFile(const QString &name)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture\n");
        return path;
    }

    // Sends a drag over the grid view and then the drop; true when the drag was accepted.
    bool drag(const QStringList &paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &p : paths)
            urls << QUrl::fromLocalFile(p);
        data.setUrls(urls);
        const QPoint at = grid->rect().center();
        // Qt hands moves and the drop to the widget that saw the drag enter.
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(grid, &enter);
        QDragMoveEvent over(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(grid, &over);
        if (over.isAccepted()) {
            QDropEvent dropEvent(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(grid, &dropEvent);
        } else {
            // Qt delivers no drop after a refused drag; a platform that does reaches the handler.
            window->picGrid_OLEDragDrop(data);
        }
        return over.isAccepted();
    }

    void expectUnchanged()
    {
        EXPECT_EQ(window->sourcePicture().size(), QSize(880, 560));
        EXPECT_EQ(window->grid().SelectedPage, 1);
        EXPECT_EQ(window->labels().lbTotalPages, QStringLiteral("6"));
    }

    QTemporaryDir dir;
    std::unique_ptr<frmMain> window;
    GridView *grid = nullptr;
    test::MessageCapture messages;
};

}  // namespace

TEST_F(PictureInputTest, DroppingOnePictureLoadsItAtItsNaturalSize)
{
    for (const char *name : {"wide.BMP", "tall.Jpeg"}) {
        SCOPED_TRACE(name);
        const QString path = picture(QString::fromLatin1(name), name[0] == 'w' ? 1000 : 300, 400);
        EXPECT_TRUE(drag({path}));
        EXPECT_TRUE(messages.messages().empty());
        EXPECT_EQ(window->sourcePicture().size(), name[0] == 'w' ? QSize(1000, 400) : QSize(300, 400));
        EXPECT_EQ(window->grid().SelectedPage, 0);
        EXPECT_EQ(window->grid().SourceWidth, window->sourcePicture().width());
    }
}

TEST_F(PictureInputTest, RefusedDropsChangeNothing)
{
    // Two files: no copy effect while dragging, nothing on the drop, no message.
    EXPECT_FALSE(drag({picture(QStringLiteral("a.bmp"), 50, 50), picture(QStringLiteral("b.bmp"), 60, 60)}));
    EXPECT_TRUE(messages.messages().empty());
    expectUnchanged();

    // An extension that is not a picture's, or none at all.
    for (const QString &name : {QStringLiteral("notes.txt"), QStringLiteral("README")}) {
        messages.clear();
        EXPECT_FALSE(drag({textFile(name)}));
        ASSERT_EQ(messages.messages().size(), 1u);
        EXPECT_EQ(messages.messages()[0].text, QStringLiteral("File format not supported!"));
        EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Exclamation);
        expectUnchanged();
    }
}

TEST_F(PictureInputTest, AFileThatIsNoPictureIsReportedAndThePreviousOneStays)
{
    const QString fake = textFile(QStringLiteral("fake.bmp"));
    const QString missing = dir.filePath(QStringLiteral("missing.jpg"));
    for (const QString &path : {fake, missing}) {
        messages.clear();
        EXPECT_TRUE(drag({path}));
        ASSERT_EQ(messages.messages().size(), 1u);
        const QString text = messages.messages()[0].text;
        EXPECT_TRUE(text.startsWith(QStringLiteral("Unable to load picture '") + path + QStringLiteral("'\r\n"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("\r\nCode "))) << text.toStdString();
        EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Exclamation);
        expectUnchanged();
    }
    EXPECT_TRUE(messages.messages()[0].text.endsWith(QStringLiteral("Code 53")));
}

TEST_F(PictureInputTest, OpenDialogRemembersTheFolderEvenWhenLoadingFails)
{
    std::vector<modToolbox::FileDialogRequest> requests;
    QString answer;
    const auto previous = modToolbox::installFileDialogHandler([&](const modToolbox::FileDialogRequest &r) {
        requests.push_back(r);
        return modToolbox::FileDialogAnswer{!answer.isEmpty(), answer, 1};
    });

    // Cancelled: nothing stored, nothing loaded. The dialog starts in the documents folder.
    window->mnuOpenPicture_Click();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].title, QStringLiteral("Open Picture"));
    EXPECT_EQ(requests[0].initialFolder, modToolbox::SpecialFolderPath(5));
    EXPECT_EQ(GetSetting(settingkeys::Section, settingkeys::LastFolder, QStringLiteral("none")), QStringLiteral("none"));
    expectUnchanged();

    // A name typed for a file that does not exist: its folder is remembered, the load fails.
    answer = dir.filePath(QStringLiteral("typed.jpg"));
    window->mnuOpenPicture_Click();
    EXPECT_EQ(GetSetting(settingkeys::Section, settingkeys::LastFolder, QString()), dir.path() + u'/');
    ASSERT_EQ(messages.messages().size(), 1u);
    expectUnchanged();

    // A real picture; the next dialog starts in its folder.
    answer = picture(QStringLiteral("photo.jpeg"), 640, 480);
    window->mnuOpenPicture_Click();
    EXPECT_EQ(window->sourcePicture().size(), QSize(640, 480));
    EXPECT_EQ(requests.back().initialFolder, dir.path() + u'/');
    modToolbox::installFileDialogHandler(previous);
}
