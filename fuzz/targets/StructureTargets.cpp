// SPDX-License-Identifier: GPL-3.0-or-later
// The PNG and HEIF structures made right around what the fuzzer changes: chunk lengths and
// checksums, box sizes. Mutating whole files, the fuzzer spends its runs on files every decoder
// refuses at the first checksum or box size; here every input is a file whose chunks and boxes
// all hold together, and what they say (text that inflates, grids and overlays of any size, tiles,
// references, properties) reaches the loader's checks and the decoders.
#include "FuzzTargets.h"

#include <QtEndian>
#include <vector>
#include <zlib.h>

namespace plakatron::fuzz {

namespace {

// One record: a tag (a depth, or nothing), four letters, a 16-bit length, the content.
struct Record {
    int depth = 0;
    QByteArray type;
    QByteArrayView content;
};

std::vector<Record> records(QByteArrayView data, bool withDepth)
{
    std::vector<Record> out;
    for (qsizetype at = 0; at < data.size();) {
        const qsizetype head = withDepth ? 7 : 6;
        if (data.size() - at < head)
            break;
        Record r;
        r.depth = withDepth ? quint8(data[at]) % 4 : 0;
        r.type = data.sliced(at + (withDepth ? 1 : 0), 4).toByteArray();
        const qsizetype length = qFromLittleEndian<quint16>(data.data() + at + head - 2);
        r.content = data.sliced(at + head, std::min(length, data.size() - at - head));
        at += head + r.content.size();
        out.push_back(r);
    }
    return out;
}

QByteArray record(int depth, QByteArrayView type, QByteArrayView content, bool withDepth)
{
    QByteArray out = withDepth ? QByteArray(1, char(depth)) : QByteArray();
    out += type.toByteArray();
    const qsizetype length = std::min<qsizetype>(content.size(), 0xFFFF);
    out += char(length & 0xFF);
    out += char(length >> 8);
    return out + content.first(length).toByteArray();
}

QByteArray bigEndian32(quint32 value)
{
    QByteArray out(4, '\0');
    qToBigEndian(value, out.data());
    return out;
}

// The boxes from records[from] on at `depth` and the boxes inside them; `from` moves past them.
QByteArray boxes(const std::vector<Record> &all, std::size_t &from, int depth)
{
    QByteArray out;
    while (from < all.size() && all[from].depth == depth) {
        const Record &r = all[from++];
        const QByteArray body = r.content.toByteArray() + boxes(all, from, depth + 1);
        out += bigEndian32(quint32(8 + body.size())) + r.type + body;
    }
    // A record deeper than one level below has no box to go in: it goes where it is.
    while (from < all.size() && all[from].depth > depth)
        out += boxes(all, from, all[from].depth);
    return out;
}

// The boxes HEIF pictures nest others in, with the bytes of their own that come first (a full
// box's version and flags, an entry count).
qsizetype containerContent(QByteArrayView type, QByteArrayView body)
{
    if (type == "meta" || type == "iref")
        return 4;
    if (type == "iinf")
        return body.size() >= 1 && body[0] == 0 ? 6 : 8;
    if (type == "iprp" || type == "ipco" || type == "dinf")
        return 0;
    return -1;
}

void boxRecords(QByteArrayView data, int depth, QByteArray &out)
{
    for (qsizetype at = 0; at + 8 <= data.size();) {
        qsizetype size = qFromBigEndian<quint32>(data.data() + at);
        size = size < 8 || size > data.size() - at ? data.size() - at : size;
        const QByteArrayView type = data.sliced(at + 4, 4), body = data.sliced(at + 8, size - 8);
        const qsizetype own = containerContent(type, body);
        if (own >= 0 && own <= body.size() && depth < 3) {
            out += record(depth, type, body.first(own), true);
            boxRecords(body.sliced(own), depth + 1, out);
        } else {
            out += record(depth, type, body, true);
        }
        at += size;
    }
}

}  // namespace

void pngTarget(QByteArrayView data)
{
    QByteArray png("\x89PNG\r\n\x1A\n", 8);
    for (const Record &r : records(data, false)) {
        const QByteArray chunk = r.type + r.content.toByteArray();
        png += bigEndian32(quint32(r.content.size())) + chunk
               + bigEndian32(quint32(crc32(0, reinterpret_cast<const Bytef *>(chunk.constData()), uInt(chunk.size()))));
    }
    pictureTarget(png);
}

QByteArray pngChunkRecords(QByteArrayView png)
{
    QByteArray out;
    for (qsizetype at = 8; png.startsWith(QByteArrayView("\x89PNG\r\n\x1A\n", 8)) && at + 12 <= png.size();) {
        const qsizetype length = std::min<qsizetype>(qFromBigEndian<quint32>(png.data() + at), png.size() - at - 12);
        out += record(0, png.sliced(at + 4, 4), png.sliced(at + 8, length), false);
        at += 12 + length;
    }
    return out;
}

void heifTarget(QByteArrayView data)
{
    const std::vector<Record> all = records(data, true);
    std::size_t from = 0;
    QByteArray file;
    while (from < all.size())
        file += boxes(all, from, all[from].depth);
    pictureTarget(file);
}

QByteArray heifBoxRecords(QByteArrayView heif)
{
    QByteArray out;
    boxRecords(heif, 0, out);
    return out;
}

}  // namespace plakatron::fuzz
