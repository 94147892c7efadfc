#pragma once

#include <QLineEdit>
#include <QSpinBox>

#include <functional>

namespace kelvane::ui {

// The rotation interval's number box. Any whole number can be typed, so that a value below the least
// one reaches the handler and is refused there with a message; the arrows and the page keys stay within
// the allowed range, and the page keys move by a minute.
class IntervalSpinBox final : public QSpinBox
{
public:
    IntervalSpinBox(int least, int greatest, QWidget* parent);

    // The value the text stands for: an emptied box counts as 0.
    static qint64 TextValue(const QString& text);
    // Calls the handler with every value the box passes through: stepped, set, typed, and also the texts
    // the spin box itself keeps quiet about (an emptied box, as 0).
    void WatchEveryValue(QObject* context, const std::function<void(qint64)>& handler);
    // The text being typed.
    QLineEdit* Editor() const { return lineEdit(); }

    void stepBy(int steps) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_least;
};

} // namespace kelvane::ui
