// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/Metafile.h"

#include "core/RuntimeError.h"
#include "input/Bytes.h"
#include "input/MetafileRecords.h"
#include "input/LoadChecks.h"
#include "input/PictureLoader.h"
#include "input/Platform.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <optional>
#include <string>
#include <unordered_map>

#include <libwmf/api.h>
#include <libwmf/gd.h>
#include <libwmf/gd/gd.h>
#include <libwmf/ipa.h>
#include <libwmf/macro.h>

namespace plakatron {

using namespace bytes;
using namespace metafile;

namespace {

// libwmf is asked after every record whether to go on; a metafile that has not been drawn by
// the loader's deadline is given up, so no file can hold the window for long.
// A drawing that stops itself at the deadline still hands over its message within this time;
// after it, the child process drawing it is ended.
constexpr qint64 reportGraceMs = 2'000;

// libwmf's own allocations (records, decoded bitmaps, scaled copies) share this budget, so a
// record that declares a gigantic bitmap fails cleanly instead of exhausting memory.
constexpr std::size_t libraryMemoryBudget = 256u * 1024 * 1024;

// Tracks the size of every block libwmf takes, without a header in front of the block: the
// library may detach a block and hand it to the C library's free().
struct MemoryBudget {
    std::size_t used = 0;
    std::unordered_map<void *, std::size_t> sizes;

    static void *allocate(void *context, std::size_t size) noexcept
    {
        auto *self = static_cast<MemoryBudget *>(context);
        if (size > libraryMemoryBudget - self->used)
            return nullptr;
        void *block = std::malloc(size);
        if (block && !self->remember(block, size)) {
            std::free(block);
            return nullptr;
        }
        return block;
    }

    static void *reallocate(void *context, void *old, std::size_t size) noexcept
    {
        auto *self = static_cast<MemoryBudget *>(context);
        if (!old)
            return allocate(context, size);
        const std::size_t previous = self->forget(old);
        if (size > libraryMemoryBudget - self->used) {
            self->remember(old, previous);
            return nullptr;
        }
        void *block = std::realloc(old, size);
        if (!block) {
            self->remember(old, previous);
            return nullptr;
        }
        if (!self->remember(block, size)) {
            std::free(block);
            return nullptr;
        }
        return block;
    }

    static void release(void *context, void *block) noexcept
    {
        static_cast<MemoryBudget *>(context)->forget(block);
        std::free(block);
    }

private:
    bool remember(void *block, std::size_t size) noexcept
    {
        try {
            sizes[block] = size;
        } catch (const std::bad_alloc &) {
            return false;
        }
        used += size;
        return true;
    }

    std::size_t forget(void *block) noexcept
    {
        const auto it = sizes.find(block);
        if (it == sizes.end())
            return 0;
        const std::size_t size = it->second;
        used -= size;
        sizes.erase(it);
        return size;
    }
};

// --- checks between libwmf's player and its gd device --------------------------------------
//
// Some records that real files carry make the gd device crash or work for minutes. The device's
// functions are therefore reached through the checks below, which know the picture's scale and
// keep what one record may cost within limits; the deadline is also looked at inside long
// records.

// gd draws a thick pen as a square brush at every point of a line, so a pen thousands of pixels
// wide takes minutes per shape. No pen is drawn wider than this.
constexpr double widestPenPixels = 64;
// ...and no shape's outline costs more than this many brush pixels (about two seconds): a longer
// outline is drawn with a thinner pen.
constexpr double maxPenWork = 200e6;
// Text: gd's time grows with the square of a text's length, so long texts go to the device in
// pieces; one record draws at most this many characters, and glyph pixels worth this many times
// the picture.
constexpr int textPieceCharacters = 64;
constexpr qint64 maxRecordCharacters = 4096;
constexpr double maxTextWorkPerPicture = 8;
// Points of a polyline handed to the device at once, the deadline looked at between pieces.
constexpr int polylinePiecePoints = 512;

struct DrawingGuard {
    wmfFunctionReference device{};  // the gd device's own functions
    double pixelsPerUnitX = 0;       // picture pixels per libwmf device unit, across
    double pixelsPerUnitY = 0;       // and down
    double largestGlyph = 0;         // text larger than this cannot be shown in the picture
    double maxTextWork = 0;          // glyph pixels one record may draw
    wmfD_Rect reach{};               // device area beyond which a text's background box is not believed
    const QDeadlineTimer *deadline = nullptr;
    bool stopped = false;            // the deadline passed inside a record

