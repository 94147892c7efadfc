#include "platform/linux/FullScreenHackWindow.h"

#include "platform/qt/QtScreensaverPreview.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>

namespace kelvane::platform {

FullScreenHackWindow::FullScreenHackWindow()
{
    setFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setCursor(Qt::BlankCursor);
}

FullScreenHackWindow::~FullScreenHackWindow()
{
    End();
}

void FullScreenHackWindow::Run(const QString& program)
{
    End();
    showFullScreen();
    requestActivate();
    m_firstPointer.reset();
    m_hack = new QProcess(this);
    m_hack->setStandardOutputFile(QProcess::nullDevice());
    m_hack->setStandardErrorFile(QProcess::nullDevice());
    // A hack that ends by itself takes the window with it.
    QObject::connect(m_hack, &QProcess::finished, this, [this] { hide(); });
    m_hack->start(program, {QStringLiteral("--window-id"), QStringLiteral("0x%1").arg(winId(), 0, 16)});
}

void FullScreenHackWindow::End()
{
    if (m_hack) {
        QProcess* hack = std::exchange(m_hack, nullptr);
        hack->disconnect(this);
        EndChildProcess(*hack);
        hack->deleteLater();
    }
    hide();
}

bool FullScreenHackWindow::Running() const
{
    return m_hack && m_hack->state() != QProcess::NotRunning;
}

void FullScreenHackWindow::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(QRect(QPoint(), size()), Qt::black);
}

void FullScreenHackWindow::keyPressEvent(QKeyEvent*)
{
    End();
}

void FullScreenHackWindow::mousePressEvent(QMouseEvent*)
{
    End();
}

void FullScreenHackWindow::mouseMoveEvent(QMouseEvent* event)
{
    // The first report only says where the pointer rests; a real move of a few pixels ends the saver.
    const QPoint at = event->globalPosition().toPoint();
    if (!m_firstPointer) {
        m_firstPointer = at;
    } else if ((at - *m_firstPointer).manhattanLength() > 8) {
        End();
    }
}

} // namespace kelvane::platform
