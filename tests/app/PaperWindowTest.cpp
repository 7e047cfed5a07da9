// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's paper and size asked for: the texts that name the paper, the place of every
// control at the designed size, sizes typed and refused, the overlap from the settings dialog in
// the labels at once, the stored keys, and a printer's calibration from the window.
#include "app/StoredSettings.h"
#include "app/frmMain.h"
#include "core/ProgramWide.h"
#include "input/Toolbox.h"
#include "layout/PreviewBox.h"
#include "printing/PrinterSheet.h"
#include "printing/modPrinter.h"
#include "support/ModalDriver.h"
#include "support/PdfTools.h"
#include "support/TestCups.h"
#include "support/AppWindow.h"
#include "ui/frmCalibrate.h"
#include "ui/frmSettings.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <optional>
#include <gtest/gtest.h>

using namespace plakatron;

namespace {

class PaperWindow : public test::AppWindow {
protected:
    void SetUp() override
    {
        AppWindow::SetUp();
        resetCurrentPrinter();
        open();
    }
    void TearDown() override
    {
        AppWindow::TearDown();
        if (dialogBefore) {
            setPrintDialogFunction(*dialogBefore);
            modToolbox::setAppFolderForTesting(QString());
        }
        resetCurrentPrinter();
    }
    // The print dialog answered with Print, on the printer `choose` sets up.
    void answerPrintDialog(std::function<void(QPrinter &)> choose)
    {
        modToolbox::setAppFolderForTesting(dir.path());  // no printer.dat of the build's
        dialogBefore = setPrintDialogFunction([choose](const PrintDialogRequest &request) {
            choose(request.printer);
            return true;
        });
    }
    // The sheets list, the paper, the size typed and the labels as the user reads them.
    std::string shown() const
    {
        QStringList texts{child("cmbA4Width")->currentText(), child("cmbPaper")->currentText(),
                          child<QLineEdit>("txtPosterSize")->text()};
        for (const char *name : {"lbA4Height", "lbFinalImageWidth", "lbFinalImageHeight", "lbTotalPages"})
            texts << child<QLabel>(name)->text();
        return texts.join(u'|').toStdString();
    }
    // The two size labels.
    std::string sizes() const
    {
        return QString(child<QLabel>("lbFinalImageWidth")->text() + u'|' + child<QLabel>("lbFinalImageHeight")->text()).toStdString();
    }
    // The texts that name the paper.
    std::string named() const
    {
        return QStringList({child<QLabel>("Label2")->text(), child<QLabel>("Label3")->text(), child<QLabel>("Label5")->text(),
                            child("cmbA4Width")->accessibleName(), child("cmbResox")->accessibleName(),
                            child("cmbA4Width")->toolTip().replace(u'\n', u' ')})
            .join(u'|')
            .toStdString();
    }

    std::optional<PrintDialogFunction> dialogBefore;
};

}  // namespace

// On every paper the texts name it (A4 portrait's are the program's own, byte for byte), the
// labels follow its page shape, and the preview keeps the page's shape. (That nothing overlaps or
// is cut off on any paper: the pseudo-language's test, whose texts are longer.)
TEST_F(PaperWindow, ThePaperChosenIsNamedLaidOutAndShown)
{
    const QString texts = QStringLiteral("&Width in %1:|Height in %1:|%1 &X resolution:|Width in %1|%1 X resolution|"
                                         "Input here the width of the final image in %1 sheets");
    const struct { const char *paper, *name, *shown; } rows[] = {
        {"Tabloid landscape", "Tabloid", "3 pages *|Tabloid landscape||2.95|1m  17.9cm|74cm|9"},
        {"Letter portrait", "Letter", "3 pages *|Letter portrait||1.48|59.3cm|38cm|6"},
        {"A4 portrait", "A4", "3 pages *|A4 portrait||1.35|57.6cm|37cm|6"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.paper);
        child("cmbPaper")->setCurrentText(QString::fromUtf8(r.paper));
        EXPECT_EQ(named(), texts.arg(QLatin1String(r.name)).toStdString());
        EXPECT_EQ(shown(), r.shown);
        window->picGrid_MouseDown(Qt::LeftButton, QPointF(10, 10));
        // The page in the preview: stretched over the box on A4 portrait (its picture from the top),
        // else in its own shape, centred (the box's ground above it).
        const QImage &box = child<PreviewBox>("picPreview")->picture();
        EXPECT_EQ(qGray(box.pixel(box.width() / 2, 6)) < 200, QString::fromUtf8(r.paper) == QLatin1String("A4 portrait"));
    }
    EXPECT_TRUE(messages.messages().empty());
}

