// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: the grid view and preview, the two poster lists, the paper and the size asked
// for, the size labels, the Print button and the menus. It holds the poster (PosterDocument) and its print commands
// (PrintCommands); the rules live in the layout, imaging, printing and input libraries and the
// handlers here only connect them to the widgets. Its widgets are made in frmMainDesign.cpp.

#include "app/PosterDocument.h"
#include "app/PrintCommands.h"
#include "layout/PageSelection.h"
#include "printing/PrinterSheet.h"

#include <QImage>
#include <QMainWindow>

class QAction;
class QComboBox;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QShowEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QMimeData;
class QPushButton;
class QSpinBox;
class QTimer;

namespace plakatron {

class AssemblyMap;
class GridView;
class PreviewBox;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    const Poster &poster() const { return document_.poster(); }
    const PageGrid &grid() const { return poster().grid; }
    const LayoutLabels &labels() const { return poster().labels; }
    const Picture &sourcePicture() const { return poster().picture; }

    // Handlers, named after their control and event.
    void RecomputeLayout();
    // The sheets list's selection change: a size asked for gives way to the sheets chosen.
    void cmbA4Width_Click();
    void cmbResox_Click();
    // The paper list's selection change; a paper on which the size asked for cannot be laid out
    // is refused in a message, and the list goes back to the paper before.
    void cmbPaper_Click();
    // The size entry, when Enter is pressed or it loses the keyboard: a width or height asked for
    // ("150cm", "1.5m", "40in high"), or none when empty. What is no size, or no size the picture
    // can be laid out at, is refused in a message, and the entry goes back to the size before.
    void txtPosterSize_Change();
    // The calibration sheet on a printer, and the lengths measured on it.
    void mnuCalibrate_Click();
    void mnuQuit_Click();
    void mnuSettings_Click();
    void mnuAbout_Click();
    void mnuInst_Click();
    void tmrGrid_Timer();
    // Once the window has stopped changing its size: the grid view's picture and the preview's
    // page drawn again for their new sizes.
    void tmrResize_Timer();
    void picGrid_MouseMove();
    void picGrid_MouseDown(Qt::MouseButton button, QPointF position);
    void picGrid_MouseUp(Qt::MouseButton button, QPointF position, QPoint globalPosition);
    void picPreview_MouseUp(Qt::MouseButton button, QPoint globalPosition);
    // The keyboard on the grid view: arrows, Home and End select a page without showing it (a
    // page takes a while to render, stepping must not), Enter or Space then acts as a left click
    // on the selected page, the Menu key or Shift+F10 as a right click.
    void picGrid_KeyStep(PageStep step);
    void picGrid_KeyShow();
    void picGrid_KeyMenu();
    // The Menu key or Shift+F10 on the preview: its pop-up menu, as a mouse release opens it.
    // Both show the selected page first when the preview does not show it yet.
    void picPreview_KeyMenu();
    // Renders the page the preview caption names (the page last clicked or shown with Enter);
    // false when it could not be had in memory (the preview keeps the page before).
    bool RenderPreview();
    // The page the preview shows or is being rendered for; 0 while it is empty.
    std::int16_t previewPage() const { return document_.previewPage(); }
    void mnuOpenPicture_Click();
    // Loads a picture as the new source (of a PDF, page `pdfPage`); a failure is reported and
    // changes nothing.
    void UpdatePictureFile(const QString &path, int pdfPage = 1);
    // The PDF page control: another page of the PDF becomes the picture.
    void spnPdfPage_Change();
    int picGrid_OLEDragOver(const QMimeData &data) const;
    void picGrid_OLEDragDrop(const QMimeData &data);
    // False when the page could not be had in memory: reported, and the canvas keeps the page before.
    bool RenderPage(std::int16_t pageNumber, bool showInPreview);
    // The page canvas: the last page rendered, as the print job prints it.
    const QImage &pageCanvas() const;

    // Printing: the Print button prints every page, the pop-up menu's entry the selected page,
    // its second entry the assembly map on one sheet.
    void cmdPrint_Click();
    void mnuPrintThisPicture_Click();
    void mnuPrintAssemblyMap_Click();
    // File > Print page...: the selected page, shown in the preview first, as the pop-up menu's
    // entry prints it; the entry is offered while a page is selected.
    void mnuPrintPage_Click();
    // The print dialog for every page (singlePage 0) or for page singlePage (PrintCommands).
    void PrintNow(std::int32_t singlePage);
    // The assembly map of the poster as the window shows it.
    AssemblyMap assemblyMap();

    // The window's line of what happened last (a print, a refused drop), under the controls.
    QString statusLine() const;
    void showStatus(const QString &line);

    // The client area as designed; the window never gets smaller.
    static constexpr QSize DesignClientSize{783, 537};

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    class Surface;

    // Design places of the size row: the height label's left edge and each value's width.
    static constexpr int DesignHeightValueLeft = 96;
    static constexpr int DesignValueWidth = 90;

