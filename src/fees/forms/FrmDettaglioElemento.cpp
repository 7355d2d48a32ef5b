#include "fees/forms/FrmDettaglioElemento.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "accounting/engine/LetturaContabile.h"
#include "fees/engine/CatalogoContabile.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/ui/FocusEvents.h"
#include "platform/ui/FormUtil.h"
#include "platform/ui/RefillCombo.h"

namespace {

bool collegato() { return AmbienteLavoro().CollegatoContabilita; }

}  // namespace

FrmDettaglioElemento::FrmDettaglioElemento(DettaglioCompetenzaRec& dettaglio, QWidget* parent)
    : QDialog(parent), dettaglio_(dettaglio) {
    setObjectName("FrmDettaglioElemento");
    setWindowTitle("Dettaglio Elemento in Competenza");
    costruisci();
    ui::enterPresses(*this, DC_CmdNascondi);

    for (ui::RefillCombo* conto : {DC_DbcDarepn, DC_DbcAverepn, DC_DbcRicavi}) {
        conto->setRefill([] {
            std::vector<ui::ComboRow> righe;
            if (!collegato()) return righe;
            Procedura proc("Funzione di lista conti dettaglio elemento");
            if (Connessione s = ArchivioContabileInUso(proc))
                proc.esegui([&] { righe = ElencoContiPatrimoniali(*s); });
            return righe;
        });
    }
    ui::onFocusChange(*DC_DbcDarepn, {}, [this] { ContoLasciato(*DC_DbcDarepn, *DC_LblDarepn); });
    ui::onFocusChange(*DC_DbcAverepn, {}, [this] { ContoLasciato(*DC_DbcAverepn, *DC_LblAverepn); });
    ui::onFocusChange(*DC_DbcRicavi, {}, [this] { ContoLasciato(*DC_DbcRicavi, *DC_LblRicavi); });
    connect(DC_CmdNascondi, &QPushButton::clicked, this, &QDialog::accept);

    Form_Load();
}

void FrmDettaglioElemento::costruisci() {
    DC_LblCodiceElemento = ui::valueLabel("DC_LblCodiceElemento", 50);
    DC_LblDescrizioneElemento = ui::valueLabel("DC_LblDescrizioneElemento", 300);
    DC_ChkPrimanota = ui::named<QCheckBox>("DC_ChkPrimanota", "Competenza già in prima nota");
    DC_LblIdpn = ui::valueLabel("DC_LblIdpn", 110);
    DC_DbcDarepn = ui::named<ui::RefillCombo>("DC_DbcDarepn");
    DC_LblDarepn = ui::valueLabel("DC_LblDarepn", 110);
    DC_DbcAverepn = ui::named<ui::RefillCombo>("DC_DbcAverepn");
    DC_LblAverepn = ui::valueLabel("DC_LblAverepn", 110);
    DC_ChkFatturato = ui::named<QCheckBox>("DC_ChkFatturato", "Competenza già fatturata");
    DC_LbLIdfattura = ui::valueLabel("DC_LbLIdfattura", 130);
    DC_DbcRicavi = ui::named<ui::RefillCombo>("DC_DbcRicavi");
    DC_LblRicavi = ui::valueLabel("DC_LblRicavi", 110);
    DC_ChkSpuntato = ui::named<QCheckBox>("DC_ChkSpuntato", "Competenza già spuntata per controllo");
    DC_CmdNascondi = ui::named<QPushButton>("DC_CmdNascondi", "CONTINUA");
    for (ui::RefillCombo* c : {DC_DbcDarepn, DC_DbcAverepn, DC_DbcRicavi}) c->setMinimumWidth(280);

    auto* g = new QGridLayout;
    int r = 0;
    g->addWidget(DC_LblCodiceElemento, r, 0);
    g->addWidget(DC_LblDescrizioneElemento, r++, 1, 1, 2);
    g->addWidget(DC_ChkPrimanota, r, 0, 1, 2);
    g->addWidget(DC_LblIdpn, r++, 2);
    g->addWidget(new QLabel("DA"), r, 0);
    g->addWidget(DC_DbcDarepn, r, 1);
    g->addWidget(DC_LblDarepn, r++, 2);
    g->addWidget(new QLabel("A"), r, 0);
    g->addWidget(DC_DbcAverepn, r, 1);
    g->addWidget(DC_LblAverepn, r++, 2);
    g->addWidget(DC_ChkFatturato, r, 0, 1, 2);
    g->addWidget(DC_LbLIdfattura, r++, 2);
    g->addWidget(new QLabel("Conto Ricavi:"), r, 0);
    g->addWidget(DC_DbcRicavi, r, 1);
    g->addWidget(DC_LblRicavi, r++, 2);
    g->addWidget(DC_ChkSpuntato, r++, 0, 1, 3);

    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(g);
    tutto->addWidget(DC_CmdNascondi, 0, Qt::AlignRight);
    setTabOrder(DC_ChkPrimanota, DC_DbcDarepn);
    setTabOrder(DC_DbcDarepn, DC_DbcAverepn);
    setTabOrder(DC_DbcAverepn, DC_ChkFatturato);
    setTabOrder(DC_ChkFatturato, DC_DbcRicavi);
    setTabOrder(DC_DbcRicavi, DC_ChkSpuntato);
    setTabOrder(DC_ChkSpuntato, DC_CmdNascondi);
}

