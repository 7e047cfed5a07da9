// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmMain.h"

#include "app/Languages.h"
#include "app/StoredSettings.h"
#include "app/WindowLoading.h"
#include "core/MessageBox.h"
#include "core/NumberText.h"
#include "core/Numeric.h"
#include "core/ProgramWide.h"
#include "core/RuntimeError.h"
#include "input/DropRules.h"
#include "input/OpenPicture.h"
#include "input/PictureLoader.h"
#include "input/ProgramFolders.h"
#include "input/Toolbox.h"
#include "layout/GridView.h"
#include "layout/PreviewBox.h"
#include "layout/frmWait.h"
#include "printing/AssemblyMap.h"
#include "printing/modPrinter.h"
#include "ui/Design.h"
#include "ui/ProgramIcon.h"
#include "ui/frmHelp.h"
#include "ui/frmSettings.h"
#include "ui/frmSplash.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStatusBar>
#include <QTimer>
#include <array>

namespace plakatron {

namespace {
// The resolution list as the window shows it: "Auto" in the user's language.
QStringList resolutionDisplayEntries(const Paper &paper)
{
    QStringList entries = resolutionEntries(paper);
    for (QString &entry : entries)
        if (entry == autoResolutionEntry())
            entry = autoResolutionDisplayEntry();
    return entries;
}

frmMain *&mainWindowSlot()
{
    static frmMain *window = nullptr;
    return window;
}
}  // namespace

frmMain *mainWindow() { return mainWindowSlot(); }

// The window as a layout pass sees it.
class frmMain::Surface final : public LayoutSurface {
public:
    explicit Surface(frmMain &w) : w_(w) {}
    void setSheetsListIndex(int index) override
    {
        // The clamped value is written back without starting a second pass.
        const QSignalBlocker blocker(w_.cmbA4Width);
        w_.cmbA4Width->setCurrentIndex(index);
    }
    void clearPreview() override
    {
        w_.picPreview->clear();
        // No page shown, none named.
        w_.lbPreview->setText(frmMain::tr("Preview:"));
        w_.picPreview->setAccessibleName(frmMain::tr("Preview, empty"));
        w_.document_.clearPreview();
    }
    void rebuildGridView() override
    {
        const Poster &p = w_.poster();
        w_.picGrid->rebuild(p.picture, p.settings, w_.document_.grid());
    }
    void repaintGridView() override { w_.picGrid->update(); }

private:
    frmMain &w_;
};

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    mainWindowSlot() = this;
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    setWindowIcon(programIcon());
    buildWidgets();
    buildMenus();
    printing_.setPrinterChosen([this] { return printerChosen(); });
    printing_.setReport([this](const QString &line) { showStatus(line); });
    Form_Load();
}

frmMain::~frmMain()
{
    if (!unloaded_)
        Form_Unload();
}

void frmMain::Form_Load()
{
    const StoredPosterChoices stored = readPosterChoices();
    programWide().HorizontalOverlap = static_cast<std::int16_t>(stored.overlap);
    programWide().VerticalOverlap = programWide().HorizontalOverlap;
    // Laid out first for a PDF file's sheet; the current printer's own is read once the window
    // shows, since making the printer asks the print server (a network printer may take long).
    document_.setSheet(pdfSheet(stored.paper));
    QTimer::singleShot(0, this, [this] {
        calibration_ = calibrationOf(currentPrinter());
        followSheet(currentSheet(poster().settings.Sheet.paper));
    });
    {
        const QSignalBlocker blocker(cmbPaper);
        cmbPaper->addItems(paperDisplayEntries());
        cmbPaper->setCurrentIndex(paperEntries().indexOf(paperText(stored.paper)));
    }

    {
        // Filled without notifications and left without a selection, so that restoring a stored
        // index always counts as a selection change.
        const QSignalBlocker blocker(cmbA4Width);
        cmbA4Width->addItems(sheetsAcrossEntries());
        cmbA4Width->setCurrentIndex(-1);
    }
    // Runs a first pass while the page size is still 0; that pass is abandoned silently.
    cmbA4Width->setCurrentIndex(stored.sheetsIndex);
    // The size asked for only now: restoring the list's selection would give it up.
    document_.setSize(stored.size);
    txtPosterSize->setText(stored.size.isSet() ? posterSizeText(stored.size) : QString());
    {
        const QSignalBlocker blocker(cmbResox);
        cmbResox->addItems(resolutionDisplayEntries(stored.paper));
        cmbResox->setCurrentIndex(-1);
    }
    fitPaperList();
    setWindowTitle(QStringLiteral("Plakatron V") + versionText());
    lbPreview->setText(tr("Preview:"));
    // The first complete pass.
    cmbResox->setCurrentIndex(stored.resolutionIndex);

    showPaperCaptions();

    restorePlace();
}

