// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/PagePictureSplice.h"

#include "core/OutputFile.h"
#include "printing/EncodedPages.h"

#include <QDir>
// qpdf's own pointer type is on its way out: its interfaces take std::shared_ptr.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <map>
#include <stdexcept>

namespace plakatron {

namespace {

WriteError storeError(const QFileDevice &file)
{
    return WriteError(file.fileName(), file.error() == QFileDevice::ResourceError ? err::DiskFull : err::DeviceIOError,
                      file.errorString());
}

// Hands qpdf each picture's JPEG from the store as the target is written.
class StoredPictures : public QPDFObjectHandle::StreamDataProvider {
public:
    explicit StoredPictures(std::shared_ptr<QTemporaryFile> store) : store_(std::move(store)) {}

    void add(QPDFObjGen object, const PagePictureSplice::Span &span) { spans_[object] = span; }

    void provideStreamData(QPDFObjGen const &object, Pipeline *pipeline) override
    {
        const auto found = spans_.find(object);
        if (found == spans_.end() || !store_->seek(found->second.offset))
            throw std::runtime_error("a page picture is missing from its store");
        QByteArray block(256 * 1024, Qt::Uninitialized);
        for (qint64 left = found->second.size; left > 0;) {
            const qint64 read = store_->read(block.data(), std::min<qint64>(left, block.size()));
            if (read <= 0)
                throw std::runtime_error("a page picture cannot be read back from its store");
            pipeline->write(reinterpret_cast<const unsigned char *>(block.constData()), size_t(read));
            left -= read;
        }
        pipeline->finish();
    }

private:
    std::shared_ptr<QTemporaryFile> store_;
    std::map<QPDFObjGen, PagePictureSplice::Span> spans_;
};

QTemporaryFile *opened(QTemporaryFile &file)
{
    if (!file.open())
        throw storeError(file);
    return &file;
}

}  // namespace

PagePictureSplice::PagePictureSplice()
    : draft_(QDir::tempPath() + QStringLiteral("/plakatron-draft-XXXXXX.pdf")),
      store_(std::make_shared<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/plakatron-pages-XXXXXX.jpg")))
{
    // The printer writes the draft by its name; the name stays taken until the object goes.
    opened(draft_)->close();
    opened(*store_);
}

PagePictureSplice::~PagePictureSplice() = default;

QImage PagePictureSplice::standIn(const EncodedPage &page)
{
    const qint64 offset = store_->size();
    if (!store_->seek(offset) || store_->write(page.jpeg) != page.jpeg.size())
        throw storeError(*store_);
    spans_.push_back({offset, page.jpeg.size(), page.size});
    // A new picture for every page: Qt stores a picture drawn twice only once.
    QImage standIn(page.size, QImage::Format_Mono);
    if (standIn.isNull())
        raise(err::OutOfMemory);
    standIn.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    standIn.fill(1);
    return standIn;
}

void PagePictureSplice::write(const QString &target)
{
    if (!store_->flush())
        throw storeError(*store_);
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.setAttemptRecovery(false);
    // qpdf keeps the names it is given, not copies: they live as long as the writer.
    const QByteArray draftName = QFile::encodeName(draftPath());
    const QByteArray targetName = QFile::encodeName(target);
    pdf.processFile(draftName.constData());

    std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
    if (pages.size() < spans_.size())
        throw std::runtime_error("the draft has fewer pages than pictures");
    const auto provider = std::make_shared<StoredPictures>(store_);
    const std::size_t first = pages.size() - spans_.size();
    for (std::size_t i = 0; i < spans_.size(); ++i) {
        const Span &span = spans_[i];
        const std::map<std::string, QPDFObjectHandle> images = pages[first + i].getImages();
        if (images.size() != 1)
            throw std::runtime_error("a page of the draft does not hold one picture");
        QPDFObjectHandle image = images.begin()->second;
        QPDFObjectHandle description = image.getDict();
        const auto number = [&](const char *key) {
            QPDFObjectHandle value = description.getKey(key);
            return value.isInteger() ? value.getIntValue() : -1;
        };
        if (number("/Width") != span.pixels.width() || number("/Height") != span.pixels.height()
            || number("/BitsPerComponent") > 1)
            throw std::runtime_error("a page picture of the draft is not its stand-in");
        // As Qt's engine describes a 32-bit picture it stored as a JPEG.
        description.removeKey("/ImageMask");
        description.removeKey("/Decode");
        description.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
        description.replaceKey("/ColorSpace", QPDFObjectHandle::newName("/DeviceRGB"));
        image.replaceStreamData(provider, QPDFObjectHandle::newName("/DCTDecode"), QPDFObjectHandle::newNull());
        provider->add(image.getObjGen(), span);
    }

    // Every other stream goes over byte for byte, and the cross-reference table stays a plain
    // table, as Qt writes it.
    QPDFWriter writer(pdf, targetName.constData());
    writer.setDecodeLevel(qpdf_dl_none);
    writer.setCompressStreams(false);
    writer.setObjectStreamMode(qpdf_o_disable);
    writer.write();
}

}  // namespace plakatron
