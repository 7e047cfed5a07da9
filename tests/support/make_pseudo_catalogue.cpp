// SPDX-License-Identifier: GPL-3.0-or-later
// Makes the pseudo-language catalogue the language tests load: every text of a real catalogue
// (its sources, so it holds exactly what lupdate found in the code) wrapped in "[~" and "]",
// its vowels accented and lengthened by 40 %, placeholders and mnemonics kept. A text shown
// without the brackets was never translated; one cut off shows where a longer language would be.
//   make_pseudo_catalogue plakatron_de.ts plakatron_pseudo.ts
#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cmath>
#include <cstdio>

namespace {
QString pseudo(const QString &source)
{
    static const QHash<QChar, QChar> accented{{u'a', u'á'}, {u'e', u'é'}, {u'i', u'í'}, {u'o', u'ö'}, {u'u', u'ü'},
                                              {u'A', u'Å'}, {u'E', u'É'}, {u'I', u'Í'}, {u'O', u'Ö'}, {u'U', u'Ü'}};
    QString text;
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar c = source[i];
        text += c;
        if (c == u'%') {
            // %1, %L1, %n, %v as they are
            if (i + 1 < source.size() && source[i + 1] == u'L')
                text += source[++i];
            while (i + 1 < source.size() && (source[i + 1].isDigit() || source[i + 1] == u'n' || source[i + 1] == u'v'))
                text += source[++i];
        } else if (c == u'&' && i + 1 < source.size()) {
            text += source[++i];  // the mnemonic letter stays a plain letter
        } else {
            text.back() = accented.value(c, c);
        }
    }
    // 40 % longer with the brackets; the padding in words of four, so that wrapped texts can
    // still wrap.
    const qsizetype length = qsizetype(std::ceil(source.size() * 1.4)) - 3;
    while (text.size() < length)
        text += (text.size() - source.size()) % 5 == 0 ? u' ' : u'~';
    return QStringLiteral("[~") + text + u']';
}
}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: make_pseudo_catalogue REAL.ts PSEUDO.ts\n", stderr);
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "make_pseudo_catalogue: cannot open %s or %s\n", argv[1], argv[2]);
        return 1;
    }
    QXmlStreamReader reader(&in);
    QXmlStreamWriter writer(&out);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeDTD(QStringLiteral("<!DOCTYPE TS>"));
    QString source;
    int forms = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const auto name = reader.name();
            if (name == QLatin1String("TS")) {
                writer.writeStartElement(QStringLiteral("TS"));
                writer.writeAttributes(reader.attributes());
            } else if (name == QLatin1String("context")) {
                writer.writeStartElement(QStringLiteral("context"));
            } else if (name == QLatin1String("name")) {
                writer.writeTextElement(QStringLiteral("name"), reader.readElementText());
            } else if (name == QLatin1String("message")) {
                writer.writeStartElement(QStringLiteral("message"));
                writer.writeAttributes(reader.attributes());
                forms = 0;
            } else if (name == QLatin1String("source")) {
                source = reader.readElementText();
                writer.writeTextElement(QStringLiteral("source"), source);
            } else if (name == QLatin1String("numerusform")) {
                ++forms;
                reader.skipCurrentElement();
            }
        } else if (reader.isEndElement()) {
            const auto name = reader.name();
            if (name == QLatin1String("translation")) {
                writer.writeStartElement(QStringLiteral("translation"));
                if (forms == 0)
                    writer.writeCharacters(pseudo(source));
                for (int i = 0; i < forms; ++i)
                    writer.writeTextElement(QStringLiteral("numerusform"), pseudo(source));
                writer.writeEndElement();
            } else if (name == QLatin1String("message") || name == QLatin1String("context") || name == QLatin1String("TS")) {
                writer.writeEndElement();
            }
        }
    }
    writer.writeEndDocument();
    if (reader.hasError()) {
        std::fprintf(stderr, "make_pseudo_catalogue: %s: %s\n", argv[1], qPrintable(reader.errorString()));
        return 1;
    }
    return 0;
}
