#include "foundation/forms/FrmInformazioni.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/ui/FormUtil.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Generale.h"
#include "platform/system/Paths.h"
#include "platform/system/MessageService.h"

namespace {

QLabel* etichetta(const QString& nome, const QString& testo, QWidget* parent) {
    auto* label = new QLabel(testo, parent);
    label->setObjectName(nome);
    label->setWordWrap(true);
    return label;
}

QPushButton* pulsante(const QString& nome, const QString& testo, QWidget* parent) {
    auto* button = new QPushButton(testo, parent);
    button->setObjectName(nome);
    return button;
}

}  // namespace

QString FrmInformazioni::TestoVersione() {
    return QStringLiteral("Versione %1.%2.%3")
        .arg(FASCOLE_VERSION_MAJOR)
        .arg(FASCOLE_VERSION_MINOR)
        .arg(FASCOLE_VERSION_PATCH);
}

FrmInformazioni::FrmInformazioni(QWidget* parent) : QDialog(parent) {
    setObjectName("FrmInformazioni");
    setWindowTitle("INFORMAZIONI SU");

    picIcon = new QLabel(this);
    picIcon->setObjectName("picIcon");
    const QIcon icona = QApplication::windowIcon().isNull()
                            ? style()->standardIcon(QStyle::SP_MessageBoxInformation)
                            : QApplication::windowIcon();
    picIcon->setPixmap(icona.pixmap(48, 48));
    picIcon->setAlignment(Qt::AlignTop);

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName("SSTab1");

    auto* prodotto = new QWidget(SSTab1);
    LblProdotto = etichetta("LblProdotto", QGuiApplication::applicationDisplayName(), prodotto);
    QFont grande = LblProdotto->font();
    grande.setPointSize(grande.pointSize() + 4);
    grande.setBold(true);
    LblProdotto->setFont(grande);
    LblVersione = etichetta("LblVersione", TestoVersione(), prodotto);
    LblDescrizione = etichetta("LblDescrizione", AmbienteLavoro().DescrizioneProgramma, prodotto);
    auto* colonna = new QVBoxLayout(prodotto);
    colonna->addWidget(LblProdotto);
    colonna->addWidget(LblVersione);
    colonna->addWidget(LblDescrizione);
    colonna->addStretch();
    SSTab1->addTab(prodotto, "Prodotto");

    auto* assistenza = new QWidget(SSTab1);
    auto* contatti = new QVBoxLayout(assistenza);
    contatti->addWidget(etichetta(
        "LblAssistenza",
        "Per informazioni commerciali e per l'assistenza tecnica rivolgersi al fornitore "
        "che ha installato il programma.",
        assistenza));
    contatti->addStretch();
    SSTab1->addTab(assistenza, "Assistenza");

    CmdOK = pulsante("CmdOK", "OK", this);
    CmdSysInfo = pulsante("CmdSysInfo", "&Informazioni di sistema...", this);
    for (QPushButton* b : {CmdOK, CmdSysInfo}) b->setMinimumWidth(CmdSysInfo->sizeHint().width() + 16);
    connect(CmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(CmdSysInfo, &QPushButton::clicked, this, &FrmInformazioni::StartSysInfo);

    auto* pulsanti = new QVBoxLayout;
    pulsanti->addWidget(CmdOK);
    pulsanti->addWidget(CmdSysInfo);
    pulsanti->addStretch();

    auto* riga = new QHBoxLayout(this);
    riga->addWidget(picIcon);
    riga->addWidget(SSTab1, 1);
    riga->addLayout(pulsanti);
    ui::enterPresses(*this, CmdOK);

    resize(580, 270);
    ui::CentraForm(*this);
}

// The system-information tool is whatever program the installation names; without one,
// or when it does not start, the user is told that there is none.
void FrmInformazioni::StartSysInfo() {
    const QString programma = qEnvironmentVariable(VariabileInfoSistema).trimmed();
    if (!programma.isEmpty() && sys::StartProgram(programma)) return;
    ui::MessageService::show("Le informazioni sul sistema non sono disponibili in questa fase");
}
