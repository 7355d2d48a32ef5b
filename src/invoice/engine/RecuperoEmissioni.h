#pragma once
#include <QString>

namespace db {
class Database;
}

// What an issue stopped by the end of its process left in the start folder `cartellaAvvio`
// and the invoice folder `cartellaFatture` of this computer (temporary print databases and
// copies, sys::IsLeftover): a print database whose document was committed is completed as
// the issue would have (its copy put in the invoice folder when `memorizza`, under its
// name), and then removed; any other is removed. Throws db::DbError.
void RecuperoEmissioniInterrotte(db::Database& sessione, const QString& cartellaAvvio, const QString& cartellaFatture,
                                 bool collegato, bool memorizza);
