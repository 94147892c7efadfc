#pragma once

class QTextEdit;

namespace kelvane::ui {

// Fills the "Options" tab's help on the tolerance afresh, so text typed into it does not last.
void TabSheet3Show(QTextEdit* help);

} // namespace kelvane::ui
