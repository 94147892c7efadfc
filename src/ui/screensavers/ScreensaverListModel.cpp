#include "ui/screensavers/ScreensaverListModel.h"

#include "platform/ScreensaverCatalogue.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QIcon>

namespace kelvane::ui {

ScreensaverListModel::ScreensaverListModel(ScreensaverList& list, ActiveScreensaverControl& active, QObject* parent,
                                           const platform::ScreensaverCatalogue* programs)
    : ObservedTableModel(parent), m_list(list), m_active(active), m_programs(programs)
{
    m_list.SetObserver(this);
    m_active.AddListener(this);
}

ScreensaverListModel::~ScreensaverListModel()
{
    m_active.RemoveListener(this);
    m_list.SetObserver(nullptr);
}

int ScreensaverListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_list.Count());
}

int ScreensaverListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant ScreensaverListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || static_cast<size_t>(index.row()) >= m_list.Count()) {
        return {};
    }
    const ScreensaverEntry& row = m_list.Rows()[static_cast<size_t>(index.row())];
    if (index.column() == 0) {
        if (role == Qt::DecorationRole) {
            if (const auto icon =
                    std::static_pointer_cast<const QIcon>(m_list.IconOfRow(static_cast<size_t>(index.row())))) {
                return *icon;
            }
        }
        return {};
    }
    const bool active = IsActiveRow(row.Path, m_active.ActiveScreensaverText());
    switch (role) {
    case Qt::DisplayRole:
        if (m_programs) {
            const size_t slash = row.Path.find_last_of('/');
            const std::string_view name = std::string_view(row.Path).substr(slash == std::string::npos ? 0 : slash + 1);
            if (const std::optional<std::string> label = m_programs->LabelOf(name)) {
                return QString::fromStdString(*label + "  (" + row.Path + ")");
            }
        }
        return QString::fromStdString(row.Path);
    case Qt::ToolTipRole:
        return QString::fromStdString(row.Path);
    case Qt::FontRole: {
        QFont font;
        font.setPointSize(active ? 11 : 10);
        font.setBold(active);
        return font;
    }
    case Qt::ForegroundRole:
        return active ? QVariant(QBrush(QColor(255, 255, 255))) : QVariant();
    case Qt::BackgroundRole:
        return active ? QVariant(QBrush(QColor(25, 29, 34))) : QVariant();
    default:
        return {};
    }
}

QVariant ScreensaverListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section == 1) {
        return QStringLiteral("Screensavers - Current Rotational Order");
    }
    return {};
}

void ScreensaverListModel::ActiveScreensaverChanged(const std::string& /*activeText*/)
{
    if (m_list.Count() > 0) {
        Q_EMIT dataChanged(index(0, 1), index(static_cast<int>(m_list.Count()) - 1, 1));
    }
}

} // namespace kelvane::ui