// A width or height typed lays the picture out at that size; what is no size, or no size this
// picture can be laid out at on this paper, is refused in a message and the poster stays as it
// was (which sizes make no poster: Paper.ChoicesThatMakeNoPoster); an empty entry, or a choice
// from the sheets list, goes back to the sheets from the list.
TEST_F(PaperWindow, ASizeAskedForOrRefused)
{
    const struct { const char *typed; const char *shown; const char *message; } rows[] = {
        {"150cm", "8 pages|A4 portrait|150cm|3.54|1m  50cm|95.7cm|32", nullptr},
        {"abc", "8 pages|A4 portrait|150cm|3.54|1m  50cm|95.7cm|32",
         "'abc' is not a poster size: give a number and a unit (mm, cm, m or in), such as 150cm, 1.5m or 40in high."},
        {"40in high", "9 pages|A4 portrait|40in high|3.74|1m  58.6cm|1m  1.6cm|36", nullptr},
        // Back to whole sheets: as many as the size took.
        {"", "9 pages|A4 portrait||4.05|1m  73.9cm|1m  10.9cm|45", nullptr},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.typed);
        messages.clear();
        type(r.typed);
        EXPECT_EQ(shown(), r.shown);
        ASSERT_EQ(messages.messages().size(), r.message ? 1u : 0u);
        if (r.message) {
            EXPECT_EQ(messages.messages()[0].text.toStdString(), r.message);
        }
    }
    // A choice in the list gives the size up.
    type("150cm");
    child("cmbA4Width")->setCurrentIndex(1);
    EXPECT_EQ(shown(), "2 pages|A4 portrait||0.90|38.4cm|24.6cm|2");
    // A paper on which the size asked for cannot be laid out is refused; the paper stays.
    type("7.5m");
    messages.clear();
    child("cmbPaper")->setCurrentText(QStringLiteral("A5 portrait"));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text,
              QStringLiteral("A poster 7.5m wide needs more than 40 sheets of A5 portrait across, the most a poster has."));
    EXPECT_EQ(child("cmbPaper")->currentText(), QStringLiteral("A4 portrait"));
    EXPECT_EQ(window->poster().settings.Sheet.paper, Paper{});
}

// The overlap chosen in the settings dialog is in the labels and cuts the pages as soon as it
// closes.
TEST_F(PaperWindow, TheLabelsFollowTheOverlapWhenTheSettingsDialogCloses)
{
    const struct { int choose; bool close; const char *labels; int overlap; } rows[] = {
        {20, true, "49.4cm|33.1cm", 20},  // «Close» takes the overlap
        {3, false, "49.4cm|33.1cm", 20},  // the close box does not: nothing laid out again
        {3, true, "57.6cm|37cm", 3},
    };
    for (const auto &r : rows) {
        test::whileModal<frmSettings>(0, &frmSettings::current, [&](frmSettings &dialog) {
            dialog.cmbOverlab()->setCurrentIndex(r.choose);
            if (r.close)
                dialog.Command1()->click();
            else
                dialog.reject();
        });
        window->mnuSettings_Click();
        EXPECT_EQ(sizes(), r.labels);
        EXPECT_EQ(window->poster().settings.Overlap, r.overlap);
    }
}

