#pragma once

#include <QWidget>

#include <string>

class QLabel;
class QStackedLayout;

namespace kelvane::platform {
class ScreensaverPreview;
}

namespace kelvane::ui {

// A live preview of one screensaver: the screensaver itself draws into a native window of the pane.
// A file that cannot preview shows a short text instead.
class PreviewPane final : public QWidget
{
public:
    // Without a preview service the pane shows the text alone. Where the service cannot show a preview
    // in the pane, the pane starts none and shows ownWindowNote (when given) instead.
    PreviewPane(platform::ScreensaverPreview* preview, const QString& ownWindowNote = {}, QWidget* parent = nullptr);
    ~PreviewPane() override;

    // Previews the file; an empty path ends the preview that runs.
    void ShowFile(const std::string& path);
    void Stop();
    // The native window the screensaver draws into.
    QWidget* Surface() const { return m_surface; }

private:
    platform::ScreensaverPreview* m_preview;
    QStackedLayout* m_stack = nullptr;
    QLabel* m_note = nullptr;
    QWidget* m_surface = nullptr;
    std::string m_shown; // the file whose preview runs, empty for none
};

} // namespace kelvane::ui
