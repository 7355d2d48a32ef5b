#include "invoice/forms/FrmRistampa.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "accounting/forms/FrmHelpPianoDeiConti.h"
#include "accounting/forms/NormalizzaCampoPdC.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Generale.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "invoice/engine/StampaDocumento.h"
#include "invoice/forms/StampaFattura.h"
#include "platform/system/MessageService.h"
#include "platform/ui/FocusEvents.h"
#include "platform/ui/FormUtil.h"
#include "platform/ui/Grid.h"
#include "platform/ui/RefillCombo.h"

namespace {

constexpr int Colonne = 5;
// The heading and nine rows, filled or not.
constexpr int RigheMinime = 10;

const QString TitoloCodice = QStringLiteral("RISTAMPA / ANNULLA FATTURA");
const QString TitoloElenco = QStringLiteral("Ristampa o Annulla Fatture");
const QString TitoloEsegui = QStringLiteral("RISTAMPA o ANNULLAMENTO FATTURE");

bool collegato() { return AmbienteLavoro().CollegatoContabilita; }

}  // namespace

FrmRistampa::FrmRistampa(QWidget* parent) : QDialog(parent) {
    setObjectName("FrmRistampa");
    setWindowTitle(Titolo);
    costruisci();
    ui::enterPresses(*this, nullptr);

    DbcCliente->setRefill([] {
        std::vector<ui::ComboRow> righe;
        Procedura proc("Funzione di ristampa a annullamento fattura");
        const bool c = collegato();
        if (Connessione s = c ? ArchivioContabileInUso(proc) : ArchivioInUso(proc))
            proc.esegui([&] { righe = ElencoClientiDocumenti(*s, c); });
        return righe;
    });
    ui::onFocusChange(*DbcCliente, [this] { DbcCliente_GotFocus(); }, [this] { DbcCliente_LostFocus(); });
    DbcCliente->installEventFilter(this);
    DbcCliente->lineEdit()->installEventFilter(this);
    connect(FlxFatture, &ui::Grid::clicked, this, &FrmRistampa::FlxFatture_Click);
    for (QRadioButton* o : {OptRistampa, OptAnnulla})
        connect(o, &QRadioButton::clicked, this, [this] { CmdEsegui->setEnabled(true); });
    connect(CmdEsegui, &QPushButton::clicked, this, &FrmRistampa::CmdEsegui_Click);
    connect(CmdFine, &QPushButton::clicked, this, &QDialog::accept);

    // Before the client box is first entered: nothing listed, nothing to run.
    VuotaGriglia();
    CmdEsegui->setEnabled(false);
    // As wide as its columns and a scroll bar.
    int larghezza = 2 * FlxFatture->frameWidth() + FlxFatture->verticalScrollBar()->sizeHint().width();
    for (int col = 0; col < Colonne; ++col) larghezza += FlxFatture->colWidth(col);
    FlxFatture->setFixedWidth(larghezza);
    adjustSize();
    ui::CentraForm(*this);
}

void FrmRistampa::costruisci() {
    Label1 = ui::named<QLabel>("Label1", "Codice cliente");
    DbcCliente = ui::named<ui::RefillCombo>("DbcCliente");
    DbcCliente->lineEdit()->setMaxLength(13);
    DbcCliente->setMinimumWidth(150);
    LblNome = ui::valueLabel("LblNome", 330);
    LblNome->setText("Nome cliente");
    FlxFatture = ui::named<ui::Grid>("FlxFatture");
    FlxFatture->verticalHeader()->setDefaultSectionSize(FlxFatture->fontMetrics().height() + 6);
    FlxFatture->setMinimumHeight((FlxFatture->fontMetrics().height() + 6) * RigheMinime + 8);
    OptRistampa = ui::named<QRadioButton>("OptRistampa", "Ristampa la fattura");
    OptAnnulla = ui::named<QRadioButton>("OptAnnulla", "Annulla la fattura");
    CmdEsegui = ui::named<QPushButton>("CmdEsegui", "ESEGUI");
    CmdFine = ui::named<QPushButton>("CmdFine", "FINE");

    auto* cliente = new QGridLayout;
    cliente->addWidget(Label1, 0, 0);
    cliente->addWidget(DbcCliente, 1, 0);
    cliente->addWidget(LblNome, 1, 1);
    cliente->setColumnStretch(1, 1);

    auto* azioni = new QGroupBox("Operazione");
    auto* opzioni = new QVBoxLayout(azioni);
    opzioni->addWidget(OptRistampa);
    opzioni->addWidget(OptAnnulla);

    auto* pulsanti = new QVBoxLayout;
    pulsanti->addWidget(azioni);
    pulsanti->addStretch();
    pulsanti->addWidget(CmdEsegui);
    pulsanti->addWidget(CmdFine);

    auto* centro = new QHBoxLayout;
    centro->addWidget(FlxFatture, 1);
    centro->addLayout(pulsanti);

    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(cliente);
    tutto->addLayout(centro, 1);
}