// The window as designed, centred on the screen.
QRect frmMain::designedPlace() const
{
    QRect place(QPoint(0, 0), minimumSize());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        place.moveCenter(screen->availableGeometry().center());
    return place;
}

void frmMain::restorePlace()
{
    setMinimumSize(sizeHint());
    const QRect designed = designedPlace();
    resize(designed.size());
    move(designed.topLeft());
    const QByteArray stored = readWindowPlace();
    if (!stored.isEmpty())
        restoreGeometry(stored);  // one that does not read keeps the designed place
}

void frmMain::Form_Unload()
{
    unloaded_ = true;
    writePosterChoices({cmbA4Width->currentIndex(), cmbResox->currentIndex(), programWide().HorizontalOverlap,
                        document_.choices().sheet.paper, document_.choices().size});
    // The size and place, unless the window is as it starts (designed and centred).
    const QRect designed = designedPlace();
    const bool asDesigned = !isMaximized() && !isFullScreen() && pos() == designed.topLeft() && size() == designed.size();
    writeWindowPlace(asDesigned ? QByteArray() : saveGeometry());
    tmrGrid->stop();
    document_.releaseBuffers();
    if (mainWindowSlot() == this)
        mainWindowSlot() = nullptr;
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (!unloaded_)
        Form_Unload();
    event->accept();
}

void frmMain::mnuQuit_Click() { close(); }

// A new overlap lays the poster out again at once: the labels follow it as the pages do.
void frmMain::mnuSettings_Click()
{
    const std::int16_t before = programWide().HorizontalOverlap;
    showSettingsDialog(this);
    if (programWide().HorizontalOverlap != before)
        RecomputeLayout();
}

void frmMain::mnuAbout_Click() { showSplash(this); }

void frmMain::mnuInst_Click()
{
    // Beside the program, else where an installation put it; in a browser, else in a window of
    // the program's own.
    const QString folder = helpFolder(modToolbox::AppFolder());
    const QString page = helpPage(folder, installedLanguage());
    const long opened = modToolbox::ShellOpen(page, folder, this);
    if (opened == 0)
        showStatus(tr("The instructions are missing: %1").arg(QDir::toNativeSeparators(page)));
    else if (opened <= 32)
        showHelpWindow(this, page);
}

void frmMain::cmbResox_Click()
{
    chooseResolution();
    RecomputeLayout();
}

void frmMain::chooseResolution()
{
    if (cmbResox->currentText() == autoResolutionDisplayEntry())
        document_.setAutoResolution();
    else
        skippingErrors([&] { document_.setPagePixelWidth(Val(cmbResox->currentText())); });
}

void frmMain::showResolutions(const Paper &paper, int index)
{
    const QSignalBlocker blocker(cmbResox);
    cmbResox->clear();
    cmbResox->addItems(resolutionDisplayEntries(paper));
    cmbResox->setCurrentIndex(index);
}

void frmMain::RecomputeLayout()
{
    Surface surface(*this);
    document_.layOut(cmbA4Width->currentIndex() + 1.0, programWide().HorizontalOverlap, surface);
    if (document_.choices().size.isSet() && grid().GridColumns >= 1) {
        // The list shows the columns the size asked for took.
        const QSignalBlocker blocker(cmbA4Width);
        cmbA4Width->setCurrentIndex(std::min<int>(grid().GridColumns, cmbA4Width->count()) - 1);
    }
    showLabels();
    describeGridView();
}

void frmMain::cmbA4Width_Click()
{
    if (document_.choices().size.isSet()) {
        document_.setSize({});
        txtPosterSize->clear();
    }
    RecomputeLayout();
}

