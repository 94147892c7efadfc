#include "ui/screensavers/IntervalSpinBox.h"

#include <QKeyEvent>

#include <algorithm>

namespace kelvane::ui {
namespace {

constexpr int PageStep = 60;

} // namespace

IntervalSpinBox::IntervalSpinBox(int least, int greatest, QWidget* parent) : QSpinBox(parent), m_least(least)
{
    setRange(0, greatest);
}

qint64 IntervalSpinBox::TextValue(const QString& text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    return ok ? value : 0;
}

void IntervalSpinBox::WatchEveryValue(QObject* context, const std::function<void(qint64)>& handler)
{
    connect(this, &QSpinBox::textChanged, context, [handler](const QString& text) { handler(TextValue(text)); });
    // The spin box tells only of texts it accepts; the others are seen in its editor.
    connect(lineEdit(), &QLineEdit::textChanged, context, [this, handler](const QString& text) {
        QString checked = text;
        int position = 0;
        if (validate(checked, position) != QValidator::Acceptable) {
            handler(TextValue(text));
        }
    });
}

void IntervalSpinBox::stepBy(int steps)
{
    const qint64 stepped = static_cast<qint64>(value()) + steps;
    setValue(static_cast<int>(std::clamp<qint64>(stepped, m_least, maximum())));
    selectAll();
}

void IntervalSpinBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        stepBy(event->key() == Qt::Key_PageUp ? PageStep : -PageStep);
        event->accept();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

} // namespace kelvane::ui
