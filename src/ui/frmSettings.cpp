// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frmSettings.h"

#include "core/ProgramWide.h"
#include "core/NumberText.h"
#include "ui/Design.h"

#include <QApplication>
#include <algorithm>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace plakatron {
namespace {

QPointer<frmSettings> &instanceReference()
{
    static QPointer<frmSettings> reference;
    return reference;
}

}  // namespace

QString overlapEntryText(int percent)
{
    QString text = plainDecimal(percent) + QStringLiteral(" %");
    if (percent == defaultOverlapPercent)
        text += QStringLiteral(" *");
    return text;
}

frmSettings::frmSettings(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(tr("Additional settings"));
    setFont(designFont(QStringLiteral("Tahoma"), 8.25));
    setFixedSize(twipsSize(5070, 1170));

    Label1_ = new QLabel(tr("Image overlap (%)  in consecutive pages:"), this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    cmbOverlab_ = new QComboBox(this);  // a list to choose from: no typing
    cmbOverlab_->setObjectName(QStringLiteral("cmbOverlab"));
    cmbOverlab_->setMaxVisibleItems(12);

    Command1_ = new QPushButton(tr("Close"), this);
    Command1_->setObjectName(QStringLiteral("Command1"));
    Command1_->setDefault(true);

    // Design boxes; the list keeps at least the height its style needs, and the caption is
    // centred on the list so the two read as one line.
    const QRect listBox = twipsRect(3510, 150, 1290, 315);
    const int listHeight = std::max(listBox.height(), cmbOverlab_->sizeHint().height());
    cmbOverlab_->setGeometry(listBox.x(), listBox.y(), listBox.width(), listHeight);
    const QRect labelBox = twipsRect(75, 165, 3255, 255);
    Label1_->setGeometry(labelBox.x(), listBox.y(), labelBox.width(), listHeight);
    Command1_->setGeometry(twipsRect(3570, 600, 1215, 375));
    // A caption longer than its box (another language) widens the dialog; the list and the button
    // move right with it.
    if (const int more = Label1_->sizeHint().width() - Label1_->width(); more > 0) {
        setFixedSize(width() + more, height());
        Label1_->resize(Label1_->width() + more, Label1_->height());
        for (QWidget *w : std::initializer_list<QWidget *>{cmbOverlab_, Command1_})
            w->move(w->x() + more, w->y());
    }

    // A label takes no focus, so "Close" comes first and the list is reached with Tab.
    setTabOrder(Command1_, cmbOverlab_);

    connect(Command1_, &QPushButton::clicked, this, &frmSettings::Command1_Click);

    instanceReference() = this;
    Form_Load();
}

frmSettings::~frmSettings()
{
    // Unloading drops the program-wide reference: the next opening builds a fresh dialog.
    if (instanceReference() == this)
        instanceReference() = nullptr;
}

frmSettings *frmSettings::current() { return instanceReference(); }

void frmSettings::Form_Load()
{
    const QWidget *owner = parentWidget();
    setWindowIcon(owner ? owner->window()->windowIcon() : QApplication::windowIcon());

    cmbOverlab_->clear();
    for (int i = 0; i < overlapEntryCount; ++i)
        cmbOverlab_->addItem(overlapEntryText(i));

    // A stored value outside the list (only an edited settings file gives one) selects nothing;
    // "Close" then leaves the overlap as it is instead of inventing a value.
    const int current = programWide().HorizontalOverlap;
    cmbOverlab_->setCurrentIndex(current >= 0 && current < overlapEntryCount ? current : -1);
}

void frmSettings::Command1_Click()
{
    const int index = cmbOverlab_->currentIndex();
    if (index >= 0) {
        programWide().HorizontalOverlap = static_cast<std::int16_t>(index);
        programWide().VerticalOverlap = static_cast<std::int16_t>(index);
    }
    accept();
}

void frmSettings::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Command1_->setFocus(Qt::OtherFocusReason);
}

void showSettingsDialog(QWidget *owner)
{
    QPointer<frmSettings> dialog = frmSettings::current();
    if (!dialog)
        dialog = new frmSettings(owner);
    dialog->exec();
    delete dialog.data();  // unload; null when the owner already took it down
}

}  // namespace plakatron
