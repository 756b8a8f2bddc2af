#include "ui/design/AppPalette.hpp"

#include <QStyle>
#include <QStyleFactory>

#include <memory>

namespace zentrel::ui {

QPalette lightAppPalette() {
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    return fusion->standardPalette();
}

QPalette darkAppPalette() {
    QPalette palette;
    const QColor window(0x1E, 0x1F, 0x22), base(0x17, 0x18, 0x1B), text(0xEC, 0xEC, 0xEE);
    const QColor button(0x2B, 0x2D, 0x31), highlight(0x2F, 0x7B, 0xE8), dimmed(0x8A, 0x8C, 0x92);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window.lighter(115));
    palette.setColor(QPalette::ToolTipBase, button);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, dimmed);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, button);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, highlight.lighter(120));
    palette.setColor(QPalette::Light, button.lighter(150));
    palette.setColor(QPalette::Midlight, button.lighter(125));
    palette.setColor(QPalette::Mid, button.darker(120));
    palette.setColor(QPalette::Dark, button.darker(150));
    palette.setColor(QPalette::Shadow, Qt::black);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, dimmed);
    return palette;
}

}  // namespace zentrel::ui
