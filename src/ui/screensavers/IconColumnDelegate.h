#pragma once

#include <QStyledItemDelegate>

namespace kelvane::ui {

// Draws a column of file icons as usual, but sizes its cells without asking for the icon: any row may
// show one, and an icon cell is as large as the view's icon size whichever icon it holds. The view
// measures its first row to lay out all of them while the window is being shown; asking for that
// row's icon there would look the file up and read the whole icon theme before the window appears.
class IconColumnDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace kelvane::ui
