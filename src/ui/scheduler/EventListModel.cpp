#include "ui/scheduler/EventListModel.h"

namespace kelvane::ui {

const char* const EventColumnCaptions[EventListModel::ColumnCount] = {
    "Active",     "Name",     "Event Time", "Close Cmd", "Action Type", "Screensaver",
    "Event Type", "Last Run", "Minutes",    "Has Run",   "Run Count",
};
const int EventColumnWidths[EventListModel::ColumnCount] = {48, 80, 159, 53, 63, 45, 90, 89, 0, 61, 45};

EventListModel::EventListModel(EventTable& table, QObject* parent) : ObservedTableModel(parent), m_table(table)
{
    m_table.SetObserver(this);
}

int EventListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_table.Rows.size());
}

int EventListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant EventListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || static_cast<size_t>(index.row()) >= m_table.Rows.size()) {
        return {};
    }
    const ScheduledEvent& row = m_table.Rows[static_cast<size_t>(index.row())];
    if (index.column() == 0) {
        if (role == Qt::CheckStateRole) {
            return row.Enabled ? Qt::Checked : Qt::Unchecked;
        }
        return role == Qt::DisplayRole ? QVariant(QString::fromStdString(row.Caption())) : QVariant();
    }
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        return QString::fromStdString(row.SubItem(static_cast<size_t>(index.column() - 1)));
    }
    return {};
}

bool EventListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != 0 || role != Qt::CheckStateRole ||
        static_cast<size_t>(index.row()) >= m_table.Rows.size()) {
        return false;
    }
    m_table.Rows[static_cast<size_t>(index.row())].Enabled = value.toInt() == Qt::Checked;
    Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags EventListModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid()) {
        flags |= Qt::ItemIsDragEnabled; // rows are reordered by dragging them
    }
    if (index.isValid() && index.column() == 0) {
        flags |= Qt::ItemIsUserCheckable;
    }
    return flags;
}

QVariant EventListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount) {
        return QString::fromUtf8(EventColumnCaptions[section]);
    }
    return {};
}

EventListModel::~EventListModel()
{
    m_table.SetObserver(nullptr);
}

} // namespace kelvane::ui
