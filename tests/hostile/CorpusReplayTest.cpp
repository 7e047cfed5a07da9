// Every seed of the fuzz targets and every input a fuzzer found a fault with, run once through
// the very target that fuzzes it: the findings stay fixed in the normal and the sanitizer suite,
// and the seeds keep meaning what they were made for.
#include "FuzzTargets.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <algorithm>
#include <cctype>
#include <functional>
#include <map>

namespace {

using Target = std::function<void(QByteArrayView)>;

struct Input {
    std::string target;
    std::string kind;  // "corpus" or "regressions"
    QString path;
};

const std::map<std::string, Target> &targets()
{
    static const std::map<std::string, Target> all{
        {"picture", plakatron::fuzz::pictureTarget},
        {"settings", plakatron::fuzz::settingsTarget},
        {"layout", plakatron::fuzz::layoutTarget},
        {"printer", plakatron::fuzz::printerTarget},
    };
    return all;
}

std::vector<Input> inputs()
{
    std::vector<Input> result;
    for (const auto &[target, run] : targets()) {
        for (const char *kind : {"corpus", "regressions"}) {
            const QDir dir(QStringLiteral(PLAKATRON_FUZZ_DIR "/%1/%2").arg(QLatin1String(kind), QString::fromStdString(target)));
            for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
                result.push_back({target, kind, dir.filePath(name)});
        }
    }
    return result;
}

std::string testName(const Input &input)
{
    std::string name = input.target + "_" + input.kind + "_" + QFileInfo(input.path).fileName().toStdString();
    for (char &c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

class CorpusReplay : public ::testing::TestWithParam<Input> {
protected:
    // The test's HOME is a temporary folder, and so is the settings folder inside it.
    void SetUp() override { plakatron::fuzz::setWorkFolder(QDir::homePath()); }
};

TEST_P(CorpusReplay, TargetKeepsItsPromises)
{
    QFile file(GetParam().path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << GetParam().path.toStdString();
    const QByteArray bytes = file.readAll();
    try {
        targets().at(GetParam().target)(bytes);
    } catch (const plakatron::fuzz::Violation &v) {
        FAIL() << v.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Fuzz, CorpusReplay, ::testing::ValuesIn(inputs()),
                         [](const auto &info) { return testName(info.param); });

// The seed corpora are there at all (an empty list would make the test above pass vacuously).
TEST(CorpusReplayInputs, EveryTargetHasSeeds)
{
    const std::vector<Input> all = inputs();
    for (const auto &[target, run] : targets())
        EXPECT_TRUE(std::any_of(all.begin(), all.end(),
                                [&](const Input &i) { return i.target == target && i.kind == "corpus"; }))
            << target;
}

}  // namespace
