#pragma once
#include <QHash>
#include <QString>
#include <optional>
#include <vector>

#include "platform/system/ComboRow.h"

namespace db {
class Database;
}

// The clients of the case files: the client accounts (nature "C") of the accounting archive
// while the link is on, the program's own registry `mpxanagrafe` otherwise. Every look-up runs
// on the session it is given (the accounting archive attached to it while linked) and throws
// db::DbError; the caller runs it under its own error-handler text.

// The code of the first client named `nome`; nothing when no client has that name.
std::optional<QString> CodiceDelCliente(db::Database& archivio, const QString& nome);

// The name of the client `codice`: the account's description when linked, the registry's
// `ragione` otherwise; nothing when there is no such client.
std::optional<QString> NomeDelCliente(db::Database& archivio, const QString& codice);

// The names of the clients `codici` in one query, by code; codes of no client are missing.
QHash<QString, QString> NomiDeiClienti(db::Database& archivio, const std::vector<QString>& codici);

// The names offered in the client-name box, alphabetically (when linked the postable client
// accounts only, never the headings ending in ".0000").
std::vector<ui::ComboRow> ElencoClienti(db::Database& archivio);

// The catalogue's element codes, in order, for the fee-element search criterion.
std::vector<ui::ComboRow> ElencoElementi(db::Database& archivio);
