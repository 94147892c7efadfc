#pragma once

#include "library/ActiveScreensaver.h"
#include "library/ScreensaverList.h"
#include "ui/ObservedTableModel.h"

namespace kelvane::platform {
class ScreensaverCatalogue;
}

namespace kelvane::ui {

// The screensaver list on screen: a view onto the core's rows, not a copy. Column 0 shows the row's
// icon, column 1 its path (after its label, for one of the desktop's own screensaver programs); the
// active screensaver's row is drawn bold and white on dark. It follows both the list and the active
// screensaver, and must go before either of them.
class ScreensaverListModel final : public ObservedTableModel, public ActiveScreensaverListener
{
public:
    ScreensaverListModel(ScreensaverList& list, ActiveScreensaverControl& active, QObject* parent = nullptr,
                         const platform::ScreensaverCatalogue* programs = nullptr);
    ~ScreensaverListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The highlight is drawn again, on the row that now holds the active screensaver.
    void ActiveScreensaverChanged(const std::string& activeText) override;

private:
    ScreensaverList& m_list;
    ActiveScreensaverControl& m_active;
    const platform::ScreensaverCatalogue* m_programs;
};

} // namespace kelvane::ui
