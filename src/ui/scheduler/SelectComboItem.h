#pragma once

class QComboBox;
class QString;

namespace kelvane::ui {

// Selects the first item whose text equals the given text exactly, letter case included; with no such
// item the list has no selected item.
void SelectComboItem(QComboBox* box, const QString& text);

} // namespace kelvane::ui