    // What the record being played has drawn so far; the player's status call starts a record.
    qint64 recordCharacters = 0;
    double recordTextWork = 0;
    void startRecord()
    {
        recordCharacters = 0;
        recordTextWork = 0;
    }
    bool expired()
    {
        stopped = stopped || (deadline && deadline->hasExpired());
        return stopped;
    }
};

DrawingGuard &guardOf(wmfAPI *api) { return *static_cast<DrawingGuard *>(api->user_data); }

double distance(const wmfD_Coord &a, const wmfD_Coord &b, const DrawingGuard &guard)
{
    return std::hypot((double(b.x) - a.x) * guard.pixelsPerUnitX, (double(b.y) - a.y) * guard.pixelsPerUnitY);
}

double pathLength(const wmfD_Coord *points, int count, bool closed, const DrawingGuard &guard)
{
    double length = 0;
    for (int i = 1; i < count; ++i)
        length += distance(points[i - 1], points[i], guard);
    if (closed && count > 2)
        length += distance(points[count - 1], points[0], guard);
    return length;
}

// The outline of each kind of shape in picture pixels, what its pen is drawn along.
double outlineLength(const wmfDrawLine_t &line, const DrawingGuard &guard) { return distance(line.from, line.to, guard); }
double outlineLength(const wmfPolyLine_t &poly, const DrawingGuard &guard)
{
    return pathLength(poly.pt, poly.count, true, guard);
}
double outlineLength(const wmfPolyPoly_t &poly, const DrawingGuard &guard)
{
    double length = 0;
    for (int i = 0; i < poly.npoly; ++i)
        length += pathLength(poly.pt[i], poly.count[i], true, guard);
    return length;
}
double outlineLength(const wmfDrawArc_t &arc, const DrawingGuard &guard)  // the whole ellipse at most
{
    return 2 * distance(arc.TL, arc.BR, guard);
}
double outlineLength(const wmfDrawRectangle_t &rect, const DrawingGuard &guard)
{
    return 2 * (std::abs(double(rect.BR.x) - rect.TL.x) * guard.pixelsPerUnitX
                + std::abs(double(rect.BR.y) - rect.TL.y) * guard.pixelsPerUnitY);
}

// Gives the pen back the width it had once the shape is drawn: a pen limited for a long outline
// is not thinner for the next shape.
class PenWidthKept {
public:
    explicit PenWidthKept(wmfPen *pen) : pen_(pen), width_(pen ? pen->width : 0), height_(pen ? pen->height : 0) {}
    ~PenWidthKept()
    {
        if (pen_) {
            pen_->width = width_;
            pen_->height = height_;
        }
    }
    PenWidthKept(const PenWidthKept &) = delete;
    PenWidthKept &operator=(const PenWidthKept &) = delete;

private:
    wmfPen *pen_;
    double width_, height_;
};

template <typename Shape>
wmfPen *penOf(const Shape &shape)
{
    return shape.dc ? shape.dc->pen : nullptr;
}

// The pen no wider than widestPenPixels, and thinner still when the shape's outline is long
// enough for the brush to cost more than maxPenWork.
template <typename Shape>
void limitPen(Shape &shape, const DrawingGuard &guard)
{
    wmfPen *pen = penOf(shape);
    if (!pen)
        return;
    const auto limit = [](double width, double pixelsPerUnit) {
        const double widest = widestPenPixels / pixelsPerUnit;
        return std::isfinite(width) ? std::clamp(width, -widest, widest) : 0.0;
    };
    pen->width = limit(pen->width, guard.pixelsPerUnitX);
    pen->height = limit(pen->height, guard.pixelsPerUnitY);
    const double brushWidth = std::max(1.0, std::abs(pen->width) * guard.pixelsPerUnitX);
    const double brushHeight = std::max(1.0, std::abs(pen->height) * guard.pixelsPerUnitY);
    const double work = outlineLength(shape, guard) * brushWidth * brushHeight;
    if (!std::isfinite(work)) {
        pen->width = pen->height = 0;
    } else if (work > maxPenWork) {
        const double thinner = std::sqrt(maxPenWork / work);
        pen->width *= thinner;
        pen->height *= thinner;
    }
}

// Any shape drawn with a pen: the pen is limited, then the device draws.
template <typename Shape, void (*wmfFunctionReference::*Slot)(wmfAPI *, Shape *)>
void drawWithLimitedPen(wmfAPI *api, Shape *shape)
{
    DrawingGuard &guard = guardOf(api);
    if (guard.expired())
        return;
    const PenWidthKept kept(penOf(*shape));
    limitPen(*shape, guard);
    (guard.device.*Slot)(api, shape);
}

// A long polyline goes to the device in pieces that share their end points, the deadline looked
// at between them.
void drawPolylineInPieces(wmfAPI *api, wmfPolyLine_t *line)
{
    DrawingGuard &guard = guardOf(api);
    if (guard.expired())
        return;
    const PenWidthKept kept(penOf(*line));
    limitPen(*line, guard);
    for (int first = 0; first + 1 < line->count && !guard.expired(); first += polylinePiecePoints) {
        wmfPolyLine_t piece{line->dc, line->pt + first, static_cast<U16>(std::min(polylinePiecePoints + 1, line->count - first))};
        guard.device.poly_line(api, &piece);
    }
}

// The gd device outlines an ellipse but never fills it (it asks gd for a chord from 0 to 360
// degrees, which is empty), so filled circles would come out as rings. The ellipse goes to the
// device's polygon drawing instead, as points on its outline: filled with the brush and outlined
// with the pen of the record, like every other shape.
void drawEllipseAsPolygon(wmfAPI *api, wmfDrawArc_t *arc)
{
    constexpr int points = 180;
    constexpr double pi = 3.14159265358979323846;
    const double cx = (double(arc->TL.x) + arc->BR.x) / 2;
    const double cy = (double(arc->TL.y) + arc->BR.y) / 2;
    const double rx = (double(arc->BR.x) - arc->TL.x) / 2;
    const double ry = (double(arc->BR.y) - arc->TL.y) / 2;
    wmfD_Coord outline[points];
    for (int i = 0; i < points; ++i) {
        const double angle = 2 * pi * i / points;
        outline[i] = wmfD_Coord{float(cx + rx * std::cos(angle)), float(cy + ry * std::sin(angle))};
    }
    wmfPolyLine_t polygon{arc->dc, outline, points};
    drawWithLimitedPen<wmfPolyLine_t, &wmfFunctionReference::draw_polygon>(api, &polygon);
}

// gd's flood fills recurse once per row they reach, so walls winding through a large picture
// overflowed the stack; libwmf also filled with the record's colour up to that same colour, across
// every other. Both records are filled here instead, on the device's pixels, as Windows fills
// them: with the brush's colour, bounded by the record's colour or over the area of it.
template <bool Extended>
void floodFillHere(wmfAPI *api, wmfFlood_t *flood)
{
    DrawingGuard &guard = guardOf(api);
    wmf_gd_t *device = WMF_GD_GetData(api);
    // The device's picture: the first member of its private data (gd_image is filled in only after
    // the drawing), checked against the size the device was given before it is used.
    const gdImage *image = device->gd_data ? *static_cast<gdImage *const *>(device->gd_data) : nullptr;
    const wmfBrush *brush = flood->dc ? WMF_DC_BRUSH(flood->dc) : nullptr;
    if (!image || !image->trueColor || !image->_tpixels || image->sx != int(device->width)
        || image->sy != int(device->height) || !brush || WMF_BRUSH_STYLE(brush) == BS_NULL || guard.expired())
        return;
    const wmfD_Rect &box = device->bbox;
    const double x = (double(flood->pt.x) - box.TL.x) / (double(box.BR.x) - box.TL.x) * device->width;
    const double y = (double(flood->pt.y) - box.TL.y) / (double(box.BR.y) - box.TL.y) * device->height;
    if (!std::isfinite(x) || !std::isfinite(y) || x < 0 || y < 0)
        return;
    const auto gdColour = [](const wmfRGB &rgb) { return (quint32(rgb.r) << 16) | (quint32(rgb.g) << 8) | rgb.b; };
    const FloodMode mode = Extended && flood->type == FLOODFILLSURFACE ? FloodMode::Surface : FloodMode::Border;
    const std::size_t count = std::size_t(device->width) * device->height;
    floodFill(std::span<quint32>(reinterpret_cast<quint32 *>(image->_tpixels), count), int(device->width),
              int(device->height), int(std::min(x, 1e9)), int(std::min(y, 1e9)), gdColour(*WMF_BRUSH_COLOR(brush)),
              gdColour(flood->color), mode);
}

bool within(const wmfD_Coord &point, const wmfD_Rect &area)
{
    return point.x >= area.TL.x && point.x <= area.BR.x && point.y >= area.TL.y && point.y <= area.BR.y;
}

// Text crashes the device with a font height of 0 (Windows' "default size") and with glyphs
// thousands of pixels wide or tall (a width far out of proportion to the height, or a mapping
// that stretches one axis). A missing height becomes 12 points, the width ratio is kept within
// reason, and text too large to be seen in the picture is left out. One record draws at most
// maxRecordCharacters characters and glyph pixels worth maxTextWorkPerPicture pictures; a long
// text goes to the device in pieces, each placed after the width of the ones before it.
void drawTextSafely(wmfAPI *api, wmfDrawText_t *text)
{
    constexpr double defaultPixels = 16;  // 12 points at 96 dpi
    constexpr double widestRatio = 8;
    DrawingGuard &guard = guardOf(api);
    if (!std::isfinite(text->font_height) || !text->str || guard.expired())
        return;
    if (std::abs(text->font_height) * guard.pixelsPerUnitY < 0.5)
        text->font_height = defaultPixels / guard.pixelsPerUnitY;
    if (!std::isfinite(text->font_ratio) || text->font_ratio <= 0)
        text->font_ratio = 1;
    text->font_ratio = std::clamp(text->font_ratio, 1 / widestRatio, widestRatio);
    const double tall = std::abs(text->font_height) * guard.pixelsPerUnitY;
    const double wide = std::abs(text->font_height) * text->font_ratio * guard.pixelsPerUnitX;
    if (!(tall <= guard.largestGlyph) || !(wide <= guard.largestGlyph))
        return;
    const double glyphWork = std::max(1.0, tall * wide);
    const qint64 affordable = std::min<qint64>(maxRecordCharacters - guard.recordCharacters,
                                               qint64((guard.maxTextWork - guard.recordTextWork) / glyphWork));
    const qint64 length = std::min<qint64>(qint64(std::strlen(text->str)), std::max<qint64>(0, affordable));
    if (length <= 0)
        return;
    guard.recordCharacters += length;
    guard.recordTextWork += double(length) * glyphWork;

    // The background box comes from the same measures; the device fills it row by row, however
    // far it reaches. A box reaching far beyond the picture shrinks to the starting point.
    if (!within(text->bbox.TL, guard.reach) || !within(text->bbox.TR, guard.reach)
        || !within(text->bbox.BL, guard.reach) || !within(text->bbox.BR, guard.reach))
        text->bbox.TL = text->bbox.TR = text->bbox.BL = text->bbox.BR = text->pt;
    const auto *fonts = static_cast<const wmfFontData *>(api->font_data);
    const wmfFont *font = text->dc ? WMF_DC_FONT(text->dc) : nullptr;
    if (length <= textPieceCharacters || !fonts || !fonts->stringwidth || !font) {
        text->str[length] = '\0';
        guard.device.draw_text(api, text);
        return;
    }
    const double angle = -WMF_TEXT_ANGLE(font);
    std::string piece;
    wmfDrawText_t part = *text;
    part.str = piece.data();
    for (qint64 first = 0; first < length && !guard.expired(); first += textPieceCharacters) {
        piece.assign(text->str + first, std::size_t(std::min<qint64>(textPieceCharacters, length - first)));
        part.str = piece.data();
        guard.device.draw_text(api, &part);
        // The next piece starts where this one ends; only the first paints the background box.
        const double advance = double(fonts->stringwidth(api, const_cast<wmfFont *>(font), part.str))
                               * text->font_height * text->font_ratio;
        if (!std::isfinite(advance))
            break;
        part.pt.x = float(part.pt.x + advance * std::cos(angle));
        part.pt.y = float(part.pt.y + advance * std::sin(angle));
        part.TL = part.BR = wmfD_Coord{0, 0};
        part.bbox.TL = part.bbox.TR = part.bbox.BL = part.bbox.BR = part.pt;
    }
}

// The gd device hands its finished picture to this sink as a PNG stream.
struct PngSink {
    QByteArray bytes;
    bool failed = false;

