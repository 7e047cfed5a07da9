// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: makes the manual pages of both programs and the bash completion of plakatron-cli from
// the programs' own help, so an option, a verb or an exit code added to a help text reaches them
// without a second copy to keep:
//   make_help_docs PLAKATRON PLAKATRON_CLI TEMPLATE_FOLDER OUTPUT_FOLDER
// The templates (plakatron.1, plakatron-cli.1, plakatron-cli.bash, as CMake configured them) hold
// what no help says (exit status, files, environment, examples) and @HELP:NAME@ marks for what
// the help says.
//
// A help text is read as Qt's help and the tool's own tables lay it out: "Usage: ..." first, the
// description up to the first empty line, then blocks: a heading ("Options:"), rows of
// "  term  description" with their continuation lines indented further, and plain paragraphs.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <cstdio>
#include <cstdlib>

namespace {

struct Row {
    QString term, text;
};

struct Block {
    QString heading;  // empty for a paragraph or rows without a heading
    QString paragraph;
    QList<Row> rows;
};

struct Help {
    QString usage;  // "plakatron-cli print [options]"
    QString description;
    QList<Block> blocks;
};

[[noreturn]] void fail(const QString &why)
{
    std::fprintf(stderr, "make_help_docs: %s\n", qPrintable(why));
    std::exit(1);
}

QString helpOf(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        fail(QStringLiteral("'%1 %2' failed: %3").arg(program, arguments.join(u' '), QString::fromLocal8Bit(p.readAllStandardError())));
    return QString::fromUtf8(p.readAllStandardOutput());
}

Help parseHelp(const QString &text)
{
    // A row's option starts 2 columns in, or 6 where it has no short form ("      --pdf-page N").
    static const QRegularExpression rowStart(QStringLiteral("^  (?:    )?(\\S(?:\\S| (?! ))*)(?:  +(.*))?$"));
    Help help;
    const QStringList lines = text.split(u'\n');
    qsizetype i = 0;
    if (lines.isEmpty() || !lines[0].startsWith(QLatin1String("Usage: ")))
        fail(QStringLiteral("a help text that does not start with 'Usage:': %1").arg(text.left(80)));
    help.usage = lines[i++].mid(7).trimmed();
    QStringList description;
    for (; i < lines.size() && !lines[i].trimmed().isEmpty(); ++i)
        description << lines[i].trimmed();
    help.description = description.join(u' ');
    Block *block = nullptr;
    for (; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line.trimmed().isEmpty()) {
            block = nullptr;
        } else if (!line.startsWith(u' ')) {
            if (line.endsWith(u':')) {
                help.blocks.append(Block{line.chopped(1), QString(), {}});
                block = &help.blocks.last();
            } else if (block && !block->paragraph.isEmpty()) {
                block->paragraph += u' ' + line.trimmed();
            } else {
                help.blocks.append(Block{QString(), line.trimmed(), {}});
                block = &help.blocks.last();
            }
        } else if (block && !block->rows.isEmpty() && line.startsWith(QLatin1String("   "))) {
            Row &row = block->rows.last();
            row.text += (row.text.isEmpty() ? QString() : QStringLiteral(" ")) + line.trimmed();
        } else if (const QRegularExpressionMatch m = rowStart.match(line); m.hasMatch()) {
            if (!block || !block->paragraph.isEmpty()) {
                help.blocks.append(Block{});
                block = &help.blocks.last();
            }
            block->rows.append(Row{m.captured(1), m.captured(2).trimmed()});
        } else {
            fail(QStringLiteral("a help line that is neither a row nor text: '%1'").arg(line));
        }
    }
    return help;
}

// Text for roff: backslashes kept, a line never taken for a request, options' dashes as minus signs.
QString roffText(QString text)
{
    text.replace(u'\\', QLatin1String("\\e"));
    // An option's dashes are minus signs, so that what a reader copies runs; other hyphens stay.
    static const QRegularExpression option(QStringLiteral("(^|[\\s(/'\"])(--?[A-Za-z][A-Za-z0-9-]*)"));
    QString out;
    qsizetype done = 0;
    for (const QRegularExpressionMatch &m : option.globalMatch(text)) {
        out += text.mid(done, m.capturedStart(2) - done) + QString(m.captured(2)).replace(u'-', QLatin1String("\\-"));
        done = m.capturedEnd(2);
    }
    out += text.mid(done);
    if (out.startsWith(u'.') || out.startsWith(u'\''))
        out.prepend(QLatin1String("\\&"));
    return out;
}

