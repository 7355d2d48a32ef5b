#include "fees/engine/ElementiDaFatturare.h"

#include <optional>

#include "foundation/engine/ElencoCombo.h"
#include "foundation/engine/ScritturaInTransazione.h"
#include "foundation/engine/RigaLetta.h"
#include "platform/db/DbError.h"

namespace {

// The columns of `elefat`, in the order ElementoLetto::comeLetto keeps them.
const char* const Colonne[] = {"codice",   "descrizione", "accoda", "calcolo",  "importo",
                               "arrotonda", "iva",        "ivacee", "tipo",     "contofat",
                               "dare",      "avere",      "pagamento", "codicepagamento"};
constexpr size_t NumeroColonne = std::size(Colonne);

std::string elencoColonne() {
    std::string elenco;
    for (const char* c : Colonne) elenco += (elenco.empty() ? "" : ", ") + std::string(c);
    return elenco;
}

ElementoLetto elementoDaRiga(const db::Statement& st) {
    ElementoLetto letto;
    for (size_t i = 0; i < NumeroColonne; ++i) letto.comeLetto.push_back(st.column(int(i)));
    const db::Params& v = letto.comeLetto;
    auto testo = [&](size_t i) { return v[i].textOr(QString()); };
    ElementoDaFatturare& e = letto.elemento;
    e.codice = testo(0);
    e.descrizione = testo(1);
    e.accoda = v[2].boolOr(false);
    e.calcolo = testo(3);
    e.importo = v[4].currencyOr();
    e.arrotonda = v[5].currencyOr();
    e.iva = testo(6);
    e.ivacee = testo(7);
    e.tipo = testo(8);
    e.contofat = testo(9);
    e.dare = testo(10);
    e.avere = testo(11);
    e.pagamento = v[12].boolOr(false);
    e.codicepagamento = testo(13);
    return letto;
}

std::vector<ElementoLetto> leggi(db::Database& archivio, const std::string& condizioni, const db::Params& parametri) {
    std::vector<ElementoLetto> righe;
    db::Statement st(archivio, "SELECT " + elencoColonne() + " FROM elefat" + condizioni + " ORDER BY codice",
                     parametri);
    while (st.step()) righe.push_back(elementoDaRiga(st));
    return righe;
}

// Every column but the code, in the order of Colonne.
db::Params valoriScritti(const ElementoDaFatturare& e) {
    return {e.descrizione, e.accoda,   e.calcolo, e.importo, e.arrotonda, e.iva,      e.ivacee,
            e.tipo,        e.contofat, e.dare,    e.avere,   e.pagamento, e.codicepagamento};
}

// How a catalogue row is found again as it was read.
const FormaRiga& FormaElefat() {
    static const FormaRiga forma{"elefat", {Colonne[0]}, {std::begin(Colonne) + 1, std::end(Colonne)}};
    return forma;
}

// A write of the catalogue: all of it or nothing, NonRegistrato when the handler's answer
// left it.
EsitoElemento scrittura(db::Database& archivio, const QString& descrizione,
                        const std::function<std::optional<EsitoElemento>()>& lavoro) {
    return ScritturaInTransazione(archivio, descrizione, EsitoElemento::Registrato, EsitoElemento::NonRegistrato,
                                  lavoro);
}

}  // namespace

std::vector<ElementoLetto> RicercaElementi(db::Database& archivio, const QString& codice, const QString& descrizione) {
    std::string condizioni;
    db::Params parametri;
    if (!codice.isEmpty()) {
        condizioni = " WHERE codice = ?";
        parametri.push_back(codice);
    }
    if (!descrizione.isEmpty()) {
        condizioni += condizioni.empty() ? " WHERE descrizione = ?" : " AND descrizione = ?";
        parametri.push_back(descrizione);
    }
    return leggi(archivio, condizioni, parametri);
}

std::optional<ElementoLetto> LeggiElemento(db::Database& archivio, const QString& codice) {
    auto righe = leggi(archivio, " WHERE codice = ?", {codice});
    if (righe.empty()) return std::nullopt;
    return std::move(righe.front());
}

std::optional<ElementoDaFatturare> ElementoPerCodice(db::Database& archivio, const QString& codice) {
    auto letto = LeggiElemento(archivio, codice);
    if (!letto) return std::nullopt;
    return std::move(letto->elemento);
}

std::optional<ElementoDaFatturare> ElementoPerDescrizione(db::Database& archivio, const QString& descrizione) {
    auto righe = leggi(archivio, " WHERE descrizione = ?", {descrizione});
    if (righe.empty()) return std::nullopt;
    return std::move(righe.front().elemento);
}

bool ElementoInUso(db::Database& archivio, const QString& codice) {
    return !archivio.scalar("SELECT 1 FROM competenze WHERE elemento = ? LIMIT 1", {codice}).isNull();
}

std::vector<ui::ComboRow> ElencoCodiciElementi(db::Database& archivio) {
    return ElencoDaQuery(archivio, "SELECT codice FROM elefat ORDER BY codice");
}

std::vector<ui::ComboRow> ElencoDescrizioniElementi(db::Database& archivio) {
    return ElencoDaQuery(archivio, "SELECT descrizione FROM elefat ORDER BY descrizione");
}

EsitoElemento InserisciElemento(db::Database& archivio, const ElementoDaFatturare& e) {
    return scrittura(archivio, "Funzione di conferma elemento", [&]() -> std::optional<EsitoElemento> {
        if (!archivio.scalar("SELECT 1 FROM elefat WHERE codice = ?", {e.codice}).isNull())
            return EsitoElemento::CodiceEsistente;
        db::Params valori = valoriScritti(e);
        valori.insert(valori.begin(), e.codice);
        std::string marche;
        for (size_t i = 0; i < NumeroColonne; ++i) marche += i ? ", ?" : "?";
        try {
            archivio.execute("INSERT INTO elefat (" + elencoColonne() + ") VALUES (" + marche + ")", valori);
        } catch (const db::DbError& errore) {
            // Another workstation got in between; its row stands.
            if (errore.number != db::err::DuplicateKey) throw;
            return EsitoElemento::CodiceEsistente;
        }
        return std::nullopt;
    });
}

EsitoElemento CorreggiElemento(db::Database& archivio, ElementoLetto& letto, const ElementoDaFatturare& nuovo) {
    std::optional<ElementoLetto> dopo;
    const EsitoElemento esito =
        scrittura(archivio, "Funzione di correzione elemento", [&]() -> std::optional<EsitoElemento> {
            const db::Params valori = valoriScritti(nuovo);
            Campi campi;
            for (size_t i = 1; i < NumeroColonne; ++i) campi.emplace_back(Colonne[i], valori[i - 1]);
            db::Params comeLetto = letto.comeLetto;
            AggiornaRigaLetta(archivio, FormaElefat(), comeLetto, campi);
            dopo = LeggiElemento(archivio, letto.elemento.codice);
            return std::nullopt;
        });
    if (esito == EsitoElemento::Registrato && dopo) letto = std::move(*dopo);
    return esito;
}

EsitoElemento CancellaElemento(db::Database& archivio, const ElementoLetto& letto) {
    return scrittura(archivio, "Funzione di cancellazione elemento", [&]() -> std::optional<EsitoElemento> {
        // A fee item added meanwhile by another workstation keeps the element.
        if (ElementoInUso(archivio, letto.elemento.codice)) return EsitoElemento::InUso;
        CancellaRigaLetta(archivio, FormaElefat(), letto.comeLetto);
        return std::nullopt;
    });
}
