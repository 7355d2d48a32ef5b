#pragma once
#include <QString>

class FrmFascola;
namespace db {
class Database;
}

// Puts into the main window what the subsystems built on the case files give it: the
// fee-item tab, the invoice tab, the dialogs of the menus, and the fixed billing items that a
// newly confirmed case file is charged with. Called once, right after the window is created.
void MontaggioFinestra(FrmFascola& finestra);

// The fixed billing items of client `cliente` (application code "1") charged to its new case
// file `npra` on `archivio`, inside the confirmation's transaction: false when they could not
// all be charged (the error handler has been told), and the confirmation then stores nothing.
bool AddebitaElementiFissi(db::Database& archivio, const QString& cliente, const QString& npra);
