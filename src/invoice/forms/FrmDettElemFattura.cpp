#include "invoice/forms/FrmDettElemFattura.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "accounting/engine/LetturaContabile.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "invoice/engine/CalcoloIva.h"
#include "invoice/engine/DettaglioRigaFattura.h"
#include "invoice/engine/RigheFattura.h"
#include "invoice/engine/Scadenzario.h"
#include "platform/system/MessageService.h"
#include "platform/ui/FocusEvents.h"
#include "platform/ui/FormUtil.h"
#include "platform/ui/RefillCombo.h"

namespace {

bool collegato() { return AmbienteLavoro().CollegatoContabilita; }

// A list read on the session under the error handler; nothing when it cannot be read.
std::vector<ui::ComboRow> lista(const std::function<std::vector<ui::ComboRow>(db::Database&)>& leggi) {
    std::vector<ui::ComboRow> righe;
    Procedura proc("Funzione di lista dettaglio elementi in fattura");
    proc.esegui([&] { righe = leggi(*ArchivioInUso()); });
    return righe;
}

}  // namespace

FrmDettElemFattura::FrmDettElemFattura(const QString& cliente, const QString& npra, QWidget* parent)
    : QDialog(parent), cliente_(cliente), npra_(npra) {
    setObjectName("FrmDettElemFattura");
    setWindowTitle("DETTAGLIO ELEMENTO IN FATTURA");
    costruisci();
    ui::enterPresses(*this, CmdContinua);

    DbcNtask->setRefill([this] {
        return lista([this](db::Database& s) { return ElencoIncarichiFascola(s, cliente_, npra_); });
    });
    ui::onFocusChange(*DbcNjob, [this] {
        if (DbcNtask->currentText().isEmpty()) DbcNtask->setEditText("0000");
    }, {});
    DbcNjob->setRefill([this] {
        return lista([this](db::Database& s) {
            return ElencoLavorazioniIncarico(s, cliente_, npra_, DbcNtask->currentText());
        });
    });
    const auto soloCollegato = [](std::vector<ui::ComboRow> (*leggi)(db::Database&)) {
        return [leggi] { return collegato() ? lista(leggi) : std::vector<ui::ComboRow>{}; };
    };
    for (ui::RefillCombo* conto : {DbcDarePn, DbcAverePn, DbcRicavi}) conto->setRefill(soloCollegato(ElencoContiPrimaNota));
    DbcPagamento->setRefill(soloCollegato(ElencoCodiciPagamento));
    DbcIva->setRefill(soloCollegato(ElencoCodiciIva));

    ui::onFocusChange(*DbcDarePn, {}, [this] { ContoLasciato(*DbcDarePn, *LblDarePn); });
    ui::onFocusChange(*DbcAverePn, {}, [this] { ContoLasciato(*DbcAverePn, *LblAverePn); });
    ui::onFocusChange(*DbcRicavi, {}, [this] { ContoLasciato(*DbcRicavi, *LblRicavi); });
    ui::onFocusChange(*DbcPagamento, {}, [this] { DbcPagamento_LostFocus(); });
    ui::onFocusChange(*DbcIva, {}, [this] { DbcIva_LostFocus(); });
    connect(CmdContinua, &QPushButton::clicked, this, &FrmDettElemFattura::CmdContinua_Click);

    Form_Load();
}

void FrmDettElemFattura::costruisci() {
    LblElemento = ui::valueLabel("LblElemento", 300);
    DbcNtask = ui::named<ui::RefillCombo>("DbcNtask");
    DbcNjob = ui::named<ui::RefillCombo>("DbcNjob");
    DbcDarePn = ui::named<ui::RefillCombo>("DbcDarePn");
    LblDarePn = ui::valueLabel("LblDarePn", 110);
    DbcAverePn = ui::named<ui::RefillCombo>("DbcAverePn");
    LblAverePn = ui::valueLabel("LblAverePn", 110);
    DbcRicavi = ui::named<ui::RefillCombo>("DbcRicavi");
    LblRicavi = ui::valueLabel("LblRicavi", 110);
    DbcPagamento = ui::named<ui::RefillCombo>("DbcPagamento");
    LblPagamento = ui::valueLabel("LblPagamento", 220);
    CmdContinua = ui::named<QPushButton>("CmdContinua", "CONTINUA");
    DbcIva = ui::named<ui::RefillCombo>("DbcIva");
    LblDescrizione = ui::valueLabel("LblDescrizione", 200);
    ChkIvaBloccata = ui::named<QCheckBox>("ChkIvaBloccata", "Codice iva Bloccato");
    for (ui::RefillCombo* c : {DbcDarePn, DbcAverePn, DbcRicavi}) c->setMinimumWidth(260);
    for (ui::RefillCombo* c : {DbcNtask, DbcNjob}) c->lineEdit()->setMaxLength(4);

    auto* griglia = new QGridLayout;
    int r = 0;
    griglia->addWidget(LblElemento, r++, 0, 1, 3);
    griglia->addWidget(new QLabel("Incarico: "), r, 0);
    griglia->addWidget(DbcNtask, r++, 1);
    griglia->addWidget(new QLabel("Lavorazione:"), r, 0);
    griglia->addWidget(DbcNjob, r++, 1);
    griglia->addWidget(new QLabel("Conto in dare per prima nota"), r, 0);
    griglia->addWidget(DbcDarePn, r, 1);
    griglia->addWidget(LblDarePn, r++, 2);
    griglia->addWidget(new QLabel("Conto in avere per prima nota:"), r, 0);
    griglia->addWidget(DbcAverePn, r, 1);
    griglia->addWidget(LblAverePn, r++, 2);
    griglia->addWidget(new QLabel("Conto per Ricavi"), r, 0);
    griglia->addWidget(DbcRicavi, r, 1);
    griglia->addWidget(LblRicavi, r++, 2);
    griglia->addWidget(new QLabel("Pagamento"), r, 0);
    griglia->addWidget(DbcPagamento, r, 1);
    griglia->addWidget(LblPagamento, r++, 2);
    griglia->addWidget(new QLabel("Codice iva"), r, 0);
    griglia->addWidget(DbcIva, r, 1);
    griglia->addWidget(LblDescrizione, r++, 2);
    griglia->addWidget(ChkIvaBloccata, r++, 1);

    auto* attenzione = new QLabel(
        "ATTENZIONE: il programma controlla e ricalcola il codice iva di ogni elemento, se si vuole un valore "
        "fisso \"Check-are\"");
    attenzione->setWordWrap(true);

    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(griglia);
    tutto->addWidget(attenzione);
    tutto->addWidget(CmdContinua, 0, Qt::AlignRight);
}

