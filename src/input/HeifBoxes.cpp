// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/HeifBoxes.h"

#include <QtEndian>
#include <algorithm>
#include <map>
#include <set>

namespace plakatron {

namespace {

// The metadata box holds a few kilobytes in real files (Exif and pixels lie in the media data).
constexpr qint64 maxMetaBytes = 64 * 1024 * 1024;
// Derived images made of derived images: far beyond any real file, short of a deep recursion.
constexpr std::size_t maxDepth = 16;

// Big-endian fields read one after the other; past the end every read gives 0 and `ok` turns false.
class Fields {
public:
    explicit Fields(QByteArrayView data) : data_(data) {}
    explicit Fields(QByteArray &&) = delete;  // a view of a temporary would outlive it
    quint64 take(int bytes)
    {
        if (bytes < 0 || bytes > 8 || pos_ + bytes > data_.size()) {
            ok_ = false;
            pos_ = data_.size();
            return 0;
        }
        quint64 v = 0;
        for (int i = 0; i < bytes; ++i)
            v = v << 8 | quint8(data_[pos_ + i]);
        pos_ += bytes;
        return v;
    }
    QByteArray type()
    {
        const quint64 v = take(4);
        return ok_ ? QByteArray::fromStdString({char(v >> 24), char(v >> 16), char(v >> 8), char(v)}) : QByteArray();
    }
    bool ok() const { return ok_; }
    qsizetype pos() const { return pos_; }

private:
    QByteArrayView data_;
    qsizetype pos_ = 0;
    bool ok_ = true;
};

struct Box {
    QByteArray type;
    QByteArrayView body;  // after the header
};

// The boxes one after the other in data; false when one runs past its end.
bool childBoxes(QByteArrayView data, std::vector<Box> &boxes)
{
    qsizetype at = 0;
    while (at < data.size()) {
        Fields f(data.sliced(at));
        quint64 size = f.take(4);
        const QByteArray type = f.type();
        if (size == 1)
            size = f.take(8);
        else if (size == 0)
            size = quint64(data.size() - at);
        if (!f.ok() || size < quint64(f.pos()) || size > quint64(data.size() - at))
            return false;
        boxes.push_back({type, data.sliced(at + f.pos(), qsizetype(size) - f.pos())});
        at += qsizetype(size);
    }
    return true;
}

struct Extent {
    quint64 offset = 0, length = 0;
};

struct Item {
    QByteArray type;
    qint64 flagsAt = -1;  // in the metadata box: the last byte of its information entry's flags
    int constructionMethod = 0;
    std::vector<Extent> extents;
    std::vector<int> properties;  // 1-based indexes into the property container
    bool hasLocation = false;
};

class Reader {
public:
    Reader(const std::function<QByteArray(qint64, qint64)> &readAt, qint64 end) : readAt_(readAt), end_(end) {}

    HeifImages read()
    {
        if (!readMeta())
            return fail();
        if (!items_.count(primary_))
            return fail(QStringLiteral("its primary picture is not among its items"));
        collect(primary_);
        // The alpha pictures of what is decoded: auxiliary images naming one of those as theirs.
        const std::set<quint32> decoded(seen_);
        for (const auto &[from, to] : auxiliaries_)
            if (decoded.count(to))
                collect(from);
        return result_;
    }

private:
    HeifImages fail(const QString &why = QStringLiteral("its boxes cannot be read"))
    {
        if (result_.damage.isEmpty())
            result_.damage = why;
        return result_;
    }

    bool readMeta()
    {
        // The top-level boxes, by their headers only.
        for (qint64 at = 0; at < end_;) {
            const QByteArray header = readAt_(at, 16);
            Fields f(header);
            quint64 size = f.take(4);
            const QByteArray type = f.type();
            if (size == 1)
                size = f.take(8);
            else if (size == 0)
                size = quint64(end_ - at);
            if (!f.ok() || size < quint64(f.pos()) || size > quint64(end_ - at))
                return false;
            if (type == "meta") {
                if (size - f.pos() > quint64(maxMetaBytes)) {
                    result_.damage = QStringLiteral("its metadata box is larger than %1 MB").arg(maxMetaBytes >> 20);
                    return false;
                }
                metaAt_ = at + f.pos();
                meta_ = readAt_(at + f.pos(), qint64(size) - f.pos());
                if (meta_.size() != qsizetype(size) - f.pos())
                    return false;
                return parseMeta();
            }
            at += qint64(size);
        }
        fail(QStringLiteral("it has no metadata box"));
        return false;
    }

