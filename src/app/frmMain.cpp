#include "app/frmMain.h"

#include "app/StoredSettings.h"
#include "app/WindowLoading.h"
#include "core/Numeric.h"
#include "core/ProgramWide.h"
#include "core/RuntimeError.h"
#include "core/MessageBox.h"
#include "core/StopSignals.h"
#include "core/NumberText.h"
#include "layout/GridView.h"
#include "layout/PageSelection.h"
#include "layout/PreviewBox.h"
#include "layout/frmWait.h"
#include "printing/AssemblyMap.h"
#include "printing/PageRenderer.h"
#include "printing/PagesAhead.h"
#include "printing/PrintJob.h"
#include "printing/PrinterFileLocation.h"
#include "printing/StoredPrinter.h"
#include "printing/modPrinter.h"
#include "ui/Design.h"
#include "ui/ProgramIcon.h"
#include "input/DropRules.h"
#include "input/OpenPicture.h"
#include "input/PictureLoader.h"
#include "input/ProgramFolders.h"
#include "input/Toolbox.h"
#include "ui/frmSettings.h"
#include "ui/frmSplash.h"
#include "ui/line3d.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalBlocker>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <array>
#include <new>

namespace plakatron {

namespace {
frmMain *&mainWindowSlot()
{
    static frmMain *window = nullptr;
    return window;
}

// A new window appears asynchronously; until the window system has exposed it, repaint() draws
// nothing. Waits for that (at most a second) without taking any user input.
void waitUntilExposed(QWidget *window)
{
    QDeadlineTimer deadline(1000);
    while (window->windowHandle() && !window->windowHandle()->isExposed() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(2);
    }
}
}  // namespace

frmMain *mainWindow() { return mainWindowSlot(); }

// The window as a layout pass sees it.
class frmMain::Surface final : public LayoutSurface {
public:
    explicit Surface(frmMain &w) : w_(w) {}
    int sheetsListIndex() const override { return w_.cmbA4Width->currentIndex(); }
    void setSheetsListIndex(int index) override
    {
        // The clamped value is written back without starting a second pass.
        const QSignalBlocker blocker(w_.cmbA4Width);
        w_.cmbA4Width->setCurrentIndex(index);
    }
    void clearPreview() override
    {
        w_.picPreview->clear();
        w_.previewPage_ = 0;
        w_.picPreview->setAccessibleName(QStringLiteral("Preview, empty"));
        w_.renderer_->clearPageCanvas();
    }
    void rebuildGridView() override { w_.picGrid->rebuild(w_.sourcePic_, w_.poster_, w_.grid_); }
    void repaintGridView() override { w_.picGrid->update(); }

private:
    frmMain &w_;
};

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    mainWindowSlot() = this;
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    setWindowIcon(programIcon());
    sourcePic_ = QImage(QStringLiteral(":/plakatron/default.jpg")).convertToFormat(QImage::Format_RGB32);
    renderer_ = std::make_unique<PageRenderer>(PosterSource{&sourcePic_, &poster_, &grid_});
    renderer_->setMessageParent(this);
    buildWidgets();
    buildMenus();
    Form_Load();
}

frmMain::~frmMain()
{
    if (!unloaded_)
        Form_Unload();
}

