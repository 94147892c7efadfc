#include "ui/StyleLook.h"

#include <QColor>

namespace kelvane::ui {
namespace {

QColor Color(Rgb rgb)
{
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

QString Css(Rgb rgb)
{
    return Color(rgb).name();
}

// A surface's background: one colour, or a gradient toward its gloss colour, lit from above: a lighter
// gloss sits at the top edge, a darker one at the bottom.
QString Fill(const CarriedStyle& style, const Surface& surface)
{
    if (style.Surfaces != Finish::Glossy) {
        return Css(surface.Background);
    }
    const Rgb gloss = GlossColor(surface);
    const bool lighter = RelativeLuminance(gloss) > RelativeLuminance(surface.Background);
    const Rgb top = lighter ? gloss : surface.Background;
    const Rgb bottom = lighter ? surface.Background : gloss;
    return QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2)").arg(Css(top), Css(bottom));
}

void SetGroup(QPalette& palette, QPalette::ColorGroup group, const CarriedStyle& style, bool disabled)
{
    // Disabled text fades halfway into its background, as the platform styles do.
    const auto text = [disabled](const Surface& surface) {
        return Color(disabled ? Blend(surface.Text, surface.Background, 0.5) : surface.Text);
    };
    const QColor button = Color(style.Button.Background);
    palette.setColor(group, QPalette::Window, Color(style.Window.Background));
    palette.setColor(group, QPalette::WindowText, text(style.Window));
    palette.setColor(group, QPalette::Base, Color(style.Field.Background));
    palette.setColor(group, QPalette::AlternateBase, Color(style.AlternateField));
    palette.setColor(group, QPalette::Text, text(style.Field));
    palette.setColor(group, QPalette::PlaceholderText,
                     Color(SoftenedText(style.Field.Text, style.Field.Background, 0.4)));
    palette.setColor(group, QPalette::Button, button);
    palette.setColor(group, QPalette::ButtonText, text(style.Button));
    palette.setColor(group, QPalette::BrightText, Color(style.Selection.Text));
    palette.setColor(group, QPalette::Highlight, Color(style.Selection.Background));
    palette.setColor(group, QPalette::HighlightedText, text(style.Selection));
    palette.setColor(group, QPalette::ToolTipBase, Color(style.Menu.Background));
    palette.setColor(group, QPalette::ToolTipText, Color(style.Menu.Text));
    palette.setColor(group, QPalette::Link, Color(style.Link));
    palette.setColor(group, QPalette::LinkVisited, Color(style.Link));
    // The bevels and frames of the controls.
    palette.setColor(group, QPalette::Light, button.lighter(150));
    palette.setColor(group, QPalette::Midlight, button.lighter(125));
    palette.setColor(group, QPalette::Mid, Color(style.Border));
    palette.setColor(group, QPalette::Dark, button.darker(160));
    palette.setColor(group, QPalette::Shadow, button.darker(300));
}

} // namespace

QPalette CarriedStylePalette(const CarriedStyle& style)
{
    QPalette palette;
    SetGroup(palette, QPalette::Active, style, false);
    SetGroup(palette, QPalette::Inactive, style, false);
    SetGroup(palette, QPalette::Disabled, style, true);
    return palette;
}

QString CarriedStyleSheet(const CarriedStyle& style)
{
    const QString radius = QString::number(style.CornerRadius) + QStringLiteral("px");
    const QString border = Css(style.Border);
    QString sheet = QStringLiteral("QTabWidget::pane { border: 1px solid %1; top: -1px; }\n"
                                   "QTabBar::tab { background: %2; color: %3; border: 1px solid %1; padding: 3px 6px; "
                                   "margin-right: 2px; border-top-left-radius: %4; border-top-right-radius: %4; }\n"
                                   "QTabBar::tab:selected { background: %5; color: %6; border-bottom-color: %5; "
                                   "border-top: 3px solid %7; }\n")
                        .arg(border, Fill(style, style.Tab), Css(style.Tab.Text), radius, Css(style.Window.Background),
                             Css(style.Window.Text), Css(style.Selection.Background));
    sheet += QStringLiteral("QHeaderView::section { background: %1; color: %2; border: none; "
                            "border-right: 1px solid %3; border-bottom: 1px solid %3; padding: 3px 6px; }\n")
                 .arg(Fill(style, style.Header), Css(style.Header.Text), border);
    sheet += QStringLiteral("QMenuBar { background: %1; color: %2; }\n"
                            "QMenuBar::item { background: transparent; padding: 3px 8px; }\n"
                            "QMenuBar::item:selected, QMenu::item:selected { background: %3; color: %4; }\n"
                            "QMenu { background: %1; color: %2; border: 1px solid %5; }\n"
                            "QMenu::item { padding: 4px 24px 4px 24px; }\n"
                            "QMenu::separator { height: 1px; background: %5; margin: 3px 6px; }\n"
                            "QToolTip { background: %1; color: %2; border: 1px solid %5; }\n")
                 .arg(Css(style.Menu.Background), Css(style.Menu.Text), Css(style.Selection.Background),
                      Css(style.Selection.Text), border);
    sheet += QStringLiteral("QStatusBar { background: %1; color: %2; }\n"
                            "QStatusBar QLabel { color: %2; }\n")
                 .arg(Css(style.StatusBar.Background), Css(style.StatusBar.Text));
    // The classic look keeps its bevelled buttons; the palette colours them.
    if (style.Base != BaseLook::Windows) {
        sheet +=
            QStringLiteral("QPushButton { background: %1; color: %2; border: 1px solid %3; border-radius: %4; "
                           "padding: 4px 12px; }\n"
                           "QPushButton:hover, QPushButton:focus { border-color: %5; }\n"
                           "QPushButton:pressed { background: %5; color: %6; }\n"
                           "QPushButton:disabled { color: %7; }\n")
                .arg(Fill(style, style.Button), Css(style.Button.Text), border, radius, Css(style.Selection.Background),
                     Css(style.Selection.Text), Css(Blend(style.Button.Text, style.Button.Background, 0.5)));
    }
    return sheet;
}

QString BaseStyleKey(BaseLook base)
{
    return base == BaseLook::Windows ? QStringLiteral("Windows") : QStringLiteral("Fusion");
}

} // namespace kelvane::ui
