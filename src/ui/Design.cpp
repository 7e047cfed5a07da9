// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Design.h"

#include <QStringList>

namespace plakatron {

QPoint centredTopLeft(const QRect &area, const QSize &window)
{
    return {area.left() + (area.width() - window.width()) / 2, area.top() + (area.height() - window.height()) / 2};
}

QFont designFont(const QString &family, double pointSize, bool bold, bool underline)
{
    QFont font(family);
    font.setFamilies({family, QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

QString wrappedToolTip(const QString &text, int lineLength)
{
    QString wrapped;
    qsizetype lineStart = 0;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (wrapped.size() > lineStart) {
            if (wrapped.size() - lineStart + 1 + word.size() > lineLength) {
                wrapped += u'\n';
                lineStart = wrapped.size();
            } else {
                wrapped += u' ';
            }
        }
        wrapped += word;
    }
    return wrapped;
}

}  // namespace plakatron