    bool parseMeta()
    {
        std::vector<Box> boxes;
        if (meta_.size() < 4 || !childBoxes(QByteArrayView(meta_).sliced(4), boxes))  // version and flags first
            return false;
        bool havePrimary = false;
        for (const Box &box : boxes) {
            Fields f(box.body);
            if (box.type == "pitm") {
                const quint64 version = f.take(1);
                f.take(3);
                primaryBytes_ = version == 0 ? 2 : 4;
                primaryAt_ = box.body.data() + 4 - meta_.constData();
                primary_ = quint32(f.take(primaryBytes_));
                havePrimary = f.ok();
            } else if (box.type == "iinf" && !readInfos(box.body)) {
                return false;
            } else if (box.type == "iloc" && !readLocations(box.body)) {
                return false;
            } else if (box.type == "iref" && !readReferences(box.body)) {
                return false;
            } else if (box.type == "iprp" && !readProperties(box.body)) {
                return false;
            } else if (box.type == "idat") {
                idat_ = box.body;
            }
        }
        if (!havePrimary)
            fail(QStringLiteral("it names no primary picture"));
        return havePrimary;
    }

    bool readInfos(QByteArrayView body)
    {
        Fields f(body);
        const quint64 version = f.take(1);
        f.take(3);
        f.take(version == 0 ? 2 : 4);  // the count; the boxes say it again
        std::vector<Box> boxes;
        if (!f.ok() || !childBoxes(body.sliced(f.pos()), boxes))
            return false;
        for (const Box &box : boxes) {
            if (box.type != "infe")
                continue;
            Fields e(box.body);
            const quint64 v = e.take(1);
            e.take(3);
            if (v < 2)
                continue;  // no item type before version 2
            const quint32 id = quint32(e.take(v == 2 ? 2 : 4));
            e.take(2);  // protection index
            const QByteArray type = e.type();
            if (!e.ok())
                return false;
            items_[id].type = type;
            items_[id].flagsAt = box.body.data() + 3 - meta_.constData();
        }
        return true;
    }

    bool readLocations(QByteArrayView body)
    {
        Fields f(body);
        const quint64 version = f.take(1);
        f.take(3);
        const quint64 sizes = f.take(2);
        const int offsetSize = int(sizes >> 12 & 15), lengthSize = int(sizes >> 8 & 15);
        const int baseSize = int(sizes >> 4 & 15), indexSize = version >= 1 ? int(sizes & 15) : 0;
        const quint64 count = f.take(version < 2 ? 2 : 4);
        for (quint64 i = 0; i < count && f.ok(); ++i) {
            const quint32 id = quint32(f.take(version < 2 ? 2 : 4));
            Item &item = items_[id];
            item.constructionMethod = version >= 1 ? int(f.take(2) & 15) : 0;
            f.take(2);  // data reference
            const quint64 base = f.take(baseSize);
            const quint64 extents = f.take(2);
            for (quint64 e = 0; e < extents && f.ok(); ++e) {
                f.take(indexSize);
                const quint64 offset = f.take(offsetSize);
                const quint64 length = f.take(lengthSize);
                if (item.extents.size() < 64)  // a descriptor is never spread wider
                    item.extents.push_back({base + offset, length});
            }
            item.hasLocation = true;
        }
        return f.ok();
    }

    bool readReferences(QByteArrayView body)
    {
        Fields f(body);
        const quint64 version = f.take(1);
        f.take(3);
        std::vector<Box> boxes;
        if (!f.ok() || !childBoxes(body.sliced(f.pos()), boxes))
            return false;
        const int idBytes = version == 0 ? 2 : 4;
        for (const Box &box : boxes) {
            Fields r(box.body);
            const quint32 from = quint32(r.take(idBytes));
            const quint64 count = r.take(2);
            std::vector<quint32> to;
            for (quint64 i = 0; i < count && r.ok(); ++i)
                to.push_back(quint32(r.take(idBytes)));
            if (!r.ok())
                return false;
            if (box.type == "dimg")
                inputs_[from].insert(inputs_[from].end(), to.begin(), to.end());
            else if (box.type == "auxl")
                for (quint32 master : to)
                    auxiliaries_.emplace_back(from, master);
        }
        return true;
    }

