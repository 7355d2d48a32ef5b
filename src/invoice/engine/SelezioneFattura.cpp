#include "invoice/engine/SelezioneFattura.h"

#include <QHash>
#include <optional>
#include <string>
#include <variant>

#include "fees/engine/TestiRipetuti.h"
#include "foundation/engine/Generale.h"
#include "foundation/engine/Procedura.h"
#include "invoice/engine/CalcoloIva.h"
#include "invoice/engine/Importi.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"

namespace {

const QString SenzaIncarico = QStringLiteral("0000");
const QString SenzaLavorazione = QStringLiteral("0000");

// The columns of a fee item, in the order the lines take them.
constexpr const char* ColonneCompetenza =
    "c.cliente, c.npra, c.ntask, c.njob, c.elemento, c.descrizione, c.data, c.importo, c.impofat, c.primanota, "
    "c.darepn, c.averepn, c.idpn, c.fatturato, c.ricavi, c.idfattura, c.spuntato, c.pagamento, "
    "c.addebitounitario, c.fattore";

QString testo(const db::Statement& st, int i) { return st.column(i).textOr(QString()); }


// The day of a stored text "yyyy-mm-dd" as the general date reading gives it; nothing for any
// other value, which that reading then takes.
std::optional<QDate> giornoIso(const db::Value& v) {
    const auto* t = std::get_if<std::string>(&v.raw());
    if (!t || t->size() != 10) return std::nullopt;
    const auto giorno = basic::IsoDayAtStart(*t);
    if (!giorno || !giorno->isValid() || giorno->year() < 100) return std::nullopt;
    return giorno;
}

// Fee items into lines.
class LettoreRighe {
public:
    RigaFattura riga(const db::Statement& st) {
        RigaFattura r;
        r.cliente = testo(st, 0);
        r.npra = testo(st, 1);
        r.ntask = testo(st, 2);
        r.njob = testo(st, 3);
        r.elemento = testo(st, 4);
        r.descrizione = testo(st, 5);
        const db::Value data = st.column(6);
        if (auto giorno = giornoIso(data)) r.data = *giorno;
        else if (const auto letto = basic::ToDate(data.textOr(QString()))) r.data = *letto;
        r.importo = st.column(7).currencyOr();
        r.impofat = st.column(8).currencyOr();
        r.primanota = st.column(9).boolOr();
        r.darepn = testo(st, 10);
        r.averepn = testo(st, 11);
        r.idpn = testo(st, 12);
        r.fatturato = st.column(13).boolOr();
        r.ricavi = testo(st, 14);
        r.idfattura = testo(st, 15);
        r.spuntato = st.column(16).boolOr();
        r.pagamento = testo(st, 17);
        r.addebitounitario = st.column(18).currencyOr();
        r.fattore = testo(st, 19);
        r.DaCompetenza = true;
        return r;
    }

private:
    QString testo(const db::Statement& st, int i) { return testi_.testo(st.column(i), i); }

    TestiRipetuti testi_;
};

struct Istruzione {
    std::string sql;
    db::Params parametri;
};

Istruzione istruzioneDelCriterio(const RichiestaEstrazione& r) {
    const std::string colonne = ColonneCompetenza;
    const std::string ordine = " ORDER BY c.ntask, c.njob, c.elemento";
    const std::string dellaFascola = " c.cliente = ? AND c.npra = ? AND c.fatturato = 0";
    switch (r.Criterio) {
    case CriterioEstrazione::FineMese: {
        const QDate limite = LimiteFineMese(r.Mese, r.DataFattura);
        return {"SELECT " + colonne + " FROM competenze c WHERE c.data <= ? AND" + dellaFascola + ordine,
                {limite.toString(Qt::ISODate), r.Cliente, r.Npra}};
    }
    case CriterioEstrazione::Anticipazioni:
        return {"SELECT " + colonne + " FROM competenze c JOIN elefat e ON e.codice = c.elemento WHERE e.tipo = 'A' AND" +
                    dellaFascola + ordine,
                {r.Cliente, r.Npra}};
    case CriterioEstrazione::IncaricoFinito:
        return {"SELECT " + colonne +
                    " FROM competenze c JOIN task t ON t.ntask = c.ntask AND t.cliente = ? AND t.npra = ? "
                    "AND t.stato = 0 WHERE" +
                    dellaFascola + ordine,
                {r.Cliente, r.Npra, r.Cliente, r.Npra}};
    default:
        return {"SELECT " + colonne + " FROM competenze c WHERE" + dellaFascola + ordine, {r.Cliente, r.Npra}};
    }
}

// One shared lock on the archive for all the statements of a display, which would otherwise
// each take it and give it back (and look for a journal to roll back) one by one; the
// statements then also read one state of the archive. Inside the caller's transaction there
// is nothing to do.
class LetturaUnica {
public:
    explicit LetturaUnica(db::Database& sessione) : sessione_(sessione) {
        if (sessione_.inTransaction()) return;
        try {
            sessione_.execute("BEGIN");
            aperta_ = true;
        } catch (const db::DbError&) {
            // Each statement then takes its own lock, as without this.
        }
    }
    ~LetturaUnica() {
        if (!aperta_ || !sessione_.inTransaction()) return;
        try {
            sessione_.execute("COMMIT");
        } catch (const db::DbError&) {
        }
    }
    LetturaUnica(const LetturaUnica&) = delete;
    LetturaUnica& operator=(const LetturaUnica&) = delete;

private:
    db::Database& sessione_;
    bool aperta_ = false;
};

// Headings' texts, read once per rebuild of the rows.
class TitoliIntestazioni {
public:
    explicit TitoliIntestazioni(db::Database& sessione) : sessione_(sessione) {}

