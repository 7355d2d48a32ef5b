#include "invoice/forms/StampaFattura.h"

#include <QLabel>
#include <QLineEdit>

#include "casefiles/engine/FascolaCorrente.h"
#include "casefiles/forms/FrmFascola.h"
#include "casefiles/forms/MascheraFascola.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Generale.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "invoice/engine/DocumentoDaEmettere.h"
#include "invoice/engine/EmissioneDocumento.h"
#include "invoice/engine/StampaDocumento.h"
#include "invoice/forms/TabFattura.h"
#include "platform/system/MessageService.h"

namespace {

const QString FunzioneStampa = QStringLiteral("Funzione di stampa fattura");

// The tab forgets the issued lines on every way out, a failure of the program's own included:
// the same lines must never be issued twice.
class AzzeramentoScheda {
public:
    explicit AzzeramentoScheda(TabFattura& tab) : tab_(tab) {}
    ~AzzeramentoScheda() { tab_.AzzeraDopoEmissione(); }
    AzzeramentoScheda(const AzzeramentoScheda&) = delete;
    AzzeramentoScheda& operator=(const AzzeramentoScheda&) = delete;

private:
    TabFattura& tab_;
};

}  // namespace

report::Document ReportDocumentoEmesso(const QString& pathArchivio, int destinazione, QWidget* finestra, const QString& filePdf) {
    const QString avvio = AmbienteLavoro().CartellaAvvio;
    report::Report stampa(avvio);
    stampa.setDataFile(pathArchivio);
    stampa.setReportFileName(ReportDocumento(avvio));
    stampa.setWindowTitle(TitoloStampaFattura);
    stampa.setDestination(destinazione);
    stampa.setPdfFile(filePdf);
    stampa.setParentWindow(finestra);
    stampa.run();
    return stampa.document();
}

void StampaDocumentoEmesso(const EsitoEmissione& e, const DocumentoDaEmettere& d, QWidget* finestra) {
    // The document is issued, numbered and posted by now: what fails here is its printing.
    Procedura stampa(FunzioneStampa);

    // The program keeps the invoice folder without its final separator from now on.
    if (d.Parametri.MemorizzaFattura) {
        QString& cartella = AmbienteLavoro().CartellaFatture;
        cartella = CartellaSenzaSeparatoreFinale(cartella);
    }

    // The issue has kept the copy by now; the print database is this process's while it prints.
    const int destinazione = DestinazioneDocumento(d.Parametri.AnteprimaStampa);
    const bool stampato = !e.StampaAbbandonata && stampa.essenziale([&] {
        ReportDocumentoEmesso(e.PathArchivioStampa, destinazione, finestra);
    });

    // The print database goes once printed and stored (or not wanted); a document that may not
    // have been printed is stored all the same.
    CopiaDocumento copia = e.Copia;
    Procedura pulizia(FunzioneStampa);
    pulizia.esegui([&] {
        copia = ChiusuraArchivioStampa(e.PathArchivioStampa, e.PathNomeProprio, e.Copia, stampato,
                                       d.Ambiente.CartellaFatture);
    });

    if (!stampato)
        ui::MessageService::show(
            MessaggioDocumentoNonStampato(e.NumeroDocumento, d.Parametri.DataFattura, e.Contabilizzato, copia),
            TitoloStampaFattura, ui::Buttons::Ok, ui::Icon::Warning);
    const QString mancante = MessaggioCopiaMancante(copia, e.PathNomeProprio);
    if (!mancante.isEmpty()) ui::MessageService::show(mancante, TitoloStampaFattura, ui::Buttons::Ok, ui::Icon::Warning);
}

void F_CmdStampa_Click(FrmFascola& finestra, TabFattura& tab) {
    const FascolaCorrenteRec& corrente = FascolaCorrente();
    if (!corrente.InVisione()) {
        ui::MessageService::show("Nessuna fascola in visione: il documento non è stato emesso", TitoloEmissione,
                                 ui::Buttons::Ok, ui::Icon::Warning);
        return;
    }
    const std::optional<TipoDocumento> tipo = TipoDaLettera(tab.LetteraDocumento());
    if (!tipo) return;
    const MascheraFascola& maschera = *finestra.Maschera;
    FascolaEmessa fascola;
    fascola.CodiceCliente = corrente.CodiceClienteCorrente();
    fascola.NomeCliente = corrente.NomeClienteCorrente();
    fascola.Npra = corrente.NpraCorrente();
    fascola.NumeroAssoluto = maschera.LblNumeroAssoluto->text();
    fascola.Data = maschera.TxtData->text();
    fascola.RifCliente = maschera.TxtRifCli->text();
    fascola.Note = maschera.TxtNote->text();
    const std::optional<RiepilogoIva>& riepilogo = tab.RiepilogoPerLaStampa();
    if (!riepilogo) {
        ui::MessageService::show("Il documento non è stato emesso: gli archivi sono rimasti come erano prima della stampa",
                                 TitoloEmissione, ui::Buttons::Ok, ui::Icon::Warning);
        return;
    }
    const DocumentoDaEmettere documento = DocumentoInComposizione(*tipo, *riepilogo, fascola);

    Procedura proc(FunzioneStampa);
    Connessione sessione = documento.Ambiente.CollegatoContabilita ? ArchivioContabileInUso(proc) : ArchivioInUso(proc);
    if (!sessione) return;
    const EsitoEmissione e = EmissioneDocumento(*sessione, documento);
    // Not issued: nothing was written, the engine has said why, the lines stay for another try.
    if (!e.Emesso()) return;

    AzzeramentoScheda azzeramento(tab);
    ParametriFattura().NumeroDocumento = e.NumeroDocumento;
    StampaDocumentoEmesso(e, documento, &finestra);
}
