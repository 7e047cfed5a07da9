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
        installed = run(QStringLiteral(PLAKATRON_CMAKE_COMMAND), {"--install", PLAKATRON_BINARY_DIR, "--prefix", prefix->path()});
    }
    static void TearDownTestSuite()
    {
        delete prefix;
        prefix = nullptr;
    }
    void SetUp() override { ASSERT_EQ(installed.exitCode, 0) << installed.output.toStdString(); }
    static QString path(const QString &relative) { return prefix->filePath(relative); }

    static inline QTemporaryDir *prefix = nullptr;
    static inline ProcessRun installed;
    const QString desktopFile = path("share/applications/" + AppId + ".desktop");
    const QString help = path(QStringLiteral("share/plakatron/help/"));
};

// Each file where the desktop looks and nothing else; the icon at every size, and the scalable one
// as drawn.
TEST_F(Install, PutsEachFileWhereTheDesktopLooksAndNothingElse)
{
    const QString icon = "share/icons/hicolor/%1/apps/" + AppId;
    QStringList expected{"bin/plakatron", "bin/plakatron-cli", "libexec/plakatron/plakatron-vector",
                         "share/applications/" + AppId + ".desktop",
                         "share/metainfo/" + AppId + ".metainfo.xml", icon.arg("scalable") + ".svg",
                         "share/plakatron/help/index.htm", "share/plakatron/help/style.css",
                         "share/plakatron/help/assembly.svg"};
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        expected << icon.arg(QStringLiteral("%1x%1").arg(size)) + ".png";
        const QImage drawn(path(expected.back()));
        EXPECT_TRUE(drawn.size() == QSize(size, size) && drawn.hasAlphaChannel()) << size;
    }
    QStringList found;
    for (QDirIterator it(prefix->path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        found << QDir(prefix->path()).relativeFilePath(it.next());
    expected.sort();
    found.sort();
    EXPECT_EQ(found, expected);
    for (const char *program : {"bin/plakatron", "bin/plakatron-cli", "libexec/plakatron/plakatron-vector"})
        EXPECT_TRUE(QFileInfo(path(QLatin1String(program))).isExecutable()) << program;
    EXPECT_EQ(test::contentOf(path(icon.arg("scalable") + ".svg")),
              test::contentOf(QStringLiteral(PLAKATRON_SOURCE_DIR "/resources/plakatron.svg")));
}

// The menu entry opens one picture of every type the program loads, and names the installed icon.
// Each validator passes the installed files (desktop-file-validate without a remark) and fails a
// broken copy, so a validator that checked nothing could not pass.
TEST_F(Install, TheMenuEntryAndTheMetainfoPassDebiansValidators)
{
    QHash<QString, QString> entry;  // a desktop entry is not an INI file for QSettings: ";" separates items
    for (const QString &line : QString::fromUtf8(test::contentOf(desktopFile)).split(u'\n'))
        entry.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
    EXPECT_EQ(QStringList({entry["Exec"], entry["Icon"], entry["Name"]}).join(u'|'), "plakatron %f|" + AppId + "|Plakatron");
    const QStringList types = entry.value("MimeType").split(u';', Qt::SkipEmptyParts);
    EXPECT_EQ(types.join(u' ').toStdString(),
              "image/jpeg image/png image/tiff image/webp image/heic image/heif image/avif image/bmp image/gif "
              "image/vnd.microsoft.icon image/x-icon image/wmf image/x-wmf application/pdf image/svg+xml "
              "image/svg+xml-compressed");
    for (const QString &type : types)
        EXPECT_TRUE(QMimeDatabase().mimeTypeForName(type).isValid()) << type.toStdString();

    const struct { const char *tool, *package; QStringList options; QString file; const char *from, *to; } rows[] = {
        {"desktop-file-validate", "desktop-file-utils", {}, desktopFile, "Type=Application", "Type=Program"},
        {"appstreamcli", "appstream", {"validate", "--no-net", "--strict"},
         path("share/metainfo/" + AppId + ".metainfo.xml"), "<name>", "<nome>"},
    };
    QTemporaryDir broken;
    for (const auto &r : rows) {
        SCOPED_TRACE(r.tool);
        const QString tool = QStandardPaths::findExecutable(QLatin1String(r.tool));
        ASSERT_FALSE(tool.isEmpty()) << r.tool << " is missing: install Debian's " << r.package << " (tools/dev does)";
        const ProcessRun good = run(tool, r.options + QStringList{r.file});
        EXPECT_EQ(good.exitCode, 0) << good.output.toStdString();
        EXPECT_TRUE(!r.options.isEmpty() || good.output.isEmpty()) << "no warnings, no hints: " << good.output.toStdString();
        const QString copy = broken.filePath(QFileInfo(r.file).fileName());
        test::writeFile(copy, test::contentOf(r.file).replace(r.from, r.to));
        EXPECT_NE(run(tool, r.options + QStringList{copy}).exitCode, 0);
    }
}

// The installed programs answer --help and --version without a display and refuse a second
// picture with exit code 2. Instructions in the installed window opens the help in the data
// folder; help beside the program (a build tree, a portable copy) comes first; with neither it
// opens nothing and says nothing.
TEST_F(Install, TheInstalledProgramsRunAndFindTheirHelp)
{
    const QStringList noDisplay{"QT_QPA_PLATFORM=xcb", "DISPLAY=", "WAYLAND_DISPLAY="};
    const struct { const char *program; QStringList arguments, environment; int exitCode; QString output; } runs[] = {
        {"bin/plakatron-cli", {"--version"}, noDisplay, 0, "2.0.9\n"},
        {"bin/plakatron", {"--version"}, noDisplay, 0, "2.0.9\n"},
        {"bin/plakatron", {"--help"}, noDisplay, 0, "Usage: plakatron [PICTURE]\n"},
        {"bin/plakatron", {"a.jpg", "b.jpg"}, {"QT_QPA_PLATFORM=offscreen"}, 2, "plakatron: one picture at a time, not 2\n"},
    };
    for (const auto &r : runs) {
        const ProcessRun p = run(path(QLatin1String(r.program)), r.arguments, r.environment);
        EXPECT_EQ(p.exitCode, r.exitCode) << r.program << ' ' << r.arguments.join(u' ').toStdString();
        EXPECT_TRUE(p.output.contains(r.output)) << p.output.toStdString();
    }

    const QString bin = path("bin/");
    QTemporaryDir elsewhere;  // a program folder with no help beside it nor installed
    EXPECT_EQ(helpFolder(QStringLiteral(PLAKATRON_BINARY_DIR "/bin/")), QStringLiteral(PLAKATRON_BINARY_DIR "/bin/help/"));
    QStringList opened;
    const auto previous = modToolbox::installShellOpenHandler([&opened](const QUrl &url) {
        opened << url.toLocalFile();
        return true;
    });
    {
        test::MessageCapture messages;
        frmMain window;
        const auto instructions = [&](const QString &programFolder) {
            modToolbox::setAppFolderForTesting(programFolder);
            window.findChild<QAction *>(QStringLiteral("mnuInst"))->trigger();
        };
        instructions(bin);
        ASSERT_TRUE(QDir().mkpath(bin + "help") && QFile::copy(help + "index.htm", bin + "help/index.htm"));
        instructions(bin);
        QDir(bin + "help").removeRecursively();
        instructions(elsewhere.path() + '/');
        window.close();
        EXPECT_TRUE(messages.messages().empty());
    }
    modToolbox::installShellOpenHandler(previous);
    modToolbox::setAppFolderForTesting(QString());
    EXPECT_EQ(opened, QStringList({help + "index.htm", bin + "help/index.htm"}));
}

// The help page, as installed: everything it uses is there and local, every in-page link has its
// target, and it speaks of the program in the program's own words.
TEST_F(Install, TheHelpPageIsCompleteAndInTheProgramsOwnWords)
{
    const QString page = QString::fromUtf8(test::contentOf(help + "index.htm"));
    const QRegularExpression reference(QStringLiteral(R"re((?:src|href)="([^"]+)")re"));
    for (const auto &match : reference.globalMatch(page)) {
        const QString target = match.captured(1);
        EXPECT_TRUE(target.startsWith(u'#') ? page.contains("id=\"" + target.mid(1) + '"')
                                            : !target.contains("://") && QFileInfo(help + target).isFile())
            << target.toStdString();
    }
    EXPECT_TRUE(page.contains("\"style.css\"") && page.contains("\"assembly.svg\""));
    EXPECT_FALSE(test::contentOf(help + "style.css").contains("url("));
    for (const char *words : {"Open Picture...", "Width in A4:", "A4 X resolution:", "Additional settings",
                              "Final image width:", "Final image height:", "Total pages:", "Height in A4:",
                              "Print this picture...", "Print assembly map...", "put 3 below", "put 2 next"})
        EXPECT_TRUE(page.contains(words)) << words;
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
    const auto match = QRegularExpression(QStringLiteral("set\\(CPACK_DEBIAN_PACKAGE_DEPENDS \"([^\"]*)\"\\)"))
                           .match(QString::fromUtf8(test::contentOf(QStringLiteral(PLAKATRON_BINARY_DIR "/CPackConfig.cmake"))));
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
