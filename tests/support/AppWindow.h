// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window for the window's tests: opened on the settings of a first start (no settings
// file, the C locale), with message boxes captured, its controls found by name.

#include "app/frmMain.h"
#include "core/SettingsStore.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace plakatron::test {

class AppWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(settingsFilePath());
        QLocale::setDefault(QLocale::c());
    }
    void TearDown() override
    {
        if (window)
            window->close();
    }
    // A new main window, shown and kept after closing; the one before must have been closed.
    void open()
    {
        window = std::make_unique<frmMain>();
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
    }
    template <typename Widget = QComboBox>
    Widget *child(const char *name) const { return window->findChild<Widget *>(QLatin1String(name)); }
    // A poster size typed into its entry and confirmed with Enter.
    void type(const char *size)
    {
        auto *entry = child<QLineEdit>("txtPosterSize");
        entry->setText(QString::fromUtf8(size));
        Q_EMIT entry->editingFinished();
    }

    QTemporaryDir dir;
    MessageCapture messages;
    std::unique_ptr<frmMain> window;
};

}  // namespace plakatron::test
