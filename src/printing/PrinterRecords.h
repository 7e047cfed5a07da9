// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The print-dialog record and the device-settings record, field by field as the Windows print
// dialog (PRINTDLGA, DEVMODEA) lays them out, and their file form in "printer.dat": both records
// back to back, little-endian, no padding, fixed texts of 32 8-bit characters, each template name
// as a 16-bit length and that many characters. With both template names empty: 184 bytes.
// Plain data and byte arithmetic; nothing here needs a printer or a window.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace plakatron {

using FixedText = std::array<char, 32>;

struct PrintDlgRecord {
    std::uint32_t lStructSize = 0;
    std::uint32_t hwndOwner = 0;
    std::uint32_t hDevMode = 0;
    std::uint32_t hDevNames = 0;
    std::uint32_t hDC = 0;
    std::uint32_t Flags = 0;
    std::int16_t nFromPage = 0;
    std::int16_t nToPage = 0;
    std::int16_t nMinPage = 0;
    std::int16_t nMaxPage = 0;
    std::int16_t nCopies = 0;
    std::uint32_t hInstance = 0;
    std::uint32_t lCustData = 0;
    std::uint32_t lpfnPrintHook = 0;
    std::uint32_t lpfnSetupHook = 0;
    QByteArray lpPrintTemplateName;  // 8-bit text
    QByteArray lpSetupTemplateName;
    std::uint32_t hPrintTemplate = 0;
    std::uint32_t hSetupTemplate = 0;

    bool operator==(const PrintDlgRecord &) const = default;
};

struct DevModeRecord {
    FixedText dmDeviceName{};
    std::int16_t dmSpecVersion = 0;
    std::int16_t dmDriverVersion = 0;
    std::int16_t dmSize = 0;
    std::int16_t dmDriverExtra = 0;
    std::uint32_t dmFields = 0;
    std::int16_t dmOrientation = 0;
    std::int16_t dmPaperSize = 0;
    std::int16_t dmPaperLength = 0;
    std::int16_t dmPaperWidth = 0;
    std::int16_t dmScale = 0;
    std::int16_t dmCopies = 0;
    std::int16_t dmDefaultSource = 0;
    std::int16_t dmPrintQuality = 0;
    std::int16_t dmColor = 0;
    std::int16_t dmDuplex = 0;
    std::int16_t dmYResolution = 0;
    std::int16_t dmTTOption = 0;
    std::int16_t dmCollate = 0;
    FixedText dmFormName{};
    std::int16_t dmLogPixels = 0;
    std::int16_t dmBitsPerPelLow = 0;  // low half of the bits-per-pel field
    std::uint32_t dmPelsWidth = 0;
    std::uint32_t dmPelsHeight = 0;
    std::uint32_t dmDisplayFlags = 0;
    std::uint32_t dmDisplayFrequency = 0;

    bool operator==(const DevModeRecord &) const = default;
};

struct PrinterRecords {
    PrintDlgRecord dialog;
    DevModeRecord devMode;

    bool operator==(const PrinterRecords &) const = default;
};

// Sizes of the file form.
inline constexpr int PrintDlgFixedBytes = 62;  // the print-dialog record with empty template names
inline constexpr int DevModeBytes = 122;
inline constexpr int PrinterFileBytes = PrintDlgFixedBytes + DevModeBytes;  // 184
inline constexpr std::uint32_t PrintDlgStructSize = 66;

// Bits of the print-dialog Flags this program reads or writes (the platform's PD_ values).
namespace pd {
inline constexpr std::uint32_t AllPages = 0x0;
inline constexpr std::uint32_t Selection = 0x1;
inline constexpr std::uint32_t PageNums = 0x2;
inline constexpr std::uint32_t NoSelection = 0x4;
inline constexpr std::uint32_t NoPageNums = 0x8;
inline constexpr std::uint32_t Collate = 0x10;
inline constexpr std::uint32_t PrintToFile = 0x20;
inline constexpr std::uint32_t CurrentPage = 0x400000;
// The bits the dialog's answer decides; every other bit is kept as stored.
inline constexpr std::uint32_t AnswerBits = Selection | PageNums | CurrentPage | Collate | PrintToFile;
}  // namespace pd

// Bits of dmFields (the platform's DM_ values) and the values of the device-settings fields.
namespace dm {
inline constexpr std::uint32_t Orientation = 0x1;
inline constexpr std::uint32_t PaperSize = 0x2;
inline constexpr std::uint32_t Copies = 0x100;
inline constexpr std::uint32_t DefaultSource = 0x200;
inline constexpr std::uint32_t PrintQuality = 0x400;
inline constexpr std::uint32_t Color = 0x800;
inline constexpr std::uint32_t Duplex = 0x1000;
inline constexpr std::uint32_t Collate = 0x8000;
inline constexpr std::int16_t Portrait = 1, Landscape = 2;
inline constexpr std::int16_t Monochrome = 1, Colour = 2;
inline constexpr std::int16_t Simplex = 1, DuplexLongEdge = 2, DuplexShortEdge = 3;
inline constexpr std::int16_t CollateFalse = 0, CollateTrue = 1;
inline constexpr std::int16_t DevModeSize = 122;
}  // namespace dm

// The file form of both records: 184 bytes plus the template names' characters.
QByteArray encodePrinterRecords(const PrinterRecords &records);

// Reads the records from the file form field by field, as far as the bytes are sound: a field
// that does not fit in what is left, or a template name whose length runs past the end, ends the
// reading and every field from there on stays empty. Never reads past the end of `bytes`.
PrinterRecords decodePrinterRecords(QByteArrayView bytes);

// Texts of the device-settings record (8-bit, UTF-8 as this system's code page).
// The device name as it goes into the dialog: cut, or padded with blanks, to 32 characters.
FixedText paddedDeviceName(const QString &name);
// The device name as the dialog returns it: at most 31 characters, NUL-terminated, NUL-filled.
// A name is never cut inside a character.
FixedText dialogDeviceName(const QString &name);
// The chosen printer: the device name up to its first NUL, upper-cased. A name without any NUL
// fails with Invalid procedure call (5), as the text cannot be delimited.
QString chosenDeviceName(const DevModeRecord &devMode);

// Which installed printer the chosen (upper-cased, possibly cut short) name means: a printer whose
// name equals it ignoring case wins; otherwise the first whose name starts with it (a name cut
// short by the 32-character field). Trailing blanks of `chosen` are ignored. -1 when none matches
// or `chosen` is blank.
int matchInstalledPrinter(const QString &chosen, const QStringList &installed);

}  // namespace plakatron
