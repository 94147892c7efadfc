#pragma once

// Finds the captions that a window cuts: a label, button, check box or group box title, or a list
// column's header, whose text needs more room than the control got.

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTextDocument>

#include <string>
#include <vector>

namespace kelvane::ui::test {

inline std::string Describe(const QWidget* widget, const QString& text, int needed, int room)
{
    return std::string(widget->metaObject()->className()) + " \"" + text.toStdString() + "\" needs " +
           std::to_string(needed) + " px, has " + std::to_string(room);
}

// The width a caption's text takes, with its mnemonic marker ("&") left out as it is drawn.
inline int TextWidth(const QWidget* widget, const QString& text)
{
    return widget->fontMetrics().size(Qt::TextShowMnemonic, text).width();
}

inline void CheckButton(const QAbstractButton* button, std::vector<std::string>& cut)
{
    if (button->text().isEmpty()) {
        return;
    }
    // The room the style leaves for the text inside the button's frame, or beside its box.
    QRect room;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    if (qobject_cast<const QCheckBox*>(button)) {
        room = button->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, button);
    } else if (qobject_cast<const QRadioButton*>(button)) {
        room = button->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, button);
    } else if (qobject_cast<const QPushButton*>(button)) {
        room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    } else {
        room = button->contentsRect();
    }
    int needed = TextWidth(button, button->text());
    if (!button->icon().isNull()) {
        needed += button->iconSize().width() + 4;
    }
    if (needed > room.width()) {
        cut.push_back(Describe(button, button->text(), needed, room.width()));
    }
}

inline void CheckLabel(const QLabel* label, std::vector<std::string>& cut)
{
    const QString text = label->text();
    if (text.isEmpty() || Qt::mightBeRichText(text)) {
        return;
    }
    const int room = label->contentsRect().width() - 2 * label->margin() - 2 * std::max(label->indent(), 0);
    if (label->wordWrap()) {
        // A wrapping label needs the height its lines take at its width.
        const int height = label->heightForWidth(label->width());
        if (height > label->height()) {
            cut.push_back(Describe(label, text, height, label->height()) + " (height)");
        }
        return;
    }
    const int needed = TextWidth(label, text);
    if (needed > room) {
        cut.push_back(Describe(label, text, needed, room));
    }
}

inline void CheckGroupBox(const QGroupBox* box, std::vector<std::string>& cut)
{
    if (box->title().isEmpty()) {
        return;
    }
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.textAlignment = box->alignment();
    option.lineWidth = 1;
    const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    // The style places the title from its text's own width: it is cut when it runs past the box.
    const int needed = label.left() + TextWidth(box, box->title());
    if (needed > box->width()) {
        cut.push_back(Describe(box, box->title(), needed, box->width()));
    }
}

inline void CheckHeader(const QHeaderView* header, std::vector<std::string>& cut)
{
    if (!header->model()) {
        return;
    }
    // The last section of a stretching header takes what is left, however little that is.
    const int last = header->logicalIndex(header->count() - 1);
    for (int section = 0; section < header->count(); ++section) {
        if (header->isSectionHidden(section) || (header->stretchLastSection() && section == last)) {
            continue;
        }
        const QString text = header->model()->headerData(section, header->orientation()).toString();
        if (text.isEmpty()) {
            continue;
        }
        // As the header measures a section for its contents: the style's margins around the text.
        QStyleOptionHeader option;
        option.initFrom(header);
        option.text = text;
        option.section = section;
        const int needed =
            header->style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), header).width();
        if (needed > header->sectionSize(section)) {
            cut.push_back(Describe(header, text, needed, header->sectionSize(section)));
        }
    }
}

// Every visible control under the widget whose caption does not fit.
inline std::vector<std::string> CutCaptions(const QWidget* root)
{
    std::vector<std::string> cut;
    for (const QWidget* widget : root->findChildren<QWidget*>()) {
        if (!widget->isVisible()) {
            continue;
        }
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            CheckButton(button, cut);
        } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            CheckLabel(label, cut);
        } else if (const auto* box = qobject_cast<const QGroupBox*>(widget)) {
            CheckGroupBox(box, cut);
        } else if (const auto* header = qobject_cast<const QHeaderView*>(widget)) {
            CheckHeader(header, cut);
        }
    }
    return cut;
}

} // namespace kelvane::ui::test
