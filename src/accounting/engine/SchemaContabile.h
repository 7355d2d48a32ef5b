#pragma once
#include <vector>

#include "platform/db/Schema.h"

// The tables of the accounting package's archives that this program reads or writes, with
// the columns it touches. The package owns these files: the program never creates or alters
// their tables; these definitions let the test fixtures and the sample archives hold
// exactly what the program expects.

// The companies list "ditte.mdb": table `ditte`.
const std::vector<db::Table>& SchemaDitte();

// A company's accounting archive for one financial year: chart of accounts, payment terms,
// VAT codes and registers, client and supplier registry, parameters, journal.
const std::vector<db::Table>& SchemaArchivioContabile();

// One table of the accounting archive by name (compared without regard to case); nullptr
// when the archive has no such table.
const db::Table* TabellaArchivioContabile(const char* nome);
