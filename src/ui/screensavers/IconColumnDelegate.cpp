#include "ui/screensavers/IconColumnDelegate.h"

#include <QApplication>
#include <QStyle>

namespace kelvane::ui {

QSize IconColumnDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    QStyleOptionViewItem cell = option;
    cell.features |= QStyleOptionViewItem::HasDecoration;
    const QWidget* view = option.widget;
    const QStyle* style = view ? view->style() : QApplication::style();
    return style->sizeFromContents(QStyle::CT_ItemViewItem, &cell, QSize(), view);
}

} // namespace kelvane::ui
