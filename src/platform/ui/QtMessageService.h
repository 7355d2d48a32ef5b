#pragma once

namespace ui {

// Makes the real Qt message boxes, input boxes and choosers the program's default message
// service. The program calls it once at start; tests install their scripted service instead.
void installQtMessages();

}  // namespace ui
