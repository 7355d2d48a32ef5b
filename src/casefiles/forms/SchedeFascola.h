#pragma once
#include <QString>

class FrmFascola;

// What the case-file mask does to the window's other tabs.

// The initial mode: the tasks, jobs and fee-item tabs emptied, their fields cleared and the
// fee-item fields closed.
void SvuotaSchede(FrmFascola& finestra);

// A case file on display handed to the tasks tab (its tasks shown), the jobs tab (no task
// chosen yet: empty) and the fee-item tab (its fee items shown, new items on the case file
// itself, only the element to be chosen).
void PassaFascolaAlleSchede(FrmFascola& finestra, const QString& nome, const QString& codice, const QString& npra);
