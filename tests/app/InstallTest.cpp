// What `cmake --install` puts into a prefix (a temporary one here): both programs, the menu entry,
// the metainfo and the icon where the desktop looks for them, the help in the data folder, where
// the installed program finds it. The menu entry and the metainfo must pass Debian's validators.
// The Debian package depends on the files the programs load without linking them.
#include "app/frmMain.h"
#include "core/BuildConfig.h"
#include "input/ProgramFolders.h"
#include "input/Toolbox.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QLibraryInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <libwmf/api.h>
#include <libwmf/font.h>
#include <libwmf/gd.h>

using namespace plakatron;

namespace {

struct ProcessRun {
    int exitCode = -1;
    QString output;  // standard output and error together
};

ProcessRun run(const QString &program, const QStringList &arguments, const QStringList &environment = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &kv : environment)
        env.insert(kv.section(u'=', 0, 0), kv.section(u'=', 1));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    if (!p.waitForFinished(120000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromLocal8Bit(p.readAll())};
}

const QString AppId = QLatin1String(buildconfig::appId);

class Install : public ::testing::Test {
protected:
    // One installation for the whole suite.
    static void SetUpTestSuite()
    {
        prefix = new QTemporaryDir;
        installed = run(QStringLiteral(PLAKATRON_CMAKE_COMMAND),
                        {"--install", PLAKATRON_BINARY_DIR, "--prefix", prefix->path()});
    }
    static void TearDownTestSuite()
    {
        delete prefix;
        prefix = nullptr;
    }
    void SetUp() override { ASSERT_EQ(installed.exitCode, 0) << installed.output.toStdString(); }
    static QString path(const QString &relative) { return prefix->filePath(relative); }
    static QString desktopFile() { return path("share/applications/" + AppId + ".desktop"); }
    static QString metainfoFile() { return path("share/metainfo/" + AppId + ".metainfo.xml"); }

