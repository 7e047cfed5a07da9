#include "imaging/DibSection.h"

#include "core/MessageBox.h"

#include <QClipboard>
#include <QGuiApplication>

namespace plakatron {

bool cDIBSection::CopyToClipboard(bool asDIB) const
{
    QClipboard *clipboard = qGuiApp ? QGuiApplication::clipboard() : nullptr;
    if (!clipboard)
        return false;
    if (asDIB) {
        MsgBox(QStringLiteral("I don't know how to put a DIB on the clipboard! Copy as bitmap instead!!!"));
        return false;
    }
    // A buffer without pixels has nothing to copy; putting a black picture there instead would
    // report a copy that did not happen.
    const QImage picture = toImage();
    if (picture.isNull())
        return false;
    clipboard->setImage(picture);
    return true;
}

}  // namespace plakatron