void frmMain::refuseChoice(const QString &message)
{
    {
        const QSignalBlocker blocker(cmbPaper);
        cmbPaper->setCurrentIndex(paperEntries().indexOf(paperText(document_.choices().sheet.paper)));
    }
    // Written back before the message takes the keyboard, so losing it reads no new text.
    const PosterSize &size = document_.choices().size;
    txtPosterSize->setText(size.isSet() ? posterSizeText(size) : QString());
    MsgBox(message, MsgIcon::Exclamation, MsgButtons::Ok, this);
}

PrintSheet frmMain::currentSheet(const Paper &paper)
{
    return {paper, printableAreas_.of(currentPrinter(), paper), calibration_};
}

bool frmMain::usePaper(const Paper &paper)
{
    const PrintSheet sheet = currentSheet(paper);
    PosterChoices candidate = document_.choicesWith(cmbA4Width->currentIndex() + 1.0, programWide().HorizontalOverlap);
    candidate.sheet = sheet;
    if (const QString problem = choicesProblem(QSizeF(sourcePicture().size()), candidate); !problem.isEmpty()) {
        refuseChoice(problem);
        return false;
    }
    const Paper before = document_.choices().sheet.paper;
    document_.setSheet(sheet);
    {
        const QSignalBlocker blocker(cmbPaper);
        cmbPaper->setCurrentIndex(paperEntries().indexOf(paperText(paper)));
    }
    // A larger paper takes more pixels, a smaller one fewer.
    if (paper != before) {
        showResolutions(paper, resolutionIndexOnPaper(cmbResox->currentIndex(), before, paper));
        chooseResolution();
    }
    showPaperCaptions();
    RecomputeLayout();
    return true;
}

void frmMain::cmbPaper_Click()
{
    if (const std::optional<Paper> paper = parsePaper(cmbPaper->currentText()))
        usePaper(*paper);
}

void frmMain::txtPosterSize_Change()
{
    const QString text = txtPosterSize->text().trimmed();
    PosterSize size;
    if (!text.isEmpty()) {
        const std::optional<PosterSize> parsed = parsePosterSize(text);
        if (!parsed) {
            refuseChoice(notAPosterSizeMessage(text));
            return;
        }
        size = *parsed;
    }
    if (size == document_.choices().size)
        return;
    PosterChoices candidate = document_.choicesWith(cmbA4Width->currentIndex() + 1.0, programWide().HorizontalOverlap);
    candidate.size = size;
    if (const QString problem = choicesProblem(QSizeF(sourcePicture().size()), candidate); !problem.isEmpty()) {
        refuseChoice(problem);
        return;
    }
    document_.setSize(size);
    RecomputeLayout();
}

void frmMain::followSheet(const PrintSheet &sheet)
{
    if (sheet == poster().settings.Sheet)
        return;
    if (document_.reprintOn(sheet)) {
        showLabels();
        return;
    }
    document_.setSheet(sheet);
    RecomputeLayout();
}

bool frmMain::printerChosen()
{
    QPrinter &printer = currentPrinter();
    printableAreas_.remember(printer);
    calibration_ = calibrationOf(printer);
    const std::optional<Paper> paper = paperOf(printer);
    if (!paper)
        return true;  // a paper the window does not offer: the pages as laid out, as large as fit
    if (*paper != poster().settings.Sheet.paper) {
        if (usePaper(*paper))
            MsgBox(tr("The print dialog chose %1 paper: the poster is now laid out for it. Check its size "
                                  "and pages, then print again.")
                       .arg(paperDisplayText(*paper)),
                   MsgIcon::Information, MsgButtons::Ok, this);
        return false;
    }
    // Another printer, or margins chosen in the dialog: the same pages with true labels, unless a
    // size asked for takes another grid there (the pages chosen would be others).
    const auto layout = [this] { return std::pair(grid().GridColumns, grid().GridRows); };
    const auto before = layout();
    followSheet(currentSheet(*paper));
    if (layout() == before)
        return true;
    MsgBox(tr("On the printer chosen in the print dialog the poster takes other pages. Check its size and "
                          "pages, then print again."),
           MsgIcon::Information, MsgButtons::Ok, this);
    return false;
}