    static int write(void *context, char *buffer, int length) noexcept
    {
        auto *self = static_cast<PngSink *>(context);
        if (length <= 0)
            return length;
        try {
            self->bytes.append(buffer, length);
        } catch (const std::bad_alloc &) {
            self->failed = true;
            return 0;
        }
        return length;
    }
};

// One libwmf instance with the gd device: quiet, on the memory budget, stopped at the deadline,
// destroyed with the object.
class WmfSession {
public:
    WmfSession(QByteArray &metafile, const QDeadlineTimer &deadline) : deadline_(deadline)
    {
        wmfAPI_Options options{};
        options.context = &budget_;
        options.malloc = &MemoryBudget::allocate;
        options.realloc = &MemoryBudget::reallocate;
        options.free = &MemoryBudget::release;
        options.function = wmf_gd_function;
        const unsigned long flags = WMF_OPT_ALLOC | WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR
                                    | WMF_OPT_NO_DEBUG;
        if (wmf_api_create(&api_, flags, &options) != wmf_E_None || !api_) {
            api_ = nullptr;
            invalid(QStringLiteral("The metafile reader (libwmf) could not be started."));
        }
        if (wmf_mem_open(api_, reinterpret_cast<unsigned char *>(metafile.data()), long(metafile.size()))
            != wmf_E_None)
            fail();
        wmf_status_function(api_, this, &WmfSession::keepGoing);
    }
    ~WmfSession()
    {
        if (api_)
            wmf_api_destroy(api_);
    }
    WmfSession(const WmfSession &) = delete;
    WmfSession &operator=(const WmfSession &) = delete;

