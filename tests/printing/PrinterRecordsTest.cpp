// The file form of the two printer records, checked against bytes laid out by hand from the
// offsets table, and the files a user may have lying around: short, long, damaged.
#include "core/RuntimeError.h"
#include "printing/PrinterRecords.h"
#include "printing/StoredPrinter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

using namespace plakatron;

namespace {

// Distinct values for every field, so that two swapped fields cannot go unnoticed; the 32-bit
// ones have the top bit set to catch a sign slip.
std::int16_t v16(int offset) { return static_cast<std::int16_t>(offset * 100 + 7); }
std::uint32_t v32(int offset) { return 0x80000000u | std::uint32_t(offset) << 16 | std::uint32_t(offset + 1); }

struct Field {
    int offset;
    int size;
};
// Every numeric field of the 184-byte form, offsets and sizes as the table gives them.
const Field NumericFields[] = {
    {0, 4},   {4, 4},   {8, 4},   {12, 4},  {16, 4},  {20, 4},  {24, 2},  {26, 2},  {28, 2},  {30, 2},
    {32, 2},  {34, 4},  {38, 4},  {42, 4},  {46, 4},  {54, 4},  {58, 4},  {94, 2},  {96, 2},  {98, 2},
    {100, 2}, {102, 4}, {106, 2}, {108, 2}, {110, 2}, {112, 2}, {114, 2}, {116, 2}, {118, 2}, {120, 2},
    {122, 2}, {124, 2}, {126, 2}, {128, 2}, {130, 2}, {164, 2}, {166, 2}, {168, 4}, {172, 4}, {176, 4},
    {180, 4},
};

void putLittleEndian(QByteArray &bytes, int offset, int size, std::uint32_t value)
{
    for (int i = 0; i < size; ++i)
        bytes[offset + i] = char((value >> (8 * i)) & 0xFF);
}

// The file as the table lays it out: template-name lengths 0 at 50 and 52, device name "Office"
// at 62, form name "A4" at 132.
QByteArray handBuiltFile()
{
    QByteArray bytes(184, '\0');
    for (const Field &f : NumericFields)
        putLittleEndian(bytes, f.offset, f.size, f.size == 2 ? std::uint16_t(v16(f.offset)) : v32(f.offset));
    bytes.replace(62, 6, "Office");
    bytes.replace(132, 2, "A4");
    return bytes;
}

FixedText text(const char *s)
{
    FixedText t{};
    std::copy(s, s + std::strlen(s), t.begin());
    return t;
}

// The same content, field by field by name.
PrinterRecords handBuiltRecords()
{
    PrinterRecords r;
    PrintDlgRecord &d = r.dialog;
    d.lStructSize = v32(0);
    d.hwndOwner = v32(4);
    d.hDevMode = v32(8);
    d.hDevNames = v32(12);
    d.hDC = v32(16);
    d.Flags = v32(20);
    d.nFromPage = v16(24);
    d.nToPage = v16(26);
    d.nMinPage = v16(28);
    d.nMaxPage = v16(30);
    d.nCopies = v16(32);
    d.hInstance = v32(34);
    d.lCustData = v32(38);
    d.lpfnPrintHook = v32(42);
    d.lpfnSetupHook = v32(46);
    d.hPrintTemplate = v32(54);
    d.hSetupTemplate = v32(58);
    DevModeRecord &m = r.devMode;
    m.dmDeviceName = text("Office");
    m.dmSpecVersion = v16(94);
    m.dmDriverVersion = v16(96);
    m.dmSize = v16(98);
    m.dmDriverExtra = v16(100);
    m.dmFields = v32(102);
    m.dmOrientation = v16(106);
    m.dmPaperSize = v16(108);
    m.dmPaperLength = v16(110);
    m.dmPaperWidth = v16(112);
    m.dmScale = v16(114);
    m.dmCopies = v16(116);
    m.dmDefaultSource = v16(118);
    m.dmPrintQuality = v16(120);
    m.dmColor = v16(122);
    m.dmDuplex = v16(124);
    m.dmYResolution = v16(126);
    m.dmTTOption = v16(128);
    m.dmCollate = v16(130);
    m.dmFormName = text("A4");
    m.dmLogPixels = v16(164);
    m.dmBitsPerPelLow = v16(166);
    m.dmPelsWidth = v32(168);
    m.dmPelsHeight = v32(172);
    m.dmDisplayFlags = v32(176);
    m.dmDisplayFrequency = v32(180);
    return r;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

}  // namespace

TEST(PrinterRecords, FileFormMatchesTheOffsetsTable)
{
    const QByteArray expected = handBuiltFile();
    const QByteArray written = encodePrinterRecords(handBuiltRecords());
    ASSERT_EQ(written.size(), 184);
    for (int i = 0; i < 184; ++i)
        EXPECT_EQ(quint8(written[i]), quint8(expected[i])) << "byte " << i;
    EXPECT_EQ(decodePrinterRecords(expected), handBuiltRecords());
}

TEST(PrinterRecords, ShortFileKeepsWholeFieldsAndLeavesTheRestEmpty)
{
    // Every place a file can end: the fields wholly inside are read, the rest stay empty, so
    // writing the result back gives the file's first whole fields followed by zeros.
    const QByteArray full = handBuiltFile();
    std::vector<int> boundaries{0, 50, 52, 62, 94, 132, 164, 184};
    for (const Field &f : NumericFields)
        boundaries.push_back(f.offset + f.size);
    std::sort(boundaries.begin(), boundaries.end());
    for (int length = 0; length < 184; ++length) {
        SCOPED_TRACE(length);
        const int whole = *std::prev(std::upper_bound(boundaries.begin(), boundaries.end(), length));
        QByteArray expected = full.left(whole);
        expected.append(QByteArray(184 - whole, '\0'));
        EXPECT_EQ(encodePrinterRecords(decodePrinterRecords(full.left(length))), expected);
    }
}

TEST(PrinterRecords, TemplateNamesAreReadWhenTheyFitAndEndTheReadingWhenNot)
{
    const QByteArray full = handBuiltFile();
    const auto withNames = [&](QByteArray printName, quint16 printLength, QByteArray setupName, quint16 setupLength) -> QByteArray {
        QByteArray bytes = full.left(50);
        bytes.append(char(printLength & 0xFF)).append(char(printLength >> 8)).append(printName);
        bytes.append(char(setupLength & 0xFF)).append(char(setupLength >> 8)).append(setupName);
        return bytes + full.mid(54);
    };

    // Sound names are read and written back with their lengths.
    const QByteArray named = withNames("AB", 2, "C", 1);
    PrinterRecords r = decodePrinterRecords(named);
    EXPECT_EQ(r.dialog.lpPrintTemplateName, QByteArray("AB"));
    EXPECT_EQ(r.dialog.lpSetupTemplateName, QByteArray("C"));
    EXPECT_EQ(r.devMode, handBuiltRecords().devMode);
    EXPECT_EQ(encodePrinterRecords(r), named);

    // A length running past the end: that name and everything after it stay empty.
    struct Row { const char *what; QByteArray bytes; bool printNameRead; };
    const Row rows[] = {
        {"print name 65535", withNames("", 0xFFFF, "", 0), false},
        {"print name 200", withNames("", 200, "", 0), false},
        {"setup name 65535", withNames("AB", 2, "", 0xFFFF), true},
        {"setup name one past the end", withNames("", 0, "", 131), false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        const PrinterRecords damaged = decodePrinterRecords(row.bytes);
        EXPECT_EQ(damaged.dialog.nCopies, v16(32)) << "fields before the names are read";
        EXPECT_EQ(damaged.dialog.lpPrintTemplateName, row.printNameRead ? QByteArray("AB") : QByteArray());
        EXPECT_TRUE(damaged.dialog.lpSetupTemplateName.isEmpty());
        EXPECT_EQ(damaged.dialog.hPrintTemplate, 0u);
        EXPECT_EQ(damaged.devMode, DevModeRecord());
        // Written again, the records take their 184 bytes (plus a sound print name).
        EXPECT_EQ(encodePrinterRecords(damaged).size(), row.printNameRead ? 186 : 184);
    }
}

TEST(PrinterRecords, DeviceNamesInAndOutOfTheDialog)
{
    // Into the dialog: blank-padded to 32, cut at 32, never inside a character.
    EXPECT_EQ(paddedDeviceName(QStringLiteral("Office")), text("Office                          "));
    const QString longName = QStringLiteral("Laser_Printer_on_the_second_floor_west");
    EXPECT_EQ(paddedDeviceName(longName), text("Laser_Printer_on_the_second_flo"  "o"));
    // Out of the dialog: at most 31 bytes and a NUL.
    EXPECT_EQ(dialogDeviceName(longName), text("Laser_Printer_on_the_second_flo"));
    // "ü" is two bytes; at bytes 30-31 it does not fit in 31 and is left out whole.
    const QString umlaut = QStringLiteral("Drucker_im_Erdgeschoss_rechts_\u00fcber");
    EXPECT_EQ(dialogDeviceName(umlaut), text("Drucker_im_Erdgeschoss_rechts_"));
    EXPECT_EQ(paddedDeviceName(umlaut), text("Drucker_im_Erdgeschoss_rechts_\xc3\xbc"));

    DevModeRecord m;
    m.dmDeviceName = dialogDeviceName(QStringLiteral("Office_2"));
    EXPECT_EQ(chosenDeviceName(m), QStringLiteral("OFFICE_2"));
    m.dmDeviceName = dialogDeviceName(umlaut);
    EXPECT_EQ(chosenDeviceName(m), QStringLiteral("DRUCKER_IM_ERDGESCHOSS_RECHTS_"));
    // 32 characters and no NUL cannot be delimited.
    m.dmDeviceName = paddedDeviceName(longName);
    try {
        chosenDeviceName(m);
        FAIL() << "a name without NUL was accepted";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), 5);
    }
}

