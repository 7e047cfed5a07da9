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
#include "support/TestSupport.h"
#include "ui/frmCalibrate.h"
#include "ui/frmSettings.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace plakatron;

namespace {

class PaperWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(settingsFilePath());
        QLocale::setDefault(QLocale::c());
        resetCurrentPrinter();
        open();
    }
    void TearDown() override
    {
        if (window)
            window->close();
        resetCurrentPrinter();
    }
    void open()
    {
        window = std::make_unique<frmMain>();
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
    }
    template <typename Widget = QComboBox>
    Widget *child(const char *name) const { return window->findChild<Widget *>(QLatin1String(name)); }
    // The size asked for, typed and confirmed with Enter.
    void type(const char *size)
    {
        auto *entry = child<QLineEdit>("txtPosterSize");
        entry->setText(QString::fromUtf8(size));
        Q_EMIT entry->editingFinished();
    }
    // The choices and the labels as the user reads them.
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
    // Pairs of visible controls that overlap, and controls not wholly inside the window.
    QStringList clashes() const
    {
        QStringList found;
        QWidget *client = window->centralWidget();
        std::vector<QWidget *> controls;
        for (QWidget *w : client->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            if (w->isVisible() && !w->objectName().startsWith(QLatin1String("line3d")))
                controls.push_back(w);
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (!client->rect().contains(controls[i]->geometry()))
                found << controls[i]->objectName() + QStringLiteral(" cut off");
            for (std::size_t j = i + 1; j < controls.size(); ++j)
                if (controls[i]->geometry().intersects(controls[j]->geometry()))
                    found << controls[i]->objectName() + u'/' + controls[j]->objectName();
        }
        // A label shows its whole text.
        for (QLabel *label : client->findChildren<QLabel *>())
            if (label->isVisible() && label->fontMetrics().horizontalAdvance(label->text().remove(u'&')) > label->width())
                found << label->objectName() + QStringLiteral(" too narrow");
        return found;
    }

    test::MessageCapture messages;
    std::unique_ptr<frmMain> window;
};

}  // namespace