void frmMain::mnuCalibrate_Click()
{
    printing_.PrintCalibrationSheet(poster().settings.Sheet.paper);
    // The printer chosen for the sheet is the current one now, and its calibration may be new.
    calibration_ = calibrationOf(currentPrinter());
    followSheet(currentSheet(poster().settings.Sheet.paper));
}

void frmMain::showPaperCaptions()
{
    const QString paper = paperSizeName(document_.choices().sheet.paper.size);
    Label2->setText(tr("&Width in %1:").arg(paper));
    Label3->setText(tr("Height in %1:").arg(paper));
    Label5->setText(tr("%1 &X resolution:").arg(paper));
    for (QLabel *caption : {Label2, Label5})
        caption->adjustSize();
    cmbA4Width->setAccessibleName(tr("Width in %1").arg(paper));
    cmbResox->setAccessibleName(tr("%1 X resolution").arg(paper));
    lbA4Height->setAccessibleDescription(tr("The poster's height in %1 sheets").arg(paper));

    const QString widthTip = tr("Input here the width of the final image in %1 sheets").arg(paper);
    const QString resolutionTip = tr(
        "Pixel resolution of one %1 printer page in the width dimension. Defines how smooth the image is "
        "interpolated while blowing it up. You can see the effect by inserting small values.").arg(paper);
    cmbA4Width->setToolTip(wrappedToolTip(widthTip));
    cmbResox->setToolTip(wrappedToolTip(resolutionTip));
    cmbA4Width->setAccessibleDescription(widthTip);
    cmbResox->setAccessibleDescription(resolutionTip);
    showLabels();  // their accessible names carry the captions
}

void frmMain::tmrGrid_Timer() { picGrid->tick(poster().settings, grid()); }

void frmMain::picGrid_MouseMove() { tmrGrid_Timer(); }

bool frmMain::selectPage(std::int32_t page)
{
    std::int16_t selected = 0;
    try {
        selected = CInt(page);
    } catch (const RuntimeError &) {
        return false;  // a page number beyond 16 bits: the click is ignored
    }
    PageGrid &grid = document_.grid();
    const std::int16_t selectedBefore = grid.SelectedPage;
    grid.SelectedPage = selected;
    describeGridView();
    // The page already in the preview is not rendered again; one the keyboard selected is shown now.
    if (selected == previewPage())
        return true;
    const std::int16_t previewBefore = previewPage();
    const QString caption = lbPreview->text();
    document_.setPreviewPage(selected);
    lbPreview->setText(tr("Preview: (page %1)").arg(Str(selected)));
    if (!RenderPreview()) {
        // The page could not be had: the preview still shows the page before, and the selection
        // stays as it was.
        document_.setPreviewPage(previewBefore);
        grid.SelectedPage = selectedBefore;
        lbPreview->setText(caption);
        describeGridView();
        return false;
    }
    return true;
}

void frmMain::popupMenu(QPoint globalPosition)
{
    DoEvents();
    mnu->popup(globalPosition);
}

// Clicks outside the poster's pages (the white strip right of or below the grid) select nothing.
void frmMain::picGrid_MouseDown(Qt::MouseButton button, QPointF position)
{
    if (button != Qt::LeftButton)
        return;
    if (const std::optional<std::int32_t> page = pageAt(position, poster().settings, grid()))
        selectPage(*page);
}

void frmMain::picGrid_MouseUp(Qt::MouseButton button, QPointF position, QPoint globalPosition)
{
    if (button != Qt::RightButton)
        return;
    const std::optional<std::int32_t> page = pageAt(position, poster().settings, grid());
    if (page && selectPage(*page))
        popupMenu(globalPosition);
}

// The menu's entry prints the selected page, so the preview shows that page first (the arrows
// may have selected one it does not show yet).
void frmMain::picPreview_MouseUp(Qt::MouseButton, QPoint globalPosition)
{
    if (showSelectedPage())
        mnu->popup(globalPosition);
}

