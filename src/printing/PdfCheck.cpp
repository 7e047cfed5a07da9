// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/PdfCheck.h"

#include <QByteArray>
#include <QIODevice>
#include <algorithm>

namespace plakatron {

namespace {

QByteArray readAt(QIODevice &device, qint64 offset, qint64 size)
{
    return device.seek(offset) ? device.read(size) : QByteArray();
}

bool isBlank(char c) { return c == ' ' || c == '\r' || c == '\n' || c == '\t'; }

void skipBlanks(const QByteArray &text, qsizetype &at)
{
    while (at < text.size() && isBlank(text[at]))
        ++at;
}

// The decimal number at `at` (moved past it); -1 when there is none or it is absurdly long.
qint64 numberAt(const QByteArray &text, qsizetype &at)
{
    const qsizetype start = at;
    qint64 value = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 15)
        value = value * 10 + (text[at++] - '0');
    return at > start ? value : -1;
}

}  // namespace

bool isWholePdf(QIODevice &pdf)
{
    const qint64 size = pdf.size();
    // The end: "startxref", the table's offset and "%%EOF", with any line ends after it.
    QByteArray tail = readAt(pdf, std::max<qint64>(0, size - 1024), 1024);
    while (!tail.isEmpty() && isBlank(tail.back()))
        tail.chop(1);
    const qsizetype startxref = tail.lastIndexOf("startxref");
    if (!tail.endsWith("%%EOF") || startxref < 0)
        return false;
    qsizetype at = startxref + 9;
    skipBlanks(tail, at);
    const qint64 xref = numberAt(tail, at);
    if (xref < 0 || xref >= size)
        return false;

    // The table: "xref", then sections "first count" of 20-byte entries, then "trailer".
    const QByteArray table = readAt(pdf, xref, size - xref);
    if (!table.startsWith("xref"))
        return false;
    at = 4;
    for (;;) {
        skipBlanks(table, at);
        if (table.sliced(at).startsWith("trailer"))
            return true;
        const qint64 first = numberAt(table, at);
        skipBlanks(table, at);
        const qint64 count = numberAt(table, at);
        skipBlanks(table, at);
        if (first < 0 || count < 0 || count > (table.size() - at) / 20)
            return false;
        for (qint64 i = 0; i < count; ++i, at += 20) {
            // "0000012345 00000 n\r\n": offset, generation, in use or free.
            const QByteArray entry = table.sliced(at, 20);
            qsizetype field = 0;
            const qint64 offset = numberAt(entry, field);
            field = 11;
            const qint64 generation = numberAt(entry, field);
            if (offset < 0 || generation < 0 || entry[10] != ' ' || entry[16] != ' ')
                return false;
            if (entry[17] == 'f')
                continue;
            const QByteArray object = QByteArray::number(first + i) + ' ' + QByteArray::number(generation) + " obj";
            if (entry[17] != 'n' || offset >= xref || !readAt(pdf, offset, object.size()).startsWith(object))
                return false;
        }
    }
}

}  // namespace plakatron
