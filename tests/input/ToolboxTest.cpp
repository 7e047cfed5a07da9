// The file, path and shell helpers, with the classic examples written with '/'.
#include "TestFiles.h"
#include "core/ProgramWide.h"
#include "core/RuntimeError.h"
#include "input/OpenPicture.h"
#include "input/Toolbox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

using namespace plakatron;
using namespace plakatron::modToolbox;

namespace {

// --- path texts -------------------------------------------------------------------------------

TEST(Toolbox, FileExtension)
{
    struct Case {
        const char *path;
        bool withDot;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {"C:/pics/Photo.JPG", true, ".JPG"},
        {"C:/pics/Photo.JPG", false, "JPG"},
        {"C:/my.pics/photo", true, std::nullopt},   // the dot lies in a folder name
        {"C:/pics/photo", true, std::nullopt},
        {"jpg", true, ".jpg"},                      // no dot and no separator: a bare extension
        {"jpg", false, "jpg"},
        {"C:/pics/photo.", true, "."},
        {"C:/pics/photo.", false, ""},
        {"/home/anna/archive.tar.gz", true, ".gz"},
        {"/home/anna/.hidden", false, "hidden"},
        {"photo.jpeg", true, ".jpeg"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FileExtension(QString::fromLatin1(c.path), c.withDot), c.expected) << c.path;
}

TEST(Toolbox, ExtractFolderAndFolderOfPath)
{
    struct Case {
        const char *path;
        const char *folder;
    };
    const Case cases[] = {
        {"C:/pics/a.jpg", "C:/pics/"},
        {"C:/pics/", "C:/pics/"},  // already a folder: unchanged
        {"a.jpg", "a.jpg"},        // no separator: unchanged
        {"/a.jpg", "/"},
        {"/home/anna/My Pictures/x.gif", "/home/anna/My Pictures/"},
        {"", ""},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ExtractFolder(QString::fromLatin1(c.path)), QString::fromLatin1(c.folder)) << c.path;
        EXPECT_EQ(FolderOfPath(QString::fromLatin1(c.path)), QString::fromLatin1(c.folder)) << c.path;
    }
}

TEST(Toolbox, NameFiltersInQtForm)
{
    EXPECT_EQ(qtNameFilters("Supported formats|*.jpg;*.bmp;*.gif;*.ico;*.wmf"),
              QStringList{"Supported formats (*.jpg *.bmp *.gif *.ico *.wmf)"});
    EXPECT_EQ(qtNameFilters("Pictures|*.jpg|All files|*.*"), (QStringList{"Pictures (*.jpg)", "All files (*.*)"}));
    EXPECT_EQ(qtNameFilters("Pictures|*.jpg|Dangling text"), QStringList{"Pictures (*.jpg)"});
    EXPECT_EQ(qtNameFilters(""), QStringList());
}

// --- the file system --------------------------------------------------------------------------

class ToolboxFiles : public ::testing::Test {
protected:
    QString make(const QString &name)
    {
        const QString path = dir_.filePath(name);
        test::writeFile(path, "x");
        return path;
    }
    QTemporaryDir dir_;
};

TEST_F(ToolboxFiles, FileExists)
{
    const QString plain = make("plain.jpg");
    const QString hidden = make(".hidden.jpg");
    const QString readOnly = make("read-only.jpg");
    QFile::setPermissions(readOnly, QFile::ReadOwner);
    ASSERT_TRUE(QDir(dir_.path()).mkdir("album"));

    EXPECT_TRUE(FileExists(plain));
    EXPECT_TRUE(FileExists(hidden));
    EXPECT_TRUE(FileExists(readOnly));
    EXPECT_FALSE(FileExists(dir_.filePath("album")));  // a folder is no file
    EXPECT_FALSE(FileExists(dir_.path()));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(dir_.filePath("missing.jpg")));
}

