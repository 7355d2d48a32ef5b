#include "clients/engine/ParametriCliente.h"

#include <stdexcept>
#include <string>

#include "foundation/engine/Procedura.h"
#include "foundation/engine/ScritturaInTransazione.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"

namespace {

std::string slot(const char* colonna, int k) { return colonna + std::to_string(k); }

QString testo(const db::Value& v) { return v.textOr(QString()); }

// The columns of `parcli` after the key, in the order the statements below name them.
std::string colonneParametri() {
    std::string colonne = "criterio, camponote";
    for (int k = 1; k <= MassimoElementiFissi; ++k)
        colonne += ", " + slot("elemento", k) + ", " + slot("applica", k);
    return colonne;
}

// The values of those columns: every slot is written, those beyond the items with empty text.
db::Params valoriParametri(const ParametriCliente& p) {
    if (p.fissi.size() > size_t(MassimoElementiFissi))
        throw std::invalid_argument("more fixed billing items than parcli has slots");
    db::Params valori{p.criterio, p.camponote};
    for (int k = 0; k < MassimoElementiFissi; ++k) {
        const bool usato = k < int(p.fissi.size());
        valori.push_back(usato ? p.fissi[size_t(k)].elemento : QString());
        valori.push_back(usato ? p.fissi[size_t(k)].applica : QString());
    }
    return valori;
}

void scriviListino(db::Database& archivio, const QString& cliente, const std::vector<RigaListino>& listino) {
    for (const RigaListino& r : listino)
        archivio.execute("INSERT INTO elecli (cliente, elemento, importo, pagamento) VALUES (?, ?, ?, ?)",
                         {cliente, r.elemento, r.importo, r.pagamento});
}

// What a stored row holds, as another workstation may have changed it: everything the form
// writes, the catalogue's descriptions aside.
bool stessiDati(const ParametriCliente& a, const ParametriCliente& b) {
    if (a.criterio != b.criterio || a.camponote != b.camponote || a.fissi.size() != b.fissi.size() ||
        a.listino.size() != b.listino.size())
        return false;
    for (size_t i = 0; i < a.fissi.size(); ++i)
        if (a.fissi[i].elemento != b.fissi[i].elemento || a.fissi[i].applica != b.fissi[i].applica) return false;
    for (size_t i = 0; i < a.listino.size(); ++i)
        if (a.listino[i].elemento != b.listino[i].elemento || a.listino[i].importo != b.listino[i].importo ||
            a.listino[i].pagamento != b.listino[i].pagamento)
            return false;
    return true;
}

// Whether the client's stored parameters are still those read; the answer for the form
// when they are not.
std::optional<EsitoParametri> cambiatiDaAllora(db::Database& archivio, const ParametriCliente& letti) {
    const std::optional<ParametriCliente> ora = LeggiParametriCliente(archivio, letti.codice);
    if (!ora) return EsitoParametri::EliminatiAltrove;
    if (!stessiDati(*ora, letti)) return EsitoParametri::ModificatiAltrove;
    return std::nullopt;
}

// A write of a client's parameters: all of it or nothing, NonEseguito when the handler's
// answer left it or left one of its steps.
EsitoParametri scrittura(db::Database& archivio, const QString& descrizione,
                         const std::function<std::optional<EsitoParametri>()>& lavoro) {
    OperazioneIndivisibile intera;
    return ScritturaInTransazione<EsitoParametri>(archivio, descrizione, EsitoParametri::Eseguito, EsitoParametri::NonEseguito,
                                  [&]() -> std::optional<EsitoParametri> {
                                      const std::optional<EsitoParametri> rifiuto = lavoro();
                                      if (!rifiuto && intera.interrotta()) return EsitoParametri::NonEseguito;
                                      return rifiuto;
                                  });
}

// A step of a write that the error handler names apart (the price list's rows): false when the
// step was left, and then nothing of the write is committed.
bool passo(const QString& descrizione, const std::function<void()>& lavoro) {
    Procedura proc(descrizione);
    return proc.essenziale(lavoro);
}

const QString RegistrazioneListino = QStringLiteral("Funzione di registrazione elementi a listino dedicato");
const QString CorrezioneListino = QStringLiteral("Funzione di correzione elementi a fatturazione dedicata");
const QString CancellazioneListino = QStringLiteral("Funzione di cancellazione elemento a fatturazione dedicata");

}  // namespace

bool CodiceClienteValido(const QString& codice) {
    return !basic::Trim(codice).isEmpty() && codice != ClienteNonDefinito;
}

bool CriterioValido(const QString& criterio) {
    return criterio.size() == 1 && QStringLiteral("MDVLP").contains(criterio);
}

QString DescrizioneElemento(db::Database& archivio, const QString& elemento) {
    if (elemento.isEmpty()) return {};
    QString descrizione;
    Procedura proc("Funzione di visualizzazione descrizione elemento");
    proc.esegui([&] { descrizione = testo(archivio.scalar("SELECT descrizione FROM elefat WHERE codice = ?", {elemento})); });
    return descrizione;
}

std::vector<QString> RicercaParametriClienti(db::Database& archivio, const QString& codice) {
    std::vector<QString> codici;
    const bool tutti = codice.isEmpty();
    db::Statement st(archivio,
                     tutti ? "SELECT codice FROM parcli ORDER BY codice"
                           : "SELECT codice FROM parcli WHERE codice = ? ORDER BY codice",
                     tutti ? db::Params{} : db::Params{codice});
    while (st.step()) codici.push_back(testo(st.column(0)));
    return codici;
}

