// Check marks, radio marks and empty check boxes must be seen in every style: each is rendered offscreen
// and its pixels are measured against what surrounds them.
#include "common/ColorContrast.h"
#include "common/StyleCatalog.h"
#include "ui/MainMenus.h"
#include "ui/VisualStyles.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace kelvane::ui {
namespace {

// What the eye needs to tell a mark or an outline from the colour around it.
constexpr double MarkContrast = 3.0;

Rgb At(const QImage& image, QPoint point)
{
    return image.pixel(point) & 0xFFFFFFu;
}

QImage Shot(QWidget& widget)
{
    QCoreApplication::processEvents();
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A widget's area in the pixels of its picture, which a scaled screen makes larger.
QRect InPixels(const QImage& image, const QRect& area)
{
    const qreal ratio = image.devicePixelRatio();
    return QRectF(area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio).toAlignedRect() &
           image.rect();
}

// The colour most of the area has: what surrounds whatever is drawn in it.
Rgb Surroundings(const QImage& image, const QRect& area)
{
    std::map<Rgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            ++counts[At(image, {x, y})];
        }
    }
    return std::max_element(counts.begin(), counts.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}

// The pixels of the area that stand out from its surroundings.
int StandingOut(const QImage& image, const QRect& widgetArea)
{
    const QRect area = InPixels(image, widgetArea);
    const Rgb around = Surroundings(image, area);
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += ContrastRatio(At(image, {x, y}), around) >= MarkContrast ? 1 : 0;
        }
    }
    return count;
}

// The pixels of the mark: where the checked picture differs from the unchecked one enough to be seen.
int MarkPixels(const QImage& checked, const QImage& unchecked, const QRect& widgetArea)
{
    const QRect area = InPixels(checked, widgetArea);
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += ContrastRatio(At(checked, {x, y}), At(unchecked, {x, y})) >= MarkContrast ? 1 : 0;
        }
    }
    return count;
}

// A tab page, as the main window's tabs have them, with a text-less check box or radio button on it.
template <class Button>
struct ButtonOnPage
{
    ButtonOnPage()
    {
        page.setAutoFillBackground(true);
        button->setGeometry(QRect(QPoint(12, 12), button->sizeHint()));
        page.resize(button->width() + 24, button->height() + 24);
    }
    QWidget page;
    Button* button = new Button(&page);
};

// Pixel counts below which a mark or an outline is taken as not seen: a check mark's stroke crosses its
// box, and an empty box shows at least two of its sides.
struct Seen
{
    int mark;
    int outline;
};

template <class Button>
Seen MeasureButton()
{
    ButtonOnPage<Button> on;
    const QRect area = on.button->geometry();
    const QImage unchecked = Shot(on.page);
    on.button->setChecked(true);
    const QImage checked = Shot(on.page);
    return {MarkPixels(checked, unchecked, area), StandingOut(unchecked, area)};
}

// Rows of a list with check boxes: a plain row, an alternate one and a selected one, no text in them.
struct CheckList
{
    CheckList()
    {
        for (int row = 0; row < 3; ++row) {
            auto* item = new QStandardItem;
            item->setCheckable(true);
            item->setCheckState(Qt::Unchecked);
            model.appendRow(item);
        }
        view.setModel(&model);
        view.setHeaderHidden(true);
        view.setRootIsDecorated(false);
        view.setAlternatingRowColors(true);
        view.setSelectionMode(QAbstractItemView::SingleSelection);
        view.resize(120, 100);
        view.selectionModel()->select(model.index(2, 0), QItemSelectionModel::Select);
    }
    QRect Row(int row) const
    {
        return view.visualRect(model.index(row, 0)).translated(view.viewport()->pos()) & view.rect();
    }
    QStandardItemModel model;
    QTreeView view;
};

// A menu item's check mark: its pixels that differ from the same item unchecked.
int MenuMark(QMenu& menu, QAction* action, bool active)
{
    action->setChecked(false);
    menu.adjustSize();
    menu.setActiveAction(active ? action : nullptr);
    const QRect area = menu.actionGeometry(action);
    const QImage unchecked = Shot(menu);
    action->setChecked(true);
    const QImage checked = Shot(menu);
    action->setChecked(false);
    return MarkPixels(checked, unchecked, area);
}

class StyleMarksTest : public testing::Test
{
protected:
    void TearDown() override { ApplyVisualStyle(PlainStyleName); }
};

TEST_F(StyleMarksTest, CheckBoxesAndRadioButtonsShowTheirMarksAndOutlinesInEveryStyle)
{
    for (const std::string& name : StyleListNames()) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(ApplyVisualStyle(name));
        const Seen box = MeasureButton<QCheckBox>();
        EXPECT_GE(box.mark, 12) << "check mark";
        EXPECT_GE(box.outline, 24) << "empty check box";
        const Seen radio = MeasureButton<QRadioButton>();
        EXPECT_GE(radio.mark, 9) << "radio mark";
        EXPECT_GE(radio.outline, 16) << "empty radio button";

        CheckList list;
        const QImage unchecked = Shot(list.view);
        for (int row = 0; row < 3; ++row) {
            list.model.item(row)->setCheckState(Qt::Checked);
        }
        const QImage checked = Shot(list.view);
        for (const auto& [row, what] : {std::pair{0, "plain row"}, {1, "alternate row"}, {2, "selected row"}}) {
            EXPECT_GE(MarkPixels(checked, unchecked, list.Row(row)), 12) << "check mark in the list's " << what;
            EXPECT_GE(StandingOut(unchecked, list.Row(row)), 24) << "empty check box in the list's " << what;
        }
    }
}

TEST_F(StyleMarksTest, MenuItemsShowTheirCheckAndRadioMarksInEveryStyle)
{
    QMainWindow window;
    const MainMenus menus = BuildMainMenus(&window);
    QMenu* settings = qobject_cast<QMenu*>(menus.StartMinimized1->parent());
    ASSERT_NE(settings, nullptr);
    QMenu choices;
    auto* group = new QActionGroup(&choices);
    // Radio marks, and yet each item can be unchecked for the picture without its mark.
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    QAction* first = choices.addAction(QStringLiteral("Run"));
    QAction* second = choices.addAction(QStringLiteral("Activate only"));
    for (QAction* choice : {first, second}) {
        choice->setCheckable(true);
        group->addAction(choice);
    }

    for (const std::string& name : StyleListNames()) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(ApplyVisualStyle(name));
        for (const bool active : {false, true}) {
            SCOPED_TRACE(active ? "under the mouse" : "at rest");
            EXPECT_GE(MenuMark(*settings, menus.StartMinimized1, active), 12) << "main menu";
            EXPECT_GE(MenuMark(*menus.trayPopupMenu, menus.TrayStartMinimized, active), 12) << "tray menu";
            EXPECT_GE(MenuMark(choices, first, active), 9) << "radio item";
        }
    }
}

} // namespace
} // namespace kelvane::ui