void FrmDettElemFattura::Form_Load() {
    ui::CentraForm(*this);
    const RigaFatturaInCorsoRec& r = FatturaInComposizione().RigaFatturaInCorso;
    DbcNtask->setEditText(r.Ntask);
    DbcNjob->setEditText(r.Njob);
    Procedura proc("Funzione di lettura conti della riga");
    if (Connessione archivio = ArchivioContabileInUso(proc)) {
        DbcDarePn->setEditText(LetturaPdC(*archivio, r.DarePn));
        DbcAverePn->setEditText(LetturaPdC(*archivio, r.AverePn));
        DbcRicavi->setEditText(LetturaPdC(*archivio, r.Ricavi));
    }
    DbcPagamento->setEditText(r.Pagamento);
    DbcIva->setEditText(r.CodiceIva);
    ChkIvaBloccata->setChecked(r.IvaBloccata);
    LblDarePn->setText(r.DarePn);
    LblAverePn->setText(r.AverePn);
    LblRicavi->setText(r.Ricavi);
    LblPagamento->setText(DefinizionePagamento(r.Pagamento));
    LblElemento->setText(r.Descrizione);
    for (ui::RefillCombo* c : {DbcDarePn, DbcAverePn, DbcRicavi}) c->keepShownText();
    DbcNtask->setFocus(Qt::OtherFocusReason);
}

void FrmDettElemFattura::ContoLasciato(ui::RefillCombo& combo, QLabel& codice) {
    // Not linked there is no chart of accounts to read the code from: the line keeps its
    // account. Linked, a description left as it was shown keeps the code it stood for.
    if (!collegato() || !combo.shownTextChanged()) return;
    Procedura proc("Funzione di lettura conto");
    if (Connessione archivio = ArchivioContabileInUso(proc))
        codice.setText(LetturaDescrizionePianoDeiConti(*archivio, combo.currentText()));
    combo.keepShownText();
}

QString FrmDettElemFattura::DefinizionePagamento(const QString& codice) {
    if (!collegato()) return {};
    Procedura proc("Funzione di definizione pagamento");
    Connessione s;
    if (!proc.essenziale([&] { s = ArchivioInUso(); })) return {};
    return ::DefinizionePagamento(*s, true, codice);
}

void FrmDettElemFattura::DbcPagamento_LostFocus() { LblPagamento->setText(DefinizionePagamento(DbcPagamento->currentText())); }

void FrmDettElemFattura::DbcIva_LostFocus() {
    if (!collegato()) return;
    Procedura proc("Decodifica codice iva - dettaglio elementi in fattura");
    Connessione s;
    if (!proc.essenziale([&] { s = ArchivioInUso(); })) return;
    if (const auto testo = DescrizioneCodiceIva(*s, DbcIva->currentText())) LblDescrizione->setText(*testo);
}

void FrmDettElemFattura::CmdContinua_Click() {
    // Not linked, the payment is a number of days and the VAT code the rate the line bills:
    // the line takes neither unless it is one a document may bear.
    if (!collegato()) {
        const QString pagamento = DbcPagamento->currentText();
        QWidget* rifiutato = nullptr;
        if (!pagamento.isEmpty() && !GiorniInCifre(pagamento)) {
            ui::MessageService::show(MessaggioScadenzaNonInGiorni);
            rifiutato = DbcPagamento;
        } else if (const auto rifiuto = RifiutoCodiceIvaDigitato(DbcIva->currentText())) {
            ui::MessageService::show(*rifiuto);
            rifiutato = DbcIva;
        }
        if (rifiutato) {
            rifiutato->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    FatturaInComposizioneRec& fattura = FatturaInComposizione();
    RigaFatturaInCorsoRec& r = fattura.RigaFatturaInCorso;
    r.Ntask = DbcNtask->currentText();
    r.Njob = DbcNjob->currentText();
    r.AverePn = LblAverePn->text();
    r.DarePn = LblDarePn->text();
    r.Ricavi = LblRicavi->text();
    r.Pagamento = DbcPagamento->currentText();
    r.CodiceIva = DbcIva->currentText();
    r.IvaBloccata = ChkIvaBloccata->isChecked();
    // Only a line loaded from the grid is written; a line still being composed takes the
    // values when it is added.
    if (RigaFattura* linea = r.Modo == 1 ? fattura.LineaSelezionata() : nullptr) {
        linea->ntask = r.Ntask;
        linea->njob = r.Njob;
        linea->averepn = r.AverePn;
        linea->darepn = r.DarePn;
        linea->ricavi = r.Ricavi;
        linea->pagamento = r.Pagamento;
        linea->CodiceIva = r.CodiceIva;
        linea->IvaBloccata = r.IvaBloccata;
        rigaScritta_ = true;
    }
    accept();
}
