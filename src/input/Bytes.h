// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Little-endian reading and writing inside byte arrays, for the picture formats' headers. Callers
// check the bounds first.

#include <QByteArray>
#include <QByteArrayView>
#include <QtEndian>

namespace plakatron::bytes {

inline quint8 u8At(QByteArrayView d, qsizetype at) { return quint8(d.at(at)); }
inline quint16 u16At(QByteArrayView d, qsizetype at) { return qFromLittleEndian<quint16>(d.data() + at); }
inline qint16 s16At(QByteArrayView d, qsizetype at) { return qFromLittleEndian<qint16>(d.data() + at); }
inline quint32 u32At(QByteArrayView d, qsizetype at) { return qFromLittleEndian<quint32>(d.data() + at); }
inline qint32 s32At(QByteArrayView d, qsizetype at) { return qFromLittleEndian<qint32>(d.data() + at); }

inline void put16(QByteArray &d, qsizetype at, quint16 v) { qToLittleEndian<quint16>(v, d.data() + at); }
inline void put32(QByteArray &d, qsizetype at, quint32 v) { qToLittleEndian<quint32>(v, d.data() + at); }

inline void append16(QByteArray &d, quint16 v)
{
    const qsizetype at = d.size();
    d.resize(at + 2);
    put16(d, at, v);
}

inline void append32(QByteArray &d, quint32 v)
{
    const qsizetype at = d.size();
    d.resize(at + 4);
    put32(d, at, v);
}

}  // namespace plakatron::bytes