// A row's term: options and numbers in bold, placeholders ("<file>", "FILE") in italics.
QString roffTerm(const QString &term)
{
    QStringList words;
    static const QRegularExpression parts(QStringLiteral("^(\\[?)(.*?)([],]*)$"));
    for (const QString &word : term.split(u' ', Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = parts.match(word);  // "[", the word, "]" or ","
        const QString core = m.captured(2);
        const bool option = core.startsWith(u'-') || (!core.isEmpty() && core.front().isDigit());
        const bool placeholder = core.startsWith(u'<') || (core.size() > 1 && core == core.toUpper() && core.front().isLetter())
                                 || (m.captured(1) == QLatin1String("[") && !option);
        const QString font = option ? QStringLiteral("\\fB") : placeholder ? QStringLiteral("\\fI") : QString();
        // "<file>" is Qt's way to mark a value; a manual page sets it in italics alone.
        const QString shown = core.startsWith(u'<') && core.endsWith(u'>') ? core.mid(1).chopped(1) : core;
        words << m.captured(1) + (font.isEmpty() ? roffText(shown) : font + roffText(shown) + QStringLiteral("\\fR"))
                     + m.captured(3);
    }
    return words.join(u' ');
}

// Blocks as roff: a heading in bold, rows as tagged paragraphs. Rows whose term is in `skip` are left
// out (the options every verb shares, described once).
QString roffBlocks(const QList<Block> &blocks, const QSet<QString> &skip = {})
{
    QString out;
    for (const Block &block : blocks) {
        QList<Row> rows;
        for (const Row &row : block.rows)
            if (!skip.contains(row.term))
                rows << row;
        if (!block.paragraph.isEmpty()) {
            out += QStringLiteral(".PP\n") + roffText(block.paragraph) + u'\n';
            continue;
        }
        if (rows.isEmpty())
            continue;
        if (!block.heading.isEmpty())
            out += QStringLiteral(".PP\n.B \"") + roffText(block.heading) + QStringLiteral(":\"\n");
        for (const Row &row : rows)
            out += QStringLiteral(".TP\n") + roffTerm(row.term) + u'\n' + roffText(row.text) + u'\n';
    }
    return out;
}

const Block *blockNamed(const Help &help, const QString &heading)
{
    for (const Block &block : help.blocks)
        if (block.heading == heading)
            return &block;
    return nullptr;
}

// "-o, --output <file>" -> {"-o", "--output"}; the value's name in `value` ("file"), empty for none.
QStringList optionNames(const QString &term, QString *value = nullptr)
{
    QStringList names;
    for (QString word : term.split(u' ')) {
        word.remove(u',');
        if (word.startsWith(u'-'))
            names << word;
        else if (value && word.startsWith(u'<'))
            *value = word.mid(1).chopped(1);
    }
    return names;
}

QString fromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read '%1': %2").arg(path, file.errorString()));
    return QString::fromUtf8(file.readAll());
}

void toFile(const QString &path, const QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0 || !file.flush())
        fail(QStringLiteral("cannot write '%1': %2").arg(path, file.errorString()));
}

