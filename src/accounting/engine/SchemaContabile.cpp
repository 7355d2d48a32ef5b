#include "accounting/engine/SchemaContabile.h"

#include <QString>

using db::Kind;
using db::column;
using db::counter;
using db::date;
using db::money;
using db::text;
using db::yesNo;

const std::vector<db::Table>& SchemaDitte() {
    static const std::vector<db::Table> schema = {
        {"ditte",
         {counter("id"), text("Acronimo", 30), text("Dove", 50)},
         {}},
    };
    return schema;
}

namespace {

// One row; its columns in the order in which the program reads and writes them.
db::Table tabellaParametri() {
    return {"parametri",
            {
                text("Autocausale", 10),
                column("meseinizioesercizio", Kind::Integer),
                text("Esercizio", 4),
                yesNo("NumeraAcquisti"),
                yesNo("NumeraVendite"),
                column("PeriodicitàDichiarazioneIva", Kind::Integer),
                text("codiceivadefault", 3),
                yesNo("protocollo"),
                text("ContoCassa", 13),
                text("ContoIvaDetraibile", 13),
                text("ContoIvaIndetraibile", 13),
                text("ContoIvaVendite", 13),
                text("contoivasospesa", 13),
                text("ContoRicavi", 13),
                text("ContoCosti", 13),
                column("ivamora", Kind::Single),
                column("interessemora", Kind::Integer),
                yesNo("ventilazione"),
                text("ventilazioneregistro", 3),
                text("corrispeventi", 3),
                yesNo("Centridicosto"),
                yesNo("attivastoria"),
                text("fattpag", 13),
                text("fattpagabbuoniattivi", 13),
                text("fattpagabbuonipassivi", 13),
                yesNo("commesse"),
                yesNo("prorata"),
                column("proratapercentuale", Kind::Single),
                yesNo("plafond"),
                money("PlafondImporto"),
                yesNo("semplificata"),
                yesNo("modofunzicorrispe"),
                text("regimeiva", 1),
                column("ivaforfait", Kind::Single),
                yesNo("agenziaviaggio"),
                column("aliquotascorporoagevi", Kind::Single),
                yesNo("venditaUsato"),
                yesNo("editoria"),
                yesNo("Agricoltura"),
                yesNo("agriturismo"),
                yesNo("professionisti"),
                money("sogliaIva"),
                text("ContoEconomico", 13),
                text("UtileEsercizio", 13),
                text("PerditaEsercizio", 13),
                text("StatoPatrimonialeA", 13),
                text("StatoPatrimonialeC", 13),
                text("StampanteGrafica", 50),
                text("stampanteaghi", 50),
                text("Emulazione", 10),
                text("CartellaImmagini", 80),
                yesNo("ControlloDuplicazione"),
                column("numerorigagiornale", Kind::Long),
                money("totaleariportare"),
            },
            {}};
}

std::vector<db::Table> archivioContabile() {
    return {
        {"pianodeiconti",
         {text("codice", 13), text("descrizione", 50), text("natura", 1), text("parola", 10)},
         {"codice"}},
        {"codicipagamento",
         {text("codice", 3), text("descrizione", 40), column("periodo", Kind::Integer)},
         {"codice"}},
        {"ivacodici",
         {text("codice", 3), text("descrizione", 30), column("aliquota", Kind::Integer)},
         {"codice"}},
        {"ivaregistri",
         {text("codice", 1), text("tipo", 1), text("criterionumerazioni", 1),
          column("numerofattura", Kind::Long), column("numerovariazioneaum", Kind::Long),
          column("numerovariazionedim", Kind::Long), text("suffisso", 3)},
         {"codice"}},
        {"anagrafe",
         {text("codice", 13), text("indirizzo", 60), text("civico", 5), text("cap", 5),
          text("citta", 40), text("provincia", 2), text("partitaiva", 20),
          text("codicefiscale", 20), text("codicepagamento", 3)},
         {"codice"}},
        tabellaParametri(),
        {"giornale",
         {counter("contatore"), date("giorno"), column("numero", Kind::Integer),
          text("madre", 10), text("tipo", 1), yesNo("iva"), text("descrizione", 100),
          date("datadocumento"), text("protocollo", 10), yesNo("competenza"),
          column("stampaiva", Kind::Long), column("stampagio", Kind::Long), yesNo("appunti"),
          text("immagine", 100), text("valuta", 3), column("cambio", Kind::Single),
          text("clientefornitoreiva", 13), text("registroiva", 1), text("tipodocumentoiva", 1),
          text("protocolloiva", 10), column("linkivasospe", Kind::Long), yesNo("competenzaiva"),
          money("totaleiva")},
         {}},
        {"giornaledettaglio",
         {date("giorno"), column("numero", Kind::Integer), text("codice", 13), money("importo"),
          text("segno", 1), yesNo("costo"), column("ordinale", Kind::Integer)},
         {}},
        {"ivadettaglio",
         {column("linkgiornale", Kind::Long), money("imponibile"), money("imposta"),
          text("codiceiva", 3), column("ordinaleiva", Kind::Integer)},
         {}},
        {"giornalenumero",
         {date("giorno"), column("numero", Kind::Integer), yesNo("confermato")},
         {"giorno", "numero"}},
    };
}

}  // namespace

const std::vector<db::Table>& SchemaArchivioContabile() {
    static const std::vector<db::Table> schema = archivioContabile();
    return schema;
}

const db::Table* TabellaArchivioContabile(const char* nome) {
    const QString cercato = QString::fromUtf8(nome);
    for (const db::Table& t : SchemaArchivioContabile())
        if (QString::fromStdString(t.name).compare(cercato, Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}
