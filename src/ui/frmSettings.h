// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Additional settings": the overlap between neighbouring poster pages, 0 to 50 percent. Only the
// "Close" button applies the choice (to both overlap values); the title bar's close box and Esc
// leave them as they were.

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;

namespace plakatron {

inline constexpr int overlapEntryCount = 51;  // 0 % ... 50 %
inline constexpr int defaultOverlapPercent = 3;

// Entry i of the overlap list: «i %», and «3 % *» for the default.
QString overlapEntryText(int percent);

class frmSettings : public QDialog {
    Q_OBJECT
public:
    explicit frmSettings(QWidget *owner = nullptr);
    ~frmSettings() override;

    // The one instance while it is loaded, else null.
    static frmSettings *current();

    QComboBox *cmbOverlab() const { return cmbOverlab_; }
    QPushButton *Command1() const { return Command1_; }
    QLabel *Label1() const { return Label1_; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load();
    void Command1_Click();

    QLabel *Label1_ = nullptr;
    QComboBox *cmbOverlab_ = nullptr;
    QPushButton *Command1_ = nullptr;
};

// The Settings menu command: a fresh dialog, modal over `owner`, unloaded when it closes.
// Returns once it is gone.
void showSettingsDialog(QWidget *owner);

}  // namespace plakatron
