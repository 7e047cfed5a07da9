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
