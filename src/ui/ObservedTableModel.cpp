#include "ui/ObservedTableModel.h"

namespace kelvane::ui {

void ObservedTableModel::RowsChanging(const ListChange& change)
{
    const auto first = static_cast<int>(change.First);
    const int last = first + static_cast<int>(change.Count) - 1;
    switch (change.What) {
    case ListChange::Kind::Insert:
        beginInsertRows({}, first, last);
        break;
    case ListChange::Kind::Remove:
        beginRemoveRows({}, first, last);
        break;
    case ListChange::Kind::Move: {
        // Qt names the destination as the position before which the row goes, counted before the move.
        const auto to = static_cast<int>(change.To);
        beginMoveRows({}, first, last, {}, to > first ? to + 1 : to);
        break;
    }
    case ListChange::Kind::Update:
        break;
    }
}

void ObservedTableModel::RowsChanged(const ListChange& change)
{
    switch (change.What) {
    case ListChange::Kind::Insert:
        endInsertRows();
        break;
    case ListChange::Kind::Remove:
        endRemoveRows();
        break;
    case ListChange::Kind::Move:
        endMoveRows();
        break;
    case ListChange::Kind::Update:
        if (change.Count > 0) {
            const auto first = static_cast<int>(change.First);
            Q_EMIT dataChanged(index(first, 0), index(first + static_cast<int>(change.Count) - 1, columnCount() - 1));
        }
        break;
    }
}

} // namespace kelvane::ui
