#include "invoice/forms/FrmDatiClienteFattura.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "foundation/engine/DatiCliente.h"
#include "platform/ui/FormUtil.h"

FrmDatiClienteFattura::FrmDatiClienteFattura(QWidget* parent) : QDialog(parent) {
    setObjectName("FrmDatiClienteFattura");
    setWindowTitle("DATI CLIENTE SU FATTURA");

    LblRagioneSociale = ui::valueLabel("LblRagioneSociale", 360);
    TxtVia = ui::named<QLineEdit>("TxtVia");
    TxtCap = ui::named<QLineEdit>("TxtCap");
    TxtLocalita = ui::named<QLineEdit>("TxtLocalita");
    TxtProvincia = ui::named<QLineEdit>("TxtProvincia");
    TxtPI = ui::named<QLineEdit>("TxtPI");
    TxtCF = ui::named<QLineEdit>("TxtCF");
    Optsoggetto = ui::named<QRadioButton>("Optsoggetto", "Soggetto");
    OptEsente = ui::named<QRadioButton>("OptEsente", "Esente");
    TxtPercheEsente = ui::named<QLineEdit>("TxtPercheEsente");
    CmdContinua = ui::named<QPushButton>("CmdContinua", "CONTINUA");
    TxtCap->setFixedWidth(70);
    TxtProvincia->setFixedWidth(40);

    auto* indirizzo = new QGridLayout;
    indirizzo->addWidget(LblRagioneSociale, 0, 0, 1, 3);
    indirizzo->addWidget(TxtVia, 1, 0, 1, 3);
    indirizzo->addWidget(TxtCap, 2, 0);
    indirizzo->addWidget(TxtLocalita, 2, 1);
    indirizzo->addWidget(TxtProvincia, 2, 2);
    indirizzo->addWidget(new QLabel("Partita IVA"), 3, 0);
    indirizzo->addWidget(TxtPI, 3, 1, 1, 2);
    indirizzo->addWidget(new QLabel("Codice Fiscale"), 4, 0);
    indirizzo->addWidget(TxtCF, 4, 1, 1, 2);

    auto* posizione = new QGroupBox("Posizione IVA:");
    auto* opzioni = new QHBoxLayout(posizione);
    opzioni->addWidget(Optsoggetto);
    opzioni->addWidget(OptEsente);
    opzioni->addWidget(TxtPercheEsente, 1);

    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(indirizzo);
    tutto->addWidget(posizione);
    tutto->addWidget(CmdContinua, 0, Qt::AlignRight);
    ui::enterPresses(*this, CmdContinua);

    connect(CmdContinua, &QPushButton::clicked, this, &FrmDatiClienteFattura::CmdContinua_Click);
    Form_Load();
}

void FrmDatiClienteFattura::Form_Load() {
    const DatiClienteFatturaRec& d = DatiClienteFattura();
    LblRagioneSociale->setText(d.Nome);
    TxtVia->setText(d.Indirizzo);
    TxtCap->setText(d.Cap);
    TxtLocalita->setText(d.Localita);
    TxtProvincia->setText(d.Provincia);
    TxtPI->setText(d.PartitaIva);
    TxtCF->setText(d.CodiceFiscale);
    (d.SoggettoIva ? Optsoggetto : OptEsente)->setChecked(true);
    TxtPercheEsente->setText(d.SoggettoIva ? QString() : d.MotivoEsenzione);
}

void FrmDatiClienteFattura::CmdContinua_Click() {
    DatiClienteFatturaRec& d = DatiClienteFattura();
    d.Indirizzo = TxtVia->text();
    d.Cap = TxtCap->text();
    d.Localita = TxtLocalita->text();
    d.Provincia = TxtProvincia->text();
    d.PartitaIva = TxtPI->text();
    d.CodiceFiscale = TxtCF->text();
    d.SoggettoIva = Optsoggetto->isChecked();
    d.MotivoEsenzione = d.SoggettoIva ? QString() : TxtPercheEsente->text();
    accept();
}