std::optional<ParametriCliente> LeggiParametriCliente(db::Database& archivio, const QString& codice) {
    db::Statement riga(archivio, "SELECT codice, " + colonneParametri() + " FROM parcli WHERE codice = ?", {codice});
    if (!riga.step()) return std::nullopt;
    ParametriCliente p;
    p.codice = testo(riga.column(0));
    p.criterio = testo(riga.column(1));
    p.camponote = testo(riga.column(2));
    // A slot left empty between two items (rows written by other programs) is passed over,
    // so the list has no holes and no item is lost.
    for (int k = 0; k < MassimoElementiFissi; ++k) {
        const QString elemento = testo(riga.column(3 + 2 * k));
        if (elemento.isEmpty()) continue;
        p.fissi.push_back({elemento, testo(riga.column(4 + 2 * k)), DescrizioneElemento(archivio, elemento)});
    }

    db::Statement listino(archivio,
                          "SELECT elemento, importo, pagamento FROM elecli WHERE cliente = ? ORDER BY rowid", {codice});
    while (listino.step()) {
        const QString elemento = testo(listino.column(0));
        p.listino.push_back({elemento, listino.column(1).currencyOr(), testo(listino.column(2)),
                             DescrizioneElemento(archivio, elemento)});
    }
    return p;
}

EsitoParametri RegistraParametriCliente(db::Database& archivio, const ParametriCliente& nuovi) {
    if (!CodiceClienteValido(nuovi.codice)) return EsitoParametri::ClienteNonValido;
    if (!CriterioValido(nuovi.criterio)) return EsitoParametri::CriterioNonValido;
    return scrittura(archivio, "Funzione di conferma parametri clienti", [&]() -> std::optional<EsitoParametri> {
        // Checked inside the write transaction: a second workstation storing the same client
        // at the same moment waits for this one and then finds its row.
        if (archivio.scalar("SELECT count(*) FROM parcli WHERE codice = ?", {nuovi.codice}).toInt() > 0)
            return EsitoParametri::GiaDefiniti;
        db::Params valori = valoriParametri(nuovi);
        valori.insert(valori.begin(), nuovi.codice);
        std::string segni = "?";
        for (size_t i = 1; i < valori.size(); ++i) segni += ", ?";
        archivio.execute("INSERT INTO parcli (codice, " + colonneParametri() + ") VALUES (" + segni + ")", valori);
        if (!passo(RegistrazioneListino, [&] {
                archivio.execute("DELETE FROM elecli WHERE cliente = ?", {nuovi.codice});
                scriviListino(archivio, nuovi.codice, nuovi.listino);
            }))
            return EsitoParametri::NonEseguito;
        return std::nullopt;
    });
}

EsitoParametri CorreggiParametriCliente(db::Database& archivio, const ParametriCliente& letti,
                                        const ParametriCliente& nuovi) {
    if (!CodiceClienteValido(letti.codice)) return EsitoParametri::ClienteNonValido;
    if (!CriterioValido(nuovi.criterio)) return EsitoParametri::CriterioNonValido;
    return scrittura(archivio, "Funzione di correzione parametri clienti", [&]() -> std::optional<EsitoParametri> {
        if (const auto cambiati = cambiatiDaAllora(archivio, letti)) return cambiati;
        std::string assegnazioni;
        for (const char* c : {"criterio", "camponote"}) assegnazioni += std::string(c) + " = ?, ";
        for (int k = 1; k <= MassimoElementiFissi; ++k)
            assegnazioni += slot("elemento", k) + " = ?, " + slot("applica", k) + " = ?" +
                            (k < MassimoElementiFissi ? ", " : "");
        db::Params valori = valoriParametri(nuovi);
        valori.push_back(letti.codice);
        archivio.execute("UPDATE parcli SET " + assegnazioni + " WHERE codice = ?", valori);
        if (!passo(CorrezioneListino, [&] { archivio.execute("DELETE FROM elecli WHERE cliente = ?", {letti.codice}); }) ||
            !passo(RegistrazioneListino, [&] { scriviListino(archivio, letti.codice, nuovi.listino); }))
            return EsitoParametri::NonEseguito;
        return std::nullopt;
    });
}

EsitoParametri CancellaParametriCliente(db::Database& archivio, const ParametriCliente& letti) {
    return scrittura(archivio, "Funzione di cancellazione parametri clienti", [&]() -> std::optional<EsitoParametri> {
        if (const auto cambiati = cambiatiDaAllora(archivio, letti)) return cambiati;
        if (!passo(CancellazioneListino,
                   [&] { archivio.execute("DELETE FROM elecli WHERE cliente = ?", {letti.codice}); }))
            return EsitoParametri::NonEseguito;
        archivio.execute("DELETE FROM parcli WHERE codice = ?", {letti.codice});
        return std::nullopt;
    });
}

void CancellaParametriDelCodice(db::Database& archivio, const QString& codice) {
    archivio.execute("DELETE FROM elecli WHERE cliente = ?", {codice});
    archivio.execute("DELETE FROM parcli WHERE codice = ?", {codice});
}
