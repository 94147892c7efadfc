#include "ui/update/NotificationForm.h"

#include "common/ColorContrast.h"
#include "platform/WebBrowser.h"
#include "ui/AppIcon.h"
#include "ui/QtTickSource.h"
#include "update/UpdateClass.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QRegion>
#include <QScreen>
#include <QTextLayout>

#include <algorithm>

namespace kelvane::ui {
namespace {

QFont FontOfHeight(int pixels, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Segoe UI")});
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// The desktop's window-text colour, unless a dark style made it unreadable on the popup's white.
QColor TitleColor()
{
    const QColor text = QApplication::palette().color(QPalette::WindowText);
    const Rgb rgb = static_cast<Rgb>(text.rgb()) & 0xFFFFFFu;
    return ContrastRatio(rgb, 0xFFFFFFu) >= MinimumTextContrast ? text : QColor(Qt::black);
}

// The rounded rectangle (0, 0, width, height) whose corners are quarters of a 10 by 10 ellipse.
QRegion RoundedShape(int width, int height)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, width, height), 5, 5);
    return QRegion(path.toFillPolygon().toPolygon());
}

// Where the message may go: right of the icon, below the title, clear of the popup's edges.
constexpr int MessageLeft = 50;
constexpr int MessageTop = 39;        // of a message of one line
constexpr int MessageLineHeight = 20; // the height of that line's box
constexpr int EdgeMargin = 12;
constexpr int BottomMargin = 3;

struct MessageLayout
{
    QString Shown; // the lines, joined by line breaks
    QRect Geometry;
    bool Cut = false; // the text did not fit whole: its last line ends in an ellipsis
};

// The message on one line at its place when it fits; otherwise wrapped across the lines that the room
// below the title holds, centred on that line's middle, the last line cut short with an ellipsis.
MessageLayout LayOutMessage(const QString& text, const QFont& font, int titleBottom)
{
    const QFontMetrics metrics(font);
    const int width = TfrmNotification::ClientWidth - MessageLeft - EdgeMargin;
    const int singleWidth = metrics.horizontalAdvance(text);
    if (!text.contains(u'\n') && singleWidth <= width) {
        // A label that sizes itself keeps its left edge and takes the width its text needs.
        return {text, QRect(MessageLeft, MessageTop, singleWidth + 2, MessageLineHeight)};
    }

    const int lineHeight = metrics.lineSpacing();
    const int top = titleBottom + 2;
    const int bottom = TfrmNotification::ClientHeight - BottomMargin;
    const int maxLines = std::max(1, (bottom - top) / lineHeight);

    QString flowing = text;
    flowing.replace(u'\n', u' ');
    QTextLayout layout(flowing, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    bool cut = false;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (lines.size() == maxLines - 1) {
            const QString rest = flowing.mid(line.textStart()).trimmed();
            const QString last = metrics.elidedText(rest, Qt::ElideRight, width);
            cut = last != rest;
            lines << last;
            break;
        }
        lines << flowing.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();

    const int height = static_cast<int>(lines.size()) * lineHeight;
    const int middle = MessageTop + MessageLineHeight / 2;
    const int y = std::clamp(middle - height / 2, top, std::max(top, bottom - height));
    return {lines.join(u'\n'), QRect(MessageLeft, y, width, height), cut};
}

std::unique_ptr<TickSource> MakeTimer(const NotificationContext& context)
{
    return context.MakeTimer ? context.MakeTimer() : std::make_unique<QtTickSource>();
}

} // namespace