// The paper and the size are stored under keys of their own, only where they are not the defaults
// (so a poster on A4 leaves the file as it always was), and the resolution as its index in the
// paper's own list. (What a stored key that is not ours reads as: the settings' table.)
TEST_F(PaperWindow, ThePaperTheSizeAndTheResolutionAreStored)
{
    window->close();
    const QString file = settingsFilePath();
    EXPECT_EQ(test::contentOf(file), "[General]\nOverlap=3\nPW=2\nResX=17\n");
    open();
    child("cmbPaper")->setCurrentText(QStringLiteral("Legal landscape"));
    type("2m");
    child("cmbResox")->setCurrentText(QStringLiteral("Auto"));  // past the end of A4's list
    window->close();
    EXPECT_TRUE(test::contentOf(file).contains("Paper=Legal landscape\nPosterSize=2m\nResX=34\n")) << test::contentOf(file).toStdString();
    open();
    EXPECT_EQ(shown(), "7 pages|Legal landscape|2m|6.54|2m  0cm|1m  24.5cm|49");
    EXPECT_EQ(child("cmbResox")->currentText(), QStringLiteral("Auto"));
    child("cmbPaper")->setCurrentText(QStringLiteral("A4 portrait"));
    type("");
    window->close();
    EXPECT_EQ(test::contentOf(file), "[General]\nOverlap=3\nPW=10\nResX=30\n");
}

// "Print calibration sheet...": the sheet on the printer chosen, then the two lengths measured on
// it; stored for that printer they correct the labels (the poster keeps its pages). A length that
// gives no calibration is refused and the one before stays. A PDF file asks for none.
TEST_F(PaperWindow, ACalibrationFromTheWindow)
{
    QString queue;
    answerPrintDialog([&](QPrinter &printer) {
        if (queue.isEmpty())
            printer.setOutputFileName(dir.filePath(QStringLiteral("sheet.pdf")));
        else
            printer.setPrinterName(queue);
    });
    window->mnuCalibrate_Click();
    EXPECT_EQ(test::pdfPageCount(dir.filePath(QStringLiteral("sheet.pdf"))), 1);
    EXPECT_TRUE(messages.messages().empty());

    if (!test::testCupsOut().isEmpty()) {
        queue = QStringLiteral("Office");
        const struct { const char *across, *down; const char *message; const char *labels; } rows[] = {
            {"183,6", "270", nullptr, "58.7cm|37.7cm"},
            {"100", "270", "A ruler that measures 0.555556 times its length is a misreading, not a printer: a calibration "
                           "lies between 0.8 and 1.25.", "58.7cm|37.7cm"},
            {"180 mm", "about 270", "'about 270' is not a length in millimetres.", "58.7cm|37.7cm"},
            {"180", "270", nullptr, "57.6cm|37cm"},
        };
        for (const auto &r : rows) {
            SCOPED_TRACE(r.across);
            messages.clear();
            // The lengths typed once the dialog asks for them, after the job.
            QTimer typing;
            QObject::connect(&typing, &QTimer::timeout, [&] {
                if (auto *measured = qobject_cast<frmCalibrate *>(QApplication::activeModalWidget())) {
                    typing.stop();
                    measured->txtAcross()->setText(QString::fromUtf8(r.across));
                    measured->txtDown()->setText(QString::fromUtf8(r.down));
                    measured->accept();
                }
            });
            typing.start(20);
            window->mnuCalibrate_Click();
            EXPECT_FALSE(typing.isActive()) << "the lengths were asked for";
            ASSERT_EQ(messages.messages().size(), r.message ? 1u : 0u);
            if (r.message) {
                EXPECT_EQ(messages.messages()[0].text.toStdString(), r.message);
            }
            EXPECT_EQ(sizes(), r.labels);
            EXPECT_EQ(window->grid().pageCount(), 6);
        }
    }
}