    QString incarico(const RigaFattura& r) {
        return leggi(incarichi_, r.cliente + '\n' + r.npra + '\n' + r.ntask,
                     "SELECT titolo FROM task WHERE cliente = ? AND npra = ? AND ntask = ?",
                     {r.cliente, r.npra, r.ntask});
    }
    QString lavorazione(const RigaFattura& r) {
        return leggi(lavorazioni_, r.cliente + '\n' + r.npra + '\n' + r.ntask + '\n' + r.njob,
                     "SELECT descrizione FROM job WHERE cliente = ? AND npra = ? AND ntask = ? AND njob = ?",
                     {r.cliente, r.npra, r.ntask, r.njob});
    }

private:
    QString leggi(QHash<QString, QString>& letti, const QString& chiave, const char* sql, const db::Params& p) {
        if (const auto t = letti.constFind(chiave); t != letti.cend()) return *t;
        QString titolo;
        db::Statement st(sessione_, sql, p);
        if (st.step()) titolo = testo(st, 0);
        if (titolo.isEmpty()) titolo = " ";
        letti.insert(chiave, titolo);
        return titolo;
    }

    db::Database& sessione_;
    QHash<QString, QString> incarichi_;
    QHash<QString, QString> lavorazioni_;
};

}  // namespace

QString MeseDigitato(const QString& testo, const QDate& oggi) {
    const QString t = basic::Trim(testo);
    if (SoloCifre(t) && t.size() <= 2) {
        const int mese = t.toInt();
        if (mese >= 1 && mese <= 12) return testo;
    }
    return basic::Format(oggi, "mm");
}

QDate LimiteFineMese(const QString& mese, const QDate& dataFattura) {
    bool numero = false;
    int m = basic::Trim(mese).toInt(&numero);
    if (!numero || m < 1 || m > 12) m = dataFattura.month();
    const int anno = m > dataFattura.month() ? dataFattura.year() - 1 : dataFattura.year();
    const QDate primo(anno, m, 1);
    return primo.addDays(primo.daysInMonth() - 1);
}

EsitoEstrazione EstrazioneElementiDaFatturare(db::Database& sessione, const RichiestaEstrazione& richiesta,
                                              TabellaRigheFattura& righe) {
    righe.svuota();
    if (richiesta.Criterio == CriterioEstrazione::NessunaSelezione) return EsitoEstrazione::NessunaSelezione;

    Procedura proc("Funzione di estrazione elementi da fatturare");
    if (richiesta.Criterio == CriterioEstrazione::FascolaFinita) {
        bool aperta = false;
        if (!proc.essenziale([&] {
                aperta = sessione.scalar("SELECT stato FROM fascola WHERE cliente = ? AND npra = ?",
                                         {richiesta.Cliente, richiesta.Npra})
                             .boolOr(false);
            }))
            return EsitoEstrazione::Interrotta;
        if (aperta) return EsitoEstrazione::FascolaNonFinita;
    }

    const Istruzione istruzione = istruzioneDelCriterio(richiesta);
    TabellaRigheFattura lette;
    if (!proc.essenziale([&] {
            lette.svuota();
            LettoreRighe lettore;
            db::Statement st(sessione, istruzione.sql, istruzione.parametri);
            while (st.step()) lette.aggiungi(lettore.riga(st));
        }))
        return EsitoEstrazione::Interrotta;
    if (lette.vuota()) return EsitoEstrazione::NessunElemento;
    righe = std::move(lette);
    return EsitoEstrazione::Estratte;
}