    static inline QTemporaryDir *prefix = nullptr;
    static inline ProcessRun installed;
};

TEST_F(Install, PutsEachFileWhereTheDesktopLooksAndNothingElse)
{
    const QList<int> sizes{16, 22, 24, 32, 48, 64, 128, 256};
    QStringList expected{"bin/plakatron", "bin/plakatron-cli", "share/applications/" + AppId + ".desktop",
                         "share/metainfo/" + AppId + ".metainfo.xml",
                         "share/icons/hicolor/scalable/apps/" + AppId + ".svg", "share/plakatron/help/index.htm",
                         "share/plakatron/help/style.css", "share/plakatron/help/assembly.svg"};
    for (int size : sizes)
        expected << QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(AppId);
    QStringList found;
    for (QDirIterator it(prefix->path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        found << QDir(prefix->path()).relativeFilePath(it.next());
    expected.sort();
    found.sort();
    EXPECT_EQ(found, expected);

    for (const char *program : {"bin/plakatron", "bin/plakatron-cli"})
        EXPECT_TRUE(QFileInfo(path(QLatin1String(program))).isExecutable()) << program;
    for (int size : sizes) {
        const QImage icon(path(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(AppId)));
        EXPECT_EQ(icon.size(), QSize(size, size));
        EXPECT_TRUE(icon.hasAlphaChannel());
    }
    QFile svg(path("share/icons/hicolor/scalable/apps/" + AppId + ".svg"));
    QFile source(QStringLiteral(PLAKATRON_SOURCE_DIR "/resources/plakatron.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly) && source.open(QIODevice::ReadOnly));
    EXPECT_EQ(svg.readAll(), source.readAll());
}

// The entry opens one picture of every type the program loads, and names the installed icon.
TEST_F(Install, TheMenuEntryStartsThePictureProgramOnOnePicture)
{
    // Its keys (a desktop entry is not an INI file for QSettings: ";" separates list items).
    QFile file(desktopFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QHash<QString, QString> entry;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n'))
        if (line.contains(u'='))
            entry.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
    EXPECT_EQ(entry.value("Exec"), "plakatron %f");
    EXPECT_EQ(entry.value("Icon"), AppId);
    EXPECT_EQ(entry.value("Name"), "Plakatron");
    const QStringList types = entry.value("MimeType").split(u';', Qt::SkipEmptyParts);
    EXPECT_EQ(types.join(u' ').toStdString(),
              "image/jpeg image/png image/tiff image/webp image/heic image/heif image/avif image/bmp image/gif "
              "image/vnd.microsoft.icon image/x-icon image/wmf image/x-wmf");
    for (const QString &type : types)
        EXPECT_TRUE(QMimeDatabase().mimeTypeForName(type).isValid()) << type.toStdString();
}

// Each validator passes the installed files without a remark, and fails a broken copy (so a
// validator that checked nothing could not pass this test).
TEST_F(Install, TheMenuEntryAndTheMetainfoPassDebiansValidators)
{
    const struct { const char *tool, *package; QStringList options; QString file; const char *from, *to; } rows[] = {
        {"desktop-file-validate", "desktop-file-utils", {}, desktopFile(), "Type=Application", "Type=Program"},
        {"appstreamcli", "appstream", {"validate", "--no-net", "--strict"}, metainfoFile(), "<name>", "<nome>"},
    };
    QTemporaryDir broken;
    for (const auto &r : rows) {
        SCOPED_TRACE(r.tool);
        const QString tool = QStandardPaths::findExecutable(QLatin1String(r.tool));
        ASSERT_FALSE(tool.isEmpty()) << r.tool << " is missing: install Debian's " << r.package << " (tools/dev does)";
        const ProcessRun good = run(tool, r.options + QStringList{r.file});
        EXPECT_EQ(good.exitCode, 0) << good.output.toStdString();
        if (QLatin1String(r.tool) == QLatin1String("desktop-file-validate")) {
            EXPECT_EQ(good.output, QString()) << "no warnings, no hints";
        }

        QFile original(r.file);
        ASSERT_TRUE(original.open(QIODevice::ReadOnly));
        const QString copy = broken.filePath(QFileInfo(r.file).fileName());
        QFile out(copy);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(original.readAll().replace(r.from, r.to));
        out.close();
        EXPECT_NE(run(tool, r.options + QStringList{copy}).exitCode, 0);
    }
}

TEST_F(Install, TheInstalledProgramsRunAndFindTheirHelpInTheDataFolder)
{
    const ProcessRun cli = run(path("bin/plakatron-cli"), {"--version"});
    EXPECT_EQ(std::pair(cli.exitCode, cli.output), std::pair(0, QStringLiteral("2.0.9\n")));
    const ProcessRun version = run(path("bin/plakatron"), {"--version"});
    EXPECT_EQ(std::pair(version.exitCode, version.output), std::pair(0, QStringLiteral("2.0.9\n")));
    const ProcessRun two = run(path("bin/plakatron"), {"a.jpg", "b.jpg"}, {"QT_QPA_PLATFORM=offscreen"});
    EXPECT_EQ(two.exitCode, 2);
    EXPECT_TRUE(two.output.contains("plakatron: one picture at a time, not 2")) << two.output.toStdString();

    const QString bin = path("bin/");
    const QString data = path("share/plakatron/help/");
    EXPECT_EQ(helpFolder(bin), data);
    // The Instructions command of the installed program opens the installed page.
    modToolbox::setAppFolderForTesting(bin);
    std::vector<QUrl> opened;
    const auto previous = modToolbox::installShellOpenHandler([&opened](const QUrl &url) {
        opened.push_back(url);
        return true;
    });
    {
        test::MessageCapture messages;
        frmMain window;
        window.findChild<QAction *>(QStringLiteral("mnuInst"))->trigger();
        window.close();
        EXPECT_TRUE(messages.messages().empty());
    }
    modToolbox::installShellOpenHandler(previous);
    modToolbox::setAppFolderForTesting(QString());
    EXPECT_EQ(opened, std::vector<QUrl>{QUrl::fromLocalFile(data + "index.htm")});

    // Help beside the program (a build tree, a portable copy) comes first.
    EXPECT_EQ(helpFolder(QStringLiteral(PLAKATRON_BINARY_DIR "/bin/")), QStringLiteral(PLAKATRON_BINARY_DIR "/bin/help/"));
    ASSERT_TRUE(QDir().mkpath(bin + "help") && QFile::copy(data + "index.htm", bin + "help/index.htm"));
    EXPECT_EQ(helpFolder(bin), bin + "help/");
    // Neither: the place beside the program, where opening finds nothing and says nothing.
    QDir(bin + "help").removeRecursively();
    QDir(data).removeRecursively();
    EXPECT_EQ(helpFolder(bin), bin + "help/");
}

// The font file libwmf opens for a PostScript font name, as the metafile reader sets libwmf up
// (the gd device): the name's file in the first of libwmf's font folders that has it.
QString libwmfFontFile(const char *psName)
{
    wmfAPI *api = nullptr;
    wmfAPI_Options options{};
    options.function = wmf_gd_function;
    if (wmf_api_create(&api, WMF_OPT_FUNCTION | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG, &options) != wmf_E_None || !api)
        return QStringLiteral("(libwmf could not be started)");
    QString found = QStringLiteral("(libwmf maps no file to %1)").arg(QLatin1String(psName));
    const auto *fonts = static_cast<const wmfFontData *>(api->font_data);
    const auto *map = fonts ? static_cast<const wmfFontmapData *>(fonts->user_data) : nullptr;
    for (const wmfFT_Mapping *font = map ? map->ps : nullptr; font && font->name; ++font) {
        if (qstrcmp(font->name, psName) != 0)
            continue;
        for (char **folder = map->fontdirs; folder && *folder; ++folder) {
            const QString file = QDir(QString::fromLocal8Bit(*folder)).filePath(QString::fromLocal8Bit(font->mapping));
            if (QFileInfo::exists(file)) {
                found = file;
                break;
            }
        }
        break;
    }
    wmf_api_destroy(api);
    return found;
}

// What `cpack -G DEB` names beside the libraries dpkg-shlibdeps finds in the binaries.
QStringList declaredPackageDepends()
{
    QFile config(QStringLiteral(PLAKATRON_BINARY_DIR "/CPackConfig.cmake"));
    if (!config.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const auto match = QRegularExpression(QStringLiteral("set\\(CPACK_DEBIAN_PACKAGE_DEPENDS \"([^\"]*)\"\\)"))
                           .match(QString::fromUtf8(config.readAll()));
    QStringList names;
    for (const QString &item : match.captured(1).split(u',', Qt::SkipEmptyParts))
        names << item.trimmed().section(u' ', 0, 0);  // without a version
    return names;
}

// Neither the Qt plugins that decode TIFF and WebP nor the fonts libwmf draws with (without
// which it reads no metafile, text or not) are linked by a binary, and their packages are at best
// recommended by the libraries that are: the package names each.
TEST(DebianPackage, DependsOnWhatTheProgramsLoadWithoutLinkingIt)
{
    const QString plugins = QLibraryInfo::path(QLibraryInfo::PluginsPath);
    const struct { const char *what; QString file; const char *package; } rows[] = {
        {"Qt's TIFF decoder", plugins + "/imageformats/libqtiff.so", "qt6-image-formats-plugins"},
        {"Qt's WebP decoder", plugins + "/imageformats/libqwebp.so", "qt6-image-formats-plugins"},
        {"libwmf's Times-Roman", libwmfFontFile("Times-Roman"), "fonts-urw-base35"},
        {"libwmf's Helvetica", libwmfFontFile("Helvetica"), "fonts-urw-base35"},
    };
    const QStringList declared = declaredPackageDepends();
    for (const auto &r : rows) {
        SCOPED_TRACE(r.what);
        ASSERT_TRUE(QFileInfo::exists(r.file)) << r.file.toStdString() << " is missing: install Debian's " << r.package
                                               << " (tools/dev does)";
        const ProcessRun owner = run(QStringLiteral("dpkg-query"), {"--search", QFileInfo(r.file).canonicalFilePath()});
        ASSERT_EQ(owner.exitCode, 0) << owner.output.toStdString();
        // "package:arch: /path", or "a, b: /path" for a file two packages share.
        QStringList owners;
        for (const QString &name : owner.output.section(u'\n', 0, 0).section(QStringLiteral(": "), 0, 0).split(u','))
            owners << name.trimmed().section(u':', 0, 0);
        EXPECT_EQ(owners, QStringList{QLatin1String(r.package)}) << r.file.toStdString();
        EXPECT_TRUE(declared.contains(QLatin1String(r.package)))
            << r.package << " is not among the package's Depends: " << declared.join(", ").toStdString();
    }
}

}  // namespace