// Margins chosen in the print dialog (or another printer): the labels follow them and the poster
// prints, its pages as they were; where a size asked for takes other pages there, it is laid out
// again and nothing is printed until the user has seen it.
TEST_F(PaperWindow, ThePosterFollowsTheMarginsChosenInThePrintDialog)
{
    const QString pdf = dir.filePath(QStringLiteral("poster.pdf"));
    double margin = 0;
    answerPrintDialog([&](QPrinter &printer) {
        printer.setOutputFileName(pdf);
        printer.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
    });
    const struct { const char *size; double margin; const char *shown; int printed; } rows[] = {
        {"", 6, "3 pages *|A4 portrait||1.35|56.2cm|36.1cm|6", 6},
        {"", 3.5, "3 pages *|A4 portrait||1.35|57.6cm|37cm|6", 6},
        {"2m", 3.5, "11 pages|A4 portrait|2m|4.71|2m  0cm|1m  27.8cm|55", 55},
        {"2m", 6, "11 pages|A4 portrait|2m|4.83|2m  0cm|1m  28cm|55", 55},
        {"2m", 20, "13 pages|A4 portrait|2m|5.66|2m  0cm|1m  28.2cm|78", -1},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << r.size << ", " << r.margin << " mm");
        type(r.size);
        margin = r.margin;
        QFile::remove(pdf);
        messages.clear();
        window->cmdPrint_Click();
        EXPECT_EQ(shown(), r.shown);
        EXPECT_EQ(test::pdfPageCount(pdf), r.printed);
        if (r.printed < 0) {
            ASSERT_EQ(messages.messages().size(), 1u);
            EXPECT_EQ(messages.messages()[0].text, QStringLiteral("On the printer chosen in the print dialog the poster "
                                                                  "takes other pages. Check its size and pages, then print again."));
        }
    }
}

// The resolution list runs to the paper's 300 ppi and "Auto"; another paper keeps 300 ppi at 300
// ppi and "Auto" at "Auto". The line under the list says what the print will be and fits its
// place on every paper.
TEST_F(PaperWindow, ResolutionsFollowThePaperAndTheLineSaysWhatThePrintWillBe)
{
    QComboBox *list = child("cmbResox");
    const auto line = [&] { return child<QLabel>("lbResolution")->text().toStdString(); };
    EXPECT_EQ(list->count(), 31);
    EXPECT_EQ(line(), "103 ppi on A4, picture 39 ppi (blown up)");
    const struct { const char *paper, *resolution, *chosen, *line; } rows[] = {
        {nullptr, "2480", "2480", "313 ppi on A4, picture 38 ppi (blown up)"},
        {"A3 portrait", nullptr, "3508", "309 ppi on A3, picture 27 ppi (blown up)"},
        {"Tabloid landscape", nullptr, "5100", "310 ppi on Tabloid, picture 18 ppi (blown up)"},
        {"A5 portrait", nullptr, "1748", "318 ppi on A5, picture 55 ppi (blown up)"},
        {nullptr, "Auto", "Auto", "800 px: 148 ppi on A5, picture 56 ppi (blown up)"},
        {"A4 portrait", nullptr, "Auto", "800 px: 103 ppi on A4, picture 39 ppi (blown up)"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.paper ? r.paper : r.resolution);
        if (r.paper)
            child("cmbPaper")->setCurrentText(QString::fromUtf8(r.paper));
        else
            list->setCurrentText(QString::fromUtf8(r.resolution));
        EXPECT_EQ(list->currentText().toStdString(), r.chosen);
        EXPECT_EQ(list->itemText(list->count() - 1), QStringLiteral("Auto"));
        EXPECT_EQ(line(), r.line);
        EXPECT_EQ(child<QLabel>("lbResolution")->accessibleName().toStdString(), std::string("Print resolution ") + r.line);
        EXPECT_LE(child<QLabel>("lbResolution")->sizeHint().width(), child<QLabel>("lbResolution")->width());
    }
    // Between the list and the separator under the row.
    const QRect placed = child<QLabel>("lbResolution")->geometry();
    EXPECT_GE(placed.top(), list->geometry().bottom());
    EXPECT_LT(placed.bottom(), window->findChild<QWidget *>(QStringLiteral("line3d1_2"))->y());
}
