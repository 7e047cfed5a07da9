// SPDX-License-Identifier: GPL-3.0-or-later
#include "vector/SvgCleaner.h"

#include "core/RuntimeError.h"
#include "input/PictureLoader.h"

#include <QHash>
#include <QLocale>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <vector>
#include <zlib.h>

namespace plakatron {

namespace {

[[noreturn]] void invalid(const QString &description) { raise(err::InvalidPicture, description); }

[[noreturn]] void beyond(const QString &what, qint64 count, qint64 limit)
{
    const QLocale english(QLocale::English);
    raise(err::OutOfMemory, QStringLiteral("The SVG picture has %1 %2; pictures of up to %3 can be loaded.")
                                .arg(english.toString(count), what, english.toString(limit)));
}

// Links that stay inside the file.
bool isInsideLink(QStringView value)
{
    const QStringView link = value.trimmed();
    return link.startsWith(u'#') || link.startsWith(QLatin1String("data:"), Qt::CaseInsensitive);
}

// The numbers a path's data or a polyline's points give (each run of digits once).
qint64 numbersIn(QStringView value)
{
    qint64 count = 0;
    bool inNumber = false;
    for (const QChar c : value) {
        const bool digit = c.isDigit();
        count += digit && !inNumber;
        inNumber = digit || (inNumber && (c == u'.' || c == u'e' || c == u'E'));
    }
    return count;
}

// The elements as a tree with their <use> links, to count what drawing them draws: each element
// once, and each <use> the element it names once more, with all that element draws.
struct ElementTree {
    struct Element {
        std::vector<int> children;
        QString link;  // the element a <use> names (without the #)
    };
    std::vector<Element> elements;
    QHash<QString, int> ids;

