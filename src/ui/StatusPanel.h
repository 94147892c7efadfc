#pragma once

#include <QLabel>

namespace kelvane::ui {

// One panel of the status bar: it asks for the width of a sample text, so that the panels keep still
// while their texts tick, and it gives way (clipping its text) when the window is too narrow for all.
class StatusPanel final : public QLabel
{
public:
    StatusPanel(const QString& widthSample, QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    QString m_widthSample;
};

} // namespace kelvane::ui
