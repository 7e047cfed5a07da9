#pragma once
// One poster page at print resolution: the page's cell plus its overlap cut from the source at
// 1:1, enlarged by bilinear interpolation to the page size, with white margins carrying the
// assembly hints for pages wider than 300 pixels. The finished page stays on the page canvas for
// the print job; on request it is also shown in the preview.

#include "imaging/PictureCrop.h"
#include "layout/PageLayout.h"

#include <QImage>
#include <cstdint>
#include <functional>
#include <memory>

class QWidget;

namespace plakatron {

class cDIBSection;
class RuntimeError;

// What a page is cut from: the window's (or the tool's) poster state, read at every call.
struct PosterSource {
    const QImage *picture = nullptr;  // the source at its natural size
    const PosterSettings *settings = nullptr;
    const PageGrid *grid = nullptr;
};

class PageRenderer {
public:
    explicit PageRenderer(PosterSource source);
    ~PageRenderer();
    PageRenderer(const PageRenderer &) = delete;
    PageRenderer &operator=(const PageRenderer &) = delete;

    // Renders page `pageNumber` (1-based, row by row). Each step that fails reports
    // "description\r\nCode N" in a warning box and the next step goes on with what is left; the
    // call itself never fails. Time and memory follow the page size, not the size of the page's
    // share of the picture. A page that cannot be had in memory ("Out of memory", 7) ends the
    // call after its message with the canvas and the preview as they were: then, and only then,
    // the result is false.
    bool RenderPage(std::int16_t pageNumber, bool showInPreview);

    // The finished page (picDibBuffer's picture): what the print job prints.
    const QImage &pageCanvas() const { return picDibBuffer_; }
    // The crop of the page last rendered, before enlargement (tmpPic's picture), as described:
    // it is never made whole.
    const PictureCrop &crop() const { return crop_; }
    std::int16_t CurrentPageRow = 0;
    std::int16_t CurrentPageColumn = 0;

    // Where the preview is drawn when RenderPage is asked to show the page.
    void setPreview(std::function<void(const QImage &)> preview) { preview_ = std::move(preview); }
    // Owner of the warning boxes.
    void setMessageParent(QWidget *parent) { messageParent_ = parent; }
    // Where the warnings go instead of message boxes ("description\r\nCode N"), for a renderer
    // working on another thread, where no message box can be shown; empty: message boxes again.
    void setReport(std::function<void(const QString &)> report) { report_ = std::move(report); }

    // Empties the page canvas (a new layout invalidates it).
    void clearPageCanvas() { picDibBuffer_ = QImage(); }
    // Releases both page buffers (the window does so when it closes).
    void releaseBuffers();

private:
    cDIBSection &pageCropBuffer();
    cDIBSection &pageImageBuffer();
    void drawHints(std::int16_t pageNumber);
    void warn(const RuntimeError &error);

    PosterSource source_;
    std::unique_ptr<cDIBSection> PageCropBuffer;  // the columns and rows of the crop the enlargement read
    std::unique_ptr<cDIBSection> PageImageBuffer;
    PictureCrop crop_;
    QImage picDibBuffer_;
    std::function<void(const QImage &)> preview_;
    std::function<void(const QString &)> report_;
    QWidget *messageParent_ = nullptr;
};

// The hint font: 12 point bold "MS Sans Serif", or the nearest sans-serif face where it is missing.
QFont hintFont();

}  // namespace plakatron
