#include "ui/Widgets.h"

#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTreeView>

namespace kelvane::ui {

QLabel* BoldLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QPushButton* AddButton(const QString& caption, QWidget* parent, QLayout* layout)
{
    auto* button = new QPushButton(caption, parent);
    layout->addWidget(button);
    return button;
}

QTreeView* ReportView(QWidget* parent)
{
    auto* view = new QTreeView(parent);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setMouseTracking(true);
    return view;
}

} // namespace kelvane::ui