    wmfD_Rect scan()
    {
        wmfD_Rect box{};
        if (wmf_scan(api_, 0, &box) != wmf_E_None)
            fail();
        return box;
    }

    // libwmf's estimate of the size of a metafile that names none, at 96 dpi.
    QSize estimatedSize() const
    {
        unsigned int width = 0;
        unsigned int height = 0;
        if (wmf_display_size(api_, &width, &height, screenDpi, screenDpi) != wmf_E_None)
            fail();
        if (width == 0 || height == 0)
            invalid(QStringLiteral("The metafile draws nothing, so it has no size."));
        checkSize(width, height);
        return QSize(int(width), int(height));
    }

    // The gd device draws box (device coordinates) over a picture of size and hands it to sink.
    void drawInto(PngSink &sink, wmfD_Rect box, QSize size)
    {
        // An empty drawing gives an empty box; the device divides by the box's size.
        if (!(box.BR.x - box.TL.x > 0) || !(box.BR.y - box.TL.y > 0))
            box = wmfD_Rect{{0, 0}, {float(size.width()), float(size.height())}};
        wmf_gd_t *device = WMF_GD_GetData(api_);
        device->type = wmf_gd_png;
        device->flags |= WMF_GD_OUTPUT_MEMORY | WMF_GD_OWN_BUFFER;
        device->sink.context = &sink;
        device->sink.function = &PngSink::write;
        device->bbox = box;
        device->width = unsigned(size.width());
        device->height = unsigned(size.height());
    }

