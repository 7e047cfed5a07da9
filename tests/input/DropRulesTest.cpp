// What a drag over the grid view may do, from the drag's data alone.
#include "input/DropRules.h"

#include <QMimeData>
#include <memory>
#include <QUrl>
#include <gtest/gtest.h>

using namespace plakatron;
using Action = DropDecision::Action;

namespace {

std::unique_ptr<QMimeData> dragOf(const QList<QUrl> &urls)
{
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    return data;
}

QUrl local(const char *path) { return QUrl::fromLocalFile(QString::fromLatin1(path)); }

struct DropCase {
    const char *name;
    QList<QUrl> urls;
    int effect;
    Action action;
};

class Drop : public ::testing::TestWithParam<DropCase> {};

TEST_P(Drop, EffectAndDecision)
{
    const DropCase &c = GetParam();
    const auto data = dragOf(c.urls);
    EXPECT_EQ(dragOverEffect(*data), c.effect);
    const DropDecision decision = checkDrop(*data);
    EXPECT_EQ(decision.action, c.action);
    if (c.action != Action::Ignore) {
        EXPECT_EQ(decision.path, c.urls.front().toLocalFile());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Picture, Drop,
    ::testing::Values(
        DropCase{"jpg", {local("/home/anna/tower.jpg")}, 1, Action::Load},
        DropCase{"jpeg_in_capitals", {local("/home/anna/TOWER.JPEG")}, 1, Action::Load},
        DropCase{"bmp_mixed_case", {local("/home/anna/plan.Bmp")}, 1, Action::Load},
        DropCase{"gif", {local("/tmp/a.gif")}, 1, Action::Load},
        DropCase{"ico", {local("/tmp/a.ico")}, 1, Action::Load},
        DropCase{"wmf", {local("/tmp/a.wmf")}, 1, Action::Load},
        DropCase{"missing_file_is_loaded_and_reported_then", {local("/nowhere/at/all.jpg")}, 1, Action::Load},
        DropCase{"png_not_accepted", {local("/tmp/a.png")}, 0, Action::Unsupported},
        DropCase{"no_extension", {local("/home/anna/photo")}, 0, Action::Unsupported},
        DropCase{"dot_only_in_folder", {local("/home/anna/my.pics/photo")}, 0, Action::Unsupported},
        DropCase{"ends_in_dot", {local("/home/anna/photo.")}, 0, Action::Unsupported},
        DropCase{"two_pictures", {local("/tmp/a.jpg"), local("/tmp/b.jpg")}, 0, Action::Ignore},
        DropCase{"two_files_one_unsupported", {local("/tmp/a.txt"), local("/tmp/b.jpg")}, 0, Action::Ignore},
        DropCase{"web_address", {QUrl("https://example.org/tower.jpg")}, 0, Action::Ignore},
        DropCase{"nothing", {}, 0, Action::Ignore}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Drop, TextIsNoFile)
{
    QMimeData data;
    data.setText("/home/anna/tower.jpg");
    EXPECT_EQ(dragOverEffect(data), 0);
    EXPECT_EQ(checkDrop(data).action, Action::Ignore);
}

TEST(Drop, UnsupportedMessage) { EXPECT_EQ(unsupportedFormatMessage(), "File format not supported!"); }

}  // namespace