// On every paper the texts name it (A4 portrait's are the program's own, byte for byte), the
// labels follow its page shape, nothing overlaps or is cut off, and the preview keeps the page's
// shape. Each change of paper is one layout pass.
TEST_F(PaperWindow, ThePaperChosenIsNamedLaidOutAndShown)
{
    const std::string a4 = "&Width in A4:|Height in A4:|A4 &X resolution:|Width in A4|A4 X resolution|"
                           "Input here the width of the final image in A4 sheets";
    EXPECT_EQ(named(), a4);
    EXPECT_EQ(shown(), "3 pages *|A4 portrait||1.35|57.6cm|37cm|6");
    const struct { const char *paper, *named, *shown; } rows[] = {
        {"Tabloid landscape", "&Width in Tabloid:|Height in Tabloid:|Tabloid &X resolution:|Width in Tabloid|"
                              "Tabloid X resolution|Input here the width of the final image in Tabloid sheets",
         "3 pages *|Tabloid landscape||2.95|1m  17.9cm|74cm|9"},
        {"Letter portrait", "&Width in Letter:|Height in Letter:|Letter &X resolution:|Width in Letter|"
                            "Letter X resolution|Input here the width of the final image in Letter sheets",
         "3 pages *|Letter portrait||1.48|59.3cm|38cm|6"},
        {"A4 portrait", a4.c_str(), "3 pages *|A4 portrait||1.35|57.6cm|37cm|6"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.paper);
        child("cmbPaper")->setCurrentText(QString::fromUtf8(r.paper));
        EXPECT_EQ(named(), r.named);
        EXPECT_EQ(shown(), r.shown);
        EXPECT_EQ(clashes(), QStringList());
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
        {3, false, "49.4cm|33.1cm", 20},  // the title bar's close box does not
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
// (so a poster on A4 leaves the file as it always was); a key with nothing of ours in it reads as
// the default and leaves the other keys alone.
TEST_F(PaperWindow, ThePaperAndTheSizeAreStored)
{
    window->close();
    const QString file = settingsFilePath();
    const QByteArray plain = "[General]\nOverlap=3\nPW=2\nResX=17\n";
    EXPECT_EQ(test::contentOf(file), plain);
    open();
    child("cmbPaper")->setCurrentText(QStringLiteral("Legal landscape"));
    type("2m");
    window->close();
    EXPECT_TRUE(test::contentOf(file).contains("Paper=Legal landscape\nPosterSize=2m\n")) << test::contentOf(file).toStdString();
    open();
    EXPECT_EQ(shown(), "7 pages|Legal landscape|2m|6.54|2m  0cm|1m  24.5cm|49");
    child("cmbPaper")->setCurrentText(QStringLiteral("A4 portrait"));
    type("");
    window->close();
    EXPECT_EQ(test::contentOf(file), "[General]\nOverlap=3\nPW=10\nResX=17\n");

    for (const char *stored : {"Paper=B5 sideways\nPosterSize=lots\n", "Paper=\nPosterSize=0cm\n"}) {
        test::writeFile(file, "[General]\nOverlap=9\nPW=3\nResX=10\n" + QByteArray(stored));
        const StoredPosterChoices c = readPosterChoices();
        EXPECT_EQ(std::tuple(c.sheetsIndex, c.resolutionIndex, c.overlap), std::tuple(3, 10, 9)) << stored;
        EXPECT_EQ(c.paper, Paper{}) << stored;
        EXPECT_FALSE(c.size.isSet()) << stored;
    }
}

// "Print calibration sheet...": the sheet on the printer chosen, then the two lengths measured on
// it; stored for that printer they correct the labels (the poster keeps its pages). A length that
// gives no calibration is refused and the one before stays. A PDF file asks for none.
TEST_F(PaperWindow, ACalibrationFromTheWindow)
{
    QTemporaryDir dir;
    modToolbox::setAppFolderForTesting(dir.path());
    QString queue;
    const PrintDialogFunction before = setPrintDialogFunction([&](const PrintDialogRequest &request) {
        if (queue.isEmpty())
            request.printer.setOutputFileName(dir.filePath(QStringLiteral("sheet.pdf")));
        else
            request.printer.setPrinterName(queue);
        return true;
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
    setPrintDialogFunction(before);
    modToolbox::setAppFolderForTesting(QString());
}

// Margins chosen in the print dialog (or another printer): the labels follow them and the poster
// prints, its pages as they were; where a size asked for takes other pages there, it is laid out
// again and nothing is printed until the user has seen it.
TEST_F(PaperWindow, ThePosterFollowsTheMarginsChosenInThePrintDialog)
{
    QTemporaryDir dir;
    modToolbox::setAppFolderForTesting(dir.path());
    const QString pdf = dir.filePath(QStringLiteral("poster.pdf"));
    double margin = 0;
    const PrintDialogFunction before = setPrintDialogFunction([&](const PrintDialogRequest &request) {
        request.printer.setOutputFileName(pdf);
        request.printer.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
        return true;
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
    setPrintDialogFunction(before);
    modToolbox::setAppFolderForTesting(QString());
}

// The resolution list runs to the paper's 300 ppi and "Auto"; another paper keeps 300 ppi at 300
// ppi and "Auto" at "Auto". The line under the list says what the print will be, fits its place
// on every paper, and the choice is stored as its index in the paper's list (one past its end
// reads as the default).
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
        EXPECT_EQ(clashes(), QStringList());
    }
    // Between the list and the separator under the row.
    const QRect placed = child<QLabel>("lbResolution")->geometry();
    EXPECT_GE(placed.top(), list->geometry().bottom());
    EXPECT_LT(placed.bottom(), window->findChild<QWidget *>(QStringLiteral("line3d1_2"))->y());

    window->close();
    const QString file = settingsFilePath();
    EXPECT_TRUE(test::contentOf(file).contains("ResX=30\n")) << test::contentOf(file).toStdString();
    const struct { const char *stored, *chosen; } stored[] = {
        {"ResX=30\n", "Auto"},
        {"ResX=29\n", "2480"},
        {"ResX=31\n", "800 *"},  // past the end of A4's list
        {"Paper=A3 portrait\nResX=31\n", "3508"},
        {"Paper=A3 portrait\nResX=32\n", "Auto"},
        {"Paper=A3 portrait\nResX=33\n", "800 *"},
    };
    for (const auto &r : stored) {
        SCOPED_TRACE(r.stored);
        test::writeFile(file, "[General]\n" + QByteArray(r.stored));
        open();
        EXPECT_EQ(child("cmbResox")->currentText().toStdString(), r.chosen);
        window->close();
    }
}
