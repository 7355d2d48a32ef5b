#pragma once
#include <QString>
#include <optional>
#include <vector>

#include "platform/system/ComboRow.h"

// The clients of the case files: the client accounts (nature "C") of the accounting
// archive while the link is on, the program's own registry `mpxanagrafe` otherwise. The
// look-ups throw db::DbError; the caller runs them under its own error-handler text.

// The code of the first client named `nome`; nothing when no client has that name.
std::optional<QString> CodiceDelCliente(const QString& nome);

// The name of the client `codice`: the account's description when linked, the registry's
// `ragione` otherwise; nothing when there is no such client.
std::optional<QString> NomeDelCliente(const QString& codice);

// The names offered in the client-name box, alphabetically (when linked the postable client
// accounts only, never the headings ending in ".0000"). Errors go to the error handler.
std::vector<ui::ComboRow> ElencoClienti();

// The catalogue's element codes, in order, for the fee-element search criterion. Errors go
// to the error handler.
std::vector<ui::ComboRow> ElencoElementi();
