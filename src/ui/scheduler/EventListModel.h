#pragma once

#include "scheduler/ScheduledEvent.h"
#include "ui/ObservedTableModel.h"

namespace kelvane::ui {

// The scheduled-events list on screen, a view onto the core's table: a check box and the caption in
// column 0, then the ten fields. Checking a row changes the table at once; every other change comes
// from the table's own notices.
class EventListModel final : public ObservedTableModel
{
public:
    explicit EventListModel(EventTable& table, QObject* parent = nullptr);
    ~EventListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static constexpr int ColumnCount = 11;

private:
    EventTable& m_table;
};

// The columns' captions and widths at design time ("Minutes" is hidden).
extern const char* const EventColumnCaptions[EventListModel::ColumnCount];
extern const int EventColumnWidths[EventListModel::ColumnCount];

} // namespace kelvane::ui
