#pragma once

#include <QProxyStyle>

namespace kelvane::ui {

// A widget style that draws check boxes, radio buttons and the marks of checkable menu items itself, in
// the colours of the text beside them, and leaves everything else to the style it wraps. The built-in
// styles shade a box's outline from the window colour, which all but vanishes on a dark background;
// here an empty box's outline keeps a contrast of 3:1 to what is around it, and a mark at least that of
// the text.
class VisibleMarksStyle : public QProxyStyle
{
public:
    // Takes ownership of the base style.
    explicit VisibleMarksStyle(QStyle* base);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

} // namespace kelvane::ui
