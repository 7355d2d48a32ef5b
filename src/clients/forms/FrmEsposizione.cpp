#include "clients/forms/FrmEsposizione.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <initializer_list>

#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/system/BasicRuntime.h"
#include "platform/ui/FormUtil.h"

namespace {

const QString ImportoZero = QStringLiteral("0,00");

QLabel* importo(const char* nome) {
    auto* l = ui::named<QLabel>(nome, ImportoZero);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFrameShape(QFrame::Box);
    l->setFrameShadow(QFrame::Plain);
    l->setMinimumWidth(96);
    l->setAutoFillBackground(true);
    l->setContentsMargins(4, 1, 4, 1);
    return l;
}

QLabel* intestazione(const QString& testo, Qt::Alignment allineamento = Qt::AlignCenter) {
    auto* l = new QLabel(testo);
    l->setAlignment(allineamento | Qt::AlignVCenter);
    return l;
}

QFrame* linea(const QColor& colore) {
    auto* l = new QFrame;
    l->setFixedHeight(2);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, colore);
    l->setPalette(p);
    return l;
}

// A frame of amounts: column headings over rows of a heading and its amounts, the rows
// parted by lines of one colour.
struct RigaImporti {
    QLabel* titolo;
    std::initializer_list<QLabel*> importi;
};

QGroupBox* riquadro(const QString& titolo, const QStringList& colonne, std::initializer_list<RigaImporti> righe,
                    const QColor& colore) {
    auto* box = new QGroupBox(titolo);
    auto* g = new QGridLayout(box);
    g->setHorizontalSpacing(6);
    g->setVerticalSpacing(3);
    for (int c = 0; c < colonne.size(); ++c) g->addWidget(intestazione(colonne[c]), 0, c + 1);
    int riga = 1;
    for (const RigaImporti& r : righe) {
        g->addWidget(linea(colore), riga++, 0, 1, int(colonne.size()) + 1);
        g->addWidget(r.titolo, riga, 0);
        int c = 1;
        for (QLabel* l : r.importi) g->addWidget(l, riga, c++);
        ++riga;
    }
    g->setColumnStretch(0, 1);
    return box;
}

}  // namespace

FrmEsposizione::FrmEsposizione(const QString& CodiceCliente, const QString& NomeCliente, const QString& Npra,
                               QWidget* parent)
    : QDialog(parent), codiceCliente_(CodiceCliente), nomeCliente_(NomeCliente), npra_(Npra) {
    setObjectName("FrmEsposizione");
    setWindowTitle("ESPOSIZIONE CLIENTE");
    costruisci();
    ui::enterPresses(*this, CmdContinua);
    Form_Load();
}

void FrmEsposizione::costruisci() {
    LblNomeCliente = ui::named<QLabel>("LblNomeCliente");
    QFont nome = LblNomeCliente->font();
    nome.setBold(true);
    nome.setPointSizeF(nome.pointSizeF() * 1.2);
    LblNomeCliente->setFont(nome);
    LblNomeCliente->setAlignment(Qt::AlignCenter);
    PrgBarra = ui::named<QProgressBar>("PrgBarra");
    PrgBarra->setTextVisible(false);
    PrgBarra->setVisible(false);

    LblSCEPD = importo("LblSCEPD");
    LblSCEPA = importo("LblSCEPA");
    LblSCEPS = importo("LblSCEPS");
    LblSCEAD = importo("LblSCEAD");
    LblSCEAA = importo("LblSCEAA");
    LblSCEAS = importo("LblSCEAS");
    LblAPAF = importo("LblAPAF");
    LblAPCF = importo("LblAPCF");
    LblAPKF = importo("LblAPKF");
    LblAPTF = importo("LblAPTF");
    LblAPANF = importo("LblAPANF");
    LblAPCNF = importo("LblAPCNF");
    LblAPKNF = importo("LblAPKNF");
    LblAPTNF = importo("LblAPTNF");
    LblPCAF = importo("LblPCAF");
    LblPCCF = importo("LblPCCF");
    LblPCKF = importo("LblPCKF");
    LblPCTF = importo("LblPCTF");
    LblPCANF = importo("LblPCANF");
    LblPCCNF = importo("LblPCCNF");
    LblPCKNF = importo("LblPCKNF");
    LblPCTNF = importo("LblPCTNF");
    LblSC = importo("LblSC");
    LblAP = importo("LblAP");
    LblPC = importo("LblPC");
    LblT = importo("LblT");
    QPalette giallo = LblT->palette();
    giallo.setColor(QPalette::Window, QColor(255, 255, 128));
    LblT->setPalette(giallo);
    CmdContinua = ui::named<QPushButton>("CmdContinua", "CONTINUA");

    auto nonFatturato = [] {
        QLabel* l = intestazione("Non fatturato", Qt::AlignLeft);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, Qt::red);
        l->setPalette(p);
        return l;
    };
    const QStringList tipi = {"Anticipazioni", "Costi", "Competenze", "TOTALE"};

    auto* contabile = riquadro("Situazione Contabile", {"DARE", "AVERE", "SALDO"},
                               {{intestazione("Esercizio precedente", Qt::AlignLeft), {LblSCEPD, LblSCEPA, LblSCEPS}},
                                {intestazione("Esercizio attuale", Qt::AlignLeft), {LblSCEAD, LblSCEAA, LblSCEAS}}},
                               Qt::red);
    auto* altre = riquadro("Altre fascole ", tipi,
                           {{intestazione("Fatturato", Qt::AlignLeft), {LblAPAF, LblAPCF, LblAPKF, LblAPTF}},
                            {nonFatturato(), {LblAPANF, LblAPCNF, LblAPKNF, LblAPTNF}}},
                           Qt::yellow);
    auto* corrente = riquadro("Fascola corrente", tipi,
                              {{intestazione("Fatturato", Qt::AlignLeft), {LblPCAF, LblPCCF, LblPCKF, LblPCTF}},
                               {nonFatturato(), {LblPCANF, LblPCCNF, LblPCKNF, LblPCTNF}}},
                              Qt::cyan);
    for (QGroupBox* box : {contabile, altre, corrente}) box->setObjectName(box->title().trimmed());

    auto* totale = new QGroupBox("Esposizione totale");
    totale->setObjectName("Esposizione totale");
    auto* t = new QGridLayout(totale);
    int riga = 0;
    const std::pair<const char*, QLabel*> voci[] = {{"Saldo situazione contabile", LblSC},
                                                    {"Esposizione da altre fascole", LblAP},
                                                    {"Esposizione fascola corrente", LblPC},
                                                    {"ESPOSIZIONE TOTALE", LblT}};
    for (const auto& [testo, etichetta] : voci) {
        t->addWidget(intestazione(QString::fromUtf8(testo), Qt::AlignLeft), riga, 0);
        t->addWidget(etichetta, riga++, 1);
    }

    auto* sopra = new QGridLayout;
    sopra->addWidget(LblNomeCliente, 0, 0);
    sopra->addWidget(PrgBarra, 0, 0);

    auto* sotto = new QHBoxLayout;
    sotto->addWidget(totale);
    sotto->addStretch();
    sotto->addWidget(CmdContinua, 0, Qt::AlignBottom);

    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(sopra);
    tutto->addWidget(contabile);
    tutto->addWidget(altre);
    tutto->addWidget(corrente);
    tutto->addLayout(sotto);

    connect(CmdContinua, &QPushButton::clicked, this, &QDialog::accept);
}

