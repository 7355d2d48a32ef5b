#include "accounting/forms/FrmHelpPianoDeiConti.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Generale.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/ui/FormUtil.h"
#include "platform/db/Database.h"
#include "platform/ui/FocusEvents.h"
#include "platform/ui/RefillCombo.h"

namespace {

struct Conto {
    QString codice;
    QString descrizione;
};

// The postable accounts that match; nothing when the archive could not be read (the error
// handler has told the user why).
std::optional<std::vector<Conto>> LeggiConti(const std::string& sql, const db::Params& parametri) {
    Procedura proc("Funzione di elenco del piano dei conti");
    std::vector<Conto> conti;
    bool letti = false;
    proc.esegui([&] {
        conti.clear();
        db::Statement elenco(*ArchivioContabileInUso(), sql, parametri);
        while (elenco.step())
            conti.push_back({elenco.column(0).textOr(QString()), elenco.column(1).textOr(QString())});
        letti = true;
    });
    if (!letti) return std::nullopt;
    return conti;
}

}  // namespace

FrmHelpPianoDeiConti::FrmHelpPianoDeiConti(QWidget* parent) : QDialog(parent) {
    setObjectName("FrmHelpPianoDeiConti");
    setWindowTitle("HELP PIANO DEI CONTI");

    DbgPianoDeiConti = ui::named<QTableWidget>("DbgPianoDeiConti", 0, 2);
    DbgPianoDeiConti->setHorizontalHeaderLabels({"Codice", "Descrizione"});
    DbgPianoDeiConti->setSelectionBehavior(QAbstractItemView::SelectRows);
    DbgPianoDeiConti->setSelectionMode(QAbstractItemView::SingleSelection);
    DbgPianoDeiConti->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DbgPianoDeiConti->verticalHeader()->hide();
    DbgPianoDeiConti->setColumnWidth(0, 110);
    DbgPianoDeiConti->horizontalHeader()->setStretchLastSection(true);

    TxtCaratteri = ui::named<QLineEdit>("TxtCaratteri");
    TxtCaratteri->setToolTip("filtro sulla descrizione");
    OptPdC = ui::named<QRadioButton>("OptPdC", "Piano dei Conti");
    OptClienti = ui::named<QRadioButton>("OptClienti", "Clienti");
    OptFornitori = ui::named<QRadioButton>("OptFornitori", "Fornitori");
    OptCodice = ui::named<QRadioButton>("OptCodice", "per &codice");
    OptDescrizione = ui::named<QRadioButton>("OptDescrizione", "per &descrizione");
    CmdOK = ui::named<QPushButton>("CmdOK", "&Ok");
    CmdOK->setToolTip("uscita con selezione");
    CmdUscita = ui::named<QPushButton>("CmdUscita", "&Annulla");
    CmdUscita->setToolTip("uscita senza selezione");
    LblMsg = ui::named<QLabel>("LblMsg");

    auto* elencare = new QGroupBox("Elencare:");
    auto* nature = new QVBoxLayout(elencare);
    for (QRadioButton* o : {OptPdC, OptClienti, OptFornitori}) nature->addWidget(o);
    auto* ordinamento = new QGroupBox("Ordinamento");
    ordinamento->setToolTip("selezionare il tipo di ordinamento");
    auto* ordini = new QVBoxLayout(ordinamento);
    for (QRadioButton* o : {OptCodice, OptDescrizione}) ordini->addWidget(o);

    auto* ricerca = new QHBoxLayout;
    ricerca->addWidget(new QLabel("Radice per ricerca"));
    ricerca->addWidget(TxtCaratteri, 1);

    auto* comandi = new QVBoxLayout;
    comandi->addWidget(elencare);
    comandi->addWidget(ordinamento);
    comandi->addStretch();
    comandi->addWidget(CmdOK);
    comandi->addWidget(CmdUscita);

    auto* centro = new QHBoxLayout;
    centro->addWidget(DbgPianoDeiConti, 1);
    centro->addLayout(comandi);

    auto* pagina = new QVBoxLayout(this);
    pagina->addLayout(ricerca);
    pagina->addLayout(centro, 1);
    pagina->addWidget(LblMsg);
    ui::enterPresses(*this, nullptr);

    connect(TxtCaratteri, &QLineEdit::textChanged, this, [this] { Elenca(NaturaScelta(), OrdineScelto(), true); });
    connect(OptCodice, &QRadioButton::clicked, this, [this] { Elenca(NaturaScelta(), Ordine::Codice, true); });
    connect(OptDescrizione, &QRadioButton::clicked, this,
            [this] { Elenca(NaturaScelta(), Ordine::Descrizione, true); });
    connect(OptPdC, &QRadioButton::clicked, this, [this] { Elenca("P", Ordine::Descrizione, true); });
    connect(OptClienti, &QRadioButton::clicked, this, [this] { Elenca("C", Ordine::Descrizione, true); });
    connect(OptFornitori, &QRadioButton::clicked, this, [this] { Elenca("F", Ordine::Descrizione, true); });
    connect(CmdOK, &QPushButton::clicked, this, &FrmHelpPianoDeiConti::CmdOK_Click);
    connect(CmdUscita, &QPushButton::clicked, this, &QDialog::reject);

    const std::pair<QWidget*, const char*> aiuti[] = {
        {CmdOK, "Uscita dalla funzione con il codice selezionato"},
        {CmdUscita, "Uscita dalla funzione senza la selezione"},
        {DbgPianoDeiConti, "Selezionare il codice con il quale si intende lavorare"},
        {OptCodice, "attiva / disattiva l'ordinamento per codice"},
        {OptDescrizione, "attiva / disattiva l'rodinamento per descrizione"},
        {TxtCaratteri, "indicare dei caratteri contigui per la ricerca della descrizione"},
    };
    for (const auto& [w, testo] : aiuti) ui::onFocusChange(*w, [this, t = QString(testo)] { LblMsg->setText(t); }, {});

    resize(640, 420);
}

