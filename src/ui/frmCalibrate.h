// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Printer calibration": the two lengths the user measured on the calibration sheet, in
// millimetres, each field starting at the ruler's nominal length (which asks for no correction).

#include <QDialog>
#include <QString>

class QLineEdit;

namespace plakatron {

class frmCalibrate : public QDialog {
    Q_OBJECT
public:
    // For the rulers of `across` and `down` millimetres printed on `printerName`.
    frmCalibrate(QWidget *owner, const QString &printerName, double across, double down);

    QLineEdit *txtAcross() const { return txtAcross_; }
    QLineEdit *txtDown() const { return txtDown_; }

private:
    QLineEdit *txtAcross_ = nullptr;
    QLineEdit *txtDown_ = nullptr;
};

}  // namespace plakatron
