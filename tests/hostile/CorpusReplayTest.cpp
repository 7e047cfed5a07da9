// SPDX-License-Identifier: GPL-3.0-or-later
// Every seed of the fuzz targets and every input a fuzzer found a fault with, run once through
// the very target that fuzzes it: the findings stay fixed in the normal and the sanitizer suite,
// and the seeds keep meaning what they were made for.
#include "FuzzTargets.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(CorpusReplay, EverySeedAndFindingKeepsItsTargetsPromises)
{
    using namespace plakatron::fuzz;
    setWorkFolder(QDir::homePath());  // the test's HOME is a temporary folder
    const std::pair<const char *, void (*)(QByteArrayView)> targets[] = {
        {"picture", pictureTarget}, {"settings", settingsTarget}, {"layout", layoutTarget},
        {"printer", printerTarget}, {"png", pngTarget}, {"heif", heifTarget}, {"pdf", pdfTarget}, {"svg", svgTarget}};
    for (const auto &[target, run] : targets) {
        for (const QString &kind : {QStringLiteral("corpus"), QStringLiteral("regressions")}) {
            const QDir dir(QStringLiteral(PLAKATRON_FUZZ_DIR "/%1/%2").arg(kind, QLatin1String(target)));
            const QStringList names = dir.entryList(QDir::Files, QDir::Name);
            // Without seeds the target would pass unseen.
            EXPECT_TRUE(!names.isEmpty() || kind != QStringLiteral("corpus")) << "no seeds for " << target;
            for (const QString &name : names) {
                SCOPED_TRACE(dir.filePath(name).toStdString());
                QFile file(dir.filePath(name));
                ASSERT_TRUE(file.open(QIODevice::ReadOnly));
                EXPECT_NO_THROW(run(file.readAll()));
            }
        }
    }
}

}  // namespace
