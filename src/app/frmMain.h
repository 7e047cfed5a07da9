#pragma once
// The main window: the grid view and preview, the two poster lists, the size labels, the Print
// button and the menus. It owns the poster state; the rules live in the layout, imaging, printing
// and input libraries and the handlers here only connect them to the widgets.

#include "layout/PageLayout.h"

#include <QImage>
#include <QMainWindow>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;

namespace plakatron {

class GridView;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    const PosterSettings &poster() const { return poster_; }
    const PageGrid &grid() const { return grid_; }
    const LayoutLabels &labels() const { return labels_; }
    const QImage &sourcePicture() const { return sourcePic_; }

    // Handlers, named after their control and event.
    void RecomputeLayout();  // also the selection change of cmbA4Width
    void cmbResox_Click();
    void mnuQuit_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    class Surface;

    void buildWidgets();
    void buildMenus();
    void Form_Load();
    void Form_Unload();
    void showLabels();

    PosterSettings poster_;
    PageGrid grid_;
    LayoutLabels labels_;
    QImage sourcePic_;  // the source picture at its natural size
    bool unloaded_ = false;

    GridView *picGrid = nullptr;
    QLabel *picPreview = nullptr;
    QLabel *lbPreview = nullptr;
    QLabel *lbA4Height = nullptr;
    QLabel *lbFinalImageWidth = nullptr;
    QLabel *lbFinalImageHeight = nullptr;
    QLabel *lbTotalPages = nullptr;
    QComboBox *cmbA4Width = nullptr;
    QComboBox *cmbResox = nullptr;
    QPushButton *cmdPrint = nullptr;
    QTimer *tmrGrid = nullptr;
    QMenu *mnu = nullptr;  // pop-up menu of the grid view and the preview
    QAction *mnuOpenPicture = nullptr;
    QAction *mnuSettings = nullptr;
    QAction *mnuInst = nullptr;
    QAction *mnuAbout = nullptr;
    QAction *mnuQuit = nullptr;
    QAction *mnuPrintThisPicture = nullptr;
};

// The program-wide reference to the main window; null before it is created and after it unloads.
frmMain *mainWindow();

}  // namespace plakatron