void frmMain::buildWidgets()
{
    auto *client = new QWidget(this);
    client->setFixedSize(783, 537);
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

    label("Label10", QStringLiteral("Source Picture:"), 16, 3, true);
    picGrid = new GridView(client);
    picGrid->setObjectName(QStringLiteral("picGrid"));
    picGrid->setGeometry(16, 20, 440, 401);
    picGrid->setAccessibleDescription(QStringLiteral(
        "The picture with its pages. Arrow keys, Home and End select a page, Enter or Space shows it in "
        "the preview, the Menu key opens the print menu."));

    lbPreview = label("lbPreview", QStringLiteral("Preview:"), 474, 4, true);
    lbPreview->setFixedWidth(290);
    picPreview = new PreviewBox(client);
    picPreview->setObjectName(QStringLiteral("picPreview"));
    picPreview->setGeometry(474, 22, 290, 400);
    picPreview->setAccessibleName(QStringLiteral("Preview, empty"));
    picPreview->setAccessibleDescription(
        QStringLiteral("The selected page as it will be printed. The Menu key opens the print menu."));
    renderer_->setPreview([this](const QImage &page) {
        picPreview->showPage(page);
        picPreview->setAccessibleName(QStringLiteral("Preview of page ") + QString::number(previewPage_));
    });

    // Etched separators: under the picture area, above and below the row of lists.
    for (int i = 0; i < 3; ++i) {
        auto *separator = new line3d(client);
        separator->setObjectName(QStringLiteral("line3d1_%1").arg(i));
        separator->setGeometry(8, std::array{430, 462, 522}[i], 767, 30);
    }

    const int sizeRow = 440;
    Label3 = label("Label3", QStringLiteral("Height in A4:"), 16, sizeRow);
    lbA4Height = label("lbA4Height", QString(), 96, sizeRow, true);
    Label6 = label("Label6", QStringLiteral("Final image width:"), 196, sizeRow);
    lbFinalImageWidth = label("lbFinalImageWidth", QString(), 302, sizeRow, true);
    Label7 = label("Label7", QStringLiteral("Final image height:"), 404, sizeRow);
    lbFinalImageHeight = label("lbFinalImageHeight", QString(), 514, sizeRow, true);
    Label9 = label("Label9", QStringLiteral("Total pages:"), 624, sizeRow);
    lbTotalPages = label("lbTotalPages", QString(), 700, sizeRow, true);
    for (QLabel *value : {lbA4Height, lbFinalImageWidth, lbFinalImageHeight, lbTotalPages})
        value->setFixedWidth(90);
    lbA4Height->setAccessibleDescription(QStringLiteral("The poster's height in A4 sheets"));
    lbFinalImageWidth->setAccessibleDescription(QStringLiteral("The printed poster's width, overlaps taken off"));
    lbFinalImageHeight->setAccessibleDescription(QStringLiteral("The printed poster's height, overlaps taken off"));
    lbTotalPages->setAccessibleDescription(QStringLiteral("The number of sheets the poster is printed on"));

    const int listRow = 468;
    // Each list's caption is its label for screen readers and carries its mnemonic (Alt+W, Alt+X).
    Label2 = label("Label2", QStringLiteral("&Width in A4:"), 16, listRow);
    cmbA4Width = new QComboBox(client);
    cmbA4Width->setObjectName(QStringLiteral("cmbA4Width"));
    cmbA4Width->setGeometry(16, listRow + 16, 150, 24);
    cmbA4Width->setMaxVisibleItems(20);
    cmbA4Width->setAccessibleName(QStringLiteral("Width in A4"));
    Label2->setBuddy(cmbA4Width);
    Label5 = label("Label5", QStringLiteral("A4 &X resolution:"), 196, listRow);
    cmbResox = new QComboBox(client);
    cmbResox->setObjectName(QStringLiteral("cmbResox"));
    cmbResox->setGeometry(196, listRow + 16, 150, 24);
    cmbResox->setMaxVisibleItems(24);
    cmbResox->setAccessibleName(QStringLiteral("A4 X resolution"));
    Label5->setBuddy(cmbResox);

    cmdPrint = new QPushButton(QStringLiteral("Print"), client);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrint->setGeometry(664, listRow + 10, 100, 32);
    cmdPrint->setShortcut(QKeySequence::Print);
    cmdPrint->setAccessibleDescription(QStringLiteral("Prints every page of the poster"));

    connect(cmbA4Width, &QComboBox::currentIndexChanged, this, &frmMain::RecomputeLayout);
    connect(cmbResox, &QComboBox::currentIndexChanged, this, &frmMain::cmbResox_Click);
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
        if (previewPage_ >= 1 && !picPreview->picture().isNull())
            RenderPage(previewPage_, true);
    });
    connect(picGrid, &GridView::dropped, this, &frmMain::picGrid_OLEDragDrop);
    picGrid->setDragOverHandler([this](const QMimeData &data) { return picGrid_OLEDragOver(data); });
    connect(cmdPrint, &QPushButton::clicked, this, &frmMain::cmdPrint_Click);

    tmrGrid = new QTimer(this);
    tmrGrid->setObjectName(QStringLiteral("tmrGrid"));
    tmrGrid->setInterval(250);
    connect(tmrGrid, &QTimer::timeout, this, &frmMain::tmrGrid_Timer);
    tmrGrid->start();
}