void frmMain::picGrid_KeyStep(PageStep step)
{
    const std::optional<std::int32_t> to = pageAfterStep(grid().SelectedPage, step, poster().settings, grid());
    if (!to || *to == grid().SelectedPage)
        return;  // no grid, or already at the poster's edge
    try {
        document_.grid().SelectedPage = CInt(*to);
    } catch (const RuntimeError &) {
        return;  // a page number beyond 16 bits, which a click cannot select either
    }
    describeGridView();
    tmrGrid_Timer();  // the boxes follow at once, as the pointer box follows the mouse
}

bool frmMain::showSelectedPage()
{
    return isPosterPage(grid().SelectedPage, poster().settings, grid()) && selectPage(grid().SelectedPage);
}

void frmMain::picGrid_KeyShow() { showSelectedPage(); }

void frmMain::picGrid_KeyMenu()
{
    // The platform may send both the key and a menu request.
    if (mnu->isVisible() || !showSelectedPage())
        return;
    QPoint at = picGrid->mapToGlobal(picGrid->rect().center());
    skippingErrors([&] { at = picGrid->globalPosition(selectedPageBox(grid().SelectedPage, poster().settings).center()); });
    popupMenu(at);
}

void frmMain::picPreview_KeyMenu()
{
    if (!mnu->isVisible() && showSelectedPage())
        mnu->popup(picPreview->mapToGlobal(picPreview->rect().center()));
}

void frmMain::describeGridView()
{
    picGrid->setAccessibleName(gridViewAccessibleName(poster().settings, grid()));
}

bool frmMain::RenderPreview()
{
    frmWait *wait = nullptr;
    bool made = true;
    try {
        wait = waitWindow(this);
        wait->showNow();
        DoEvents();
        // Read after the yield: keys handled there may have moved the selection, and a layout
        // pass there may have emptied the preview, which then stays empty.
        if (previewPage() >= 1)
            made = RenderPage(previewPage(), true);
    } catch (const RuntimeError &e) {
        MsgBox(errorWithNumber(e), MsgIcon::Critical, MsgButtons::Ok, this);
    }
    if (frmWait *loaded = loadedWaitWindow())
        loaded->unload();
    return made;
}

bool frmMain::RenderPage(std::int16_t pageNumber, bool showInPreview)
{
    const PageResult result = document_.renderPage(pageNumber);
    // Each step that failed, in turn, before the page is shown.
    for (const QString &warning : result.warnings)
        MsgBox(warning, MsgIcon::Exclamation, MsgButtons::Ok, this);
    if (result.made && showInPreview) {
        // A4 portrait pages fill the box as they always did; other papers keep their shape.
        showPreviewPicture();
        picPreview->setAccessibleName(tr("Preview of page %1").arg(previewPage()));
    }
    return result.made;
}

const QImage &frmMain::pageCanvas() const { return document_.pageCanvas(); }

void frmMain::showPreviewPicture()
{
    const bool designed = picPreview->size() == QSize(290, 400);
    picPreview->showPage(pageCanvas(), !designed || !poster().settings.Sheet.paper.isA4Portrait());
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == client_ && event->type() == QEvent::Resize) {
        placeWidgets();
        tmrResize->start();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Showing at a stored size: the pictures for it at once, never small first.
    tmrResize->stop();
    tmrResize_Timer();
}

void frmMain::tmrResize_Timer()
{
    if (unloaded_)
        return;
    if (grid().GridColumns >= 1 && picGrid->interiorSize() != QSize(CLng(grid().GridViewWidth), CLng(grid().GridViewHeight))) {
        // The boxes over it follow with the next tick, as after a layout pass; a failed pass left no
        // grid to draw.
        skippingErrors([this] {
            const Poster &p = poster();
            picGrid->rebuild(p.picture, p.settings, document_.grid());
        });
    }
    if (previewPage() >= 1 && !picPreview->picture().isNull()
        && picPreview->picture().size() != devicePixels(picPreview->interiorSize(), picPreview->devicePixelRatioF()))
        showPreviewPicture();
}

QString frmMain::statusLine() const { return lbStatus->text(); }

void frmMain::showStatus(const QString &line)
{
    refusalShown_ = false;
    lbStatus->setText(line);
}