void FrmDettaglioElemento::Form_Load() {
    const DettaglioCompetenzaRec& d = dettaglio_;
    DC_LblCodiceElemento->setText(d.elemento);
    DC_LblDescrizioneElemento->setText(d.DescrizioneElemento);
    DC_ChkPrimanota->setChecked(d.primanota);
    DC_LblIdpn->setText(d.idpn);
    DC_LblDarepn->setText(d.darepn);
    DC_LblAverepn->setText(d.averepn);
    DC_ChkFatturato->setChecked(d.fatturato);
    // The document that billed the item, beside its invoiced mark.
    DC_LbLIdfattura->setText(d.idfattura);
    DC_LblRicavi->setText(d.ricavi);
    DC_ChkSpuntato->setChecked(d.spuntato);
    for (ui::RefillCombo* c : {DC_DbcDarepn, DC_DbcAverepn, DC_DbcRicavi}) c->setEditText({});

    if (collegato()) {
        // An account the chart does not hold leaves its combo empty and its code in place.
        Procedura proc("Funzione di definizione default dettaglio elemnento");
        if (Connessione s = ArchivioContabileInUso(proc)) {
            const std::pair<ui::RefillCombo*, QLabel*> conti[] = {
                {DC_DbcDarepn, DC_LblDarepn}, {DC_DbcAverepn, DC_LblAverepn}, {DC_DbcRicavi, DC_LblRicavi}};
            for (const auto& [combo, codice] : conti) {
                proc.esegui([&] {
                    if (const auto conto = ContoDaCodice(*s, codice->text())) combo->setEditText(conto->descrizione);
                });
            }
        }
    }
    for (ui::RefillCombo* c : {DC_DbcDarepn, DC_DbcAverepn, DC_DbcRicavi}) c->keepShownText();
    DC_ChkPrimanota->setFocus(Qt::OtherFocusReason);
}

void FrmDettaglioElemento::ContoLasciato(ui::RefillCombo& combo, QLabel& codice) {
    if (!collegato() || !combo.shownTextChanged()) return;
    Procedura proc("Funzione di lettura da contabilità descrizione piano dei conti");
    Connessione s = ArchivioContabileInUso(proc);
    if (!s) return;
    QString trovato;
    if (!proc.essenziale([&] { trovato = LetturaDescrizionePianoDeiConti(*s, combo.currentText()); })) return;
    codice.setText(trovato);
    combo.keepShownText();
}

void FrmDettaglioElemento::AggiornaDettaglio() {
    DettaglioCompetenzaRec& d = dettaglio_;
    d.primanota = DC_ChkPrimanota->isChecked();
    d.darepn = DC_LblDarepn->text();
    d.averepn = DC_LblAverepn->text();
    d.fatturato = DC_ChkFatturato->isChecked();
    d.ricavi = DC_LblRicavi->text();
    d.spuntato = DC_ChkSpuntato->isChecked();
}

// Every way out of the dialog writes its state back.
void FrmDettaglioElemento::done(int risultato) {
    AggiornaDettaglio();
    QDialog::done(risultato);
}