// The template with each @HELP:NAME@ replaced; a mark left over is a mistake in the template.
QString filled(QString text, const QList<std::pair<QString, QString>> &values)
{
    for (const auto &[name, value] : values)
        text.replace(QStringLiteral("@HELP:") + name + u'@', value);
    static const QRegularExpression leftOver(QStringLiteral("@HELP:[A-Z_]+@"));
    if (const QRegularExpressionMatch m = leftOver.match(text); m.hasMatch())
        fail(QStringLiteral("no value for %1").arg(m.captured()));
    return text;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 5)
        fail(QStringLiteral("usage: make_help_docs PLAKATRON PLAKATRON_CLI TEMPLATE_FOLDER OUTPUT_FOLDER"));
    const QString gui = args[1], cli = args[2];
    const QDir templates(args[3]), output(args[4]);

    // The window program: its options.
    const Help guiHelp = parseHelp(helpOf(gui, {QStringLiteral("--help")}));
    toFile(output.filePath(QStringLiteral("plakatron.1")),
           filled(fromFile(templates.filePath(QStringLiteral("plakatron.1"))),
                  QList<std::pair<QString, QString>>{{QStringLiteral("SYNOPSIS"), roffTerm(guiHelp.usage)},
                                                             {QStringLiteral("OPTIONS"), roffBlocks(guiHelp.blocks)}}));

    // The tool: its verbs from its "Verbs:" rows, each verb's help from "help VERB".
    const Help cliHelp = parseHelp(helpOf(cli, {QStringLiteral("--help")}));
    const Block *verbRows = blockNamed(cliHelp, QStringLiteral("Verbs"));
    if (!verbRows)
        fail(QStringLiteral("plakatron-cli --help lists no verbs"));
    QStringList verbs;
    QList<Help> verbHelps;
    for (const Row &row : verbRows->rows) {
        if (row.term == QLatin1String("help"))
            continue;
        verbs << row.term;
        verbHelps << parseHelp(helpOf(cli, {QStringLiteral("help"), row.term}));
        if (!blockNamed(verbHelps.last(), QStringLiteral("Options")))
            fail(QStringLiteral("the help of %1 lists no options").arg(row.term));
    }
    // The options every verb has are described once.
    QSet<QString> shared;
    for (const Row &row : blockNamed(verbHelps.first(), QStringLiteral("Options"))->rows)
        shared.insert(row.term);
    for (const Help &help : verbHelps) {
        QSet<QString> own;
        for (const Row &row : blockNamed(help, QStringLiteral("Options"))->rows)
            own.insert(row.term);
        shared &= own;
    }
    QString synopsis, verbSections, sharedOptions;
    for (const Row &row : blockNamed(verbHelps.first(), QStringLiteral("Options"))->rows)
        if (shared.contains(row.term))
            sharedOptions += QStringLiteral(".TP\n") + roffTerm(row.term) + u'\n' + roffText(row.text) + u'\n';
    for (const Help &help : verbHelps) {
        synopsis += QStringLiteral(".B plakatron\\-cli ") + help.usage.section(u' ', 1, 1) + u'\n'
                    + roffTerm(help.usage.section(u' ', 2)) + QStringLiteral("\n.br\n");
        verbSections += QStringLiteral(".SS \"") + roffText(help.usage) + QStringLiteral("\"\n") + roffText(help.description)
                        + u'\n' + roffBlocks(help.blocks, shared);
    }
    toFile(output.filePath(QStringLiteral("plakatron-cli.1")),
           filled(fromFile(templates.filePath(QStringLiteral("plakatron-cli.1"))),
                  QList<std::pair<QString, QString>>{{QStringLiteral("SYNOPSIS"), synopsis},
                                                             {QStringLiteral("TOOL_OPTIONS"),
                                                              roffBlocks({Block{QString(), QString(),
                                                                                blockNamed(cliHelp, QStringLiteral("Options"))->rows}})},
                                                             {QStringLiteral("SHARED_OPTIONS"), sharedOptions},
                                                             {QStringLiteral("VERBS"), verbSections}}));

    // The completion: each verb's options, and which options take a file, a printer or another value.
    QString verbOptions;
    QSet<QString> files, printers, values;
    for (qsizetype v = 0; v < verbs.size(); ++v) {
        QStringList names;
        for (const Row &row : blockNamed(verbHelps[v], QStringLiteral("Options"))->rows) {
            QString value;
            const QStringList rowNames = optionNames(row.term, &value);
            names << rowNames;
            if (value.isEmpty())
                continue;
            QSet<QString> &kind = value == QLatin1String("file") ? files : value == QLatin1String("name") ? printers : values;
            kind.unite(QSet<QString>(rowNames.begin(), rowNames.end()));
        }
        verbOptions += QStringLiteral("        %1) options='%2' ;;\n").arg(verbs[v], names.join(u' '));
    }
    const auto pattern = [](const QSet<QString> &names) {
        QStringList sorted(names.begin(), names.end());
        sorted.sort();
        return sorted.isEmpty() ? QStringLiteral("--never-an-option") : sorted.join(u'|');
    };
    QStringList toolOptions;
    for (const Row &row : blockNamed(cliHelp, QStringLiteral("Options"))->rows)
        toolOptions << optionNames(row.term);
    toFile(output.filePath(QStringLiteral("plakatron-cli")),
           filled(fromFile(templates.filePath(QStringLiteral("plakatron-cli.bash"))),
                  QList<std::pair<QString, QString>>{{QStringLiteral("VERBS"), verbs.join(u' ')},
                                                             {QStringLiteral("TOOL_OPTIONS"), toolOptions.join(u' ')},
                                                             {QStringLiteral("FILE_OPTIONS"), pattern(files)},
                                                             {QStringLiteral("PRINTER_OPTIONS"), pattern(printers)},
                                                             {QStringLiteral("VALUE_OPTIONS"), pattern(values)},
                                                             {QStringLiteral("VERB_OPTIONS"), verbOptions}}));
    return 0;
}