bool FrmHelpPianoDeiConti::Avvia(QObject* CampoDestinazione, const QString& Parola, const QString& Natura) {
    auto* campo = qobject_cast<QWidget*>(CampoDestinazione);
    FrmHelpPianoDeiConti form(campo ? campo->window() : nullptr);
    form.Form_Load(CampoDestinazione, Parola, Natura);
    form.exec();
    return form.CodiceScelto();
}

void FrmHelpPianoDeiConti::Form_Load(QObject* campo, const QString& parola, const QString& natura) {
    CampoDestinazione = campo;
    Parola = parola;
    Natura = natura;
    scelto_ = false;
    ui::CentraForm(*this);

    // The option of the nature asked for shows it, so that typing a filter keeps it.
    if (QRadioButton* opzione = Natura == "P" ? OptPdC : Natura == "C" ? OptClienti : Natura == "F" ? OptFornitori
                                                                                                    : nullptr)
        opzione->setChecked(true);
    Elenca(Natura, Ordine::Descrizione, false);

    OptCodice->setChecked(false);
    OptDescrizione->setChecked(true);
    const QSignalBlocker silenzio(TxtCaratteri);
    TxtCaratteri->clear();
}

QString FrmHelpPianoDeiConti::NaturaScelta() const {
    if (OptPdC->isChecked()) return "P";
    if (OptClienti->isChecked()) return "C";
    if (OptFornitori->isChecked()) return "F";
    return {};
}

FrmHelpPianoDeiConti::Ordine FrmHelpPianoDeiConti::OrdineScelto() const {
    return OptCodice->isChecked() ? Ordine::Codice : Ordine::Descrizione;
}

void FrmHelpPianoDeiConti::Elenca(const QString& natura, Ordine ordine, bool conFiltro) {
    // Every value is bound: a description or word with a quote in it filters like any other.
    std::string sql = "SELECT codice, descrizione FROM pianodeiconti WHERE codice NOT LIKE ? ESCAPE '\\'";
    db::Params parametri{db::likePattern("*.0000")};
    const QString filtro = TxtCaratteri->text();
    if (conFiltro && !filtro.isEmpty()) {
        sql += " AND descrizione LIKE ? ESCAPE '\\'";
        parametri.emplace_back(db::likePattern(("*" + filtro + "*").toStdString()));
    }
    if (!Parola.isEmpty()) {
        sql += " AND parola LIKE ? ESCAPE '\\'";
        parametri.emplace_back(db::likePattern(Parola.toStdString()));
    }
    if (natura == "P" || natura == "C" || natura == "F") {
        sql += " AND natura = ?";
        parametri.emplace_back(natura);
    }
    sql += ordine == Ordine::Codice ? " ORDER BY codice" : " ORDER BY descrizione";

    const auto conti = LeggiConti(sql, parametri);
    if (!conti) return;

    DbgPianoDeiConti->clearContents();
    DbgPianoDeiConti->setRowCount(int(conti->size()));
    for (int r = 0; r < int(conti->size()); ++r) {
        DbgPianoDeiConti->setItem(r, 0, new QTableWidgetItem((*conti)[r].codice));
        DbgPianoDeiConti->setItem(r, 1, new QTableWidgetItem((*conti)[r].descrizione));
    }
    if (!conti->empty()) DbgPianoDeiConti->setCurrentCell(0, 0);
    CmdOK->setEnabled(!conti->empty());
}

// A data-bound combo takes the code as its bound value: the list row that stands for it is
// chosen, or, when its list does not hold it, the code becomes its text.
void FrmHelpPianoDeiConti::CmdOK_Click() {
    auto* combo = qobject_cast<ui::RefillCombo*>(CampoDestinazione.data());
    const int riga = DbgPianoDeiConti->currentRow();
    if (combo && riga >= 0 && DbgPianoDeiConti->item(riga, 0)) {
        const QString codice = DbgPianoDeiConti->item(riga, 0)->text();
        const int voce = combo->findData(codice);
        if (voce >= 0) combo->setCurrentIndex(voce);
        else combo->setEditText(codice);
        scelto_ = true;
    }
    accept();
}
