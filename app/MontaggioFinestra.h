#pragma once

class FrmFascola;

// Puts into the main window what the subsystems built on the case files give it: the
// fee-item tab, the invoice tab, the dialogs of the menus, and the fixed billing items that a
// newly confirmed case file is charged with. Called once, right after the window is created.
void MontaggioFinestra(FrmFascola& finestra);

