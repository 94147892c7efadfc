#pragma once

#include "library/ScreensaverList.h"
#include "ui/ObservedTableModel.h"

#include <functional>
#include <string>

namespace kelvane::platform {
class ScreensaverCatalogue;
}

namespace kelvane::ui {

// The screensaver list on screen: a view onto the core's rows, not a copy. Column 0 shows the row's
// icon, column 1 its path (after its label, for one of the desktop's own screensaver programs); the
// active screensaver's row is drawn bold and white on dark.
class ScreensaverListModel final : public ObservedTableModel
{
public:
    ScreensaverListModel(ScreensaverList& list, std::function<std::string()> activeText, QObject* parent = nullptr,
                         const platform::ScreensaverCatalogue* programs = nullptr);
    ~ScreensaverListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The active screensaver changed: draw the highlight again.
    void Redraw();

private:
    ScreensaverList& m_list;
    std::function<std::string()> m_activeText;
    const platform::ScreensaverCatalogue* m_programs;
};

} // namespace kelvane::ui
