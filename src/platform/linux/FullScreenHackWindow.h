#pragma once

#include <QPoint>
#include <QRasterWindow>

#include <optional>

class QProcess;

namespace kelvane::platform {

// A hack run full screen without the daemon: a black window over the whole screen that the hack draws
// into ("--window-id"), closed with the hack by a key, a click or a move of the mouse, as a
// screensaver ends.
class FullScreenHackWindow final : public QRasterWindow
{
public:
    FullScreenHackWindow();
    ~FullScreenHackWindow() override;

    // Shows the window and starts the hack in it; a hack that runs ends first.
    void Run(const QString& program);
    // Ends the hack and hides the window.
    void End();
    bool Running() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QProcess* m_hack = nullptr;
    std::optional<QPoint> m_firstPointer;
};

} // namespace kelvane::platform
