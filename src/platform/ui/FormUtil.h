#pragma once
#include <QColor>
#include <cstdint>
#include <initializer_list>
#include <utility>

class QLabel;
class QWidget;

namespace ui {

// A new control named `name`: forms find their controls, and tests find them, by that name.
template <class W, class... A>
W* named(const char* name, A&&... arguments) {
    auto* w = new W(std::forward<A>(arguments)...);
    w->setObjectName(name);
    return w;
}

// A label that shows a value rather than naming one: sunk in a panel, as the old forms
// drew them, at least `minimumWidth` wide.
QLabel* valueLabel(const char* name, int minimumWidth = 0, QWidget* parent = nullptr);

// `controls` side by side in a widget of their own, without margins; with `stretch` the room
// left over goes after them, so that they keep to the left.
QWidget* row(std::initializer_list<QWidget*> controls, bool stretch = true);

// Colours in the old code are written &HBBGGRR: blue in the high byte, red in the low one.
inline constexpr std::uint32_t BgrYellow = 0x00FFFF;
inline constexpr std::uint32_t BgrCyan = 0xFFFF00;
inline constexpr std::uint32_t BgrWhite = 0xFFFFFF;

inline QColor bgr(std::uint32_t value) {
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

// Centres a window on the primary screen's available area. A window not yet sized by hand
// takes the size it will be shown with first, so that it is centred at that size.
void CentraForm(QWidget& window);

}  // namespace ui
