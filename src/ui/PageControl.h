#pragma once

#include <QSize>
#include <QTabWidget>

namespace kelvane::ui {

// The main window's tab control: tabs of one size, each with a 32 by 32 picture beside its caption. A
// caption that needs more room (a large font) widens its tab rather than being cut.
class TPageControl : public QTabWidget
{
public:
    static constexpr QSize TabSize{165, 44};
    static constexpr QSize IconSize{32, 32};

    explicit TPageControl(QWidget* parent = nullptr);
};

} // namespace kelvane::ui
