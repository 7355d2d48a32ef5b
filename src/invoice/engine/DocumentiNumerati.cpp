#include "invoice/engine/DocumentiNumerati.h"

#include <QDir>
#include <algorithm>
#include <tuple>

#include "invoice/engine/ArchivioStampaFattura.h"
#include "invoice/engine/DocumentoDaEmettere.h"
#include "invoice/engine/FatturazioneCompetenze.h"
#include "invoice/engine/Ristampa.h"
#include "invoice/engine/StampaDocumento.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/Paths.h"

namespace {

// The fee items' documents of a year and number: the expressions are those of the archive's
// index on the number and year of `idfattura`, so that the look-up reads only them.
const char* const DocumentiDelleCompetenze =
    "SELECT DISTINCT cliente, idfattura, '' AS lettera FROM competenze "
    "WHERE substr(idfattura, 11, 5) = ?1 AND substr(idfattura, 5, 2) = ?2";

// The documents the issues recorded, of a year and number, with their letters.
const char* const DocumentiAnnotati =
    "SELECT cliente, idfattura, lettera FROM DocumentiEmessi "
    "WHERE substr(idfattura, 11, 5) = ?1 AND substr(idfattura, 5, 2) = ?2";

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

DocumentiNumerati::DocumentiNumerati(db::Database& sessione, const QString& cartellaFatture, bool collegato,
                                     const QString& dataFattura)
    : sessione_(sessione), cartella_(CartellaFattureIndicata(cartellaFatture)), collegato_(collegato) {
    if (const auto data = basic::ToDate(dataFattura)) anno_ = basic::Format(*data, "yy");
}

std::vector<DocumentoNumerato> DocumentiNumerati::conNumero(const QString& numero) const {
    std::vector<DocumentoNumerato> documenti;
    if (anno_.isEmpty()) return documenti;
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
    for (const char* documentiDi : {DocumentiDelleCompetenze, DocumentiAnnotati}) {
        std::string sql = std::string("WITH d AS (") + documentiDi + ") SELECT cliente, idfattura, lettera FROM d";
        if (collegato_) sql += std::string(" WHERE 1") + NonRegistrati;
        db::Statement st(sessione_, sql, {parte, anno_});
        while (st.step())
            aggiungi(st.column(0).textOr(QString()), st.column(1).textOr(QString()), st.column(2).textOr(QString()));
    }

    // The stored copies tell the letter, and stand for documents issued before the issues
    // recorded them. Linked, a copy with a registration number is of a posted document.
    if (!cartella_.isEmpty()) {
        const QDir dir(sys::LocalPath(cartella_));
        for (const QString& nome : dir.entryList({"SDB*.mdb"}, QDir::Files)) {
            const auto copia = LetturaNomeQualsiasi(nome, collegato_);
            if (!copia || basic::Mid(copia->IdFattura, 11, 5) != parte || basic::Mid(copia->IdFattura, 5, 2) != anno_)
                continue;
            if (collegato_ && copia->Registrazione != "00000") continue;
            aggiungi(CodiceClienteDocumento(*copia, collegato_), copia->IdFattura, copia->Lettera);
        }
    }
    // By date, then case file and client.
    std::sort(documenti.begin(), documenti.end(), [](const DocumentoNumerato& a, const DocumentoNumerato& b) {
        const QString da = a.IdFattura.mid(4, 6), db = b.IdFattura.mid(4, 6);
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
