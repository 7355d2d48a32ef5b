#pragma once

// Loads Qt's own Italian texts (the standard buttons of message boxes and dialogs, the print
// and print-preview dialogs) from Qt's translations folder into the running application, so
// the program's dialogs speak one language. False when they are not installed (Debian
// package qt6-translations-l10n): those dialogs then stay in English. Call once, after the
// application object is created.
namespace ui {

bool installItalianQtTranslations();

}  // namespace ui
