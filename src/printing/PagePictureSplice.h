// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page pictures encoded before the document is drawn, put into it afterwards. Qt's PDF engine
// encodes every picture it draws itself, on the thread that draws, and cannot take encoded bytes;
// so the print job draws a cheap stand-in of the page's size where the page picture goes (the
// page's drawing, its size and place stay Qt's own), and when the document is done, qpdf copies it
// with each stand-in's data replaced by the page's JPEG. The JPEGs wait in a temporary file, not
// in memory, so a job of a thousand pages needs no more memory than one of ten.

#include <QImage>
#include <QTemporaryFile>
#include <memory>
#include <vector>

namespace plakatron {

struct EncodedPage;

class PagePictureSplice {
public:
    // The draft and the store of JPEGs, in the system's temporary folder: WriteError when either
    // cannot be made. Both go with the object.
    PagePictureSplice();
    ~PagePictureSplice();
    PagePictureSplice(const PagePictureSplice &) = delete;
    PagePictureSplice &operator=(const PagePictureSplice &) = delete;

    // Where the printer writes the document with its stand-ins.
    QString draftPath() const { return draft_.fileName(); }
    // Keeps `page`'s JPEG for the next page of the document that has a stand-in, and gives the
    // stand-in to draw where the picture goes: a 1-bit picture of the page's size, which Qt stores
    // in a few hundred bytes. WriteError when the JPEG cannot be kept.
    QImage standIn(const EncodedPage &page);
    // The pictures kept: the last this many pages of the document have stand-ins.
    std::size_t count() const { return spans_.size(); }

    // Writes the document to `target`: the draft with every stand-in's data and description those
    // of its JPEG, everything else (objects, streams, their bytes) as Qt wrote it. Throws
    // (std::exception) when the draft is not as drawn or the target cannot be written.
    void write(const QString &target);

    struct Span {
        qint64 offset = 0;
        qint64 size = 0;
        QSize pixels;
    };

private:
    QTemporaryFile draft_;
    std::shared_ptr<QTemporaryFile> store_;
    std::vector<Span> spans_;
};

}  // namespace plakatron
