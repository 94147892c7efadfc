#include "ui/screensavers/IconColumnDelegate.h"

#include "ui/Widgets.h"

#include <QPixmap>
#include <QStandardItemModel>
#include <QTreeView>

#include <gtest/gtest.h>

#include <memory>

namespace kelvane::ui {
namespace {

// A list row: an icon cell (with or without an icon) and a path.
std::unique_ptr<QStandardItemModel> OneRow(bool withIcon)
{
    auto model = std::make_unique<QStandardItemModel>(1, 2);
    auto* iconCell = new QStandardItem;
    if (withIcon) {
        QPixmap image(64, 64);
        image.fill(Qt::darkCyan);
        iconCell->setIcon(QIcon(image));
    }
    model->setItem(0, 0, iconCell);
    model->setItem(0, 1, new QStandardItem(QStringLiteral("/s/ribbons.scr")));
    return model;
}

TEST(IconColumnDelegate, RowsAreAsTallAsWhenTheIconIsAskedFor)
{
    std::unique_ptr<QTreeView> view(ReportView(nullptr));
    view->setIconSize(QSize(32, 32)); // taller than a line of text, so that the icon sets the height
    const auto withIcon = OneRow(true);
    view->setModel(withIcon.get());
    const int asked = view->sizeHintForRow(0);
    view->setItemDelegateForColumn(0, new IconColumnDelegate(view.get()));
    EXPECT_EQ(view->sizeHintForRow(0), asked);

    // A first row whose file is gone has no icon; the rows below it still have room for theirs.
    const auto withoutIcon = OneRow(false);
    view->setModel(withoutIcon.get());
    EXPECT_EQ(view->sizeHintForRow(0), asked);
}

} // namespace
} // namespace kelvane::ui