TEST_F(ToolboxFiles, FolderExistsLeavesTheCurrentFolderAlone)
{
    const QString before = QDir::currentPath();
    EXPECT_TRUE(FolderExists(dir_.path()));
    EXPECT_FALSE(FolderExists(make("file.txt")));
    EXPECT_FALSE(FolderExists(dir_.filePath("missing")));
    EXPECT_FALSE(FolderExists(""));
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST(Toolbox, AppFolderEndsInExactlyOneSeparator)
{
    setAppFolderForTesting(QString());
    const QString real = AppFolder();
    EXPECT_EQ(real, QCoreApplication::applicationDirPath() + '/');

    const struct {
        const char *given;
        const char *expected;
    } cases[] = {{"/opt/plakatron", "/opt/plakatron/"}, {"/opt/plakatron/", "/opt/plakatron/"},
                 {"/opt/plakatron//", "/opt/plakatron/"}, {"/", "/"}};
    for (const auto &c : cases) {
        setAppFolderForTesting(QString::fromLatin1(c.given));
        EXPECT_EQ(AppFolder(), QString::fromLatin1(c.expected)) << c.given;
    }
    setAppFolderForTesting(QString());
    EXPECT_EQ(AppFolder(), real);
}

TEST(Toolbox, SpecialFolderPath)
{
    // The test main points HOME at a temporary folder, so this is never the real documents folder.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    ASSERT_FALSE(documents.isEmpty());
    EXPECT_EQ(SpecialFolderPath(CSIDL_PERSONAL), documents + '/');
    EXPECT_EQ(defaultPictureFolder(), documents + '/');
    EXPECT_EQ(SpecialFolderPath(CSIDL_MYPICTURES),
              QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) + '/');
    for (long unknown : {-1L, 3L, 0x2AL, 9999L})
        EXPECT_EQ(SpecialFolderPath(unknown), QString()) << unknown;
}

// --- the file dialog, through its seam --------------------------------------------------------

class FileDialogSeam : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = installFileDialogHandler([this](const FileDialogRequest &request) {
            requests.push_back(request);
            return answer;
        });
    }
    void TearDown() override { installFileDialogHandler(previous_); }

    std::vector<FileDialogRequest> requests;
    FileDialogAnswer answer;
    FileDialogHandler previous_;
};

TEST_F(FileDialogSeam, OpenPictureDialogAsks)
{
    answer = {true, "/home/anna/Pictures/tower.jpeg", 1};
    EXPECT_EQ(openPictureDialog(nullptr, "/home/anna/Pictures/"), "/home/anna/Pictures/tower.jpeg");
    ASSERT_EQ(requests.size(), 1u);
    const FileDialogRequest &r = requests.front();
    EXPECT_EQ(r.title, "Open Picture");
    EXPECT_EQ(r.initialFolder, "/home/anna/Pictures/");
    EXPECT_EQ(r.nameFilters, QStringList{"Supported formats (*.jpg *.bmp *.gif *.ico *.wmf)"});
    EXPECT_EQ(r.filterIndex, 1);
    EXPECT_FALSE(r.saveDialog);
    EXPECT_FALSE(r.fileMustExist);  // a typed name of a missing file is handed on
    EXPECT_TRUE(r.fileName.isEmpty());
}

TEST_F(FileDialogSeam, ResultLosesBlanksAndNuls)
{
    int index = 1;
    answer = {true, QString("  /tmp/my photo.jpg  ") + QChar(u'\0') + QChar(u'\0'), 1};
    EXPECT_EQ(ShowFileDialog("All|*.*", nullptr, "/tmp", "", 0, false, index), "/tmp/my photo.jpg");
    EXPECT_EQ(requests.back().title, appTitle());  // an empty title is the application's
}

TEST_F(FileDialogSeam, CancelGivesEmptyAndHandsBackTheFilterIndex)
{
    int index = 2;
    answer = {false, "/ignored.jpg", 2};
    EXPECT_EQ(ShowFileDialog("A|*.a|B|*.b", nullptr, "/tmp", "T", 0, false, index), QString());
    EXPECT_EQ(requests.back().filterIndex, 2);
    EXPECT_EQ(index, 2);

    answer = {true, "/x.b", 2};
    index = 7;  // beyond the list: the dialog starts on the first entry
    ShowFileDialog("A|*.a|B|*.b", nullptr, "/tmp", "T", 0, false, index);
    EXPECT_EQ(requests.back().filterIndex, 1);
    EXPECT_EQ(index, 2);
}

