#include "invoice/engine/DocumentiNumerati.h"

#include <QDir>
#include <algorithm>
#include <tuple>

#include "accounting/engine/ParametriContabili.h"
#include "invoice/engine/ArchivioStampaFattura.h"
#include "invoice/engine/DocumentiEmessi.h"
#include "invoice/engine/DocumentoDaEmettere.h"
#include "invoice/engine/FatturazioneCompetenze.h"
#include "invoice/engine/Ristampa.h"
#include "invoice/engine/StampaDocumento.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/Paths.h"

namespace {

// The documents of a number within one calendar year's stretch of the year (?1 the number as
// `idfattura` keeps it, ?2 the year yy, ?3 and ?4 the first and last mmdd): the number and the
// year are compared by the expressions of the archive's indexes on `idfattura`, so that a
// look-up reads only the documents of that number and calendar year.
const std::string DelNumeroNelTratto =
    " WHERE substr(idfattura, 11, 5) = ?1 AND substr(idfattura, 5, 2) = ?2 AND substr(idfattura, 7, 4) BETWEEN ?3 "
    "AND ?4";

// The fee items' documents.
const std::string DocumentiDelleCompetenze =
    "SELECT DISTINCT cliente, idfattura, '' AS lettera FROM competenze" + DelNumeroNelTratto;

// The documents the issues recorded, with their letters; not one cancelled elsewhere.
const std::string DocumentiAnnotati = "SELECT cliente, idfattura, lettera FROM DocumentiEmessi" +
                                      DelNumeroNelTratto + " AND " + DocumentoAnnotatoInVigore();

// Linked, those the journal does not hold: no header of the same client, document date and
// number (as `idfattura` keeps it).
const char* const NonRegistrati =
    " AND NOT EXISTS (SELECT 1 FROM giornale AS g WHERE g.clientefornitoreiva = d.cliente "
    "AND substr(strftime('%Y%m%d', g.datadocumento), 3) = substr(d.idfattura, 5, 6) "
    "AND substr('00000' || trim(g.protocolloiva), -5) = substr(d.idfattura, 11, 5))";

QString TitoloDaLettera(const QString& lettera) {
    const auto tipo = TipoDaLettera(lettera);
    return tipo ? TitoloDocumento(*tipo) : QStringLiteral("DOCUMENTO");
}

}  // namespace

AnnoDeiDocumenti AnnoDeiDocumenti::Solare(const QDate& data) {
    if (!data.isValid()) return {};
    return {QDate(data.year(), 1, 1), QDate(data.year(), 12, 31)};
}

AnnoDeiDocumenti AnnoDeiDocumenti::DellEsercizio(const EsercizioContabile& esercizio) {
    if (!esercizio.Valido()) return {};
    return {esercizio.Inizio, esercizio.Fine};
}

DocumentiNumerati::DocumentiNumerati(db::Database& sessione, const QString& cartellaFatture, bool collegato,
                                     const AnnoDeiDocumenti& anno)
    : sessione_(sessione), cartella_(CartellaFattureIndicata(cartellaFatture)), collegato_(collegato) {
    if (!anno.Inizio.isValid() || !anno.Fine.isValid()) return;
    for (int a = anno.Inizio.year(); a <= anno.Fine.year(); ++a) {
        const QDate dal = std::max(anno.Inizio, QDate(a, 1, 1)), al = std::min(anno.Fine, QDate(a, 12, 31));
        tratti_.push_back({basic::Format(dal, "yy"), basic::Format(dal, "mmdd"), basic::Format(al, "mmdd")});
    }
}

std::optional<QString> DocumentiNumerati::posizione(const QString& idfattura) const {
    const QString anno = basic::Mid(idfattura, 5, 2), giorno = basic::Mid(idfattura, 7, 4);
    for (size_t i = 0; i < tratti_.size(); ++i)
        if (tratti_[i].Anno == anno && giorno >= tratti_[i].Dal && giorno <= tratti_[i].Al)
            return QString::number(i) + giorno;
    return std::nullopt;
}

std::vector<DocumentoNumerato> DocumentiNumerati::conNumero(const QString& numero) const {
    std::vector<DocumentoNumerato> documenti;
    const QString parte = NumeroInIdFattura(numero);

    // Each document once, with the letter its record or its stored copy tells.
    auto aggiungi = [&](const QString& cliente, const QString& idfattura, const QString& lettera) {
        auto stesso = std::find_if(documenti.begin(), documenti.end(), [&](const DocumentoNumerato& x) {
            return x.IdFattura == idfattura && x.Cliente.compare(cliente, Qt::CaseInsensitive) == 0;
        });
        if (stesso == documenti.end()) documenti.push_back({cliente, idfattura, lettera});
        else if (!lettera.isEmpty()) stesso->Lettera = lettera;
    };
    // The documents that billed fee items, then those the issues recorded (documents of typed
    // lines, which bill none, among them).
    for (const std::string* documentiDi : {&DocumentiDelleCompetenze, &DocumentiAnnotati}) {
        std::string sql = "WITH d AS (" + *documentiDi + ") SELECT cliente, idfattura, lettera FROM d";
        if (collegato_) sql += std::string(" WHERE 1") + NonRegistrati;
        for (const Tratto& t : tratti_) {
            db::Statement st(sessione_, sql, {parte, t.Anno, t.Dal, t.Al});
            while (st.step())
                aggiungi(st.column(0).textOr(QString()), st.column(1).textOr(QString()),
                         st.column(2).textOr(QString()));
        }
    }

    // The stored copies tell the letter, and stand for documents issued before the issues
    // recorded them. Linked, a copy with a registration number is of a posted document.
    if (!cartella_.isEmpty()) {
        const QDir dir(sys::LocalPath(cartella_));
        for (const QString& nome : dir.entryList({"SDB*.mdb"}, QDir::Files)) {
            const auto copia = LetturaNomeQualsiasi(nome, collegato_);
            if (!copia || basic::Mid(copia->IdFattura, 11, 5) != parte || !posizione(copia->IdFattura)) continue;
            if (collegato_ && copia->Registrazione != "00000") continue;
            aggiungi(CodiceClienteDocumento(*copia, collegato_), copia->IdFattura, copia->Lettera);
        }
    }
    // By date, then case file and client.
    std::sort(documenti.begin(), documenti.end(), [this](const DocumentoNumerato& a, const DocumentoNumerato& b) {
        const QString da = posizione(a.IdFattura).value_or(QString()), db = posizione(b.IdFattura).value_or(QString());
        return std::tie(da, a.IdFattura, a.Cliente) < std::tie(db, b.IdFattura, b.Cliente);
    });
    return documenti;
}

QString DocumentiNumerati::descrizione(const DocumentoNumerato& d) const {
    // Its fields read as those of a stored copy's name.
    DocumentoArchiviato letto;
    letto.IdFattura = d.IdFattura;
    QString cliente = d.Cliente;
    const QString nome = basic::Trim(NomeClienteDocumenti(sessione_, d.Cliente, collegato_).value_or(QString()));
    if (!nome.isEmpty()) cliente += " " + nome;
    return TitoloDaLettera(d.Lettera) + " N. " + letto.Numero() + " del " + letto.Data() + ", cliente " + cliente +
           ", fascola " + letto.Fascola();
}

std::optional<DocumentoNumerato> DocumentiNumerati::primoNellaSerie(const QString& numero,
                                                                   const QStringList& lettere) const {
    for (const DocumentoNumerato& d : conNumero(numero))
        if (d.Lettera.isEmpty() || lettere.contains(d.Lettera)) return d;
    return std::nullopt;
}