bool DefinizioneRigaFattura(db::Database& sessione, const TabellaRigheFattura& righe,
                            TabellaRigheVisualizzate& visualizzate) {
    visualizzate.svuota();
    Procedura proc("Funzione di definizione riga fattura");
    LetturaUnica lettura(sessione);
    TitoliIntestazioni titoli(sessione);
    // Nothing before the first line: its task and job always differ.
    std::optional<QString> incaricoPrecedente, lavorazionePrecedente;
    for (int i = 1; i <= righe.NumeroRighe(); ++i) {
        const RigaFattura& r = righe.riga(i);
        if (r.ntask != incaricoPrecedente) {
            incaricoPrecedente = r.ntask;
            lavorazionePrecedente.reset();
            QString titolo = r.ntask == SenzaIncarico ? "FASCOLA " + r.npra : QStringLiteral(" ");
            if (r.ntask != SenzaIncarico && !proc.esegui([&] { titolo = titoli.incarico(r); })) return false;
            visualizzate.aggiungi({TipoRiga::Incarico, titolo, i});
        }
        if (r.njob != lavorazionePrecedente) {
            lavorazionePrecedente = r.njob;
            QString titolo = " ";
            if (r.njob != SenzaLavorazione && !proc.esegui([&] { titolo = titoli.lavorazione(r); })) return false;
            visualizzate.aggiungi({TipoRiga::Lavorazione, titolo, i});
        }
        visualizzate.aggiungi({TipoRiga::Elemento, QString(), i});
    }
    return true;
}

namespace {

// `davanti` then `testo`, in one allocation.
QString unito(QLatin1String davanti, const QString& testo) {
    QString t;
    t.reserve(davanti.size() + testo.size());
    t.append(davanti);
    t.append(testo);
    return t;
}

}  // namespace

QString AvvisoCodiceIva(const QString& codiceIva) {
    const QString codice = basic::Trim(codiceIva);
    return codice.isEmpty() ? QStringLiteral("  [manca il codice IVA]")
                            : "  [codice IVA " + codice + " non presente in contabilità]";
}

GrigliaFattura VisualizzazioneElementiDaFatturare(db::Database& sessione, TabellaRigheFattura& righe,
                                                  const TabellaRigheVisualizzate& visualizzate, bool ivaCee,
                                                  LettoreAliquoteIva& aliquote) {
    GrigliaFattura g;
    LetturaUnica lettura(sessione);
    bool codiciLetti = true;
    g.Righe.reserve(size_t(visualizzate.NumeroRigheVisualizzate()));
    for (const RigaVisualizzata& v : visualizzate) {
        CelleRigaFattura celle;
        if (righe.contiene(v.IndiceRiga)) {
            RigaFattura& r = righe.riga(v.IndiceRiga);
            switch (v.Tipo) {
            case TipoRiga::Incarico:
                celle.Codice = unito(QLatin1String("I."), r.ntask);
                celle.Descrizione = r.ntask == SenzaIncarico ? unito(QLatin1String("FASCOLA "), r.npra) : v.Testo;
                break;
            case TipoRiga::Lavorazione:
                celle.Codice = unito(QLatin1String("L."), r.njob);
                celle.Descrizione = r.ntask == SenzaIncarico ? QStringLiteral(" ") : v.Testo;
                break;
            case TipoRiga::Elemento:
                celle.Codice = unito(QLatin1String("E."), r.elemento);
                celle.Descrizione = unito(QLatin1String("     "), r.descrizione);
                celle.Importo = basic::Format(r.impofat, MascheraImportoEsteso);
                g.Totale += r.impofat;
                g.Iva += CalcoloIva(r, ivaCee, sessione, aliquote);
                if (const AliquotaIva* a = aliquote.lettaSenzaCopia(r.CodiceIva); !a) codiciLetti = false;
                else if (a->Sconosciuto) celle.Descrizione += AvvisoCodiceIva(r.CodiceIva);
                break;
            }
        }
        g.Righe.push_back(std::move(celle));
    }
    // A code that could not be read has been told once: it is not asked again for the summary.
    if (codiciLetti) g.Riepilogo = CalcoloRiepilogoIva(righe, aliquote);
    if (g.Riepilogo) {
        g.Totale = g.Riepilogo->TotaleImponibile;
        g.Iva = g.Riepilogo->TotaleIva;
    }
    g.TestoTotale = basic::Format(g.Totale, MascheraImportoEsteso);
    g.TestoIva = basic::Format(g.Iva, MascheraImportoEsteso);
    return g;
}
