#pragma once

#include "common/ListChange.h"

#include <QAbstractTableModel>

namespace kelvane::ui {

// A table model over one of the core's tables: the table's change notices become the model's own row
// insertions, removals, moves and data changes, so a view keeps its selection and scroll position.
class ObservedTableModel : public QAbstractTableModel, public ListObserver
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void RowsChanging(const ListChange& change) override;
    void RowsChanged(const ListChange& change) override;
};

} // namespace kelvane::ui
