// Pictures of the printed document: the invoice with stamp and withholding, a credit note, a
// long invoice over several pages, the office's own layout, and the PDF as a reader draws it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

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