void FrmRistampa::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (primoIngresso_) {
        primoIngresso_ = false;
        DbcCliente->setFocus(Qt::OtherFocusReason);
    }
}

bool FrmRistampa::eventFilter(QObject* oggetto, QEvent* evento) {
    if ((oggetto == DbcCliente || oggetto == DbcCliente->lineEdit()) && evento->type() == QEvent::KeyPress) {
        const int tasto = static_cast<QKeyEvent*>(evento)->key();
        if (tasto == Qt::Key_F3) {
            DbcCliente_KeyDown(tasto);
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

// --- The client box.

void FrmRistampa::DbcCliente_GotFocus() {
    LblNome->clear();
    VuotaGriglia();
    // Both options off: a group of exclusive options keeps one on otherwise.
    for (QRadioButton* o : {OptRistampa, OptAnnulla}) {
        o->setAutoExclusive(false);
        o->setChecked(false);
        o->setAutoExclusive(true);
    }
    CmdEsegui->setEnabled(false);
    rigaSelezionata_ = 0;
}

void FrmRistampa::DbcCliente_KeyDown(int tasto) {
    // The chart of accounts exists only while the accounting archive is linked.
    if (tasto == Qt::Key_F3 && collegato()) FrmHelpPianoDeiConti::Avvia(DbcCliente, QString(), QStringLiteral("C"));
}

void FrmRistampa::DbcCliente_LostFocus() {
    // The blanks typed around a code are no part of it.
    QString codice = DbcCliente->currentText().trimmed();
    if (codice.isEmpty()) return;
    if (codice.contains(u'+')) {
        ui::MessageService::show("In questa sessione non si possono aggiungere nuovi conti (+)", TitoloCodice);
        DbcCliente->setFocus(Qt::OtherFocusReason);
        return;
    }
    const bool c = collegato();
    if (c) {
        codice = NormalizzaCodicePdC(codice, *DbcCliente);
        if (codice == CodicePdCVuoto) return;
    }
    DbcCliente->setEditText(codice);

    Procedura proc("Funzione di ristampa a annullamento fattura");
    std::optional<QString> nome;
    if (Connessione s = c ? ArchivioContabileInUso(proc) : ArchivioInUso(proc))
        proc.esegui([&] { nome = NomeClienteDocumenti(*s, codice, c); });
    LblNome->setText(nome ? *nome : NonDefinito);
    PopolaGriglia();
}

// --- The grid.

void FrmRistampa::VuotaGriglia() {
    ui::Grid& g = *FlxFatture;
    g.setRows(RigheMinime);
    g.setCols(Colonne);
    g.setRow(0);
    g.setCol(0);
    g.setFormatString(FormatoGrigliaVuota);
    for (int r = 1; r < RigheMinime; ++r)
        for (int col = 0; col < Colonne; ++col) {
            g.setText(r, col, {});
            g.setCellBackColor(r, col, ui::bgr(ui::BgrWhite));
        }
    elenco_.clear();
    rigaPrecedente_ = 0;
}

void FrmRistampa::PopolaGriglia() {
    // A new list: no row of the one before stays chosen.
    VuotaGriglia();
    rigaSelezionata_ = 0;
    const QString codice = DbcCliente->currentText();
    // Only the copies of documents that exist, once the issues and cancels left half-way are
    // settled.
    Procedura proc("Funzione di ristampa a annullamento fattura");
    if (Connessione archivio = ArchivioInUso(proc))
        proc.esegui([&] {
            elenco_ = ElencoDocumentiEmessi(*archivio, AmbienteLavoro().CartellaAvvio, AmbienteLavoro().CartellaFatture,
                                            codice, collegato(), ParametriFattura().MemorizzaFattura);
        });
    const int n = NumeroFatture();
    if (n == 0) {
        ui::MessageService::show("Non ci sono fatture da visualizzare", TitoloElenco);
        return;
    }
    ui::Grid& g = *FlxFatture;
    g.setRows(std::max(RigheMinime, n + 1));
    g.setCols(Colonne);
    g.setRow(0);
    g.setCol(0);
    g.setFormatString(FormatoGriglia);
    for (int r = 1; r <= n; ++r) {
        const DocumentoArchiviato& d = elenco_[size_t(r - 1)];
        const QString celle[Colonne] = {d.Fascola(), d.Data(), d.TipoDoc(), d.Numero(), d.RegCont()};
        for (int col = 0; col < Colonne; ++col) {
            g.setText(r, col, celle[col]);
            g.setCellAlignment(r, col, Qt::AlignCenter);
            g.setCellBackColor(r, col, ui::bgr(ui::BgrWhite));
        }
    }
    for (int r = n + 1; r < RigheMinime; ++r)
        for (int col = 0; col < Colonne; ++col) {
            g.setText(r, col, QStringLiteral(" "));
            g.setCellBackColor(r, col, ui::bgr(ui::BgrWhite));
        }
}

void FrmRistampa::coloraRiga(int riga, std::uint32_t colore) {
    for (int col = 0; col < Colonne; ++col) FlxFatture->setCellBackColor(riga, col, ui::bgr(colore));
}

void FrmRistampa::FlxFatture_Click(int riga) {
    if (rigaPrecedente_ != 0) coloraRiga(rigaPrecedente_, ui::BgrWhite);
    // A blank row below the documents is no choice.
    if (riga < 1 || riga > NumeroFatture()) {
        rigaSelezionata_ = 0;
        rigaPrecedente_ = 0;
        return;
    }
    rigaSelezionata_ = riga;
    rigaPrecedente_ = riga;
    coloraRiga(riga, ui::BgrYellow);
}

// --- ESEGUI.

void FrmRistampa::CmdEsegui_Click() {
    if (rigaSelezionata_ < 1 || rigaSelezionata_ > NumeroFatture()) {
        ui::MessageService::show("selezionare una documento tra quelli elencati", TitoloEsegui);
        return;
    }
    const DocumentoArchiviato documento = elenco_[size_t(rigaSelezionata_ - 1)];
    if (OptRistampa->isChecked()) Ristampa(documento);
    else if (OptAnnulla->isChecked()) Annullamento(documento);
    else return;
    TornaAlCliente();
}

void FrmRistampa::TornaAlCliente() {
    // Started over here and now: the focus itself may reach the box only once the window is
    // active again (after the preview), and starting over twice changes nothing.
    DbcCliente_GotFocus();
    DbcCliente->setFocus(Qt::OtherFocusReason);
}

void FrmRistampa::Ristampa(const DocumentoArchiviato& documento) {
    const QString path = PercorsoCopiaArchiviata(AmbienteLavoro().CartellaFatture, documento.NomeFile);
    switch (VerificaCopiaArchiviata(path)) {
    case StatoCopiaArchiviata::Leggibile: break;
    case StatoCopiaArchiviata::Mancante:
        ui::MessageService::show("Il documento " + NomeNelMessaggio(documento.NomeFile) +
                                     " non è più nella cartella delle fatture: forse è stato annullato da un'altra "
                                     "postazione",
                                 TitoloEsegui, ui::Buttons::Ok, ui::Icon::Warning);
        return;
    case StatoCopiaArchiviata::Illeggibile:
        ui::MessageService::show("Il documento archiviato " + NomeNelMessaggio(documento.NomeFile) +
                                     " non si può leggere: il file è danneggiato, oppure non è la copia di un "
                                     "documento emesso da questo programma. Non è possibile ristamparlo.",
                                 TitoloEsegui, ui::Buttons::Ok, ui::Icon::Warning);
        return;
    }
    Procedura proc("Funzione di ristampa fattura");
    proc.esegui([&] {
        CompletaCopiaArchiviata(path);
        ReportDocumentoEmesso(path, DestinazioneDocumento(ParametriFattura().AnteprimaStampa), this);
    });
}

void FrmRistampa::Annullamento(const DocumentoArchiviato& documento) {
    Procedura proc("Annullamento di una fattura");
    Connessione archivio = ArchivioInUso(proc);
    if (!archivio) return;
    bool annullato = true;
    proc.esegui([&] {
        annullato = AnnullamentoDocumento(*archivio, AmbienteLavoro().CartellaFatture, documento, collegato());
    });
    if (!annullato)
        ui::MessageService::show("Il documento " + NomeNelMessaggio(documento.NomeFile) +
                                     " non è più nella cartella delle fatture: forse è stato annullato da un'altra "
                                     "postazione",
                                 TitoloEsegui, ui::Buttons::Ok, ui::Icon::Warning);
}
