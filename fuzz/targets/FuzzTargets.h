// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fuzz targets as plain functions of one input. libFuzzer's entry point (fuzz/main.cpp) calls
// them, and the hostile-input tests replay the seed corpora and every finding through them in
// the normal suite, so a finding stays fixed without clang.
//
// A target returns normally when the program behaved: it either did its work or refused the
// input with a RuntimeError as the window would report it. Anything else is a finding: a crash or
// a sanitizer report ends the run by itself, any other exception escapes, and a broken promise
// (a value out of its range, a page of the wrong size, ...) throws Violation.

#include <QByteArrayView>
#include <QString>
#include <stdexcept>

namespace plakatron::fuzz {

struct Violation : std::logic_error {
    using std::logic_error::logic_error;
};

// Throws Violation with `what` unless `condition` holds.
void require(bool condition, const char *what);

// The folder the targets write their files into. The caller makes it (a temporary folder); the
// settings target writes the settings file, which must already be pointed at a temporary folder
// as well (QSettings::setPath), never at the user's own.
void setWorkFolder(const QString &folder);
QString workFolder();

// The bytes as a picture file through loadPicture, then the window's layout pass over it.
void pictureTarget(QByteArrayView data);

// PNG chunks with their lengths and checksums made right, so that the fuzzer works on what they
// say: the bytes are records of a chunk type (four letters), a 16-bit length (little-endian) and
// that many bytes of data; the PNG file is the signature and each record as a chunk. Then as
// pictureTarget.
void pngTarget(QByteArrayView data);
// The records of a PNG file (its chunks), as pngTarget reads them; empty when it is no PNG.
QByteArray pngChunkRecords(QByteArrayView png);

// HEIF boxes with their sizes made right: the bytes are records of a depth (0 for a top-level box,
// one more for a box inside the last box one level up), a box type (four letters), a 16-bit
// length (little-endian) and that many bytes of the box's own content, which its inner boxes
// follow. Then as pictureTarget.
void heifTarget(QByteArrayView data);
// The records of a HEIC or AVIF file (its boxes, the inner boxes of the containers HEIF pictures
// use), as heifTarget reads them.
QByteArray heifBoxRecords(QByteArrayView heif);

// The bytes as a PDF file, and as an SVG picture (SVGZ when they start as gzip does), opened and
// drawn as the vector helper opens and draws them (in this process): refused with 481, 7 or 9 and
// a description, or opened within the limits and drawn whole and in parts at the sizes asked.
void pdfTarget(QByteArrayView data);
void svgTarget(QByteArrayView data);

// The bytes as the settings file: the poster choices read at start-up, then written back as
// closing the window does and read again.
void settingsTarget(QByteArrayView data);

// Picture size, sheets across, resolution, overlap and a click decoded from the bytes: the
// layout pass, the grid view, the page geometry and, for small pictures and pages, the page
// rendering with its message boxes captured.
void layoutTarget(QByteArrayView data);

// The bytes as "printer.dat": the records read from them, written back in place and read again,
// and taken into the print dialog's printer and back.
void printerTarget(QByteArrayView data);

// Reads fixed-size values from the front of an input; past its end every value is 0.
class InputReader {
public:
    explicit InputReader(QByteArrayView data) : data_(data) {}
    template <typename T>
    T take()
    {
        T value{};
        unsigned char *out = reinterpret_cast<unsigned char *>(&value);
        for (std::size_t i = 0; i < sizeof(T) && pos_ < data_.size(); ++i)
            out[i] = static_cast<unsigned char>(data_[pos_++]);
        return value;
    }

private:
    QByteArrayView data_;
    qsizetype pos_ = 0;
};

}  // namespace plakatron::fuzz
