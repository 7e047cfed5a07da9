#include "layout/frmWait.h"

#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

namespace plakatron {

namespace {
QPointer<frmWait> &instance()
{
    static QPointer<frmWait> window;
    return window;
}
}  // namespace

frmWait::frmWait(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("frmWait"));
    setWindowTitle(QStringLiteral(" "));
    setModal(false);
    setFixedSize(465, 81);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(224, 224, 224));
    grey.setColor(QPalette::WindowText, Qt::black);
    setPalette(grey);
    setAutoFillBackground(true);

    label_ = new QLabel(QStringLiteral("Processing - please wait"), this);
    label_->setObjectName(QStringLiteral("label"));
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(26.25);
    f.setBold(true);
    f.setStyleHint(QFont::SansSerif);
    label_->setFont(f);
    label_->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(label_);
}

frmWait::~frmWait()
{
    if (instance() == this)
        instance() = nullptr;
}

void frmWait::showNow()
{
    show();
    raise();
    repaint();
}

void frmWait::unload()
{
    if (instance() == this)
        instance() = nullptr;
    hide();
    deleteLater();
}

frmWait *waitWindow(QWidget *owner)
{
    if (!instance())
        instance() = new frmWait(owner);
    return instance();
}

frmWait *loadedWaitWindow() { return instance(); }

}  // namespace plakatron
