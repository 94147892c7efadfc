#pragma once

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
// read at the window's usual size; see ShareStatusBar.
class StatusPanels final : public QWidget
{
    Q_OBJECT

public:
    enum Panel
    {
        Rotation,
        Scheduling,
        Message
    };

    StatusPanels(const QStringList& rotationSamples, QWidget* parent);

    void Show(Panel panel, const QString& text);
    const StatusPanel* At(Panel panel) const { return m_panels[panel]; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShareWidth();

    std::array<StatusPanel*, 3> m_panels{};
};

} // namespace kelvane::ui