void frmMain::mnuOpenPicture_Click()
{
    QString path;
    try {
        const QString lastFolder = GetSetting(settingkeys::Section, settingkeys::LastFolder, defaultPictureFolder());
        path = openPictureDialog(this, lastFolder);
        if (path.isEmpty())
            return;
        // Remembered before loading, so the folder is kept even when the picture fails to load.
        SaveSetting(settingkeys::Section, settingkeys::LastFolder, modToolbox::FolderOfPath(path));
    } catch (const RuntimeError &e) {
        MsgBox(describeWithCode(e), MsgIcon::Exclamation, MsgButtons::Ok, this);
        return;
    }
    UpdatePictureFile(path);
}

void frmMain::UpdatePictureFile(const QString &path, int pdfPage)
{
    try {
        std::optional<Picture> picture = loadPictureForWindow(path, this, PictureRequest{pdfPage, true});
        if (!picture)
            return;  // the window is closing
        document_.setPicture(std::move(*picture), path);
    } catch (const RuntimeError &e) {
        MsgBox(loadFailureMessage(path, e), MsgIcon::Exclamation, MsgButtons::Ok, this);
        showPdfPage();  // back to the page the picture is
        return;
    }
    showPdfPage();
    RecomputeLayout();
}

void frmMain::spnPdfPage_Change()
{
    if (spnPdfPage->value() != poster().picture.documentPage().number && !document_.picturePath().isEmpty())
        UpdatePictureFile(document_.picturePath(), spnPdfPage->value());
}

void frmMain::showPdfPage()
{
    const DocumentPage page = poster().picture.documentPage();
    const bool shown = page.count > 1;
    {
        const QSignalBlocker blocker(spnPdfPage);
        spnPdfPage->setRange(1, std::max(page.count, 1));
        spnPdfPage->setValue(page.number);
    }
    lbPdfPages->setText(tr("of %1").arg(page.count));
    // Wider where a language's words or a long count need it; the page box moves left with it.
    lbPdfPages->setFixedWidth(std::max(52, lbPdfPages->sizeHint().width()));
    placePdfPageControls();
    spnPdfPage->setAccessibleDescription(tr("The page of the PDF the poster is made from, of %1").arg(page.count));
    for (QWidget *w : std::initializer_list<QWidget *>{lbPdfPage, spnPdfPage, lbPdfPages})
        w->setVisible(shown);
}

int frmMain::picGrid_OLEDragOver(const QMimeData &data) const { return dragOverEffect(data); }

int frmMain::dragOver(const QMimeData &data)
{
    const int effect = picGrid_OLEDragOver(data);
    if (const QString refusal = dropRefusal(data); !refusal.isEmpty()) {
        if (statusLine() != refusal)
            showStatus(refusal);
        refusalShown_ = true;
    } else if (refusalShown_) {
        showStatus(QString());
    }
    return effect;
}

void frmMain::dragEnterEvent(QDragEnterEvent *event) { dragMoveEvent(event); }

