// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's design: its widgets at their places, their names, captions, mnemonics and
// accessible texts, the menus, and the connections of their events to the window's handlers.
#include "app/frmMain.h"

#include "layout/GridView.h"
#include "layout/PreviewBox.h"
#include "ui/Design.h"
#include "ui/line3d.h"

#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <array>

namespace plakatron {

void frmMain::buildWidgets()
{
    auto *client = new QWidget(this);
    client_ = client;
    client->setMinimumSize(DesignClientSize);
    client->resize(DesignClientSize);
    setCentralWidget(client);

    const auto label = [client](const char *name, const QString &text, int x, int y, bool bold = false) {
        auto *l = new QLabel(text, client);
        l->setObjectName(QLatin1String(name));
        l->move(x, y);
        if (bold) {
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
        }
        l->adjustSize();
        return l;
    };

    label("Label10", tr("Source Picture:"), 16, 3, true);
    picGrid = new GridView(client);
    picGrid->setObjectName(QStringLiteral("picGrid"));
    picGrid->setGeometry(16, 20, 440, 401);
    picGrid->setAccessibleDescription(tr(
        "The picture with its pages. Arrow keys, Home and End select a page, Enter or Space shows it in "
        "the preview, the Menu key opens the print menu."));

    // The page of a PDF of several pages, right above the grid view's corner; hidden otherwise.
    lbPdfPage = label("lbPdfPage", tr("P&DF page:"), 0, 3);
    spnPdfPage = new QSpinBox(client);
    spnPdfPage->setObjectName(QStringLiteral("spnPdfPage"));
    spnPdfPage->setAccessibleName(tr("PDF page"));
    spnPdfPage->setKeyboardTracking(false);  // a page is loaded when the number is complete
    lbPdfPage->setBuddy(spnPdfPage);
    lbPdfPages = label("lbPdfPages", QString(), 0, 3);
    lbPdfPages->setFixedWidth(52);
    spnPdfPage->resize(62, 20);
    placePdfPageControls();
    for (QWidget *w : std::initializer_list<QWidget *>{lbPdfPage, spnPdfPage, lbPdfPages})
        w->hide();

    lbPreview = label("lbPreview", tr("Preview:"), 474, 4, true);
    lbPreview->setFixedWidth(290);
    picPreview = new PreviewBox(client);
    picPreview->setObjectName(QStringLiteral("picPreview"));
    picPreview->setGeometry(474, 22, 290, 400);
    picPreview->setAccessibleName(tr("Preview, empty"));
    picPreview->setAccessibleDescription(
        tr("The selected page as it will be printed. The Menu key opens the print menu."));

    // Etched separators: under the picture area, above and below the row of lists.
    for (int i = 0; i < 3; ++i) {
        auto *separator = new line3d(client);
        separator->setObjectName(QStringLiteral("line3d1_%1").arg(i));
        separator->setGeometry(8, std::array{430, 462, 522}[i], 767, 30);
    }

    const int sizeRow = 440;
    Label3 = label("Label3", tr("Height in A4:"), 16, sizeRow);
    lbA4Height = label("lbA4Height", QString(), DesignHeightValueLeft, sizeRow, true);
    Label6 = label("Label6", tr("Final image width:"), 196, sizeRow);
    lbFinalImageWidth = label("lbFinalImageWidth", QString(), 302, sizeRow, true);
    Label7 = label("Label7", tr("Final image height:"), 404, sizeRow);
    lbFinalImageHeight = label("lbFinalImageHeight", QString(), 514, sizeRow, true);
    Label9 = label("Label9", tr("Total pages:"), 624, sizeRow);
    lbTotalPages = label("lbTotalPages", QString(), 700, sizeRow, true);
    for (QLabel *value : {lbA4Height, lbFinalImageWidth, lbFinalImageHeight, lbTotalPages})
        value->setFixedWidth(DesignValueWidth);
    // (The page count's value would run past the window's edge.)
    lbTotalPages->setFixedWidth(DesignClientSize.width() - 8 - lbTotalPages->x());
    lbA4Height->setAccessibleDescription(tr("The poster's height in A4 sheets"));
    lbFinalImageWidth->setAccessibleDescription(tr("The printed poster's width, overlaps taken off"));
    lbFinalImageHeight->setAccessibleDescription(tr("The printed poster's height, overlaps taken off"));
    lbTotalPages->setAccessibleDescription(tr("The number of sheets the poster is printed on"));

    const int listRow = 468;
    // Each control of the row has its caption above it, which is its label for screen readers and
    // carries its mnemonic (Alt+W, Alt+X, Alt+P, Alt+S).
    const auto captioned = [&](auto *control, const char *name, QLabel *&caption, const char *captionName,
                               const QString &text, int x, int width, const QString &accessibleName) {
        caption = label(captionName, text, x, listRow);
        control->setObjectName(QLatin1String(name));
        control->setGeometry(x, listRow + 16, width, 24);
        control->setAccessibleName(accessibleName);
        caption->setBuddy(control);
        return control;
    };
    cmbA4Width = captioned(new QComboBox(client), "cmbA4Width", Label2, "Label2", tr("&Width in A4:"), 16,
                           150, tr("Width in A4"));
    cmbA4Width->setMaxVisibleItems(20);
    cmbResox = captioned(new QComboBox(client), "cmbResox", Label5, "Label5", tr("A4 &X resolution:"), 196,
                         150, tr("A4 X resolution"));
    cmbResox->setMaxVisibleItems(24);
    // What the print will be, in a line under the list, in the room above the separator: the
    // page's ppi and the picture's. It may run on under the paper list, which has nothing below.
    lbResolution = label("lbResolution", QString(), 196, listRow + 41);
    {
        QFont small = lbResolution->font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        lbResolution->setFont(small);
    }
    lbResolution->setFixedSize(518 - 8 - 196, QFontMetrics(lbResolution->font()).height());
    lbResolution->setAccessibleDescription(
        tr("The print's pixels per inch on the paper, and the picture's own, marked when it is blown up"));

    // The paper and a size asked for, between the lists and the Print button.
    const auto tip = [](QWidget *control, const QString &text) {
        control->setToolTip(wrappedToolTip(text));
        control->setAccessibleDescription(text);
    };
    cmbPaper = captioned(new QComboBox(client), "cmbPaper", Label11, "Label11", tr("&Paper:"), 366, 142,
                         tr("Paper"));
    cmbPaper->setMaxVisibleItems(12);
    tip(cmbPaper, tr("The paper the poster is printed on, and which way it lies"));
    txtPosterSize = captioned(new QLineEdit(client), "txtPosterSize", Label12, "Label12", tr("Poster &size:"),
                              518, 132, tr("Poster size"));
    txtPosterSize->setPlaceholderText(tr("e.g. 150cm"));
    tip(txtPosterSize, tr("The finished poster's width (150cm, 1.5m, 60in) or height (40in high) in place "
                                      "of the sheets across; empty for the sheets from the list"));

    cmdPrint = new QPushButton(tr("Print"), client);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrint->setGeometry(664, listRow + 10, 100, 32);
    // Ctrl+P is File > Print's, which does the same.
    cmdPrint->setAccessibleDescription(tr("Prints every page of the poster"));

    connect(cmbA4Width, &QComboBox::currentIndexChanged, this, &frmMain::cmbA4Width_Click);
    connect(cmbResox, &QComboBox::currentIndexChanged, this, &frmMain::cmbResox_Click);
    connect(spnPdfPage, &QSpinBox::valueChanged, this, &frmMain::spnPdfPage_Change);
    connect(cmbPaper, &QComboBox::currentIndexChanged, this, &frmMain::cmbPaper_Click);
    connect(txtPosterSize, &QLineEdit::editingFinished, this, &frmMain::txtPosterSize_Change);
    connect(picGrid, &GridView::pointerMoved, this, &frmMain::picGrid_MouseMove);
    connect(picGrid, &GridView::pressed, this, &frmMain::picGrid_MouseDown);
    connect(picGrid, &GridView::released, this, &frmMain::picGrid_MouseUp);
    connect(picPreview, &PreviewBox::released, this, &frmMain::picPreview_MouseUp);
    connect(picGrid, &GridView::stepped, this, &frmMain::picGrid_KeyStep);
    connect(picGrid, &GridView::activated, this, &frmMain::picGrid_KeyShow);
    connect(picGrid, &GridView::menuRequested, this, &frmMain::picGrid_KeyMenu);
    // The focus frame comes and goes with the next tick, run from the event loop rather than from
    // inside the focus change (a tick yields to pending events).
    connect(picGrid, &GridView::focusChanged, this, &frmMain::tmrGrid_Timer, Qt::QueuedConnection);
    connect(picPreview, &PreviewBox::menuRequested, this, &frmMain::picPreview_KeyMenu);
    connect(picPreview, &PreviewBox::resolutionChanged, this, [this] {
        // The same page drawn again for the new screen; no wait window for a redraw.
        if (previewPage() >= 1 && !picPreview->picture().isNull())
            RenderPage(previewPage(), true);
    });
    connect(picGrid, &GridView::dropped, this, &frmMain::picGrid_OLEDragDrop);
    picGrid->setDragOverHandler([this](const QMimeData &data) { return dragOver(data); });
    // A picture dropped anywhere else on the window (the preview, the lists) is taken as well.
    setAcceptDrops(true);
    connect(cmdPrint, &QPushButton::clicked, this, &frmMain::cmdPrint_Click);

    tmrGrid = new QTimer(this);
    tmrGrid->setObjectName(QStringLiteral("tmrGrid"));
    tmrGrid->setInterval(250);
    connect(tmrGrid, &QTimer::timeout, this, &frmMain::tmrGrid_Timer);
    tmrGrid->start();

    // The status line: what the last print did, why a drag was refused. A label of its own, so
    // that the menus' hints shown over it give it back when they go.
    lbStatus = new QLabel(statusBar());
    lbStatus->setObjectName(QStringLiteral("lbStatus"));
    // Read by its text, so a screen reader hears each new line.
    lbStatus->setAccessibleDescription(tr("What the last print or drag did"));
    lbStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long line (a long file name) is cut off rather than widen the window.
    lbStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lbStatus->setMinimumWidth(1);
    statusBar()->setObjectName(QStringLiteral("sbStatus"));
    statusBar()->addWidget(lbStatus, 1);

    // A resize places the widgets at once; their pictures follow once it has stopped.
    tmrResize = new QTimer(this);
    tmrResize->setObjectName(QStringLiteral("tmrResize"));
    tmrResize->setSingleShot(true);
    tmrResize->setInterval(60);
    connect(tmrResize, &QTimer::timeout, this, &frmMain::tmrResize_Timer);
    client->installEventFilter(this);
}

void frmMain::placeWidgets()
{
    const QSize extra = (client_->size() - DesignClientSize).expandedTo(QSize(0, 0));
    const QSize move = extra - placedExtra_;
    placedExtra_ = extra;
    for (QWidget *w : client_->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (w == picGrid || w == picPreview || w == lbPreview || w->y() < 20)
            continue;  // the views and their titles, placed below
        QRect g = w->geometry().translated(0, move.height());
        if (w == cmdPrint)
            g.translate(move.width(), 0);
        else if (qobject_cast<line3d *>(w))
            g.setWidth(g.width() + move.width());
        w->setGeometry(g);
    }
    // The preview grows in its designed shape, the picture view takes the rest.
    const QSize designPreview(290, 400);
    const int previewHeight = designPreview.height() + extra.height();
    const int previewWider = std::clamp(
        qRound(double(designPreview.width()) * previewHeight / designPreview.height()) - designPreview.width(), 0,
        extra.width() / 2);
    const int viewsWider = extra.width() - previewWider;
    picGrid->setGeometry(16, 20, 440 + viewsWider, 401 + extra.height());
    picPreview->setGeometry(474 + viewsWider, 22, designPreview.width() + previewWider, previewHeight);
    lbPreview->move(474 + viewsWider, lbPreview->y());
    lbPreview->setFixedWidth(designPreview.width() + previewWider);
    placePdfPageControls();
}

void frmMain::placePdfPageControls()
{
    // Right above the grid view's top right corner, wherever that is.
    lbPdfPages->move(picGrid->geometry().right() + 1 - lbPdfPages->width(), 3);
    spnPdfPage->move(lbPdfPages->x() - 66, 0);
    lbPdfPage->move(spnPdfPage->x() - 4 - lbPdfPage->width(), 3);
}

void frmMain::buildMenus()
{
    // Mnemonics (the letter after "&", shown underlined) and the platform's usual shortcuts; a
    // platform without a Quit key gets Ctrl+Q.
    QMenu *mnuFile = menuBar()->addMenu(tr("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    const auto action = [](QMenu *menu, const char *name, const QString &text, QKeySequence::StandardKey key,
                           const QKeySequence &otherwise = {}) {
        QAction *a = menu->addAction(text);
        a->setObjectName(QLatin1String(name));
        const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
        if (!keys.isEmpty())
            a->setShortcuts(keys);
        else if (!otherwise.isEmpty())
            a->setShortcut(otherwise);
        return a;
    };
    mnuOpenPicture = action(mnuFile, "mnuOpenPicture", tr("&Open Picture..."), QKeySequence::Open);
    mnuFile->addSeparator();
    // The print commands: every page (the Print button's), the selected page, the assembly map.
    mnuPrint = action(mnuFile, "mnuPrint", tr("&Print"), QKeySequence::Print);
    mnuPrintPage = action(mnuFile, "mnuPrintPage", tr("Print pa&ge..."), QKeySequence::UnknownKey);
    mnuPrintMap = action(mnuFile, "mnuPrintMap", tr("Print assembly &map..."), QKeySequence::UnknownKey);
    connect(mnuPrint, &QAction::triggered, this, &frmMain::cmdPrint_Click);
    connect(mnuPrintPage, &QAction::triggered, this, &frmMain::mnuPrintPage_Click);
    connect(mnuPrintMap, &QAction::triggered, this, &frmMain::mnuPrintAssemblyMap_Click);
    connect(mnuFile, &QMenu::aboutToShow, this,
            [this] { mnuPrintPage->setEnabled(isPosterPage(grid().SelectedPage, poster().settings, grid())); });
    mnuFile->addSeparator();
    mnuSettings = action(mnuFile, "mnuSettings", tr("&Settings"), QKeySequence::UnknownKey);
    mnuCalibrate = action(mnuFile, "mnuCalibrate", tr("Print &calibration sheet..."), QKeySequence::UnknownKey);
    mnuFile->addSeparator();
    mnuInst = action(mnuFile, "mnuInst", tr("&Instructions"), QKeySequence::HelpContents);
    mnuAbout = action(mnuFile, "mnuAbout", tr("&About"), QKeySequence::UnknownKey);
    mnuFile->addSeparator();
    mnuQuit = action(mnuFile, "mnuQuit", tr("E&xit"), QKeySequence::Quit,
                     QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(mnuQuit, &QAction::triggered, this, &frmMain::mnuQuit_Click);
    connect(mnuOpenPicture, &QAction::triggered, this, &frmMain::mnuOpenPicture_Click);
    connect(mnuSettings, &QAction::triggered, this, &frmMain::mnuSettings_Click);
    connect(mnuCalibrate, &QAction::triggered, this, &frmMain::mnuCalibrate_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    connect(mnuInst, &QAction::triggered, this, &frmMain::mnuInst_Click);

    mnu = new QMenu(this);
    mnu->setObjectName(QStringLiteral("mnu"));
    mnuPrintThisPicture =
        action(mnu, "mnuPrintThisPicture", tr("&Print this picture..."), QKeySequence::UnknownKey);
    connect(mnuPrintThisPicture, &QAction::triggered, this, &frmMain::mnuPrintThisPicture_Click);
    mnuPrintAssemblyMap =
        action(mnu, "mnuPrintAssemblyMap", tr("Print assembly &map..."), QKeySequence::UnknownKey);
    connect(mnuPrintAssemblyMap, &QAction::triggered, this, &frmMain::mnuPrintAssemblyMap_Click);
}

}  // namespace plakatron