void FrmEsposizione::Form_Load() {
    LblNomeCliente->clear();
    PrgBarra->setRange(0, 160);
    PrgBarra->setValue(0);
    PrgBarra->setVisible(true);

    const AmbienteLavoroRec& ambiente = AmbienteLavoro();
    RichiestaEsposizione richiesta{codiceCliente_, npra_, ambiente.CollegatoContabilita,
                                   ambiente.PathArchivioContabile};
    Procedura proc("Funzione di inizializzazione Form Esposizione");
    Connessione sessione;
    // Left at a failure, the window opens with what was filled, the bar still on show.
    if (!proc.essenziale([&] { sessione = ArchivioInUso(); })) return;
    const Esposizione e = CalcolaEsposizione(*sessione, richiesta, [this](int valore) { PrgBarra->setValue(valore); });
    if (!e.completa) return;
    mostra(e);
    PrgBarra->setVisible(false);
    LblNomeCliente->setText(nomeCliente_);
}

void FrmEsposizione::mostra(const Esposizione& e) {
    const AmbienteLavoroRec& ambiente = AmbienteLavoro();
    const QString breve = ambiente.FormatoImporto.isEmpty() ? QStringLiteral("###,##0.00") : ambiente.FormatoImporto;
    const QString esteso =
        ambiente.FormatoImportoEsteso.isEmpty() ? QStringLiteral("#,###,##0.00") : ambiente.FormatoImportoEsteso;
    auto scrivi = [](QLabel* etichetta, const Currency& cifra, const QString& formato) {
        etichetta->setText(basic::Format(cifra, formato));
    };
    auto saldo = [&](const SaldoGiornale& s, QLabel* dare, QLabel* avere, QLabel* differenza) {
        scrivi(dare, s.dare, breve);
        scrivi(avere, s.avere, breve);
        scrivi(differenza, s.saldo(), esteso);
    };
    auto gruppo = [&](const CompetenzePerTipo& c, std::initializer_list<QLabel*> etichette) {
        auto l = etichette.begin();
        scrivi(l[0], c.anticipazioni, breve);
        scrivi(l[1], c.costi, breve);
        scrivi(l[2], c.competenze, breve);
        scrivi(l[3], c.totale(), esteso);
    };
    saldo(e.esercizioPrecedente, LblSCEPD, LblSCEPA, LblSCEPS);
    saldo(e.esercizioAttuale, LblSCEAD, LblSCEAA, LblSCEAS);
    gruppo(e.altreFatturate, {LblAPAF, LblAPCF, LblAPKF, LblAPTF});
    gruppo(e.altreNonFatturate, {LblAPANF, LblAPCNF, LblAPKNF, LblAPTNF});
    gruppo(e.correnteFatturate, {LblPCAF, LblPCCF, LblPCKF, LblPCTF});
    gruppo(e.correnteNonFatturate, {LblPCANF, LblPCCNF, LblPCKNF, LblPCTNF});
    scrivi(LblSC, e.saldoContabile(), esteso);
    scrivi(LblAP, e.altreNonFatturate.totale(), esteso);
    scrivi(LblPC, e.correnteNonFatturate.totale(), esteso);
    scrivi(LblT, e.totale(), esteso);
}
