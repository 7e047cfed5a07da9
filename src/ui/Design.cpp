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

QString wrappedToolTip(const QString &text)
{
    return QStringLiteral("<p>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

}  // namespace plakatron
