// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program and its vector helper (plakatron-vector, which reads PDF and SVG pictures in
// a process of its own) say to each other, one request and one answer at a time. Numbers are
// little-endian.
//
// Requests:
//   'O' open:  u8 format (1 PDF, 2 SVG), u32 page (1-based), u32 deadline in ms, u8 flags
//              (bit 0: the document is SVGZ); the document is the helper's descriptor 3.
//   'D' draw:  f64 x, y, width, height of the area in nominal pixels, u32 width, height in
//              pixels, u32 deadline in ms; then what follows (DrawingAhead): u32 the row's
//              pixels right of the area, f64 x, y, width, height of the next area (all 0: none)
//              and u32 its row's pixels; f64 x, y, width, height of the area whose parts
//              later requests ask for in any order (all 0: none).
// Answers:
//   'I' info:  u32 page count, u32 page, u32 nominal width, u32 nominal height.
//   'P' pixels: u32 width, u32 height, then the RGB32 rows, top first, width * 4 bytes each.
//   'E' error: u32 number, u32 length, then the description in UTF-8 (at most 4096 bytes).
// An answer that says more than its request asked for (pixels of another size, a description
// too long) is refused by the program.

#include "core/RuntimeError.h"
#include "input/PictureLoader.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QtEndian>
#include <cstring>

namespace plakatron::vectorprotocol {

enum class Format : quint8 { Pdf = 1, Svg = 2 };
inline constexpr quint8 Compressed = 1;  // open flags: SVGZ

inline constexpr qsizetype OpenRequestBytes = 1 + 1 + 4 + 4 + 1;
inline constexpr qsizetype DrawRequestBytes = 1 + 4 * 8 + 4 + 4 + 4 + 4 + 4 * 8 + 4 + 4 * 8;
inline constexpr qsizetype AnswerHeaderBytes = 1 + 4 + 4;  // kind and two numbers
inline constexpr qsizetype InfoAnswerBytes = 1 + 4 * 4;
inline constexpr qsizetype MaxDescriptionBytes = 4096;

struct OpenRequest {
    Format format = Format::Pdf;
    quint32 page = 1;
    quint32 deadlineMs = 0;
    quint8 flags = 0;
};

struct DrawRequest {
    QRectF area;
    QSize size;
    quint32 deadlineMs = 0;
    quint32 row = 0;
    QRectF next;
    quint32 nextRow = 0;
    QRectF keep;
};

struct Info {
    quint32 pageCount = 1;
    quint32 page = 1;
    QSize nominalSize;
};

namespace detail {
template <typename T>
void append(QByteArray &out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian<T>(value, bytes);
    out.append(bytes, qsizetype(sizeof(T)));
}
template <typename T>
T read(QByteArrayView in, qsizetype &at)
{
    const T value = qFromLittleEndian<T>(in.data() + at);
    at += qsizetype(sizeof(T));
    return value;
}
inline void appendDouble(QByteArray &out, double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    append<quint64>(out, bits);
}
inline double readDouble(QByteArrayView in, qsizetype &at)
{
    const quint64 bits = read<quint64>(in, at);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
}  // namespace detail

inline QByteArray encode(const OpenRequest &r)
{
    QByteArray out(1, 'O');
    detail::append<quint8>(out, quint8(r.format));
    detail::append<quint32>(out, r.page);
    detail::append<quint32>(out, r.deadlineMs);
    detail::append<quint8>(out, r.flags);
    return out;
}

inline QByteArray encode(const DrawRequest &r)
{
    QByteArray out(1, 'D');
    for (const double v : {r.area.x(), r.area.y(), r.area.width(), r.area.height()})
        detail::appendDouble(out, v);
    detail::append<quint32>(out, quint32(r.size.width()));
    detail::append<quint32>(out, quint32(r.size.height()));
    detail::append<quint32>(out, r.deadlineMs);
    detail::append<quint32>(out, r.row);
    for (const double v : {r.next.x(), r.next.y(), r.next.width(), r.next.height()})
        detail::appendDouble(out, v);
    detail::append<quint32>(out, r.nextRow);
    for (const double v : {r.keep.x(), r.keep.y(), r.keep.width(), r.keep.height()})
        detail::appendDouble(out, v);
    return out;
}

// The request of `bytes` (exactly one, of its kind's length); false when it is none.
inline bool decode(QByteArrayView in, OpenRequest &r)
{
    if (in.size() != OpenRequestBytes || in[0] != 'O')
        return false;
    qsizetype at = 1;
    r.format = Format(detail::read<quint8>(in, at));
    r.page = detail::read<quint32>(in, at);
    r.deadlineMs = detail::read<quint32>(in, at);
    r.flags = detail::read<quint8>(in, at);
    return true;
}

inline bool decode(QByteArrayView in, DrawRequest &r)
{
    if (in.size() != DrawRequestBytes || in[0] != 'D')
        return false;
    qsizetype at = 1;
    const double x = detail::readDouble(in, at), y = detail::readDouble(in, at);
    const double w = detail::readDouble(in, at), h = detail::readDouble(in, at);
    r.area = QRectF(x, y, w, h);
    const quint32 width = detail::read<quint32>(in, at), height = detail::read<quint32>(in, at);
    if (width > 1'000'000 || height > 1'000'000)
        return false;
    r.size = QSize(int(width), int(height));
    r.deadlineMs = detail::read<quint32>(in, at);
    r.row = detail::read<quint32>(in, at);
    const double nx = detail::readDouble(in, at), ny = detail::readDouble(in, at);
    const double nw = detail::readDouble(in, at), nh = detail::readDouble(in, at);
    r.next = QRectF(nx, ny, nw, nh);
    r.nextRow = detail::read<quint32>(in, at);
    const double kx = detail::readDouble(in, at), ky = detail::readDouble(in, at);
    const double kw = detail::readDouble(in, at), kh = detail::readDouble(in, at);
    r.keep = QRectF(kx, ky, kw, kh);
    return true;
}

inline QByteArray encode(const Info &info)
{
    QByteArray out(1, 'I');
    detail::append<quint32>(out, info.pageCount);
    detail::append<quint32>(out, info.page);
    detail::append<quint32>(out, quint32(info.nominalSize.width()));
    detail::append<quint32>(out, quint32(info.nominalSize.height()));
    return out;
}

// The header of a pixels answer; the rows follow.
inline QByteArray pixelsHeader(QSize size)
{
    QByteArray out(1, 'P');
    detail::append<quint32>(out, quint32(size.width()));
    detail::append<quint32>(out, quint32(size.height()));
    return out;
}

inline QByteArray encodeError(int number, const QString &description)
{
    QByteArray text = description.toUtf8().left(MaxDescriptionBytes);
    QByteArray out(1, 'E');
    detail::append<quint32>(out, quint32(number));
    detail::append<quint32>(out, quint32(text.size()));
    return out + text;
}

// A drawing of `size` pixels, refused (7) before anything is drawn when it is empty or larger
// than is drawn at once; program and helper check it alike.
inline void checkDrawingSize(QSize size)
{
    if (size.isEmpty() || qint64(size.width()) * size.height() > PictureLimits::maxDrawnPixels)
        raise(err::OutOfMemory, QStringLiteral("The picture cannot be drawn at %1 x %2 pixels: at most %3 million "
                                               "pixels are drawn at once.")
                                    .arg(size.width())
                                    .arg(size.height())
                                    .arg(PictureLimits::maxDrawnPixels / 1'000'000));
}

}  // namespace plakatron::vectorprotocol