TEST(PrinterRecords, ChosenNameFindsItsPrinterExactlyBeforeByPrefix)
{
    const QStringList offices{QStringLiteral("Office_2"), QStringLiteral("Office"), QStringLiteral("Office_3")};
    const QStringList longNames{QStringLiteral("Plotter"), QStringLiteral("Laser_Printer_on_the_second_floor_west"),
                                QStringLiteral("Laser_Printer_on_the_second_floor_east")};
    struct Row { const char *chosen; const QStringList *installed; int match; };
    const Row rows[] = {
        {"OFFICE", &offices, 1},           // exact wins over the earlier prefix match
        {"OFFICE_2", &offices, 0},
        {"office_3", &offices, 2},
        {"OFFICE  ", &offices, 1},         // trailing blanks do not count
        {"OFF", &offices, 0},              // cut short: the first that starts with it
        {"LASER_PRINTER_ON_THE_SECOND_FLO", &longNames, 1},
        {"PLOTTER_XL", &longNames, -1},
        {"", &offices, -1},
        {"   ", &offices, -1},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.chosen);
        EXPECT_EQ(matchInstalledPrinter(QString::fromLatin1(r.chosen), *r.installed), r.match);
    }
    EXPECT_EQ(matchInstalledPrinter(QStringLiteral("OFFICE"), {}), -1);
}