void frmMain::dragMoveEvent(QDragMoveEvent *event)
{
    if (dragOver(*event->mimeData()) == dropEffectCopy) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void frmMain::dropEvent(QDropEvent *event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
    picGrid_OLEDragDrop(*event->mimeData());
}

void frmMain::picGrid_OLEDragDrop(const QMimeData &data)
{
    const DropDecision decision = checkDrop(data);
    switch (decision.action) {
    case DropDecision::Action::Ignore:
        return;
    case DropDecision::Action::Unsupported:
        MsgBox(unsupportedFormatMessage(), MsgIcon::Exclamation, MsgButtons::Ok, this);
        return;
    case DropDecision::Action::Load:
        UpdatePictureFile(decision.path);
        return;
    }
}

void frmMain::cmdPrint_Click() { PrintNow(0); }

// With no page selected (0) this prints all pages.
void frmMain::mnuPrintThisPicture_Click() { PrintNow(grid().SelectedPage); }

void frmMain::PrintNow(std::int32_t singlePage) { printing_.PrintNow(poster(), singlePage); }

void frmMain::mnuPrintAssemblyMap_Click() { printing_.PrintAssemblyMap(poster()); }

void frmMain::mnuPrintPage_Click()
{
    if (showSelectedPage())
        PrintNow(grid().SelectedPage);
}

AssemblyMap frmMain::assemblyMap() { return AssemblyMap(poster()); }

void frmMain::showLabels()
{
    const LayoutLabels &l = labels();
    lbA4Height->setText(l.lbA4Height);
    lbFinalImageWidth->setText(l.lbFinalImageWidth);
    lbFinalImageHeight->setText(l.lbFinalImageHeight);
    lbTotalPages->setText(l.lbTotalPages);
    lbResolution->setText(l.lbResolution);
    lbResolution->setAccessibleName(tr("Print resolution %1").arg(l.lbResolution));
    // A screen reader reads each value with its caption.
    const std::pair<QLabel *, QLabel *> pairs[] = {
        {Label3, lbA4Height}, {Label6, lbFinalImageWidth}, {Label7, lbFinalImageHeight}, {Label9, lbTotalPages}};
    for (const auto &[caption, value] : pairs)
        value->setAccessibleName(caption->text() + u' ' + value->text());
    placeSizeRow();
}

void frmMain::fitPaperList()
{
    const auto fieldWidth = [](const QComboBox *list) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        return list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list).width();
    };
    const auto widestEntry = [](const QComboBox *list) {
        int widest = 0;
        for (int i = 0; i < list->count(); ++i)
            widest = std::max(widest, list->fontMetrics().horizontalAdvance(list->itemText(i)));
        return widest;
    };
    const int more = widestEntry(cmbPaper) - fieldWidth(cmbPaper);
    if (more <= 0)
        return;
    const int spare = std::max(0, fieldWidth(cmbResox) - std::max(widestEntry(cmbResox), 40));
    const int taken = std::min(more, spare);
    cmbResox->resize(cmbResox->width() - taken, cmbResox->height());
    cmbPaper->setGeometry(cmbPaper->x() - taken, cmbPaper->y(), cmbPaper->width() + taken, cmbPaper->height());
    Label11->move(cmbPaper->x(), Label11->y());
}

void frmMain::placeSizeRow()
{
    struct Place {
        QLabel *caption;
        QLabel *value;
        int captionX;  // as designed
        int valueX;
    };
    const std::array<Place, 4> row{{{Label3, lbA4Height, 16, DesignHeightValueLeft},
                                    {Label6, lbFinalImageWidth, 196, 302},
                                    {Label7, lbFinalImageHeight, 404, 514},
                                    {Label9, lbTotalPages, 624, 700}}};
    const int y = lbA4Height->y();
    const int right = DesignClientSize.width() - 8;
    const QFontMetrics valueFont(lbA4Height->font());
    // Room for a value: its text, and never less than a long one, so that the captions do not
    // move with each new poster.
    const auto room = [&](const QLabel *value, const QString &longest) {
        return std::max(valueFont.horizontalAdvance(value->text()), valueFont.horizontalAdvance(longest));
    };
    const auto pack = [&](bool wrapped) {
        int next = 0;
        for (const Place &p : row) {
            QLabel *caption = p.caption;
            caption->setWordWrap(wrapped);
            caption->adjustSize();
            if (wrapped) {
                // The narrowest width that takes the caption in two lines, centred on the values' line.
                const QFontMetrics m(caption->font());
                const QString text = caption->text();
                const auto height = [&](int w) {
                    return m.boundingRect(QRect(0, 0, w, 1000), Qt::TextWordWrap | Qt::TextShowMnemonic, text).height();
                };
                int width = caption->width() / 2;
                while (width < caption->width() && height(width) > 2 * m.lineSpacing())
                    width += 2;
                caption->resize(width, height(width));
            }
            caption->move(std::max(p.captionX, next), y - (caption->height() - p.value->height()) / 2);
            p.value->move(std::max(p.valueX, caption->geometry().right() + 7), y);
            const bool last = p.value == lbTotalPages;
            next = p.value->x() + room(p.value, last ? QStringLiteral("8888") : QStringLiteral("88m 88.8cm")) + 10;
        }
        return next - 10;
    };
    if (pack(false) > right)
        pack(true);
    // Each value as wide as the room to the next caption allows; the last one to the window's edge.
    for (std::size_t i = 0; i < row.size(); ++i) {
        QLabel *value = row[i].value;
        value->setFixedWidth(i + 1 < row.size() ? std::min(DesignValueWidth, row[i + 1].caption->x() - 4 - value->x())
                                                : right - value->x());
    }
}

}  // namespace plakatron
