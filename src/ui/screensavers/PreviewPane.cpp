#include "ui/screensavers/PreviewPane.h"

#include "platform/ScreensaverPreview.h"

#include <QLabel>
#include <QStackedLayout>

namespace kelvane::ui {
namespace {

// A window that Qt never paints into, so that what another process draws there stays.
class ForeignSurface final : public QWidget
{
public:
    explicit ForeignSurface(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_NoSystemBackground);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    // Its native window, made when the first preview starts rather than with the window: a native
    // child makes native windows of the widgets around it as well, which every start would pay for.
    uint64_t NativeWindow()
    {
        setAttribute(Qt::WA_PaintOnScreen);
        return static_cast<uint64_t>(winId());
    }
    QPaintEngine* paintEngine() const override { return nullptr; }

protected:
    void paintEvent(QPaintEvent*) override {}
};

constexpr int PreviewWidth = 240;
constexpr int PreviewHeight = 180;

} // namespace

PreviewPane::PreviewPane(platform::ScreensaverPreview* preview, const QString& ownWindowNote, QWidget* parent)
    : QWidget(parent), m_preview(preview)
{
    setFixedSize(PreviewWidth, PreviewHeight);
    m_stack = new QStackedLayout(this);
    m_stack->setContentsMargins(0, 0, 0, 0);
    const bool ownWindowOnly = m_preview && !m_preview->ShowsInPane();
    m_note = new QLabel(ownWindowOnly && !ownWindowNote.isEmpty() ? ownWindowNote : QStringLiteral("No preview"), this);
    m_note->setWordWrap(true);
    m_note->setMargin(8);
    m_note->setAlignment(Qt::AlignCenter);
    m_note->setAutoFillBackground(true);
    QPalette dark = m_note->palette();
    dark.setColor(QPalette::Window, Qt::black);
    dark.setColor(QPalette::WindowText, QColor(200, 200, 200));
    m_note->setPalette(dark);
    m_stack->addWidget(m_note);
    m_surface = new ForeignSurface(this);
    m_stack->addWidget(m_surface);
}

PreviewPane::~PreviewPane()
{
    Stop();
}

void PreviewPane::ShowFile(const std::string& path)
{
    if (!path.empty() && path == m_shown && m_preview && m_preview->Running()) {
        return; // the same row selected again (a move, a scan step): it keeps running
    }
    Stop();
    // A preview the pane cannot show would only run unseen.
    if (path.empty() || !m_preview || !m_preview->ShowsInPane()) {
        return;
    }
    // The surface's window must exist, and be shown, before the screensaver draws into it.
    const uint64_t window = static_cast<ForeignSurface*>(m_surface)->NativeWindow();
    m_stack->setCurrentWidget(m_surface);
    if (m_preview->Start(path, window)) {
        m_shown = path;
    } else {
        m_stack->setCurrentWidget(m_note);
    }
}

void PreviewPane::Stop()
{
    if (m_preview) {
        m_preview->Stop();
    }
    m_shown.clear();
    m_stack->setCurrentWidget(m_note);
}

} // namespace kelvane::ui