TEST(StoredPrinter, WritesInPlaceAndReadsWhatItWrote)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("printer.dat"));
    const PrinterRecords records = handBuiltRecords();

    // A new file: 184 bytes.
    writePrinterFile(path, records);
    EXPECT_EQ(readAll(path), handBuiltFile());
    EXPECT_EQ(readPrinterFile(path), records);

    // A longer file keeps its tail; its records are read as the first 184 bytes.
    writeAll(path, QByteArray(300, char(0xEE)));
    writePrinterFile(path, records);
    const QByteArray after = readAll(path);
    ASSERT_EQ(after.size(), 300);
    EXPECT_EQ(after.left(184), handBuiltFile());
    EXPECT_EQ(after.mid(184), QByteArray(116, char(0xEE)));
    EXPECT_EQ(readPrinterFile(path), records);

    // A short file reads as far as it goes.
    writeAll(path, handBuiltFile().left(100));
    EXPECT_EQ(readPrinterFile(path).dialog, records.dialog);
    EXPECT_EQ(readPrinterFile(path).devMode.dmDeviceName, records.devMode.dmDeviceName);
    EXPECT_EQ(readPrinterFile(path).devMode.dmFields, 0u);
}

TEST(StoredPrinter, FilesThatCannotBeReadOrWritten)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A folder named printer.dat is no file, cannot be read and cannot be written.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("printer.dat")));
    const QString folderPath = dir.filePath(QStringLiteral("printer.dat"));
    struct Row { const char *what; std::function<void()> call; int error; };
    const Row rows[] = {
        {"read a folder", [&] { readPrinterFile(folderPath); }, 75},
        {"write a folder", [&] { writePrinterFile(folderPath, {}); }, 75},
        {"write into a missing folder", [&] { writePrinterFile(dir.filePath(QStringLiteral("gone/printer.dat")), {}); }, 76},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.what);
        try {
            r.call();
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError &e) {
            EXPECT_EQ(e.number(), r.error);
        }
    }
}
