// The list model and the status bar's panels follow the active screensaver themselves, with no window
// between them and the control.

#include "library/ActiveScreensaver.h"
#include "library/ScreensaverList.h"
#include "support/FakePlatform.h"
#include "ui/StatusPanel.h"
#include "ui/screensavers/ScreensaverListModel.h"

#include <QFont>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <memory>

namespace kelvane::ui {
namespace {

class ActiveScreensaverListenersTest : public testing::Test
{
protected:
    ActiveScreensaverListenersTest()
    {
        for (const char* path : {"/s/a.scr", "/s/b.scr", "/s/c.scr"}) {
            EXPECT_EQ(list.AddScreensaverRow(path), ScreensaverList::Addition::Added);
        }
    }

    test::FakePlatform platform;
    IconCache icons{platform};
    ScreensaverList list{icons};
    ActiveScreensaverControl active{platform, platform, platform};
};

TEST_F(ActiveScreensaverListenersTest, TheListModelHighlightsTheActiveRowAsTheSettingChanges)
{
    auto model = std::make_unique<ScreensaverListModel>(list, active);
    const auto bold = [&model](int row) { return model->index(row, 1).data(Qt::FontRole).value<QFont>().bold(); };
    int redraws = 0;
    QObject::connect(model.get(), &QAbstractItemModel::dataChanged, model.get(), [&redraws] { ++redraws; });

    platform.setting = "/s/b.scr"; // set by someone else: the next read finds it
    active.GetActiveScreenSaverForDisplay();
    EXPECT_EQ(redraws, 1);
    EXPECT_TRUE(bold(1));

    active.ActivateScreensaver("/s/c.scr");
    EXPECT_EQ(redraws, 2);
    EXPECT_FALSE(bold(1));
    EXPECT_TRUE(bold(2));

    platform.missingFiles = {"/s/a.scr"};
    active.ActivateScreensaver("/s/a.scr");
    EXPECT_EQ(redraws, 2) << "nothing was set, so nothing is drawn again";
    EXPECT_TRUE(bold(2));

    active.SetNone();
    EXPECT_EQ(redraws, 3);
    EXPECT_FALSE(bold(0) || bold(1) || bold(2));

    model.reset(); // it stops listening as it goes
    active.ActivateScreensaver("/s/b.scr");
    EXPECT_EQ(active.ActiveScreensaverText(), "/s/b.scr");
}

TEST_F(ActiveScreensaverListenersTest, TheMessagePanelAndTheBarsTooltipNameTheActiveScreensaverAndItsProblems)
{
    QStatusBar bar;
    auto* panels = new StatusPanels({}, active, &bar);
    bar.addWidget(panels, 1);
    const auto message = [panels] { return panels->At(StatusPanels::Message)->text(); };

    active.ActivateScreensaver("/s/b.scr");
    EXPECT_EQ(message(), QStringLiteral("Active: /s/b.scr"));
    EXPECT_EQ(bar.toolTip(), QStringLiteral("Active: /s/b.scr"));

    platform.missingFiles = {"/s/gone.scr"};
    active.RunScreensaverFile("/s/gone.scr");
    EXPECT_EQ(message(), QString::fromStdString(MissingScreensaverText("/s/gone.scr")));
    EXPECT_EQ(bar.toolTip(), QStringLiteral("Active: /s/b.scr")) << "the tooltip keeps the active one";

    active.SetNone();
    EXPECT_EQ(message(), QStringLiteral("Active: None"));
    EXPECT_EQ(bar.toolTip(), QStringLiteral("Active: None"));

    delete panels; // it stops listening as it goes
    active.SetBlank();
    EXPECT_EQ(bar.toolTip(), QStringLiteral("Active: None"));
}

} // namespace
} // namespace kelvane::ui
