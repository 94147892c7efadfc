// The main window's tabs: each with its own picture at 32 by 32 pixels, all of one size, in every look.
#include "common/AppArtwork.h"
#include "common/StyleCatalog.h"
#include "ui/MainWindowFixture.h"
#include "ui/PageControl.h"
#include "ui/VisualStyles.h"

#include <QCoreApplication>
#include <QImage>
#include <QTabBar>

#include <set>

namespace kelvane::ui::test {
namespace {

class MainTabsTest : public MainWindowTest
{
protected:
    void TearDown() override { ApplyVisualStyle(PlainStyleName); }
};

// The pixels of the area in one colour of the artwork: how much of a picture shows there.
int PixelsOf(const QImage& image, const QRect& area, uint32_t rgb)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += (image.pixel(x, y) & 0xFFFFFFu) == rgb ? 1 : 0;
        }
    }
    return count;
}

TEST_F(MainTabsTest, EachTabShowsItsOwnPictureAt32PixelsInTabsOfOneSize)
{
    auto window = Create();
    window->ShowAtStart();
    const TPageControl* tabs = window->findChild<TPageControl*>();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->currentIndex(), 0) << "the first tab shows at the start";
    EXPECT_EQ(tabs->iconSize(), QSize(32, 32));

    const QString captions[] = {QStringLiteral("Screensavers"), QStringLiteral("Event Scheduler"),
                                QStringLiteral("Options")};
    std::set<QByteArray> pictures;
    for (int tab = 0; tab < 3; ++tab) {
        SCOPED_TRACE(tab);
        EXPECT_EQ(tabs->tabText(tab), captions[tab]);
        const QIcon icon = tabs->tabIcon(tab);
        ASSERT_FALSE(icon.isNull());
        EXPECT_TRUE(icon.availableSizes().contains(QSize(32, 32))) << "drawn for that size, not scaled to it";
        const QImage picture = icon.pixmap(QSize(32, 32), 1.0).toImage();
        EXPECT_EQ(picture.size(), QSize(32, 32));
        pictures.insert(QByteArray(reinterpret_cast<const char*>(picture.constBits()),
                                   static_cast<qsizetype>(picture.sizeInBytes())));
    }
    EXPECT_EQ(pictures.size(), 3u) << "a picture of its own for each tab";

    // Whatever the look, the tabs keep their size and show their pictures whole: every picture has the
    // artwork's sky in it, more than a tenth of its 32 by 32 pixels.
    constexpr uint32_t Sky = 0x1C4A8C;
    for (const std::string& style : StyleListNames()) {
        SCOPED_TRACE(style);
        ASSERT_TRUE(ApplyVisualStyle(style));
        QCoreApplication::processEvents();
        const QImage bar = tabs->tabBar()->grab().toImage();
        for (int tab = 0; tab < 3; ++tab) {
            const QRect area = tabs->tabBar()->tabRect(tab);
            EXPECT_EQ(area.width(), 165) << tab;
            EXPECT_EQ(area.height(), 44) << tab;
            EXPECT_GE(PixelsOf(bar, area, Sky), 120) << tab;
        }
    }
}

} // namespace
} // namespace kelvane::ui::test