    // Elements drawn, up to limit + 1; -1 when a <use> names itself or an element around it.
    qint64 drawn(qint64 limit) const
    {
        if (elements.empty())
            return 0;
        enum State : char { Unseen, Open, Counted };
        std::vector<State> state(elements.size(), Unseen);
        std::vector<qint64> count(elements.size(), 0);
        std::vector<int> stack{0};
        const auto dependencies = [&](int e, auto &&visit) {
            for (const int child : elements[std::size_t(e)].children)
                visit(child);
            if (const auto it = ids.constFind(elements[std::size_t(e)].link); it != ids.constEnd() && !elements[std::size_t(e)].link.isEmpty())
                visit(*it);
        };
        bool loop = false;
        while (!stack.empty() && !loop) {
            const int e = stack.back();
            if (state[std::size_t(e)] == Counted) {
                stack.pop_back();
            } else if (state[std::size_t(e)] == Unseen) {
                state[std::size_t(e)] = Open;
                dependencies(e, [&](int d) {
                    if (state[std::size_t(d)] == Open)
                        loop = true;
                    else if (state[std::size_t(d)] == Unseen)
                        stack.push_back(d);
                });
            } else {
                qint64 total = 1;
                dependencies(e, [&](int d) { total = std::min(limit + 1, total + count[std::size_t(d)]); });
                count[std::size_t(e)] = total;
                state[std::size_t(e)] = Counted;
                stack.pop_back();
            }
        }
        return loop ? -1 : count[0];
    }
};

}  // namespace

QByteArray cleanedSvg(QByteArrayView text)
{
    QXmlStreamReader reader(QByteArray::fromRawData(text.data(), text.size()));
    QByteArray cleaned;
    QXmlStreamWriter writer(&cleaned);
    ElementTree tree;
    std::vector<int> open;  // the elements around the reader's place
    qint64 pathNumbers = 0;
    bool rootSeen = false;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartDocument:
            writer.writeStartDocument();
            break;
        case QXmlStreamReader::StartElement: {
            if (!rootSeen && reader.name() != QLatin1String("svg"))
                invalid(QStringLiteral("The file is not an SVG picture: its first element is <%1>.").arg(reader.qualifiedName()));
            rootSeen = true;
            if (qint64(tree.elements.size()) >= PictureLimits::maxSvgElements)
                beyond(QStringLiteral("elements"), qint64(tree.elements.size()) + 1, PictureLimits::maxSvgElements);
            if (qint64(open.size()) >= PictureLimits::maxSvgDepth)
                beyond(QStringLiteral("elements nested inside each other"), qint64(open.size()) + 1, PictureLimits::maxSvgDepth);
            const int index = int(tree.elements.size());
            tree.elements.emplace_back();
            if (!open.empty())
                tree.elements[std::size_t(open.back())].children.push_back(index);
            open.push_back(index);

            writer.writeStartElement(reader.qualifiedName().toString());
            for (const QXmlStreamNamespaceDeclaration &declaration : reader.namespaceDeclarations())
                writer.writeAttribute(declaration.prefix().isEmpty() ? QStringLiteral("xmlns")
                                                                      : QStringLiteral("xmlns:") + declaration.prefix(),
                                      declaration.namespaceUri().toString());
            const bool use = reader.name() == QLatin1String("use");
            for (const QXmlStreamAttribute &attribute : reader.attributes()) {
                const QStringView name = attribute.name();
                if (name == QLatin1String("href")) {
                    if (!isInsideLink(attribute.value()))
                        continue;  // never followed: a file, a web address
                    if (use && attribute.value().trimmed().startsWith(u'#'))
                        tree.elements.back().link = attribute.value().trimmed().mid(1).toString();
                }
                if (name == QLatin1String("id") && attribute.namespaceUri().isEmpty())
                    tree.ids.insert(attribute.value().toString(), index);
                if (name == QLatin1String("d") || name == QLatin1String("points")) {
                    pathNumbers += numbersIn(attribute.value());
                    if (pathNumbers > PictureLimits::maxSvgPathNumbers)
                        beyond(QStringLiteral("numbers in its paths"), pathNumbers, PictureLimits::maxSvgPathNumbers);
                }
                writer.writeAttribute(attribute.qualifiedName().toString(), attribute.value().toString());
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            writer.writeEndElement();
            open.pop_back();
            break;
        case QXmlStreamReader::Characters:
            if (!open.empty())
                writer.writeCharacters(reader.text().toString());
            break;
        default:
            // The DTD, processing instructions, comments, entities that point elsewhere: left out.
            break;
        }
    }
    if (reader.hasError()) {
        if (reader.error() == QXmlStreamReader::PrematureEndOfDocumentError)
            invalid(QStringLiteral("The SVG picture is incomplete: the file ends before the picture does."));
        invalid(QStringLiteral("The SVG picture is damaged: %1 (line %2).").arg(reader.errorString()).arg(reader.lineNumber()));
    }
    if (!rootSeen)
        invalid(QStringLiteral("The file is not an SVG picture: it has no elements."));
    const qint64 drawn = tree.drawn(PictureLimits::maxSvgDrawnElements);
    if (drawn < 0)
        invalid(QStringLiteral("The SVG picture is damaged: one of its <use> elements refers to itself."));
    if (drawn > PictureLimits::maxSvgDrawnElements)
        beyond(QStringLiteral("elements to draw, counting what its <use> elements repeat"), drawn,
               PictureLimits::maxSvgDrawnElements);
    writer.writeEndDocument();
    return cleaned;
}

QByteArray unpackedSvgz(QByteArrayView compressed)
{
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)  // gzip
        raise(err::OutOfMemory, QStringLiteral("There is not enough memory to load the picture."));
    QByteArray text;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.data()));
    stream.avail_in = uInt(compressed.size());
    int status = Z_OK;
    while (status == Z_OK) {
        if (text.size() >= PictureLimits::maxSvgBytes) {
            inflateEnd(&stream);
            raise(err::OutOfMemory, QStringLiteral("The SVGZ picture unpacks to more than %1 MB; pictures of up to %1 MB "
                                                   "can be loaded.")
                                        .arg(PictureLimits::maxSvgBytes / (1024 * 1024)));
        }
        const qsizetype at = text.size();
        const qsizetype piece = std::min<qsizetype>(1024 * 1024, PictureLimits::maxSvgBytes + 1 - at);
        text.resize(at + piece);
        stream.next_out = reinterpret_cast<Bytef *>(text.data() + at);
        stream.avail_out = uInt(piece);
        status = inflate(&stream, Z_NO_FLUSH);
        text.resize(at + piece - qsizetype(stream.avail_out));
        if (status == Z_BUF_ERROR && stream.avail_in == 0)
            break;  // the data ends before the stream does
        if (status == Z_BUF_ERROR)
            status = Z_OK;
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END)
        invalid(status == Z_BUF_ERROR || status == Z_OK
                    ? QStringLiteral("The SVGZ picture is incomplete: the file ends before the picture does.")
                    : QStringLiteral("The SVGZ picture is damaged: it cannot be unpacked."));
    return text;
}

}  // namespace plakatron
