#pragma once

#include <QPalette>

namespace prova {

// A dark palette as dark desktop themes hand it to a program.
inline QPalette paletteScura()
{
    QPalette p;
    const QColor fondo(0x35, 0x35, 0x35), base(0x2a, 0x2a, 0x2a), chiaro(0xee, 0xee, 0xee);
    for (auto r : {QPalette::Window, QPalette::Button, QPalette::ToolTipBase})
        p.setColor(r, fondo);
    for (auto r : {QPalette::Base, QPalette::AlternateBase})
        p.setColor(r, base);
    for (auto r : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText})
        p.setColor(r, chiaro);
    p.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
    p.setColor(QPalette::Midlight, QColor(0x40, 0x40, 0x40));
    p.setColor(QPalette::Mid, QColor(0x25, 0x25, 0x25));
    p.setColor(QPalette::Dark, QColor(0x20, 0x20, 0x20));
    p.setColor(QPalette::Shadow, QColor(0x14, 0x14, 0x14));
    return p;
}

} // namespace prova
