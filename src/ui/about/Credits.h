#pragma once

#include "about/CreditsLayout.h"
#include "about/CreditsMarkup.h"
#include "ui/TickSource.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace kelvane::ui {

class TezCredits;

using TCreditEvent = std::function<void(TezCredits* Sender, const QString& CreditText)>;
using TNotifyEvent = std::function<void(TezCredits* Sender)>;

// Lines of marked-up text ("credits") over a colour or a picture, standing still or scrolling upward
// one pixel per tick in an endless loop; the markup is read by ProcessCreditLine. Scrolling pauses
// while the mouse is over the control.
//
// Each line is read and drawn once into a picture of its own when it first comes into view, and a
// tick only moves those pictures: only the bands of the lines that moved are repainted.
class TezCredits : public QWidget
{
    Q_OBJECT

public:
    // `timer` drives the scrolling; by default a timer of the user-interface thread.
    explicit TezCredits(QWidget* parent = nullptr, std::unique_ptr<TickSource> timer = nullptr);
    ~TezCredits() override;

    const QStringList& Credits() const { return FCredits; }
    void SetCredits(const QStringList& credits);
    const QFont& CreditsFont() const { return FFont; }
    void SetCreditsFont(const QFont& font);
    // The base font's colour, which every line has unless its markup gives one.
    const QColor& CreditsFontColor() const { return FFontColor; }
    void SetCreditsFontColor(const QColor& color);
    const QColor& BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(const QColor& color);
    const QColor& BorderColor() const { return FBorderColor; }
    void SetBorderColor(const QColor& color);
    // Scrolling on: each pass starts one line below the bottom edge.
    bool Animate() const { return FAnimate; }
    void SetAnimate(bool animate);
    // Milliseconds per one-pixel step.
    uint32_t Interval() const { return FInterval; }
    void SetInterval(uint32_t milliseconds);
    void SetOnShowCredit(TCreditEvent handler) { FOnShowCredit = std::move(handler); }
    void SetAfterLastCredit(TNotifyEvent handler) { FAfterLastCredit = std::move(handler); }
    // Whether the control draws at all. Unlike hiding the widget it keeps its place; the parent shows
    // through. Showing it again starts the text from the bottom edge.
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    // Stretched over the whole control; an empty picture is no picture.
    const QPixmap& BackgroundImage() const { return FBackgroundImage; }
    void SetBackgroundImage(const QPixmap& picture);
    bool ShowBorder() const { return FShowBorder; }
    void SetShowBorder(bool show);
    bool PauseOnMouseOver() const { return FPause; }
    void SetPauseOnMouseOver(bool pause);
    bool CenterText() const { return FCentered; }
    void SetCenterText(bool centered);

    // The scrolling text starts again one line below the bottom edge.
    void Reset();
    // One scrolling step: up one pixel, or the next pass once the text has left through the top.
    void TimerFired();

    // The height h by which every line advances: the height of "A" in the base font.
    int LineHeight() const;
    // The scrolling layout's y of the first line's top edge.
    int32_t FirstLineTop() const { return TPos; }

Q_SIGNALS:
    void clicked();
    void doubleClicked();

protected:
    virtual void DoShowCredit(const QString& text);
    virtual void DoAfterLastCredit();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // One line, read once; its picture is drawn when the line comes into view and dropped when it leaves.
    struct Line
    {
        StyledCreditLine Styled;
        QString Text;
        QFont Font;
        QColor Color;
        int X = 0;
        int Height = 0;
        bool Measured = false;
        QPixmap Picture;
    };

    void Rewind();
    // The timer runs while there is something to scroll and the mouse does not hold it.
    void UpdateTimer();
    // Every line is read and measured again; for a new text, font or width.
    void ReadLines();
    void Measure(Line& line) const;
    const QPixmap& PictureOf(size_t index);
    CreditLineRange LinesInView() const;
    int64_t TopOf(size_t index) const;
    // The bands of the lines in view, where the text is.
    QRegion TextRegion();
    void DropPicturesOutside(CreditLineRange range);
    // Tells OnShowCredit of every line that has come into view since the last report in this pass.
    void ReportLinesInView();

    QStringList FCredits;
    QFont FFont;
    QColor FFontColor;
    QColor FBackgroundColor;
    QPixmap FBackgroundImage;
    QColor FBorderColor;
    bool FAnimate = false;
    uint32_t FInterval = 50;
    std::unique_ptr<TickSource> FTimer;
    int32_t YPos = 4;
    int32_t TPos = 0;
    // The background picture stretched to the control: the static layer under the moving text. Qt's
    // backing store is the off-screen image that every paint is composed in.
    QPixmap FBitmap;
    TCreditEvent FOnShowCredit;
    TNotifyEvent FAfterLastCredit;
    bool FVisible = true;
    int32_t LastShownIndex = -1;
    bool FShowBorder = true;
    bool FPause = true;
    bool FCentered = true;

    std::vector<Line> m_lines;
    CreditLineRange m_pictured; // every line that holds a picture lies in here
    int m_lineHeight = 1;
    bool m_mouseInside = false;
    bool m_pressed = false;
    QCursor m_savedCursor;
    bool m_hadCursor = false;
};

} // namespace kelvane::ui
