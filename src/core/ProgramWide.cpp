// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ProgramWide.h"

#include "core/BuildConfig.h"

namespace plakatron {

ProgramWide &programWide()
{
    static ProgramWide values;
    return values;
}

QString appTitle() { return QStringLiteral("Plakatron"); }

int versionMajor() { return buildconfig::versionMajor; }
int versionMinor() { return buildconfig::versionMinor; }
int versionRevision() { return buildconfig::versionRevision; }

QString versionText()
{
    return QStringLiteral("%1.%2.%3").arg(versionMajor()).arg(versionMinor()).arg(versionRevision());
}

}  // namespace plakatron