    // Routes the device's drawing through the checks above; guard must outlive play().
    void guardDrawing(DrawingGuard &guard, QSize size)
    {
        auto *functions = static_cast<wmfFunctionReference *>(api_->function_reference);
        const wmfD_Rect &box = WMF_GD_GetData(api_)->bbox;
        const double boxWidth = double(box.BR.x) - box.TL.x;
        const double boxHeight = double(box.BR.y) - box.TL.y;
        guard.device = *functions;
        guard.pixelsPerUnitX = size.width() / boxWidth;
        guard.pixelsPerUnitY = size.height() / boxHeight;
        guard.largestGlyph = 2.0 * std::max(size.width(), size.height());
        guard.maxTextWork = maxTextWorkPerPicture * size.width() * size.height();
        guard.deadline = &deadline_;
        guard_ = &guard;
        guard.reach = {{float(box.TL.x - 4 * boxWidth), float(box.TL.y - 4 * boxHeight)},
                       {float(box.BR.x + 4 * boxWidth), float(box.BR.y + 4 * boxHeight)}};
        api_->user_data = &guard;

        using F = wmfFunctionReference;
        functions->flood_interior = &floodFillHere<false>;
        functions->flood_exterior = &floodFillHere<true>;
        if (functions->draw_polygon)
            functions->draw_ellipse = &drawEllipseAsPolygon;
        if (functions->draw_text)
            functions->draw_text = &drawTextSafely;
        if (functions->draw_pie)
            functions->draw_pie = &drawWithLimitedPen<wmfDrawArc_t, &F::draw_pie>;
        if (functions->draw_chord)
            functions->draw_chord = &drawWithLimitedPen<wmfDrawArc_t, &F::draw_chord>;
        if (functions->draw_arc)
            functions->draw_arc = &drawWithLimitedPen<wmfDrawArc_t, &F::draw_arc>;
        if (functions->draw_line)
            functions->draw_line = &drawWithLimitedPen<wmfDrawLine_t, &F::draw_line>;
        if (functions->poly_line)
            functions->poly_line = &drawPolylineInPieces;
        if (functions->draw_polygon)
            functions->draw_polygon = &drawWithLimitedPen<wmfPolyLine_t, &F::draw_polygon>;
        if (functions->draw_polypolygon)
            functions->draw_polypolygon = &drawWithLimitedPen<wmfPolyPoly_t, &F::draw_polypolygon>;
        if (functions->draw_rectangle)
            functions->draw_rectangle = &drawWithLimitedPen<wmfDrawRectangle_t, &F::draw_rectangle>;
    }

