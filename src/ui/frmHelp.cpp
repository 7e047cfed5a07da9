// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frmHelp.h"

#include "core/ProgramWide.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

namespace plakatron {

frmHelp::frmHelp(QWidget *owner, const QString &page)
    : QDialog(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                         | Qt::WindowCloseButtonHint),
      browser_(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(tr("%1 - Instructions").arg(appTitle()));
    browser_->setObjectName(QStringLiteral("txtHelp"));
    browser_->setAccessibleName(tr("Instructions"));
    // Links to mail and the web go to the system; the pages' own links stay in the window.
    browser_->setOpenExternalLinks(true);
    browser_->document()->setDocumentMargin(12);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    browser_->setSearchPaths({QFileInfo(page).absolutePath()});
    browser_->setSource(QUrl::fromLocalFile(QFileInfo(page).absoluteFilePath()));
    // Wide enough for the pages' pictures, as a browser window would be.
    resize(760, 640);
}

frmHelp *showHelpWindow(QWidget *owner, const QString &page)
{
    auto *help = owner->findChild<frmHelp *>(QStringLiteral("frmHelp"), Qt::FindDirectChildrenOnly);
    if (!help)
        help = new frmHelp(owner, page);
    else
        help->browser()->setSource(QUrl::fromLocalFile(QFileInfo(page).absoluteFilePath()));
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}

}  // namespace plakatron
