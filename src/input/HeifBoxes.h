// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the boxes of a HEIF or AVIF file say about the picture libheif would make, read before
// libheif sees the file: the image-size box of a coded image may say 224 x 224 while the grid or
// overlay the picture is made of says 60000 x 60000, and the decoder learns that only once it has
// taken the memory for it.

#include <QByteArray>
#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace plakatron {

struct HeifImage {
    QByteArray type;  // the item type: "hvc1", "av01", "grid", "iovl", "iden", ...
    qint64 width = 0, height = 0;
};

// Every image the primary picture's decoding makes: the primary picture itself first, then what it
// is made from (the tiles of a grid, the inputs of an overlay, the source of a derived image, to
// any depth) and the alpha pictures that go with them, each at the size its own boxes give: a
// grid's and an overlay's from their descriptors, a coded image's from its image-size box.
// `damage` says what is wrong when the boxes cannot be followed (an item without a size, a grid
// whose tiles do not fit it, a reference to nothing); the list then ends with the images read
// before, the one found wrong among them.
// The primary picture when it is a grid of coded tiles, and where in the file its item number and
// each tile's "hidden" flag are: made the primary picture, a tile decodes on its own.
struct HeifGrid {
    int rows = 0, columns = 0;
    qint64 width = 0, height = 0, tileWidth = 0, tileHeight = 0;
    std::vector<quint32> tiles;
    bool plain = false;  // no turn, mirror, crop or alpha picture of its own: its tiles are the picture
    qint64 primaryAt = 0;
    int primaryBytes = 0;
    std::map<quint32, qint64> flagsAt;  // the last byte of each tile's flags
};

struct HeifImages {
    QString damage;
    std::vector<HeifImage> images;
    std::optional<HeifGrid> grid;
};

// readAt(offset, size) gives up to size bytes of the file from offset; `end` is where its boxes end.
HeifImages heifImages(const std::function<QByteArray(qint64 offset, qint64 size)> &readAt, qint64 end);

}  // namespace plakatron
