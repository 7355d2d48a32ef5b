#pragma once
// Documents issued for printing: the five-line invoice of EmissioneDiProva.h with a stamp and
// a withholding, and a long invoice of 200 lines, on the linked installation of that fixture,
// with the start folder as the program's own.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QString>
#include <memory>

#include "foundation/engine/Ambiente.h"
#include "invoice/engine/EmissioneDiProva.h"
#include "invoice/engine/EmissioneDocumento.h"
#include "platform/db/Database.h"

namespace stampa_di_prova {

using emissione_di_prova::Righe;

// What a user gets choosing to print the preview `w` to a PDF file `pdf`: the pages the preview
// shows, painted on a PDF printer; then the preview is closed. The preview's title.
inline QString AnteprimaSuPdf(QWidget* w, const QString& pdf) {
    auto* anteprima = qobject_cast<QPrintPreviewDialog*>(w);
    EXPECT_NE(anteprima, nullptr) << (w ? w->objectName().toStdString() : std::string("no window"));
    if (!anteprima) {
        if (w) w->close();
        return {};
    }
    QPrinter* stampante = anteprima->printer();
    stampante->setOutputFormat(QPrinter::PdfFormat);
    stampante->setOutputFileName(pdf);
    emit anteprima->paintRequested(stampante);
    const QString titolo = anteprima->windowTitle();
    anteprima->close();
    return titolo;
}

class StampaDiProva : public emissione_di_prova::EmissioneCollegata {
public:
    void SetUp() override {
        EmissioneCollegata::SetUp();
        Ambiente();
    }

    // The program-wide working environment the printing reads: this installation's folders.
    void Ambiente() {
        AmbienteLavoro().CartellaAvvio = avvio;
        AmbienteLavoro().CartellaFatture = documento.Ambiente.CartellaFatture;
    }

    // The five lines (two tasks, a job, fees at 20 % and 10 %, an exempt advance, a line of no
    // amount) with the stamp duty on the exempt amount and the withholding tax on the fees;
    // a withholding keeps the document out of the journal, so its number is the one typed: the
    // register's next.
    DocumentoDaEmettere ConBolloERitenuta() {
        DocumentoDaEmettere d = documento;
        ConBollo(d, "20");
        ConRitenuta(d, "3", "20");
        db().execute("UPDATE ivaregistri SET numerofattura = 26 WHERE codice = 'V'");
        d.Parametri.NumeroDocumento = "27";
        return d;
    }

    // 200 lines over ten tasks of 20 lines each, on as many fee items of the case file.
    DocumentoDaEmettere DuecentoRighe() {
        const char* codici[] = {"20", "10", "E15", "20", "4"};
        DocumentoDaEmettere d = documento;
        d.RigheFattura.svuota();
        d.RigheVisualizzate.svuota();
        db::Transaction t(db());
        for (int i = 0; i < 200; ++i) {
            const QString ntask = QStringLiteral("%1").arg(i / 20 + 11, 4, 10, QChar('0'));
            const QString elemento = QStringLiteral("%1").arg(i % 20, 3, 10, QChar('0'));
            RigaFattura r = Riga("0001", "0000", "ONO", "X", "10", codici[i % 5], "04.01.01.0001");
            r.ntask = ntask;
            r.elemento = elemento;
            r.descrizione = "Prestazione numero " + QString::number(i + 1);
            r.impofat = Currency::fromRaw(1000000 + 12345 * i);
            db().execute("INSERT INTO competenze (cliente, npra, ntask, njob, elemento, impofat, fatturato) "
                         "VALUES (?, ?, ?, '0000', ?, ?, 0)",
                         {emissione_di_prova::Cliente, emissione_di_prova::Npra, ntask, elemento, r.impofat});
            const int k = d.RigheFattura.aggiungi(r);
            if (i % 20 == 0) d.RigheVisualizzate.aggiungi({TipoRiga::Incarico, "Incarico " + ntask, k});
            d.RigheVisualizzate.aggiungi({TipoRiga::Elemento, {}, k});
        }
        t.commit();
        Didascalie(d);
        return d;
    }

    // Issues `d`; the test fails unless it was issued.
    EsitoEmissione Emetti(const DocumentoDaEmettere& d) {
        EsitoEmissione e = EmissioneDocumento(db(), d);
        EXPECT_TRUE(e.Emesso()) << int(e.Arresto);
        return e;
    }
};

}  // namespace stampa_di_prova
