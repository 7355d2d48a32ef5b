// Pictures of the printed document: the invoice with stamp and withholding, a credit note, a
// long invoice over several pages, the office's own layout, and the PDF as a reader draws it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>

#include "support/ModalHelper.h"

#include "invoice/engine/StampaDocumento.h"
#include "invoice/forms/StampaDiProva.h"
#include "invoice/forms/StampaFattura.h"
#include "platform/report/Rendering.h"
#include "platform/report/Report.h"

namespace {

class InvoicePrintScreens : public stampa_di_prova::StampaDiProva {
public:
    void salva(const report::Document& d, int pagina, const QString& nome) {
        QDir().mkpath(SCREENS_DIR);
        ASSERT_LT(size_t(pagina), d.pages.size()) << nome.toStdString();
        EXPECT_TRUE(report::pageImage(d, pagina, 110).save(QDir(SCREENS_DIR).filePath(nome))) << nome.toStdString();
    }
};

TEST_F(InvoicePrintScreens, InvoiceWithStampAndWithholding) {
    const EsitoEmissione e = Emetti(ConBolloERitenuta());
    const QString pdf = dir->file("fattura.pdf");
    salva(ReportDocumentoEmesso(e.PathArchivioStampa, report::Pdf, nullptr, pdf), 0, "Stp_fattura.png");
    // The PDF itself, as a PDF reader draws it.
    QProcess pdftoppm;
    pdftoppm.start("pdftoppm", {"-png", "-r", "110", "-f", "1", "-l", "1", "-singlefile", pdf,
                                QDir(SCREENS_DIR).filePath("Stp_fattura_pdf")});
    EXPECT_TRUE(pdftoppm.waitForFinished(30000) && pdftoppm.exitCode() == 0);

    // The same document with the office's own layout in the start folder.
    QFile::copy(report::Report(avvio).findLayout(ReportFatturaPersonalizzato),
                QDir(avvio).filePath(ReportFatturaPersonalizzato));
    salva(ReportDocumentoEmesso(e.PathArchivioStampa, report::Pdf, nullptr, pdf), 0, "Stp_fattura_per.png");
}

// The page a client reads, on an accounting archive of today's rates: one document each with
// a withholding, with a stamp, and with an exempt group beside the taxed ones.
TEST_F(InvoicePrintScreens, WithholdingStampAndExemptGroup) {
    AlleAliquoteDiOggi();
    Ambiente();
    DocumentoDaEmettere ritenuta = documento;
    ConRitenuta(ritenuta, "3", "20");
    db().execute("UPDATE ivaregistri SET numerofattura = 26 WHERE codice = 'V'");
    ritenuta.Parametri.NumeroDocumento = "27";
    DocumentoDaEmettere bollo = documento;
    ConBollo(bollo, "20");
    const std::pair<DocumentoDaEmettere, QString> casi[] = {
        {ritenuta, "Stp_fattura_ritenuta.png"}, {bollo, "Stp_fattura_bollo.png"}, {documento, "Stp_fattura_esente.png"}};
    for (const auto& [d, nome] : casi) {
        db().execute("UPDATE competenze SET fatturato = 0, idfattura = ''");
        const EsitoEmissione e = Emetti(d);
        salva(ReportDocumentoEmesso(e.PathArchivioStampa, report::Pdf, nullptr, dir->file("p.pdf")), 0, nome);
    }
}

// The preview window and the print dialog it opens, as the user sees them: in Italian, with
// the print-to-file choice that gives a PDF.
TEST_F(InvoicePrintScreens, ItalianPrintPreviewAndPrintDialog) {
    const EsitoEmissione e = Emetti(ConBolloERitenuta());
    QDir().mkpath(SCREENS_DIR);
    ModalHelper modali;
    bool vista = false;
    modali.onNextModal([&](QWidget* w) {
        vista = qobject_cast<QPrintPreviewDialog*>(w) != nullptr;
        w->resize(1000, 760);
        QApplication::processEvents();
        EXPECT_TRUE(w->grab().save(QDir(SCREENS_DIR).filePath("Anteprima_stampa.png")));
        w->close();
    });
    ReportDocumentoEmesso(e.PathArchivioStampa, report::Screen, nullptr);
    EXPECT_TRUE(vista);

    QPrinter stampante;
    QPrintDialog dialogo(&stampante);
    dialogo.show();
    QApplication::processEvents();
    QStringList voci;
    for (const QComboBox* c : dialogo.findChildren<QComboBox*>())
        for (int i = 0; i < c->count(); ++i) voci << c->itemText(i);
    EXPECT_TRUE(voci.contains("Stampa su file (PDF)")) << voci.join(" | ").toStdString();
    EXPECT_TRUE(dialogo.grab().save(QDir(SCREENS_DIR).filePath("Dialogo_stampa.png")));
    dialogo.close();
}

TEST_F(InvoicePrintScreens, CreditNotePostedToTheJournal) {
    DocumentoDaEmettere d = documento;
    d.Tipo = TipoDocumento::NotaCredito;
    const EsitoEmissione e = Emetti(d);
    salva(ReportDocumentoEmesso(e.PathArchivioStampa, report::Pdf, nullptr, dir->file("nota.pdf")), 0,
          "Stp_fattura_nota_credito.png");
}

TEST_F(InvoicePrintScreens, LongInvoiceOverSeveralPages) {
    const EsitoEmissione e = Emetti(DuecentoRighe());
    const report::Document d = ReportDocumentoEmesso(e.PathArchivioStampa, report::Pdf, nullptr, dir->file("l.pdf"));
    ASSERT_GE(d.pages.size(), 3u);
    salva(d, 0, "Stp_fattura_lunga_pagina1.png");
    salva(d, 1, "Stp_fattura_lunga_pagina2.png");
    salva(d, int(d.pages.size()) - 1, "Stp_fattura_lunga_ultima.png");
}

}  // namespace
