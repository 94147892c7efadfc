#include "ui/StatusPanel.h"

#include "common/StatusBarWidths.h"

#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace kelvane::ui {

StatusPanel::StatusPanel(const QStringList& widthSamples, QWidget* parent)
    : QLabel(parent), m_widthSamples(widthSamples)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setMinimumWidth(0);
}

void StatusPanel::Show(const QString& text)
{
    if (text == this->text()) {
        return; // the tick rewrites panels 0 and 1 twice a second, mostly unchanged
    }
    setText(text);
    setToolTip(text);
}

int StatusPanel::NeededWidth() const
{
    int widest = fontMetrics().horizontalAdvance(text());
    for (const QString& sample : m_widthSamples) {
        widest = std::max(widest, fontMetrics().horizontalAdvance(sample));
    }
    const QMargins margins = contentsMargins();
    // One pixel more than measured: a text cut at exactly its own width may still be elided.
    return widest + margins.left() + margins.right() + 2 * margin() + 2 * std::max(indent(), 0) + 1;
}

void StatusPanel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(margin() + std::max(indent(), 0), margin(),
                                               -margin() - std::max(indent(), 0), -margin());
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(), shown,
                          foregroundRole());
}

StatusPanels::StatusPanels(const QStringList& rotationSamples, ActiveScreensaverControl& active, QWidget* parent)
    : QWidget(parent), m_active(active)
{
    m_panels[Rotation] = new StatusPanel(rotationSamples, this);
    m_panels[Scheduling] = new StatusPanel({}, this);
    m_panels[Message] = new StatusPanel({}, this);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_active.AddListener(this);
}

StatusPanels::~StatusPanels()
{
    m_active.RemoveListener(this);
}

void StatusPanels::ActiveScreensaverChanged(const std::string& activeText)
{
    const QString shown = QString::fromStdString("Active: " + activeText);
    Show(Message, shown);
    if (parentWidget()) {
        parentWidget()->setToolTip(shown);
    }
}

void StatusPanels::ActiveScreensaverProblem(const std::string& message)
{
    Show(Message, QString::fromStdString(message));
}

void StatusPanels::Show(Panel panel, const QString& text)
{
    if (text == m_panels[panel]->text()) {
        return;
    }
    m_panels[panel]->Show(text);
    ShareWidth();
}

QSize StatusPanels::sizeHint() const
{
    return {0, m_panels[Message]->sizeHint().height()};
}

QSize StatusPanels::minimumSizeHint() const
{
    return sizeHint();
}

void StatusPanels::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ShareWidth();
}

void StatusPanels::ShareWidth()
{
    const int gap = 2;
    const StatusBarWidths widths =
        ShareStatusBar(width() - 2 * gap, m_panels[Rotation]->NeededWidth(), m_panels[Scheduling]->NeededWidth(),
                       m_panels[Message]->NeededWidth());
    int x = 0;
    for (const auto& [panel, w] : {std::pair{Rotation, widths.Rotation}, std::pair{Scheduling, widths.Scheduling},
                                   std::pair{Message, widths.Message}}) {
        m_panels[panel]->setGeometry(x, 0, w, height());
        x += w + gap;
    }
}

} // namespace kelvane::ui
