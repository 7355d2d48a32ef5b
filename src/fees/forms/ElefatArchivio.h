#pragma once
// What the catalogue form's files share: whether the accounting archive is linked and the
// widths of the stored fields.
#include <QString>

#include "foundation/engine/Ambiente.h"

namespace elefat {

// The widths of the columns the fields are stored in.
inline constexpr int LunghezzaCodice = 3;
inline constexpr int LunghezzaDescrizione = 50;
inline constexpr int LunghezzaIva = 5;

inline bool Collegato() { return AmbienteLavoro().CollegatoContabilita; }

}  // namespace elefat