    bool readProperties(QByteArrayView body)
    {
        std::vector<Box> boxes;
        if (!childBoxes(body, boxes))
            return false;
        for (const Box &box : boxes) {
            if (box.type == "ipco") {
                std::vector<Box> properties;
                if (!childBoxes(box.body, properties))
                    return false;
                for (const Box &property : properties) {
                    Fields p(property.body);
                    p.take(4);  // version and flags
                    const qint64 width = qint64(p.take(4)), height = qint64(p.take(4));
                    sizes_.push_back(property.type == "ispe" && p.ok() ? std::pair(width, height) : std::pair(-1LL, -1LL));
                    propertyTypes_.push_back(property.type);
                }
            } else if (box.type == "ipma") {
                Fields f(box.body);
                const quint64 version = f.take(1);
                const quint64 flags = f.take(3);
                const quint64 count = f.take(4);
                for (quint64 i = 0; i < count && f.ok(); ++i) {
                    const quint32 id = quint32(f.take(version < 1 ? 2 : 4));
                    const quint64 associations = f.take(1);
                    for (quint64 a = 0; a < associations && f.ok(); ++a) {
                        const quint64 entry = f.take(flags & 1 ? 2 : 1);
                        items_[id].properties.push_back(int(entry & (flags & 1 ? 0x7FFF : 0x7F)));
                    }
                }
                if (!f.ok())
                    return false;
            }
        }
        return true;
    }

    // The item's data (a grid's or an overlay's descriptor), up to `most` bytes.
    QByteArray itemData(const Item &item, qint64 most)
    {
        QByteArray data;
        for (const Extent &e : item.extents) {
            const qint64 length = qint64(std::min<quint64>(e.length, quint64(most - data.size())));
            if (item.constructionMethod == 1) {
                if (e.offset > quint64(idat_.size()) || quint64(length) > quint64(idat_.size()) - e.offset)
                    return QByteArray();
                data += idat_.sliced(qsizetype(e.offset), length);
            } else if (item.constructionMethod == 0) {
                if (e.offset > quint64(end_) || quint64(length) > quint64(end_) - e.offset)
                    return QByteArray();
                data += readAt_(qint64(e.offset), length);
            }
            if (data.size() >= most)
                break;
        }
        return data;
    }

    std::pair<qint64, qint64> imageSize(const Item &item) const
    {
        for (int index : item.properties)
            if (index >= 1 && index <= int(sizes_.size()) && sizes_[index - 1].first >= 0)
                return sizes_[index - 1];
        return {-1, -1};
    }

    // The image `id` and everything it is made from, each checked once (a tile may be named by
    // many places of a grid); `path` holds the images it is made for, which it cannot be made from.
    void collect(quint32 id, std::vector<quint32> path = {})
    {
        if (!result_.damage.isEmpty())
            return;
        if (!items_.count(id))
            return void(fail(QStringLiteral("a picture is made from item %1, which it does not have").arg(id)));
        if (std::find(path.begin(), path.end(), id) != path.end() || path.size() > maxDepth)
            return void(fail(QStringLiteral("its pictures are made from each other in a circle or too deep")));
        if (!seen_.insert(id).second)
            return;
        const Item &item = items_.at(id);
        // The kinds of picture libheif decodes; a reference to anything else stopped it at an
        // assertion.
        const QByteArrayView kinds[] = {"hvc1", "av01", "grid", "iovl", "iden"};
        if (std::find(std::begin(kinds), std::end(kinds), QByteArrayView(item.type)) == std::end(kinds))
            return void(fail(QStringLiteral("item %1 (%2) is no picture it can be made of").arg(id).arg(QString::fromLatin1(item.type))));
        HeifImage image{item.type, 0, 0};
        const std::vector<quint32> &inputs = inputs_[id];
        if (item.type == "grid" || item.type == "iovl") {
            // A grid: version, flags (1: 32-bit sizes), rows and columns less one, the size.
            // An overlay: version, flags, the fill colour (four 16-bit values), the size, offsets.
            const bool grid = item.type == "grid";
            const QByteArray descriptor = itemData(item, 64);
            Fields f(descriptor);
            f.take(1);
            const int sizeBytes = f.take(1) & 1 ? 4 : 2;
            const quint64 rows = grid ? f.take(1) + 1 : 0, columns = grid ? f.take(1) + 1 : 0;
            f.take(grid ? 0 : 8);
            image.width = qint64(f.take(sizeBytes));
            image.height = qint64(f.take(sizeBytes));
            if (!f.ok() || !item.hasLocation)
                return void(fail(QStringLiteral("the description of its %1 cannot be read").arg(grid ? "grid" : "overlay")));
            result_.images.push_back(image);  // its size goes first, whatever else is wrong
            if (grid && rows * columns != inputs.size())
                return void(fail(QStringLiteral("its grid of %1 x %2 tiles names %3").arg(columns).arg(rows).arg(inputs.size())));
            if (grid && !gridCovered(image, rows, columns, inputs.front()))
                return;
            if (grid && id == primary_)
                describeGrid(item, image, int(rows), int(columns), inputs);
        } else {
            std::tie(image.width, image.height) = imageSize(item);
            if (image.width < 0)
                return void(fail(QStringLiteral("item %1 (%2) has no image-size box").arg(id).arg(QString::fromLatin1(item.type))));
            result_.images.push_back(image);
        }
        path.push_back(id);
        for (quint32 input : inputs)
            collect(input, path);
    }

