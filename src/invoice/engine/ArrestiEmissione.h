#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "accounting/engine/ParametriContabili.h"
#include "foundation/engine/NumeriDeiParametri.h"
#include "invoice/engine/ContabilizzazioneDocumento.h"
#include "invoice/engine/DocumentoDaEmettere.h"
#include "invoice/engine/EmissioneDocumento.h"

// Why an issue stopped, in the user's words: one message of the issue for each stop.

// What the writing stages found out about a stop, for its explanation.
struct DettagliArresto {
    int GiaFatturate = 0;      // fee items billed meanwhile by another document
    int64_t UltimoNumero = 0;  // the register's last number, when a typed number was refused
    std::optional<RigaNonContabilizzabile> Riga;
    // The document of the year that bears the number, or of the client that bears the identifier
    // (DocumentiNumerati::descrizione).
    QString Documento;
    std::optional<NumeroDeiParametri> Parametro;  // the parameter that is no number in figures
    std::optional<EsercizioContabile> Esercizio;  // the linked archive's year, when the date is outside it
    int RigaAliquota = 0;  // the line whose VAT rate no document bears
};

// The question asked, not linked, before a number that documents of the year bear (one
// description each) is given again: which documents, and whether to go on.
QString DomandaNumeroRipetuto(const QString& numero, const QStringList& documenti);

// Tells the user why the issue `e` of `d` stopped (nothing for a document issued, or for the
// user's own No), once the archives are free again.
void Spiega(const EsitoEmissione& e, const DocumentoDaEmettere& d, const DettagliArresto& dettagli);
