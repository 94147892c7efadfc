#include "ui/about/Credits.h"

#include "ui/QtTickSource.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <limits>

namespace kelvane::ui {
namespace {

QColor ToQColor(const CreditColor& color)
{
    return QColor(color.Red, color.Green, color.Blue);
}

// A y that Qt can draw at; lines this far away are never in view anyway.
int ClampToInt(int64_t value)
{
    return static_cast<int>(
        std::clamp<int64_t>(value, std::numeric_limits<int>::min() / 2, std::numeric_limits<int>::max() / 2));
}

} // namespace

TezCredits::TezCredits(QWidget* parent, std::unique_ptr<TickSource> timer)
    : QWidget(parent), FTimer(timer ? std::move(timer) : std::make_unique<QtTickSource>())
{
    FFont = font();
    FFont.setFamily(QStringLiteral("Tahoma"));
    FFontColor = QColor(255, 255, 255);
    FBackgroundColor = QColor(0, 0, 0);
    FBorderColor = QColor(255, 255, 255);
    FTimer->SetHandler([this] { TimerFired(); });
    FTimer->SetInterval(static_cast<int>(FInterval));
    FTimer->Stop();
    // Every pixel is painted here, so Qt need not paint the parent underneath first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(300, 200);
    ReadLines();
}

TezCredits::~TezCredits()
{
    FTimer->Stop();
}

void TezCredits::SetCredits(const QStringList& credits)
{
    FCredits = credits;
    ReadLines();
    ReportLinesInView();
    update();
}

void TezCredits::SetCreditsFont(const QFont& font)
{
    FFont = font;
    ReadLines();
    ReportLinesInView(); // a new line height may bring more lines into view
    update();
}

void TezCredits::SetCreditsFontColor(const QColor& color)
{
    FFontColor = color;
    ReadLines();
    update();
}

void TezCredits::SetBackgroundColor(const QColor& color)
{
    FBackgroundColor = color;
    update();
}

void TezCredits::SetBorderColor(const QColor& color)
{
    FBorderColor = color;
    update();
}

void TezCredits::SetAnimate(bool animate)
{
    TPos = height() + LineHeight();
    FAnimate = animate;
    UpdateTimer();
    DropPicturesOutside(LinesInView());
    ReportLinesInView();
    update();
}

void TezCredits::SetInterval(uint32_t milliseconds)
{
    FInterval = milliseconds;
    // A period of 0 would tick whenever the event loop is idle and keep a core busy.
    FTimer->SetInterval(static_cast<int>(std::clamp<uint32_t>(milliseconds, 1, std::numeric_limits<int>::max())));
}

void TezCredits::SetVisible(bool visible)
{
    if (visible == FVisible) {
        return;
    }
    FVisible = visible;
    // Hidden, nothing is painted and the parent must show through.
    setAttribute(Qt::WA_OpaquePaintEvent, visible);
    UpdateTimer();
    Rewind();
    DropPicturesOutside(visible ? LinesInView() : CreditLineRange{});
    ReportLinesInView();
    update();
}

void TezCredits::SetBackgroundImage(const QPixmap& picture)
{
    FBackgroundImage = picture;
    FBitmap = QPixmap();
    update();
}

void TezCredits::SetShowBorder(bool show)
{
    FShowBorder = show;
    update();
}

void TezCredits::SetPauseOnMouseOver(bool pause)
{
    FPause = pause;
    UpdateTimer();
    update();
}

void TezCredits::SetCenterText(bool centered)
{
    FCentered = centered;
    ReadLines();
    update();
}

void TezCredits::Reset()
{
    TPos = height() + LineHeight();
    update();
}

void TezCredits::Rewind()
{
    TPos = height();
    LastShownIndex = -1;
}

void TezCredits::TimerFired()
{
    const QRegion before = TextRegion();
    if (PassIsOver(TPos, LineHeight(), m_lines.size()) || TPos == std::numeric_limits<int32_t>::min()) {
        DoAfterLastCredit();
        Rewind();
        DropPicturesOutside(LinesInView());
        ReportLinesInView();
        update();
        return;
    }
    --TPos;
    ReportLinesInView();
    DropPicturesOutside(LinesInView());
    // Only the bands the text left and entered change; blank lines and the rest stay as they are.
    update(before | TextRegion());
}

int TezCredits::LineHeight() const
{
    return m_lineHeight;
}

void TezCredits::DoShowCredit(const QString& text)
{
    if (FOnShowCredit) {
        FOnShowCredit(this, text);
    }
}

void TezCredits::DoAfterLastCredit()
{
    if (FAfterLastCredit) {
        FAfterLastCredit(this);
    }
}

void TezCredits::UpdateTimer()
{
    const bool run = FAnimate && FVisible && !(FPause && m_mouseInside);
    if (run && !FTimer->IsRunning()) {
        FTimer->Start();
    } else if (!run && FTimer->IsRunning()) {
        FTimer->Stop();
    }
}

void TezCredits::ReadLines()
{
    m_lines.clear();
    m_pictured = {};
    m_lines.reserve(static_cast<size_t>(FCredits.size()));
    for (const QString& credit : FCredits) {
        Line line;
        line.Styled = ProcessCreditLine(credit.toStdString());
        line.Text = QString::fromStdString(line.Styled.Text);
        line.Font = FFont;
        if (line.Styled.PointSize) {
            line.Font.setPointSize(*line.Styled.PointSize);
        }
        line.Color = line.Styled.Color ? ToQColor(*line.Styled.Color) : FFontColor;
        if (line.Styled.Bold) {
            // Bold replaces the base font's style; italic and underline are added back when asked for.
            line.Font.setItalic(false);
            line.Font.setUnderline(false);
            line.Font.setStrikeOut(false);
            line.Font.setBold(true);
        }
        if (line.Styled.Italic) {
            line.Font.setItalic(true);
        }
        if (line.Styled.Underline) {
            line.Font.setUnderline(true);
        }
        m_lines.push_back(std::move(line));
    }
    m_lineHeight = std::max(1, QFontMetrics(FFont).height());
}

void TezCredits::Measure(Line& line) const
{
    if (line.Measured) {
        return;
    }
    const QFontMetrics metrics(line.Font);
    line.Height = std::max(1, metrics.height());
    const int textWidth = line.Text.isEmpty() ? 0 : metrics.horizontalAdvance(line.Text);
    // A line wider than the control gets a negative x and is cut on both sides.
    line.X = FCentered ? width() / 2 - textWidth / 2 : 0;
    line.Measured = true;
}

const QPixmap& TezCredits::PictureOf(size_t index)
{
    Line& line = m_lines[index];
    Measure(line);
    if (line.Picture.isNull() && !line.Text.isEmpty() && width() > 0) {
        // Only the part inside the control is kept: a line of any length costs one control width.
        const qreal ratio = devicePixelRatioF();
        QPixmap picture(QSize(width(), line.Height) * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setFont(line.Font);
        painter.setPen(line.Color);
        painter.drawText(line.X, QFontMetrics(line.Font).ascent(), line.Text);
        painter.end();
        line.Picture = picture;
        m_pictured = m_pictured.First == m_pictured.End
                         ? CreditLineRange{index, index + 1}
                         : CreditLineRange{std::min(m_pictured.First, index), std::max(m_pictured.End, index + 1)};
    }
    return line.Picture;
}

CreditLineRange TezCredits::LinesInView() const
{
    return FAnimate ? ScrollingLinesInView(TPos, LineHeight(), height(), m_lines.size())
                    : StillLinesInView(YPos, LineHeight(), height(), m_lines.size());
}

int64_t TezCredits::TopOf(size_t index) const
{
    return int64_t{FAnimate ? TPos : YPos} + static_cast<int64_t>(index) * LineHeight();
}

QRegion TezCredits::TextRegion()
{
    QRegion region;
    if (!FVisible) {
        return region;
    }
    const CreditLineRange range = LinesInView();
    for (size_t i = range.First; i < range.End; ++i) {
        Line& line = m_lines[i];
        if (line.Text.isEmpty()) {
            continue;
        }
        Measure(line);
        region += QRect(0, ClampToInt(TopOf(i)), width(), line.Height) & rect();
    }
    return region;
}

void TezCredits::DropPicturesOutside(CreditLineRange range)
{
    // Only the lines that may hold a picture are looked at, so a tick costs the same for any number of lines.
    for (size_t i = m_pictured.First; i < m_pictured.End && i < m_lines.size(); ++i) {
        if (!range.Contains(i)) {
            m_lines[i].Picture = QPixmap();
        }
    }
    m_pictured = {std::max(m_pictured.First, range.First), std::min(m_pictured.End, range.End)};
    if (m_pictured.First >= m_pictured.End) {
        m_pictured = {};
    }
}

void TezCredits::ReportLinesInView()
{
    if (!FAnimate || !FVisible) {
        return;
    }
    const CreditLineRange range = LinesInView();
    for (size_t i = range.First; i < range.End && i < static_cast<size_t>(FCredits.size()); ++i) {
        if (static_cast<int64_t>(i) <= LastShownIndex) {
            continue;
        }
        // Marked first, so that a handler which repaints or steps the control cannot report it twice.
        LastShownIndex = static_cast<int32_t>(std::min<size_t>(i, std::numeric_limits<int32_t>::max()));
        DoShowCredit(QString::fromStdString(ReportedText(FCredits[static_cast<qsizetype>(i)].toStdString())));
    }
}

void TezCredits::paintEvent(QPaintEvent* event)
{
    if (!FVisible) {
        return; // the parent shows through
    }
    QPainter painter(this);
    if (!FBackgroundImage.isNull()) {
        const QSize pixels = size() * devicePixelRatioF();
        if (FBitmap.size() != pixels) {
            FBitmap = FBackgroundImage.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            FBitmap.setDevicePixelRatio(devicePixelRatioF());
        }
        painter.drawPixmap(0, 0, FBitmap);
    } else {
        painter.fillRect(rect(), FBackgroundColor);
    }
    const CreditLineRange range = LinesInView();
    for (size_t i = range.First; i < range.End; ++i) {
        const QPixmap& picture = PictureOf(i);
        if (picture.isNull()) {
            continue;
        }
        const QRect band(0, ClampToInt(TopOf(i)), width(), m_lines[i].Height);
        if (event->region().intersects(band)) {
            painter.drawPixmap(band.topLeft(), picture);
        }
    }
    if (FShowBorder) {
        painter.setPen(FBorderColor);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void TezCredits::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FBitmap = QPixmap();
    // Centring and the pictures' width follow the control's width.
    for (Line& line : m_lines) {
        line.Measured = false;
        line.Picture = QPixmap();
    }
    m_pictured = {};
    ReportLinesInView();
}

void TezCredits::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    m_mouseInside = true;
    UpdateTimer();
    m_hadCursor = testAttribute(Qt::WA_SetCursor);
    m_savedCursor = cursor();
    setCursor(Qt::PointingHandCursor);
}

void TezCredits::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    m_mouseInside = false;
    UpdateTimer();
    if (m_hadCursor) {
        setCursor(m_savedCursor);
    } else {
        unsetCursor();
    }
}

void TezCredits::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void TezCredits::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    QWidget::mouseReleaseEvent(event);
    if (click) {
        Q_EMIT clicked();
    }
}

void TezCredits::mouseDoubleClickEvent(QMouseEvent* event)
{
    QWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        Q_EMIT doubleClicked();
    }
}

} // namespace kelvane::ui
