#pragma once
#include <functional>

class QWidget;

namespace ui {

// Runs `action` on a left press on `widget`: the field's Click. A combo's list reports nothing that tells the user's pick from the box's own matching
// of the text when it is left, so the press that opens the list stands for it. The press goes
// on to the widget as before. Lives as long as the widget.
void onClick(QWidget& widget, std::function<void()> action);

// The same for a left double click: the field's DblClick.
void onDoubleClick(QWidget& widget, std::function<void()> action);

}  // namespace ui
