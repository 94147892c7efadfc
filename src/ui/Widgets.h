#pragma once

#include <QString>
#include <QStringList>

class QLabel;
class QLayout;
class QPushButton;
class QTreeView;
class QWidget;

namespace kelvane::ui {

// Small pieces the tabs build their controls from.
QLabel* BoldLabel(const QString& text, QWidget* parent);
QPushButton* AddButton(const QString& caption, QWidget* parent, QLayout* layout);
// A report-style list: whole rows selected, rows lit under the mouse, no editing in place.
QTreeView* ReportView(QWidget* parent);

// The lines as one text for a multi-line box.
template <typename Lines>
QString JoinLines(const Lines& lines)
{
    QStringList joined;
    for (const auto& line : lines) {
        joined << QString::fromStdString(line);
    }
    return joined.join(u'\n');
}

} // namespace kelvane::ui
