#pragma once
// A 200-line invoice ready to be issued, for the benchmarks of the issue: the sample
// accounting archive (company ROSSI 2004) linked, a case-file archive whose case file 0007 of
// client 01.01.01.0001 holds the 200 fee items billed (ten tasks of twenty, five kinds, eight
// VAT codes, three revenue accounts), the session on both, and the document with its lines,
// their headings by task, its parameters and its VAT summary. The start folder and the
// invoice folder are folders of their own; no copy of the document is stored.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <optional>

#include "fixtures/AccountingFixture.h"
#include "fixtures/CaseFileArchive.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Sessione.h"
#include "invoice/engine/CalcoloIva.h"
#include "invoice/engine/EmissioneDocumento.h"

namespace bench {

struct DocumentoDuecentoRighe {
    static constexpr int Righe = 200;
    static inline const QString Cliente = QStringLiteral("01.01.01.0001");

    DocumentoDuecentoRighe() {
        contab = std::make_unique<AccountingFixture>(cartella.path());
        pathContabile = contab->creaCampione();
        contab->collega(AccountingFixture::AcronimoCampione, AccountingFixture::EsercizioCampione);
        fascole = std::make_unique<fixtures::CaseFileArchive>(cartella.filePath("fascole.mdb"));
        avvio = cartella.filePath("avvio");
        fatture = cartella.filePath("fatture");
        QDir().mkpath(avvio);
        QDir().mkpath(fatture);

        const char* codici[] = {"20", "10", "4", "E15", "N8", "20", "20", "10"};
        const char* tipi[] = {"X", "C", "A", "X", "X"};
        const char* ricavi[] = {"04.01.01.0001", "04.01.01.0002", "04.01.02.0001"};
        fascole->addCaseFile(Cliente, "0007", "2004-01-02", {{"numpranno", "2004.00017"}});
        db::Transaction t(fascole->db());
        QString taskPrecedente;
        for (int i = 0; i < Righe; ++i) {
            RigaFattura r;
            r.DaCompetenza = true;
            r.cliente = Cliente;
            r.npra = "0007";
            r.ntask = QString("%1").arg(i / 20 + 1, 4, 10, QChar('0'));
            r.njob = "0000";
            r.elemento = QString("%1").arg(i % 20, 3, 10, QChar('0'));
            r.Tipo = tipi[i % 5];
            r.descrizione = "Competenza numero " + QString::number(i + 1);
            r.CodiceIva = codici[i % 8];
            r.ricavi = ricavi[i % 3];
            r.pagamento = "R30";
            r.impofat = Currency::fromRaw(1234567 + 98765 * i);
            fascole->addFeeItem(r.cliente, r.npra, r.ntask, r.njob, r.elemento, {{"impofat", r.impofat}});
            const int k = documento.RigheFattura.aggiungi(r);
            if (r.ntask != taskPrecedente)
                documento.RigheVisualizzate.aggiungi({TipoRiga::Incarico, "Incarico " + r.ntask, k});
            taskPrecedente = r.ntask;
            documento.RigheVisualizzate.aggiungi({TipoRiga::Elemento, {}, k});
        }
        t.commit();
        fascole->close();
        sessione = std::make_unique<Sessione>(fascole->path(), pathContabile);

        documento.Fascola = {Cliente, "Rossi Mario", "0007", "2004.00017", "02/01/2004", "RIF", "Nota della fascola"};
        documento.Parametri.DataFattura = "15/01/2004";
        documento.Parametri.RegistroIva = "V";
        documento.Parametri.NumerazioneAutomatica = true;
        documento.Parametri.NumeroDocumento = "1";
        documento.Ambiente = AmbienteLavoro();
        documento.Ambiente.CartellaAvvio = avvio;
        documento.Ambiente.CartellaFatture = "NO";
        LettoreAliquoteIva aliquote(sessione->db(), true);
        documento.Riepilogo = *CalcoloRiepilogoIva(documento.RigheFattura, aliquote);
    }

    // The fee items billable again, the documents issued forgotten and the start and invoice
    // folders empty, ready for the next issue.
    void riprendi() {
        sessione->db().execute("UPDATE competenze SET fatturato = 0, idfattura = NULL");
        sessione->db().execute("DELETE FROM DocumentiEmessi");
        for (const QString& c : {avvio, fatture})
            for (const QString& f : QDir(c).entryList(QDir::Files)) QFile::remove(QDir(c).filePath(f));
    }

    // `d` issued, the archive and the folders made ready again outside the timing; nothing,
    // and the benchmark told why, when it was not issued.
    std::optional<EsitoEmissione> emetti(benchmark::State& state, const DocumentoDaEmettere& d) {
        state.PauseTiming();
        riprendi();
        state.ResumeTiming();
        EsitoEmissione e = EmissioneDocumento(sessione->db(), d);
        if (!e.Emesso()) {
            state.SkipWithError("the document was not issued");
            return std::nullopt;
        }
        return e;
    }

    QTemporaryDir cartella;
    std::unique_ptr<AccountingFixture> contab;
    std::unique_ptr<fixtures::CaseFileArchive> fascole;
    std::unique_ptr<Sessione> sessione;
    QString pathContabile, avvio, fatture;
    DocumentoDaEmettere documento;
};

}  // namespace bench