TEST_F(FileDialogSeam, FlagsAndSaveMode)
{
    int index = 1;
    answer = {true, "/x.a", 1};
    ShowFileDialog("A|*.a", nullptr, "/tmp", "Save", OFN_OVERWRITEPROMPT, true, index, "poster.a");
    EXPECT_TRUE(requests.back().saveDialog);
    EXPECT_TRUE(requests.back().confirmOverwrite);
    EXPECT_EQ(requests.back().fileName, "poster.a");
    ShowFileDialog("A|*.a", nullptr, "/tmp", "Open", OFN_FILEMUSTEXIST, false, index);
    EXPECT_TRUE(requests.back().fileMustExist);
}

TEST_F(FileDialogSeam, OverlongFileNameFailsBeforeTheDialog)
{
    int index = 1;
    EXPECT_NO_THROW(ShowFileDialog("A|*.a", nullptr, "/tmp", "T", 0, false, index, QString(254, 'n')));
    const std::size_t asked = requests.size();
    try {
        ShowFileDialog("A|*.a", nullptr, "/tmp", "T", 0, false, index, QString(255, 'n'));
        FAIL() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), 5);
    }
    EXPECT_EQ(requests.size(), asked);
}

// The real QFileDialog, answered from inside its own event loop.
TEST(RealFileDialog, OpensWhereAskedAndReturnsTheChoice)
{
    QTemporaryDir dir;
    const QString chosen = dir.filePath("typed-but-missing.jpeg");
    QString seenFolder, seenTitle;
    QStringList seenFilters;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seenFolder = dialog->directory().absolutePath();
        seenTitle = dialog->windowTitle();
        seenFilters = dialog->nameFilters();
        dialog->selectFile(chosen);
        QMetaObject::invokeMethod(dialog, &QDialog::accept);
    });
    EXPECT_EQ(openPictureDialog(nullptr, dir.path()), chosen);
    EXPECT_EQ(seenFolder, QDir(dir.path()).absolutePath());
    EXPECT_EQ(seenTitle, "Open Picture");
    EXPECT_EQ(seenFilters, QStringList{"Supported formats (*.jpg *.bmp *.gif *.ico *.wmf)"});

    QTimer::singleShot(0, [] {
        if (auto *dialog = QApplication::activeModalWidget())
            dialog->close();
    });
    EXPECT_EQ(openPictureDialog(nullptr, dir.path()), QString());
}

// --- the shell, through its seam --------------------------------------------------------------

class ShellSeam : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = installShellOpenHandler([this](const QUrl &url) {
            opened.push_back(url);
            return succeed;
        });
    }
    void TearDown() override { installShellOpenHandler(previous_); }

    std::vector<QUrl> opened;
    bool succeed = true;
    ShellOpenHandler previous_;
    QTemporaryDir dir_;
};

TEST_F(ShellSeam, MissingLocalFileGivesZeroAndOpensNothing)
{
    EXPECT_EQ(ShellOpen(dir_.filePath("help/index.htm")), 0);
    EXPECT_EQ(ShellOpen(""), 0);
    EXPECT_EQ(ShellOpen(QUrl::fromLocalFile(dir_.filePath("gone.htm")).toString()), 0);
    EXPECT_TRUE(opened.empty());
}

TEST_F(ShellSeam, ExistingFileAndAddressesAreHandedToTheDesktop)
{
    QDir(dir_.path()).mkdir("help");
    const QString page = dir_.filePath("help/index.htm");
    test::writeFile(page, "<html></html>");

    EXPECT_GT(ShellOpen(page), 32);
    EXPECT_GT(ShellOpen("help/index.htm", dir_.path()), 32);  // relative to the given folder
    EXPECT_GT(ShellOpen("https://plakatron.example.org/"), 32);
    EXPECT_GT(ShellOpen("mailto:posters@plakatron.example.org?Subject=Sending cool poster-picture!"), 32);
    ASSERT_EQ(opened.size(), 4u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(page));
    EXPECT_EQ(opened[1], QUrl::fromLocalFile(page));
    EXPECT_EQ(opened[2], QUrl("https://plakatron.example.org/"));
    EXPECT_EQ(opened[3].scheme(), "mailto");

    succeed = false;
    EXPECT_EQ(ShellOpen("https://plakatron.example.org/"), 31);
}

}  // namespace
