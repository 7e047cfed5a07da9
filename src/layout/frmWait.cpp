// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/frmWait.h"

#include "core/Cancellation.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace plakatron {

namespace {
QPointer<frmWait> &instance()
{
    static QPointer<frmWait> window;
    return window;
}

// The design: a client area of 465 x 81 pixels, the text inset 8 pixels all round.
constexpr int DesignWidth = 465;
constexpr int DesignHeight = 81;
constexpr int Inset = 8;

// The width `text` takes in `metrics` with each digit drawn as the widest digit, which is what
// any page number of as many digits may take.
int widestWidth(const QString &text, const QFontMetrics &metrics)
{
    QChar widest = u'0';
    for (char16_t digit = u'1'; digit <= u'9'; ++digit)
        if (metrics.horizontalAdvance(QChar(digit)) > metrics.horizontalAdvance(widest))
            widest = QChar(digit);
    QString sample = text;
    for (QChar &c : sample)
        if (c.isDigit())
            c = widest;
    return metrics.horizontalAdvance(sample);
}
}  // namespace

frmWait::frmWait(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("frmWait"));
    setWindowTitle(QStringLiteral(" "));
    setModal(false);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(224, 224, 224));
    grey.setColor(QPalette::WindowText, Qt::black);
    setPalette(grey);
    setAutoFillBackground(true);

    label_ = new QLabel(tr("Processing - please wait"), this);
    label_->setObjectName(QStringLiteral("label"));
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(26.25);
    f.setBold(true);
    f.setStyleHint(QFont::SansSerif);
    label_->setFont(f);
    label_->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(Inset, Inset, Inset, Inset);
    layout->addWidget(label_, 1);
    fitSize(0);
    fitText(label_->text());
}

frmWait::~frmWait()
{
    if (instance() == this)
        instance() = nullptr;
}

void frmWait::fitSize(int labelWidth)
{
    // Height: the design's, or what the label's font and the button need.
    int height = std::max(DesignHeight, label_->sizeHint().height() + 2 * Inset);
    if (cancel_)
        height += layout()->spacing() + cancel_->sizeHint().height();
    const int width = std::max({DesignWidth, labelWidth + 2 * Inset, minimumWidth()});
    const QRect before = geometry();
    setFixedSize(width, height);
    if (isVisible() && before.size() != size())
        move(before.center() - QPoint(width / 2, height / 2));
}

void frmWait::fitText(const QString &text)
{
    // A few pixels more than the text: a label draws its text inside its own margins.
    const int needed = widestWidth(text, label_->fontMetrics()) + 2 * label_->margin() + 4;
    if (needed + 2 * Inset > width())
        fitSize(needed);
}

void frmWait::setText(const QString &text)
{
    // Measured once; a text the window was fitted for beforehand (the print job's counters) needs
    // nothing more.
    if (label_->fontMetrics().horizontalAdvance(text) + 2 * label_->margin() + 4 + 2 * Inset > width())
        fitText(text);
    label_->setText(text);
}

void frmWait::offerCancel(Cancellation &cancellation)
{
    cancellation_ = &cancellation;
    if (cancel_)
        return;
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cmdCancel"));
    cancel_->setAutoDefault(false);
    cancel_->setAccessibleDescription(tr("Stops printing; nothing of the job is printed"));
    connect(cancel_, &QPushButton::clicked, this, &frmWait::cancel);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cancel_);
    row->addStretch();
    static_cast<QVBoxLayout *>(layout())->addLayout(row);
    fitSize(width() - 2 * Inset);
}

void frmWait::cancel()
{
    if (!cancellation_)
        return;
    cancellation_->request();
    if (cancel_)
        cancel_->setEnabled(false);
}

void frmWait::reject()
{
    // Esc stops a job that can be stopped; the window itself goes only when the work is done.
    cancel();
}

void frmWait::closeEvent(QCloseEvent *event)
{
    cancel();
    event->ignore();
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