    void play()
    {
        wmfD_Rect box{};
        if (wmf_play(api_, 0, &box) != wmf_E_None)
            fail();
    }

    [[noreturn]] void fail() const
    {
        switch (api_->err) {
        case wmf_E_UserExit:
            raise(err::OutOfMemory, metafileTooSlowDescription());
        case wmf_E_InsMem:
            raise(err::OutOfMemory, QStringLiteral("The metafile needs more memory than a picture may take."));
        case wmf_E_EOF:
            invalid(QStringLiteral("The metafile is incomplete."));
        case wmf_E_BadFormat:
        case wmf_E_BadFile:
            invalid(QStringLiteral("The metafile is damaged: one of its records cannot be read."));
        default:
            invalid(QStringLiteral("The metafile could not be drawn."));
        }
    }

private:
    // Between records: a new record starts, unless the deadline has passed.
    static int keepGoing(void *context, float)
    {
        auto *self = static_cast<WmfSession *>(context);
        if (self->guard_)
            self->guard_->startRecord();
        return self->deadline_.hasExpired() || (self->guard_ && self->guard_->stopped) ? 1 : 0;
    }

    MemoryBudget budget_;
    QDeadlineTimer deadline_;
    DrawingGuard *guard_ = nullptr;
    wmfAPI *api_ = nullptr;
};

std::optional<wmfD_Coord> deviceLocation(QByteArrayView data, const MetafileLayout &layout, int x, int y,
                                         const QDeadlineTimer &deadline)
{
    QByteArray probe = mappingProbe(data, layout, x, y);
    try {
        WmfSession session(probe, deadline);
        const wmfD_Rect box = session.scan();
        const wmfD_Coord centre{(box.TL.x + box.BR.x) / 2, (box.TL.y + box.BR.y) / 2};
        if (!std::isfinite(centre.x) || !std::isfinite(centre.y))
            return std::nullopt;
        return centre;
    } catch (const RuntimeError &) {
        return std::nullopt;
    }
}

// Where a placeable metafile's frame lies in libwmf's device coordinates, so the frame, not just
// the part that is drawn on, fills the picture. Empty when the mapping cannot be found out.
std::optional<wmfD_Rect> deviceFrame(QByteArrayView data, const MetafileLayout &layout,
                                     const QDeadlineTimer &deadline)
{
    const auto a = deviceLocation(data, layout, layout.left, layout.top, deadline);
    const auto b = deviceLocation(data, layout, layout.right, layout.bottom, deadline);
    if (!a || !b)
        return std::nullopt;
    wmfD_Rect frame{{std::min(a->x, b->x), std::min(a->y, b->y)}, {std::max(a->x, b->x), std::max(a->y, b->y)}};
    if (!(frame.BR.x - frame.TL.x > 0) || !(frame.BR.y - frame.TL.y > 0))
        return std::nullopt;
    return frame;
}

// What the drawing hands back to the loader: the PNG the device made and its size, or an error.
// Marked by its first byte, so it can cross from a child process as plain bytes.
QByteArray drawnPicture(QSize size, const PngSink &sink)
{
    if (sink.failed)
        raise(err::OutOfMemory, QStringLiteral("There is not enough memory to draw the metafile."));
    QByteArray out(1, 'P');
    append32(out, quint32(size.width()));
    append32(out, quint32(size.height()));
    return out + sink.bytes;
}

QByteArray drawingError(int number, const QString &description)
{
    QByteArray out(1, 'E');
    append32(out, quint32(number));
    return out + description.toUtf8();
}

QByteArray draw(QByteArrayView data, const MetafileLayout &layout, const QDeadlineTimer &deadline) noexcept
{
    try {
        QByteArray copy = normalisedCopy(data, layout);
        const std::optional<wmfD_Rect> frame =
            layout.placeable ? deviceFrame(data, layout, deadline) : std::optional<wmfD_Rect>();

        WmfSession session(copy, deadline);
        const wmfD_Rect drawn = session.scan();
        const QSize size = layout.placeable ? layout.naturalSize : session.estimatedSize();

        PngSink sink;
        session.drawInto(sink, frame.value_or(drawn), size);
        DrawingGuard guard;
        session.guardDrawing(guard, size);
        session.play();
        return drawnPicture(size, sink);
    } catch (const RuntimeError &e) {
        return drawingError(e.number(), e.description());
    } catch (const std::bad_alloc &) {
        return drawingError(err::OutOfMemory, QStringLiteral("There is not enough memory to draw the metafile."));
    } catch (...) {
        return drawingError(err::InvalidPicture, QStringLiteral("The metafile could not be drawn."));
    }
}

QImage pictureFrom(const QByteArray &result)
{
    if (result.size() >= 5 && result.front() == 'E')
        raise(int(u32At(result, 1)), QString::fromUtf8(result.mid(5)));
    if (result.size() < 9 || result.front() != 'P')
        invalid(QStringLiteral("The metafile could not be drawn."));
    const QSize expected(int(u32At(result, 1)), int(u32At(result, 5)));
    QImage image;
    if (!image.loadFromData(QByteArrayView(result).sliced(9), "PNG") || image.size() != expected)
        invalid(QStringLiteral("The metafile could not be drawn."));
    QImage opaque = toOpaqueRgb32(image);
    if (opaque.isNull())
        raise(err::OutOfMemory, QStringLiteral("There is not enough memory to draw the metafile."));
    return opaque;
}

}  // namespace

QString metafileTooSlowDescription() { return tooSlowDescription(QStringLiteral("The metafile"), QStringLiteral("draw")); }

QString metafileReaderFailedDescription()
{
    return QStringLiteral("The metafile could not be drawn: the metafile reader (libwmf) failed on it.");
}

QImage renderMetafile(QByteArrayView data, const IsolationWatch &watch)
{
    const QDeadlineTimer deadline(decodingDeadlineMs());
    const MetafileLayout layout = inspectMetafile(data);
    // libwmf draws in a child process where there is one: the drawing's own checks stop it at the
    // deadline, and should a record still run on, or the library crash, the child is given up.
    const QDeadlineTimer giveUp(decodingDeadlineMs() + reportGraceMs);
    const IsolatedRun run = runIsolated([&] { return draw(data, layout, deadline); }, giveUp, watch);
    switch (run.outcome) {
    case IsolatedRun::Outcome::Finished:
        return pictureFrom(run.result);
    case IsolatedRun::Outcome::TimedOut:
        raise(err::OutOfMemory, metafileTooSlowDescription());
    case IsolatedRun::Outcome::Stopped:
        stoppedFromOutside(run.signal, QStringLiteral("The drawing of the metafile"));
    case IsolatedRun::Outcome::Failed:
        break;
    }
    invalid(metafileReaderFailedDescription());
}

}  // namespace plakatron
