#pragma once
#include <QColor>
#include <cstdint>
#include <initializer_list>
#include <utility>

class QButtonGroup;
class QDialog;
class QLabel;
class QPushButton;
class QRadioButton;
class QString;
class QVBoxLayout;
class QWidget;

namespace ui {

// A new control named `name`: forms find their controls, and tests find them, by that name.
template <class W, class... A>
W* named(const char* name, A&&... arguments) {
    auto* w = new W(std::forward<A>(arguments)...);
    w->setObjectName(name);
    return w;
}

// A label that shows a value rather than naming one: sunk in a panel, so that it reads as a
// field the user cannot type in, at least `minimumWidth` wide.
QLabel* valueLabel(const char* name, int minimumWidth = 0, QWidget* parent = nullptr);

// `controls` side by side in a widget of their own, without margins; with `stretch` the room
// left over goes after them, so that they keep to the left.
QWidget* row(std::initializer_list<QWidget*> controls, bool stretch = true);

// `content` fills `page` edge to edge: how a tab's own widget takes its place in the tab strip.
void fillPage(QWidget& page, QWidget& content);

// A command button that Enter typed in a field never presses: the forms have no default
// button, Enter only ends the typing.
QPushButton* commandButton(const char* name, const QString& text);

// Enter typed in a field of `dialog` presses `confirming`, or no button at all when it is
// null. Left to itself a dialog makes its first button in the focus order the one Enter
// presses (a SFOGLIA beside the first field opened its chooser), and any button that had the
// focus once; here no other button ever becomes it. With a confirming button a button that
// has the focus is pressed by Enter while it has it, as dialogs do; without one it is pressed
// by the space bar only. Called once the dialog's buttons are all made.
void enterPresses(QDialog& dialog, QPushButton* confirming);

// A form's command buttons one under the other from the top, and `last` (when given) alone at
// the foot of the column: the exit, kept apart from the record commands.
QVBoxLayout* buttonColumn(std::initializer_list<QPushButton*> buttons, QPushButton* last = nullptr);

// A label in bold, as the forms show the action in progress.
QLabel* boldLabel(const char* name, const QString& text = {});
// A form's title: bold, centred, `scale` times the usual size.
QLabel* titleLabel(const char* name, const QString& text, double scale = 1.4);

// Options that each stand for a value (a letter, a digit), gathered in `group`: the value of
// the one chosen ("" while none is), the choice of the one standing for `value` (any other
// value leaves the choice as it was), and no option chosen at all, which a click on an
// exclusive group cannot give.
QRadioButton* valueOption(const char* name, const QString& text, const QString& value);
QString checkedValue(const QButtonGroup& group);
void checkValue(QButtonGroup& group, const QString& value);
void uncheckAll(QButtonGroup& group);

// A check that refuses what was typed: its message shown, the focus on `field` to mend it;
// answers false, for the check to return.
bool refuse(QWidget& field, const QString& message);

// Colours are written &HBBGGRR: blue in the high byte, red in the low one.
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
