#pragma once
#include <functional>

class QFocusEvent;
class QWidget;

namespace ui {

// Whether a focus-out is the user leaving the field. Focus that moves because a popup opened
// (a combo's list, a menu) or because another window became active is not: the field's
// lost-focus checks run only when the user moves on.
bool isUserLeaving(const QFocusEvent& focusOut);

// Gives every text box and editable combo of the program the focus colours: cyan while the
// user is in it, white once the user leaves it. Installed on the application; repeated calls
// do nothing.
void installFocusColours();

// Runs `gotFocus` when the user enters `widget` and `lostFocus` when the user leaves it (either
// may be empty). Returning to the window or closing a popup while in the field enters nothing.
void onFocusChange(QWidget& widget, std::function<void()> gotFocus, std::function<void()> lostFocus);

// Removes the handlers of onFocusChange from `root` and every widget inside it. A form whose
// handlers reach its own members calls it from its destructor: the focus leaves its fields
// while the base widget is being destroyed, when the form's members are gone already.
void dropFocusHandlers(QWidget& root);

}  // namespace ui
