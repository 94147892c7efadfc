#pragma once

#include "library/ScreensaverList.h"

#include <QAbstractTableModel>

#include <functional>
#include <string>

namespace kelvane::ui {

// The screensaver list on screen: a view onto the core's rows, not a copy. Column 0 shows the row's
// icon, column 1 its path; the active screensaver's row is drawn bold and white on dark.
// Every change of the core's rows arrives as an insertion, removal or move, so the view keeps its
// selection and scroll position over it.
class ScreensaverListModel final : public QAbstractTableModel, private ListObserver
{
public:
    ScreensaverListModel(ScreensaverList& list, std::function<std::string()> activeText, QObject* parent = nullptr);
    ~ScreensaverListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The active screensaver changed: draw the highlight again.
    void Redraw();

private:
    void RowsChanging(const ListChange& change) override;
    void RowsChanged(const ListChange& change) override;

    ScreensaverList& m_list;
    std::function<std::string()> m_activeText;
};

} // namespace kelvane::ui
