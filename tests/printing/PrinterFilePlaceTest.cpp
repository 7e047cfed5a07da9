// Where "printer.dat" lives: beside a portable copy, in the user's configuration folder beside
// the settings file for a program whose folder cannot be written; the rule on its own, the rule
// on a real disk, and the print dialog remembering its choices through the real window.
#include "app/StoredSettings.h"
#include "app/frmMain.h"
#include "input/Toolbox.h"
#include "printing/PrinterFileLocation.h"
#include "printing/StoredPrinter.h"
#include "printing/modPrinter.h"
#include "support/PdfTools.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace plakatron;

namespace {

TEST(PrinterFilePlace, BesideTheProgramWhereThatCanBeWrittenElseTheUsersOwn)
{
    const QString app = QStringLiteral("/opt/plakatron/");
    const QString config = QStringLiteral("/home/me/.config/Plakatron/");
    const QString beside = app + "printer.dat", own = config + "printer.dat";
    const struct { bool besideExists, besideWritable, configExists; QString read, write; } rows[] = {
        // A portable copy, as ever: its own file only.
        {false, true, false, {}, beside},
        {true, true, false, beside, beside},
        {true, true, true, beside, beside},
        {false, true, true, {}, beside},
        // An installed program: the user's own file once there is one; until then one beside the
        // program (an administrator's) starts the dialog.
        {false, false, false, {}, own},
        {false, false, true, own, own},
        {true, false, false, beside, own},
        {true, false, true, own, own},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << r.besideExists << r.besideWritable << r.configExists);
        const PrinterFilePlaces places = choosePrinterFilePlaces(app, config, {r.besideExists, r.besideWritable, r.configExists});
        EXPECT_EQ(places.read, r.read);
        EXPECT_EQ(places.write, r.write);
    }
}

TEST(PrinterFilePlace, WhatTheDiskSays)
{
    QTemporaryDir dir;
    const QString app = dir.filePath("app/"), config = dir.filePath("config/");
    ASSERT_TRUE(QDir().mkpath(app) && QDir().mkpath(config));
    const auto touch = [](const QString &path) { QFile f(path); return f.open(QIODevice::WriteOnly); };

    EXPECT_EQ(printerFilePlaces(app, config).write, app + "printer.dat");
    ASSERT_TRUE(touch(config + "printer.dat"));
    EXPECT_TRUE(printerFilePlaces(app, config).read.isEmpty()) << "a portable copy keeps to itself";
    // A folder named printer.dat beside the program: nobody, not even an administrator, can
    // write the file there.
    ASSERT_TRUE(QDir().mkpath(app + "printer.dat"));
    EXPECT_EQ(printerFilePlaces(app, config).read, config + "printer.dat");
    EXPECT_EQ(printerFilePlaces(app, config).write, config + "printer.dat");
    // A program folder the user may not write (where the system lets this user write anyway, as it
    // lets an administrator, the rule above covers it).
    const QString locked = dir.filePath("locked/");
    ASSERT_TRUE(QDir().mkpath(locked) && touch(locked + "printer.dat"));
    QFile::setPermissions(locked + "printer.dat", QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    if (!QFileInfo(locked).isWritable()) {
        EXPECT_EQ(printerFilePlaces(locked, config).read, config + "printer.dat");
        EXPECT_EQ(printerFilePlaces(locked, config).write, config + "printer.dat");
    }
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The program's folder cannot take printer.dat: the poster prints, and the dialog's choices come
// back from the user's configuration folder next time.
TEST(PrinterFilePlace, AnInstalledProgramRemembersTheDialogInTheUsersConfigurationFolder)
{
    QTemporaryDir dir;
    const QString app = dir.filePath("app/");
    ASSERT_TRUE(QDir().mkpath(app + "printer.dat"));
    const QString own = settingsFolder() + "printer.dat";
    QFile::remove(own);
    QDir(settingsFolder()).removeRecursively();  // not even the folder exists before the first print
    modToolbox::setAppFolderForTesting(app);
    const QString output = dir.filePath("poster.pdf");
    std::vector<PrinterRecords> seen;
    const PrintDialogFunction previous = setPrintDialogFunction([&](const PrintDialogRequest &request) {
        seen.push_back(request.records);
        request.printer.setOutputFileName(output);
        request.printer.setColorMode(QPrinter::GrayScale);
        return true;
    });
    test::MessageCapture messages;  // answers Yes to the confirmation
    resetCurrentPrinter();
    {
        frmMain window;
        window.show();
        for (int run = 0; run < 2; ++run) {
            QFile::remove(output);
            window.findChild<QPushButton *>(QStringLiteral("cmdPrint"))->click();
            EXPECT_EQ(test::pdfPageCount(output), 6);
            EXPECT_EQ(QFileInfo(own).size(), 184);
        }
        window.close();
    }
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].dialog.Flags & pd::PrintToFile, 0u);
    EXPECT_EQ(seen[1].dialog.Flags & pd::PrintToFile, pd::PrintToFile) << "the first dialog's choice came back";
    EXPECT_EQ(seen[1].devMode.dmColor, 1);
    EXPECT_TRUE(QFileInfo(app + "printer.dat").isDir());
    setPrintDialogFunction(previous);
    modToolbox::setAppFolderForTesting(QString());
    resetCurrentPrinter();
    QFile::remove(own);
}

}  // namespace