TfrmNotification::TfrmNotification(const NotificationContext& context)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_context(context),
      m_autoClose(MakeTimer(context)), m_fade(MakeTimer(context))
{
    setWindowTitle(QStringLiteral("Update Available"));
    // A notice must not take the keyboard from what the user is typing into.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(ClientWidth, ClientHeight);
    setFont(FontOfHeight(12, false));

    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("pnlMain"));
    m_panel->setGeometry(0, 0, ClientWidth, ClientHeight);
    QPalette palette = m_panel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, TitleColor());
    m_panel->setPalette(palette);
    m_panel->setAutoFillBackground(true);

    m_title = new QLabel(QStringLiteral("UPDATE AVAILABLE"), m_panel);
    m_title->setObjectName(QStringLiteral("lblTitle"));
    // The texts come from a file on the network: shown as they are, never as markup.
    m_title->setTextFormat(Qt::PlainText);
    m_title->setFont(FontOfHeight(16, true));
    m_title->move(12, 8);
    m_title->adjustSize();

    m_message = new QLabel(QStringLiteral("Click to download new update 10.0"), m_panel);
    m_message->setObjectName(QStringLiteral("lblMessage"));
    m_message->setTextFormat(Qt::PlainText);
    m_message->setFont(FontOfHeight(15, false));
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setCursor(Qt::PointingHandCursor);
    QPalette blue = m_message->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    m_message->setPalette(blue);
    m_message->setGeometry(50, 39, 233, 20);
    m_message->installEventFilter(this);

    m_icon = new QLabel(m_panel);
    m_icon->setObjectName(QStringLiteral("imgIcon"));
    m_icon->setGeometry(12, 35, 32, 32);
    m_icon->setScaledContents(true);
    m_icon->setAttribute(Qt::WA_TranslucentBackground);
    m_icon->setPixmap(AppIcon().pixmap(32, 32));

    m_closeButton = new QPushButton(QStringLiteral("X"), m_panel);
    m_closeButton->setObjectName(QStringLiteral("btnClose"));
    m_closeButton->setFlat(true);
    m_closeButton->setFont(FontOfHeight(11, true));
    m_closeButton->setGeometry(328, 2, 20, 20);
    m_closeButton->setFocusPolicy(Qt::NoFocus);
    connect(m_closeButton, &QPushButton::clicked, this, &TfrmNotification::btnCloseClick);

    m_autoClose->SetHandler([this] { tmrAutoCloseTimer(); });
    m_fade->SetHandler([this] { FadeTick(); });
    m_fade->SetInterval(FadeStepMs);
    FormCreate();
}

TfrmNotification::~TfrmNotification()
{
    // The timers go before the widgets their handlers touch.
    m_autoClose.reset();
    m_fade.reset();
}

void TfrmNotification::FormCreate()
{
    QRect screen(0, 0, 1920, 1080);
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        screen = primary->geometry();
    }
    move(screen.x() + screen.width() - width() - 20, screen.y() + 50);
    setMask(RoundedShape(width(), height()));
}

std::unique_ptr<TfrmNotification> TfrmNotification::ShowNotification(const NotificationContext& context,
                                                                     const QString& title, const QString& message,
                                                                     int timeout, const std::string& address,
                                                                     const QPixmap* icon)
{
    auto popup = std::make_unique<TfrmNotification>(context);
    popup->m_title->setText(title);
    popup->m_title->adjustSize();
    // A long message wraps within the popup; one too long for it ends in an ellipsis and shows whole as
    // the tooltip.
    const MessageLayout laidOut =
        LayOutMessage(message, popup->m_message->font(), popup->m_title->geometry().bottom() + 1);
    popup->m_message->setText(laidOut.Shown);
    popup->m_message->setGeometry(laidOut.Geometry);
    popup->m_message->setToolTip(laidOut.Cut ? message : QString());
    popup->FURL = address;
    if (icon) {
        popup->m_icon->setPixmap(*icon);
    }
    if (timeout > 0) {
        popup->m_autoClose->SetInterval(timeout * 1000);
        popup->m_autoClose->Start();
    } else {
        popup->m_autoClose->Stop();
    }
    popup->show();
    return popup;
}

void TfrmNotification::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_closing) {
        return;
    }
    // The fade runs on the timer: the program goes on meanwhile, and nothing waits for it.
    SetOpacityStep(0);
    m_fade->Start();
}

void TfrmNotification::SetOpacityStep(int step)
{
    m_fadeStep = step;
    setWindowOpacity(step * OpacityStep / 255.0);
}

void TfrmNotification::FadeTick()
{
    if (!m_closing) {
        SetOpacityStep(m_fadeStep + 1);
        if (m_fadeStep >= FadeSteps) {
            m_fade->Stop();
        }
        return;
    }
    SetOpacityStep(m_fadeStep - 1);
    if (m_fadeStep <= 0) {
        m_fade->Stop();
        hide();
    }
}

void TfrmNotification::CloseNotification()
{
    if (m_closing) {
        return;
    }
    m_closing = true;
    m_autoClose->Stop();
    if (!isVisible() || m_fadeStep <= 0) {
        m_fade->Stop();
        hide();
        return;
    }
    // Fades out from wherever the fade-in had got to.
    m_fade->Start();
}

void TfrmNotification::tmrAutoCloseTimer()
{
    m_autoClose->Stop();
    CloseNotification();
}

void TfrmNotification::btnCloseClick()
{
    CloseNotification();
}

void TfrmNotification::lblMessageClick()
{
    if (m_closing) {
        return;
    }
    // The address comes from a file on the network: a local file, a program or a script is never
    // started from here, only a web page is opened. Whether the browser started is not looked at.
    if (IsWebAddress(FURL)) {
        (void)m_context.Browser.OpenWebAddress(FURL);
    }
    CloseNotification();
}

bool TfrmNotification::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_message && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        m_message->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        lblMessageClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kelvane::ui
