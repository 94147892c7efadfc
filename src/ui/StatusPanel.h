#pragma once

#include "library/ActiveScreensaver.h"

#include <QLabel>
#include <QStringList>
#include <QWidget>

#include <array>

namespace kelvane::ui {

// One panel of the status bar. It keeps its whole text, draws as much as fits ending in "…", and shows
// the whole text as its tooltip.
class StatusPanel final : public QLabel
{
    Q_OBJECT

public:
    // The panel asks for the widest of its own text and these samples, so that it keeps still while a
    // text of known shape ticks.
    StatusPanel(const QStringList& widthSamples, QWidget* parent);

    void Show(const QString& text);
    // The width its whole text, or its widest sample, needs.
    int NeededWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList m_widthSamples;
};

// The status bar's three panels side by side, sharing the bar's width so that the message panel can be
// read at the window's usual size; see ShareStatusBar. The message panel follows the active screensaver
// itself: it shows "Active: " and the path after every read of the setting, and what an action on it
// could not do. The panels must go before the active screensaver does.
class StatusPanels final : public QWidget, public ActiveScreensaverListener
{
    Q_OBJECT

public:
    enum Panel
    {
        Rotation,
        Scheduling,
        Message
    };

    StatusPanels(const QStringList& rotationSamples, ActiveScreensaverControl& active, QWidget* parent);
    ~StatusPanels() override;

    void Show(Panel panel, const QString& text);
    const StatusPanel* At(Panel panel) const { return m_panels[panel]; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The text is also the tooltip of the bar the panels stand in, which shows it beside the panels.
    void ActiveScreensaverChanged(const std::string& activeText) override;
    void ActiveScreensaverProblem(const std::string& message) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShareWidth();

    ActiveScreensaverControl& m_active;
    std::array<StatusPanel*, 3> m_panels{};
};

} // namespace kelvane::ui