    // The tiles of a grid, all of the first tile's size, cover its canvas and no column or row of
    // them lies wholly outside it.
    bool gridCovered(const HeifImage &grid, quint64 rows, quint64 columns, quint32 firstTile)
    {
        const auto [width, height] = items_.count(firstTile) ? imageSize(items_.at(firstTile)) : std::pair(-1LL, -1LL);
        if (width <= 0 || height <= 0) {
            fail(QStringLiteral("the tiles of its grid have no size"));
            return false;
        }
        const bool covered = quint64(width) * columns >= quint64(grid.width) && quint64(height) * rows >= quint64(grid.height)
                             && quint64(width) * (columns - 1) < quint64(grid.width)
                             && quint64(height) * (rows - 1) < quint64(grid.height);
        if (!covered)
            fail(QStringLiteral("its grid of %1 x %2 tiles of %3 x %4 pixels does not make a picture of %5 x %6")
                     .arg(columns).arg(rows).arg(width).arg(height).arg(grid.width).arg(grid.height));
        return covered;
    }

    // The primary grid as a tile-by-tile decoding needs it.
    void describeGrid(const Item &item, const HeifImage &image, int rows, int columns, const std::vector<quint32> &tiles)
    {
        HeifGrid grid;
        grid.rows = rows;
        grid.columns = columns;
        grid.width = image.width;
        grid.height = image.height;
        std::tie(grid.tileWidth, grid.tileHeight) = imageSize(items_.at(tiles.front()));
        grid.tiles = tiles;
        grid.primaryAt = metaAt_ + primaryAt_;
        grid.primaryBytes = primaryBytes_;
        grid.plain = true;
        for (int index : item.properties)
            if (index >= 1 && index <= int(propertyTypes_.size()))
                for (const char *transform : {"irot", "imir", "clap"})
                    grid.plain = grid.plain && propertyTypes_[index - 1] != transform;
        for (const auto &[from, to] : auxiliaries_)
            grid.plain = grid.plain && to != primary_;
        for (quint32 tile : tiles) {
            const auto t = items_.find(tile);
            grid.plain = grid.plain && t != items_.end() && t->second.flagsAt >= 0
                         && imageSize(t->second) == std::pair(grid.tileWidth, grid.tileHeight);
            grid.flagsAt[tile] = t != items_.end() ? metaAt_ + t->second.flagsAt : -1;
        }
        result_.grid = grid;
    }

    const std::function<QByteArray(qint64, qint64)> &readAt_;
    qint64 end_;
    qint64 metaAt_ = 0;  // where the metadata box's content starts in the file
    qint64 primaryAt_ = 0;
    int primaryBytes_ = 2;
    std::vector<QByteArray> propertyTypes_;
    QByteArray meta_;
    QByteArrayView idat_;
    quint32 primary_ = 0;
    std::map<quint32, Item> items_;
    std::map<quint32, std::vector<quint32>> inputs_;
    std::vector<std::pair<quint32, quint32>> auxiliaries_;  // an alpha or depth picture and its master
    std::vector<std::pair<qint64, qint64>> sizes_;          // per property, its image size or -1
    std::set<quint32> seen_;
    HeifImages result_;
};

}  // namespace

HeifImages heifImages(const std::function<QByteArray(qint64 offset, qint64 size)> &readAt, qint64 end)
{
    return Reader(readAt, end).read();
}

}  // namespace plakatron
