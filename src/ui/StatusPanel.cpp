#include "ui/StatusPanel.h"

namespace kelvane::ui {

StatusPanel::StatusPanel(const QString& widthSample, QWidget* parent) : QLabel(parent), m_widthSample(widthSample)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

QSize StatusPanel::sizeHint() const
{
    const int margins = contentsMargins().left() + contentsMargins().right() + 2 * margin() + 2 * indent();
    return {fontMetrics().horizontalAdvance(m_widthSample) + margins, QLabel::sizeHint().height()};
}

QSize StatusPanel::minimumSizeHint() const
{
    return {0, QLabel::minimumSizeHint().height()};
}

} // namespace kelvane::ui
