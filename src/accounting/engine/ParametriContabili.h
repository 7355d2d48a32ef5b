#pragma once
#include <QDate>
#include <QString>
#include <cstdint>

#include "accounting/engine/CodicePdC.h"
#include "platform/system/Currency.h"

namespace db {
class Database;
}

// The accounting parameters of the linked archive: its one `parametri` row, one field per
// column under the column's name. The initial values are the defaults a new row gets (the
// year aside, which comes from the archive's name). Filled by LetturaParametri each time
// the archive is found; read only by the accounting link.
struct ParametriContabiliRec {
    QString Autocausale = "LIBERA";
    int16_t meseinizioesercizio = 1;
    QString Esercizio;
    bool NumeraAcquisti = true;
    bool NumeraVendite = true;
    int16_t PeriodicitaDichiarazioneIva = 1;  // column PeriodicitàDichiarazioneIva
    QString codiceivadefault = "20";
    bool protocollo = true;
    QString ContoCassa = CodicePdCVuoto;
    QString ContoIvaDetraibile = CodicePdCVuoto;
    QString ContoIvaIndetraibile = CodicePdCVuoto;
    QString ContoIvaVendite = CodicePdCVuoto;
    QString contoivasospesa = CodicePdCVuoto;
    QString ContoRicavi = CodicePdCVuoto;
    QString ContoCosti = CodicePdCVuoto;
    float ivamora = 0;
    int16_t interessemora = 10;
    bool ventilazione = false;
    QString ventilazioneregistro = "A";
    QString corrispeventi = "C";
    bool Centridicosto = false;
    bool attivastoria = false;
    QString fattpag = CodicePdCVuoto;
    QString fattpagabbuoniattivi = CodicePdCVuoto;
    QString fattpagabbuonipassivi = CodicePdCVuoto;
    bool commesse = false;
    bool prorata = false;
    QString proratapercentuale = "0";  // a number column, held as text
    bool plafond = false;
    Currency PlafondImporto;
    bool semplificata = false;
    bool modofunzicorrispe = false;
    QString regimeiva = "O";
    float ivaforfait = 0;
    bool agenziaviaggio = false;
    float aliquotascorporoagevi = 0;
    bool venditaUsato = false;
    bool editoria = false;
    bool Agricoltura = false;
    bool agriturismo = false;
    bool professionisti = false;
    Currency sogliaIva = Currency::fromUnits(26);
    QString ContoEconomico = CodicePdCVuoto;
    QString UtileEsercizio = CodicePdCVuoto;
    QString PerditaEsercizio = CodicePdCVuoto;
    QString StatoPatrimonialeA = CodicePdCVuoto;
    QString StatoPatrimonialeC = CodicePdCVuoto;
    QString StampanteGrafica = "Definire";
    QString stampanteaghi = "Generica / solo testo";
    QString Emulazione = "IBM PPR";
    QString CartellaImmagini = "Definire";
    bool ControlloDuplicazione = true;
    // Kept by the accounting package: read, never written here.
    int32_t numerorigagiornale = 0;
    Currency totaleariportare;
};

ParametriContabiliRec& ParametriContabili();

// Reads the `parametri` row of the accounting archive reached through `archivio` (the
// session, or a connection to the accounting archive itself) into ParametriContabili(); an
// archive without the row gets the defaults (DefinizioneDefaultParametri). A column that
// cannot be read goes to the error handler; going on leaves its field as it was.
void LetturaParametri(db::Database& archivio);

// ParametriContabili() to the defaults, the year taken from the archive's name
// AmbienteLavoro().PathArchivioContabile (..._2004.mdb gives "2004"), and the row added to the
// archive with every column but the last two, which the package keeps.
void DefinizioneDefaultParametri(db::Database& archivio);

// The accounting year of an archive, as its `parametri` row gives it: from the first day of the
// month `meseinizioesercizio` of the year `Esercizio`, for twelve months. The archive's register
// numbers and its journal are those of that year alone.
struct EsercizioContabile {
    QString Esercizio;   // as the row holds them, without the blanks around them
    QString MeseInizio;
    // The first and the last day; null when the row gives no year (no row, a year that is not
    // four figures, a month outside 1 to 12).
    QDate Inizio;
    QDate Fine;
    bool Valido() const { return Inizio.isValid(); }
    bool Contiene(const QDate& data) const { return Valido() && data >= Inizio && data <= Fine; }
};

// The accounting year of the archive reached through `archivio` (the session, or a connection
// to the accounting archive itself), read from its first `parametri` row. Throws db::DbError.
EsercizioContabile LetturaEsercizioContabile(db::Database& archivio);
