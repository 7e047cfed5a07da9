// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frmCalibrate.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace plakatron {

frmCalibrate::frmCalibrate(QWidget *owner, const QString &printerName, double across, double down)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("Printer calibration"));
    setObjectName(QStringLiteral("frmCalibrate"));
    auto *intro = new QLabel(tr("Measure the two rulers on the calibration sheet printed on %1, each from "
                                            "0 to its last mark, and type the lengths in millimetres.")
                                 .arg(printerName),
                             this);
    intro->setWordWrap(true);
    const auto field = [this](const char *name, double nominal) {
        auto *edit = new QLineEdit(QString::number(nominal), this);
        edit->setObjectName(QLatin1String(name));
        return edit;
    };
    txtAcross_ = field("txtAcross", across);
    txtDown_ = field("txtDown", down);
    auto *form = new QFormLayout;
    // A caption too long for the line (another language) puts its field under it.
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    form->addRow(tr("Ruler &across (%1 mm sent):").arg(across), txtAcross_);
    form->addRow(tr("Ruler &down (%1 mm sent):").arg(down), txtDown_);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setFixedWidth(360);
    // As tall as the wrapped introduction needs at that width (a longer language takes more lines).
    setFixedHeight(layout->totalHeightForWidth(360));
}

}  // namespace plakatron