void frmMain::buildMenus()
{
    // Mnemonics (the letter after "&", shown underlined) and the platform's usual shortcuts; a
    // platform without a Quit key gets Ctrl+Q.
    QMenu *mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
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
    mnuOpenPicture = action(mnuFile, "mnuOpenPicture", QStringLiteral("&Open Picture..."), QKeySequence::Open);
    mnuFile->addSeparator();
    mnuSettings = action(mnuFile, "mnuSettings", QStringLiteral("&Settings"), QKeySequence::UnknownKey);
    mnuFile->addSeparator();
    mnuInst = action(mnuFile, "mnuInst", QStringLiteral("&Instructions"), QKeySequence::HelpContents);
    mnuAbout = action(mnuFile, "mnuAbout", QStringLiteral("&About"), QKeySequence::UnknownKey);
    mnuFile->addSeparator();
    mnuQuit = action(mnuFile, "mnuQuit", QStringLiteral("E&xit"), QKeySequence::Quit,
                     QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(mnuQuit, &QAction::triggered, this, &frmMain::mnuQuit_Click);
    connect(mnuOpenPicture, &QAction::triggered, this, &frmMain::mnuOpenPicture_Click);
    connect(mnuSettings, &QAction::triggered, this, &frmMain::mnuSettings_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    connect(mnuInst, &QAction::triggered, this, &frmMain::mnuInst_Click);

    mnu = new QMenu(this);
    mnu->setObjectName(QStringLiteral("mnu"));
    mnuPrintThisPicture =
        action(mnu, "mnuPrintThisPicture", QStringLiteral("&Print this picture..."), QKeySequence::UnknownKey);
    connect(mnuPrintThisPicture, &QAction::triggered, this, &frmMain::mnuPrintThisPicture_Click);
    mnuPrintAssemblyMap =
        action(mnu, "mnuPrintAssemblyMap", QStringLiteral("Print assembly &map..."), QKeySequence::UnknownKey);
    connect(mnuPrintAssemblyMap, &QAction::triggered, this, &frmMain::mnuPrintAssemblyMap_Click);
}

void frmMain::Form_Load()
{
    const StoredPosterChoices stored = readPosterChoices();
    programWide().HorizontalOverlap = static_cast<std::int16_t>(stored.overlap);
    programWide().VerticalOverlap = programWide().HorizontalOverlap;

    {
        // Filled without notifications and left without a selection, so that restoring a stored
        // index always counts as a selection change.
        const QSignalBlocker blocker(cmbA4Width);
        cmbA4Width->addItems(sheetsAcrossEntries());
        cmbA4Width->setCurrentIndex(-1);
    }
    // Runs a first pass while the page size is still 0; that pass is abandoned silently.
    cmbA4Width->setCurrentIndex(stored.sheetsIndex);
    {
        const QSignalBlocker blocker(cmbResox);
        cmbResox->addItems(resolutionEntries());
        cmbResox->setCurrentIndex(-1);
    }
    setWindowTitle(QStringLiteral("Plakatron V") + versionText());
    lbPreview->setText(QStringLiteral("Preview:"));
    // The first complete pass.
    cmbResox->setCurrentIndex(stored.resolutionIndex);

    const QString widthTip = QStringLiteral("Input here the width of the final image in A4 sheets");
    const QString resolutionTip = QStringLiteral(
        "Pixel resolution of one A4 printer page in the width dimension. Defines how smooth the image is "
        "interpolated while blowing it up. You can see the effect by inserting small values.");
    cmbA4Width->setToolTip(wrappedToolTip(widthTip));
    cmbResox->setToolTip(wrappedToolTip(resolutionTip));
    cmbA4Width->setAccessibleDescription(widthTip);
    cmbResox->setAccessibleDescription(resolutionTip);

    resize(sizeHint());
    setFixedSize(sizeHint());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmMain::Form_Unload()
{
    unloaded_ = true;
    writePosterChoices({cmbA4Width->currentIndex(), cmbResox->currentIndex(), programWide().HorizontalOverlap});
    tmrGrid->stop();
    renderer_->releaseBuffers();
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

// The new overlap shows in the labels and pages at the next layout and rendering.
void frmMain::mnuSettings_Click() { showSettingsDialog(this); }

void frmMain::mnuAbout_Click() { showSplash(this); }

void frmMain::mnuInst_Click()
{
    // Beside the program, else where an installation put it. The shell's own message, if any, is
    // all the user sees when the help is missing.
    const QString folder = helpFolder(modToolbox::AppFolder());
    modToolbox::ShellOpen(folder + QStringLiteral("index.htm"), folder, this);
}

void frmMain::cmbResox_Click()
{
    skippingErrors([&] { poster_.PagePixelWidth = Val(cmbResox->currentText()); });
    skippingErrors([&] { poster_.PagePixelHeight = checked(poster_.PagePixelWidth * A4Proportion); });
    RecomputeLayout();
}

void frmMain::RecomputeLayout()
{
    Surface surface(*this);
    try {
        RunLayoutPass(QSizeF(sourcePic_.size()), programWide().HorizontalOverlap, poster_, grid_, labels_, surface);
    } catch (const RuntimeError &) {
        // Abandoned silently; what the pass wrote before the failure stays.
    }
    showLabels();
    describeGridView();
}

void frmMain::tmrGrid_Timer() { picGrid->tick(poster_, grid_); }

void frmMain::picGrid_MouseMove() { tmrGrid_Timer(); }

bool frmMain::selectPage(std::int32_t page)
{
    std::int16_t selected = 0;
    try {
        selected = CInt(page);
    } catch (const RuntimeError &) {
        return false;  // a page number beyond 16 bits: the click is ignored
    }
    const std::int16_t selectedBefore = grid_.SelectedPage;
    grid_.SelectedPage = selected;
    describeGridView();
    // The page already in the preview is not rendered again; one the keyboard selected is shown now.
    if (selected == previewPage_)
        return true;
    const std::int16_t previewBefore = previewPage_;
    const QString caption = lbPreview->text();
    previewPage_ = selected;
    lbPreview->setText(QStringLiteral("Preview: (page ") + Str(selected) + u')');
    if (!RenderPreview()) {
        // The page could not be had: the preview still shows the page before, and the selection
        // stays as it was.
        previewPage_ = previewBefore;
        grid_.SelectedPage = selectedBefore;
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
    if (const std::optional<std::int32_t> page = pageAt(position, poster_, grid_))
        selectPage(*page);
}

void frmMain::picGrid_MouseUp(Qt::MouseButton button, QPointF position, QPoint globalPosition)
{
    if (button != Qt::RightButton)
        return;
    const std::optional<std::int32_t> page = pageAt(position, poster_, grid_);
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
    const std::optional<std::int32_t> to = pageAfterStep(grid_.SelectedPage, step, poster_, grid_);
    if (!to || *to == grid_.SelectedPage)
        return;  // no grid, or already at the poster's edge
    try {
        grid_.SelectedPage = CInt(*to);
    } catch (const RuntimeError &) {
        return;  // a page number beyond 16 bits, which a click cannot select either
    }
    describeGridView();
    tmrGrid_Timer();  // the boxes follow at once, as the pointer box follows the mouse
}

bool frmMain::showSelectedPage()
{
    return isPosterPage(grid_.SelectedPage, poster_, grid_) && selectPage(grid_.SelectedPage);
}

void frmMain::picGrid_KeyShow() { showSelectedPage(); }

void frmMain::picGrid_KeyMenu()
{
    // The platform may send both the key and a menu request.
    if (mnu->isVisible() || !showSelectedPage())
        return;
    QPoint at = picGrid->mapToGlobal(picGrid->rect().center());
    skippingErrors([&] { at = picGrid->globalPosition(selectedPageBox(grid_.SelectedPage, poster_).center()); });
    popupMenu(at);
}

void frmMain::picPreview_KeyMenu()
{
    if (!mnu->isVisible() && showSelectedPage())
        mnu->popup(picPreview->mapToGlobal(picPreview->rect().center()));
}

void frmMain::describeGridView()
{
    picGrid->setAccessibleName(gridViewAccessibleName(poster_, grid_));
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
        if (previewPage_ >= 1)
            made = RenderPage(previewPage_, true);
    } catch (const RuntimeError &e) {
        MsgBox(errorWithNumber(e), MsgIcon::Critical, MsgButtons::Ok, this);
    }
    if (frmWait *loaded = loadedWaitWindow())
        loaded->unload();
    return made;
}

bool frmMain::RenderPage(std::int16_t pageNumber, bool showInPreview)
{
    return renderer_->RenderPage(pageNumber, showInPreview);
}

const QImage &frmMain::pageCanvas() const { return renderer_->pageCanvas(); }

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

void frmMain::UpdatePictureFile(const QString &path)
{
    try {
        std::optional<QImage> picture = loadPictureForWindow(path, this);
        if (!picture)
            return;  // the window is closing
        sourcePic_ = std::move(*picture);
    } catch (const RuntimeError &e) {
        MsgBox(loadFailureMessage(path, e), MsgIcon::Exclamation, MsgButtons::Ok, this);
        return;
    }
    grid_.SelectedPage = -1;
    RecomputeLayout();
}

int frmMain::picGrid_OLEDragOver(const QMimeData &data) const { return dragOverEffect(data); }

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
void frmMain::mnuPrintThisPicture_Click() { PrintNow(grid_.SelectedPage); }

bool frmMain::ShowPrintDialog(const PrintChoices &choices, PrintRange &chosen)
{
    // The stored choice only spares the user some clicks: a file that cannot be read lets the
    // dialog start afresh, and one that cannot be written must not keep the poster from being
    // printed.
    const PrinterFilePlaces places = printerFilePlaces(modToolbox::AppFolder(), settingsFolder());
    PrinterRecords records;
    if (!places.read.isEmpty())
        skippingErrors([&] { records = readPrinterFile(places.read); });
    if (ShowPrinterDialog(this, records.dialog, records.devMode, choices, chosen).isEmpty())
        return false;  // cancelled: nothing stored, nothing printed
    skippingErrors([&] {
        // The configuration folder may not exist before the first settings are stored.
        QDir().mkpath(QFileInfo(places.write).absolutePath());
        writePrinterFile(places.write, records);
    });
    return true;
}

void frmMain::PrintNow(std::int32_t singlePage)
{
    try {
        const PrintChoices choices = printChoicesFor(singlePage, grid_.SelectedPage, posterPageCount(poster_, grid_));
        PrintRange range;
        if (!ShowPrintDialog(choices, range))
            return;
        programWide().FirstPrintPage = range.first;
        programWide().LastPrintPage = range.last;
        doPrint();
    } catch (const RuntimeError &e) {
        MsgBox(describeWithCode(e), MsgIcon::Exclamation, MsgButtons::Ok, this);
    }
}

frmWait *frmMain::showPrintWaitWindow(const QString &text)
{
    frmWait *wait = waitWindow(this);
    if (!text.isEmpty())
        wait->setText(text);
    // Centred over this window, outer sizes. While it shows, it alone takes input: the job reads
    // the poster this window holds.
    const QRect main = frameGeometry();
    const QSize waitSize = wait->frameGeometry().size();
    wait->move(main.left() + (main.width() - waitSize.width()) / 2, main.top() + (main.height() - waitSize.height()) / 2);
    wait->setWindowModality(Qt::ApplicationModal);
    wait->showNow();
    waitUntilExposed(wait);
    return wait;
}

void frmMain::reportPrintFailure(const RuntimeError &e)
{
    // A job stopped on request needs no message.
    if (e.number() != err::UserInterrupt || !printCancellation_.requested())
        MsgBox(errorWithNumber(e), MsgIcon::Critical, MsgButtons::Ok, this);
}

void frmMain::doPrint()
{
    const PrintRange range{programWide().FirstPrintPage, programWide().LastPrintPage};
    const std::int16_t count = printPageCount(range);
    if (MsgBox(confirmationText(count), MsgIcon::Question, MsgButtons::YesNo, this) != MsgAnswer::Yes)
        return;
    runPrintJob([&] {
        frmWait *wait = waitWindow(this);
        wait->offerCancel(printCancellation_);
        // As wide as the longest page counter of the job from the start, so it never jumps.
        if (count >= 1) {
            wait->fitText(progressText(std::max(range.first, std::int16_t(range.last - 1)), range));
            wait->fitText(progressText(range.last, range));
        }
        showPrintWaitWindow();

        // The job's own pair of renderers, so the preview's page stays as it is.
        const PosterSource source{&sourcePic_, &poster_, &grid_};
        PageRenderer first(source), second(source);
        PrintJob job(currentPrinter(), &printCancellation_);
        printJob_ = &job;
        const auto noJob = qScopeGuard([this] {
            printJob_ = nullptr;
            jobPage_ = nullptr;
        });
        PagesAhead pages(first, second, range);
        job.run(
            range,
            [&](std::int16_t page) {
                PagesAhead::Page ahead = pages.take(page);
                for (const QString &warning : ahead.messages)
                    MsgBox(warning, MsgIcon::Exclamation, MsgButtons::Ok, this);
                // A page that cannot be had ends the job rather than print the page before again.
                if (!ahead.made)
                    plakatron::raise(err::OutOfMemory);
                jobPage_ = ahead.canvas;
                PrintPageImage();
            },
            [&](std::int16_t page, std::int16_t) {
                wait->setText(progressText(page, range));
                wait->repaint();
                // Once a page: the clicks on Cancel and Esc; every other window waits for the job.
                QCoreApplication::processEvents();
            });
    });
}

void frmMain::mnuPrintAssemblyMap_Click()
{
    try {
        // Made before the dialog, so a poster without pages fails without asking for a printer.
        AssemblyMap map = assemblyMap();
        // One sheet: every page the dialog can name is that sheet.
        PrintRange sheet;
        if (!ShowPrintDialog({1, 0, false}, sheet))
            return;
        doPrintAssemblyMap(map);
    } catch (const RuntimeError &e) {
        MsgBox(describeWithCode(e), MsgIcon::Exclamation, MsgButtons::Ok, this);
    }
}

AssemblyMap frmMain::assemblyMap() const
{
    return AssemblyMap(sourcePic_, poster_, grid_, labels_, programWide().HorizontalOverlap);
}

void frmMain::doPrintAssemblyMap(AssemblyMap &map)
{
    // One sheet: the dialog was the confirmation.
    runPrintJob([&] {
        showPrintWaitWindow(QStringLiteral("Printing the assembly map"));
        PrintJob job(currentPrinter(), &printCancellation_);
        job.run({1, 0}, {}, {}, [&] { job.PrintAssemblyMap(map); });
    });
}

void frmMain::runPrintJob(const std::function<void()> &job)
{
    printCancellation_.clear();
    try {
        const CancelOnStopSignals stopSignals(printCancellation_);
        job();
    } catch (const RuntimeError &e) {
        reportPrintFailure(e);
    } catch (const std::bad_alloc &) {
        reportPrintFailure(RuntimeError(err::OutOfMemory));
    }
    if (frmWait *loaded = loadedWaitWindow())
        loaded->unload();
}

void frmMain::PrintPageImage()
{
    if (!printJob_ || !jobPage_)
        plakatron::raise(err::PrinterError);
    printJob_->PrintPageImage(*jobPage_);
}

void frmMain::showLabels()
{
    lbA4Height->setText(labels_.lbA4Height);
    lbFinalImageWidth->setText(labels_.lbFinalImageWidth);
    lbFinalImageHeight->setText(labels_.lbFinalImageHeight);
    lbTotalPages->setText(labels_.lbTotalPages);
    // A screen reader reads each value with its caption.
    const std::pair<QLabel *, QLabel *> pairs[] = {
        {Label3, lbA4Height}, {Label6, lbFinalImageWidth}, {Label7, lbFinalImageHeight}, {Label9, lbTotalPages}};
    for (const auto &[caption, value] : pairs)
        value->setAccessibleName(caption->text() + u' ' + value->text());
}

}  // namespace plakatron
