// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Line3dModel.h"

#include <QString>
#include <limits>

namespace plakatron {

Line3dLayout layoutLine3d(int widthTwips, int heightTwips)
{
    Line3dLayout layout;
    if (widthTwips > heightTwips) {
        layout.width = widthTwips;
        layout.height = line3dThicknessTwips;
        layout.lines[0] = {0, 0, widthTwips, 0};
        layout.lines[1] = {0, line3dSecondLineTwips, widthTwips, line3dSecondLineTwips};
    } else {
        layout.width = line3dThicknessTwips;
        layout.height = heightTwips;
        layout.lines[0] = {0, 0, 0, heightTwips};
        layout.lines[1] = {line3dSecondLineTwips, 0, line3dSecondLineTwips, heightTwips};
    }
    return layout;
}

namespace {

const QString kEnabled = QStringLiteral("Enabled");
const QString kColor1 = QStringLiteral("Color1");
const QString kColor2 = QStringLiteral("Color2");
const QString kBackColor = QStringLiteral("BackColor");

std::uint32_t readColor(const QVariantMap &bag, const QString &name, std::uint32_t fallback)
{
    const auto it = bag.constFind(name);
    if (it == bag.constEnd())
        return fallback;
    bool ok = false;
    const qlonglong value = it->toLongLong(&ok);
    // Signed (as a 32-bit Long) and unsigned forms of the same colour are both accepted.
    if (!ok || value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::uint32_t>::max())
        return fallback;
    return static_cast<std::uint32_t>(value);
}

bool readFlag(const QVariantMap &bag, const QString &name, bool fallback)
{
    const auto it = bag.constFind(name);
    if (it == bag.constEnd() || !it->canConvert<bool>())
        return fallback;
    return it->toBool();
}

}  // namespace

void Line3dProperties::write(QVariantMap &bag) const
{
    const auto put = [&bag](const QString &name, const QVariant &value, bool isDefault) {
        if (isDefault)
            bag.remove(name);  // a stale entry would override the default on the next read
        else
            bag.insert(name, value);
    };
    put(kEnabled, Enabled, Enabled == defaultEnabled);
    put(kColor1, QVariant::fromValue(Color1), Color1 == defaultColor1);
    put(kColor2, QVariant::fromValue(Color2), Color2 == defaultColor2);
    put(kBackColor, QVariant::fromValue(BackColor), BackColor == defaultBackColor);
}

Line3dProperties Line3dProperties::read(const QVariantMap &bag)
{
    Line3dProperties properties;
    properties.Enabled = readFlag(bag, kEnabled, defaultEnabled);
    properties.Color1 = readColor(bag, kColor1, defaultColor1);
    properties.Color2 = readColor(bag, kColor2, defaultColor2);
    properties.BackColor = readColor(bag, kBackColor, defaultBackColor);
    return properties;
}

}  // namespace plakatron
