// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StoredSettings.h"

#include "core/Numeric.h"
#include "core/ProgramWide.h"
#include "core/RuntimeError.h"
#include "layout/PageLayout.h"

namespace plakatron {

namespace {
// A stored index or percent: `read` gives the number, anything outside [min, max] or failing to
// convert gives the default.
template <typename Read>
int validated(const QString &key, int fallback, int min, int max, Read read)
{
    try {
        const int v = read(GetSetting(settingkeys::Section, key, QString::number(fallback)));
        return v >= min && v <= max ? v : fallback;
    } catch (const RuntimeError &) {
        return fallback;
    }
}

// A stored size asked for: none unless it reads as a size above 0.
PosterSize storedSize(const QString &text)
{
    const std::optional<PosterSize> size = parsePosterSize(text);
    return size && size->isSet() ? *size : PosterSize{};
}
}  // namespace

StoredPosterChoices readPosterChoices()
{
    // The list indexes are the leading number of their text; the overlap must be a number as a whole.
    const auto leadingNumber = [](const QString &text) { return static_cast<int>(CInt(Val(text))); };
    const auto wholeNumber = [](const QString &text) { return static_cast<int>(CIntText(text)); };
    // The resolution list runs further on a larger paper.
    const Paper paper = parsePaper(GetSetting(settingkeys::Section, settingkeys::Paper, QString())).value_or(Paper{});
    return {
        validated(settingkeys::SheetsAcross, DefaultSheetsIndex, 0, sheetsAcrossEntries().size() - 1, leadingNumber),
        validated(settingkeys::Resolution, DefaultResolutionIndex, 0, resolutionEntries(paper).size() - 1, leadingNumber),
        validated(settingkeys::Overlap, DefaultOverlap, 0, 50, wholeNumber),
        paper,
        storedSize(GetSetting(settingkeys::Section, settingkeys::PosterSize, QString())),
    };
}

void writePosterChoices(const StoredPosterChoices &c)
{
    SaveSetting(settingkeys::Section, settingkeys::Overlap, QString::number(c.overlap));
    SaveSetting(settingkeys::Section, settingkeys::Resolution, QString::number(c.resolutionIndex));
    SaveSetting(settingkeys::Section, settingkeys::SheetsAcross, QString::number(c.sheetsIndex));
    if (c.paper.isA4Portrait())
        DeleteSetting(settingkeys::Section, settingkeys::Paper);
    else
        SaveSetting(settingkeys::Section, settingkeys::Paper, paperText(c.paper));
    if (c.size.isSet())
        SaveSetting(settingkeys::Section, settingkeys::PosterSize, posterSizeText(c.size));
    else
        DeleteSetting(settingkeys::Section, settingkeys::PosterSize);
}

QByteArray readWindowPlace()
{
    const QByteArray text = GetSetting(settingkeys::Section, settingkeys::Window, QString()).toLatin1();
    const auto decoded = QByteArray::fromBase64Encoding(text, QByteArray::AbortOnBase64DecodingErrors);
    return decoded ? *decoded : QByteArray();
}

void writeWindowPlace(const QByteArray &place)
{
    if (place.isEmpty())
        DeleteSetting(settingkeys::Section, settingkeys::Window);
    else
        SaveSetting(settingkeys::Section, settingkeys::Window, QString::fromLatin1(place.toBase64()));
}

}  // namespace plakatron
