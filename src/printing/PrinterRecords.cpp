// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/PrinterRecords.h"

#include "core/RuntimeError.h"

#include <QtEndian>
#include <algorithm>
#include <type_traits>

namespace plakatron {

namespace {

class Writer {
public:
    template <typename T>
    void put(T value)
    {
        static_assert(std::is_integral_v<T>);
        char bytes[sizeof(T)];
        qToLittleEndian(value, bytes);
        out_.append(bytes, sizeof(T));
    }
    void put(const FixedText &text) { out_.append(text.data(), qsizetype(text.size())); }
    void putTemplateName(const QByteArray &text)
    {
        // The program only ever writes empty names; a stored one longer than 16 bits can count
        // is cut so that length and text stay consistent.
        const QByteArray kept = text.left(0xFFFF);
        put(static_cast<std::uint16_t>(kept.size()));
        out_.append(kept);
    }
    QByteArray take() { return std::move(out_); }

private:
    QByteArray out_;
};

// Reads fields in order until one does not fit; from then on every read leaves its field as it is
// (empty, as the records start).
class Reader {
public:
    explicit Reader(QByteArrayView bytes) : bytes_(bytes) {}

    template <typename T>
    void get(T &field)
    {
        static_assert(std::is_integral_v<T>);
        if (!take(sizeof(T)))
            return;
        field = qFromLittleEndian<T>(bytes_.data() + pos_ - qsizetype(sizeof(T)));
    }
    void get(FixedText &field)
    {
        if (!take(qsizetype(field.size())))
            return;
        std::copy_n(bytes_.data() + pos_ - qsizetype(field.size()), field.size(), field.begin());
    }
    void getTemplateName(QByteArray &field)
    {
        std::uint16_t length = 0;
        get(length);
        if (!sound_)
            return;
        // A length that runs past the end is nonsense: nothing after it can be located.
        if (!take(length))
            return;
        field = QByteArray(bytes_.data() + pos_ - length, length);
    }

private:
    bool take(qsizetype count)
    {
        if (!sound_ || count > bytes_.size() - pos_) {
            sound_ = false;
            return false;
        }
        pos_ += count;
        return true;
    }

    QByteArrayView bytes_;
    qsizetype pos_ = 0;
    bool sound_ = true;
};

// Both directions walk the fields in one order, so the file form is written down once.
template <typename Io>
void transferDialog(Io &io, auto &d)
{
    io.get(d.lStructSize);
    io.get(d.hwndOwner);
    io.get(d.hDevMode);
    io.get(d.hDevNames);
    io.get(d.hDC);
    io.get(d.Flags);
    io.get(d.nFromPage);
    io.get(d.nToPage);
    io.get(d.nMinPage);
    io.get(d.nMaxPage);
    io.get(d.nCopies);
    io.get(d.hInstance);
    io.get(d.lCustData);
    io.get(d.lpfnPrintHook);
    io.get(d.lpfnSetupHook);
    io.getTemplateName(d.lpPrintTemplateName);
    io.getTemplateName(d.lpSetupTemplateName);
    io.get(d.hPrintTemplate);
    io.get(d.hSetupTemplate);
}

template <typename Io>
void transferDevMode(Io &io, auto &m)
{
    io.get(m.dmDeviceName);
    io.get(m.dmSpecVersion);
    io.get(m.dmDriverVersion);
    io.get(m.dmSize);
    io.get(m.dmDriverExtra);
    io.get(m.dmFields);
    io.get(m.dmOrientation);
    io.get(m.dmPaperSize);
    io.get(m.dmPaperLength);
    io.get(m.dmPaperWidth);
    io.get(m.dmScale);
    io.get(m.dmCopies);
    io.get(m.dmDefaultSource);
    io.get(m.dmPrintQuality);
    io.get(m.dmColor);
    io.get(m.dmDuplex);
    io.get(m.dmYResolution);
    io.get(m.dmTTOption);
    io.get(m.dmCollate);
    io.get(m.dmFormName);
    io.get(m.dmLogPixels);
    io.get(m.dmBitsPerPelLow);
    io.get(m.dmPelsWidth);
    io.get(m.dmPelsHeight);
    io.get(m.dmDisplayFlags);
    io.get(m.dmDisplayFrequency);
}

// The writer takes the same calls as the reader, with the values.
class WritingIo {
public:
    explicit WritingIo(Writer &w) : w_(w) {}
    template <typename T>
    void get(const T &value) { w_.put(value); }
    void getTemplateName(const QByteArray &text) { w_.putTemplateName(text); }

private:
    Writer &w_;
};

// The UTF-8 bytes of `name`, at most `limit` of them, never ending inside a character.
QByteArray cutToBytes(const QString &name, qsizetype limit)
{
    QByteArray bytes = name.toUtf8();
    if (bytes.size() <= limit)
        return bytes;
    qsizetype end = limit;
    while (end > 0 && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80)
        --end;  // bytes[end] continues a character that started before it
    return bytes.left(end);
}

}  // namespace

QByteArray encodePrinterRecords(const PrinterRecords &records)
{
    Writer writer;
    WritingIo io(writer);
    transferDialog(io, records.dialog);
    transferDevMode(io, records.devMode);
    return writer.take();
}

PrinterRecords decodePrinterRecords(QByteArrayView bytes)
{
    PrinterRecords records;
    Reader reader(bytes);
    transferDialog(reader, records.dialog);
    transferDevMode(reader, records.devMode);
    return records;
}

FixedText paddedDeviceName(const QString &name)
{
    FixedText text;
    text.fill(' ');
    const QByteArray bytes = cutToBytes(name, qsizetype(text.size()));
    std::copy(bytes.begin(), bytes.end(), text.begin());
    return text;
}

FixedText dialogDeviceName(const QString &name)
{
    FixedText text{};
    const QByteArray bytes = cutToBytes(name, qsizetype(text.size()) - 1);
    std::copy(bytes.begin(), bytes.end(), text.begin());
    return text;
}

QString chosenDeviceName(const DevModeRecord &devMode)
{
    const auto &name = devMode.dmDeviceName;
    const auto nul = std::find(name.begin(), name.end(), '\0');
    if (nul == name.end())
        raise(err::InvalidCall);
    return QString::fromUtf8(name.data(), nul - name.begin()).toUpper();
}

int matchInstalledPrinter(const QString &chosen, const QStringList &installed)
{
    QStringView wanted(chosen);
    while (!wanted.isEmpty() && wanted.back() == u' ')
        wanted.chop(1);
    if (wanted.isEmpty())
        return -1;
    for (int i = 0; i < installed.size(); ++i)
        if (installed[i].compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    for (int i = 0; i < installed.size(); ++i)
        if (installed[i].startsWith(wanted, Qt::CaseInsensitive))
            return i;
    return -1;
}

}  // namespace plakatron
