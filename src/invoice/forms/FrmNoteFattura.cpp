#include "invoice/forms/FrmNoteFattura.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "invoice/engine/DettaglioRigaFattura.h"
#include "platform/system/MessageService.h"
#include "platform/ui/FormUtil.h"

namespace {

// The width of the notes' columns.
constexpr int LunghezzaNota = 60;

}  // namespace

FrmNoteFattura::FrmNoteFattura(QWidget* parent) : QDialog(parent) {
    setObjectName("FrmNoteFattura");
    setWindowTitle("NOTE ALLA FATTURA");

    auto* spiegazione = new QLabel(
        "Inserire nei campi sotto riportati le note alla fattura che si vogliono stampare. Se si vuole che le note "
        "scritte rimangano fisse per tutte le fatture, attivare il campo di chek corrispondente a ogni riga che si "
        "vuole rendere costante,");
    spiegazione->setWordWrap(true);

    auto* note = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        TxtNota[size_t(i)] = ui::named<QLineEdit>(("TxtNota" + n).constData());
        TxtNota[size_t(i)]->setMaxLength(LunghezzaNota);
        TxtNota[size_t(i)]->setMinimumWidth(420);
        ChkNota[size_t(i)] = ui::named<QCheckBox>(("ChkNota" + n).constData(), "Costante");
        note->addWidget(TxtNota[size_t(i)], i, 0);
        note->addWidget(ChkNota[size_t(i)], i, 1);
    }
    CmdContinua = ui::named<QPushButton>("CmdContinua", "CONTINUA");
    CmdEsci = ui::named<QPushButton>("CmdEsci", "ESCI SENZA SALVARE");

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(CmdContinua);
    pulsanti->addWidget(CmdEsci);
    auto* tutto = new QVBoxLayout(this);
    tutto->addWidget(spiegazione);
    tutto->addLayout(note);
    tutto->addLayout(pulsanti);
    ui::enterPresses(*this, CmdContinua);

    // Focus order: the notes, then the boxes, then the buttons. Set once the controls are the
    // dialog's (the layout above made them so): the order is kept only among a window's own.
    QWidget* precedente = TxtNota[0];
    for (QWidget* w : std::initializer_list<QWidget*>{TxtNota[1], TxtNota[2], TxtNota[3], ChkNota[0], ChkNota[1],
                                                      ChkNota[2], ChkNota[3], CmdContinua, CmdEsci}) {
        setTabOrder(precedente, w);
        precedente = w;
    }

    connect(CmdContinua, &QPushButton::clicked, this, &FrmNoteFattura::CmdContinua_Click);
    connect(CmdEsci, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
}

void FrmNoteFattura::Form_Load() {
    const NoteFatturaRec& n = NoteFattura();
    const QString* testi[] = {&n.Nota1, &n.Nota2, &n.Nota3, &n.Nota4};
    for (size_t i = 0; i < 4; ++i) {
        TxtNota[i]->setText(*testi[i]);
        ChkNota[i]->setChecked(false);
    }
}

void FrmNoteFattura::CmdContinua_Click() {
    NoteFatturaRec& n = NoteFattura();
    std::array<QString, 4> testi;
    std::array<bool, 4> costanti{};
    for (size_t i = 0; i < 4; ++i) {
        testi[i] = TxtNota[i]->text();
        costanti[i] = ChkNota[i]->isChecked();
    }
    n.Nota1 = testi[0];
    n.Nota2 = testi[1];
    n.Nota3 = testi[2];
    n.Nota4 = testi[3];
    if (std::find(costanti.begin(), costanti.end(), true) != costanti.end()) {
        Procedura proc("Funzione di definizione camponote alla fattura");
        Connessione sessione;
        if (proc.essenziale([&] { sessione = ArchivioInUso(); }) &&
            MemorizzaNoteCostanti(*sessione, testi, costanti) == EsitoNoteCostanti::MancaRigaParametri)
            ui::MessageService::show(MessaggioMancanoParametriFattura);
    }
    accept();
}