    void buildWidgets();
    void buildMenus();
    // The row of sizes: each value beside its caption at the designed places, as far right as
    // longer captions (another paper, another language) push it; where the row would run past the
    // window's edge, the captions wrap onto two lines.
    void placeSizeRow();
    // The paper list as wide as its longest entry where a language's paper names are longer than
    // the design's; the room comes from the resolution list beside it, which holds short numbers.
    void fitPaperList();
    // The client area's widgets for its present size: at the designed size where the design puts
    // them; beyond it the picture view and the preview grow (the preview in the designed box's
    // shape, with at most half the added width), what is below them moves down, the Print button
    // stays at the right edge and the separators span the width; lists and labels keep their size.
    void placeWidgets();
    // The PDF page controls over the grid view's top right corner.
    void placePdfPageControls();
    // The page in the preview: filling the designed box as it always did where it is A4 upright,
    // else keeping its shape.
    void showPreviewPicture();
    // The window's size and place: the stored ones, else the designed size centred on the screen.
    void restorePlace();
    QRect designedPlace() const;
    // Says why a drag is refused (in the status line), or takes back the reason for one refused before.
    int dragOver(const QMimeData &data);
    void Form_Load();
    void Form_Unload();
    void showLabels();
    // The resolution list's choice into the poster's choices ("Auto" or a number of pixels).
    void chooseResolution();
    // The resolution list for `paper`, with entry `index` selected, without a selection change.
    void showResolutions(const Paper &paper, int index);
    // The PDF page control shows the picture's page, and only for a PDF of several pages.
    void showPdfPage();
    // What a screen reader says of the grid view after its pages or selection changed.
    void describeGridView();
    // A click on page p (press with the left button, release with the right one): selects it and,
    // unless the preview already shows it, names it in the caption and renders it. False when the
    // page number does not fit and the click is ignored, or when the page cannot be had in memory
    // (the selection, caption and preview then stay as they were).
    bool selectPage(std::int32_t page);
    // Enter on the grid view, and every way to the pop-up menu, whose entry prints the selected
    // page: a click on the selected page. False when none is selected.
    bool showSelectedPage();
    // A right click's second half: the pop-up menu at a point of the screen.
    void popupMenu(QPoint globalPosition);
    // The texts that name the paper: the captions, accessible names and tool tips of the lists
    // and of the height label; the height label moved clear of a longer caption.
    void showPaperCaptions();
    // Lays the poster out on `paper` of the current printer, unless the size asked for cannot be
    // laid out there (then refused in a message, and false).
    bool usePaper(const Paper &paper);
    // The sheet of `paper` on the current printer: its printable area and calibration.
    PrintSheet currentSheet(const Paper &paper);
    // The poster printed on `sheet`: the same pages with new labels, or laid out again where the
    // size asked for depends on the sheet.
    void followSheet(const PrintSheet &sheet);
    // After a confirmed print dialog: the poster follows the printer and paper chosen there.
    // False where nothing is to be printed (another paper: the poster is laid out again for it).
    bool printerChosen();
    // Refuses an entry: the message, and the entry and list back to the poster's choices.
    void refuseChoice(const QString &message);

    PosterDocument document_;
    PrintCommands printing_{*this};
    PrintableAreas printableAreas_;  // of the current printer, by paper
    Calibration calibration_;        // of the current printer
    bool unloaded_ = false;
    QSize placedExtra_{0, 0};  // the room beyond the designed client area the widgets are placed for
    bool refusalShown_ = false;  // the status line gives a drag's refusal

    GridView *picGrid = nullptr;
    PreviewBox *picPreview = nullptr;
    QLabel *lbPreview = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *lbA4Height = nullptr;
    QLabel *lbFinalImageWidth = nullptr;
    QLabel *lbFinalImageHeight = nullptr;
    QLabel *lbTotalPages = nullptr;
    QLabel *lbResolution = nullptr;  // what the print will be: its ppi and the picture's
    QComboBox *cmbA4Width = nullptr;
    QComboBox *cmbResox = nullptr;
    QLabel *Label11 = nullptr;
    QComboBox *cmbPaper = nullptr;
    QLabel *Label12 = nullptr;
    QLineEdit *txtPosterSize = nullptr;
    QLabel *lbPdfPage = nullptr;
    QSpinBox *spnPdfPage = nullptr;
    QLabel *lbPdfPages = nullptr;
    QPushButton *cmdPrint = nullptr;
    QTimer *tmrGrid = nullptr;
    QTimer *tmrResize = nullptr;
    QWidget *client_ = nullptr;
    QLabel *lbStatus = nullptr;
    QMenu *mnu = nullptr;  // pop-up menu of the grid view and the preview
    QAction *mnuOpenPicture = nullptr;
    QAction *mnuPrint = nullptr;
    QAction *mnuPrintPage = nullptr;
    QAction *mnuPrintMap = nullptr;
    QAction *mnuSettings = nullptr;
    QAction *mnuCalibrate = nullptr;
    QAction *mnuInst = nullptr;
    QAction *mnuAbout = nullptr;
    QAction *mnuQuit = nullptr;
    QAction *mnuPrintThisPicture = nullptr;
    QAction *mnuPrintAssemblyMap = nullptr;
};

// The program-wide reference to the main window; null before it is created and after it unloads.
frmMain *mainWindow();

}  // namespace plakatron
