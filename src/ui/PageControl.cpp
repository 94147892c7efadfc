#include "ui/PageControl.h"

#include <QTabBar>

namespace kelvane::ui {
namespace {

class FixedSizeTabBar : public QTabBar
{
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override
    {
        return QTabBar::tabSizeHint(index).expandedTo(TPageControl::TabSize);
    }
    // Each tab keeps its size when the captions would fit into less.
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
};

} // namespace

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent)
{
    setTabBar(new FixedSizeTabBar(this));
    setIconSize(IconSize);
    // Tabs that do not fit beside each other scroll rather than shrink.
    tabBar()->setExpanding(false);
    setUsesScrollButtons(true);
    setElideMode(Qt::ElideNone);
}

} // namespace kelvane::ui
