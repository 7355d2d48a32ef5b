#include "startup/forms/FrmCollegamentoArchivi.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <memory>
#include <utility>

#include "foundation/engine/Ambiente.h"
#include "foundation/engine/ArchivioFascole.h"
#include "foundation/engine/Generale.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "accounting/engine/ArchivioContabile.h"
#include "platform/ui/FormUtil.h"
#include "platform/db/Recordset.h"
#include "platform/system/Paths.h"
#include "platform/ui/FocusEvents.h"
#include "platform/system/MessageService.h"
#include "platform/ui/RefillCombo.h"
#include "startup/forms/DefinizioneValoriDefault.h"
#include "startup/engine/FileIni.h"
#include "startup/engine/ParametriFatturaArchivio.h"
#include "foundation/engine/Richiesto.h"
#include "startup/forms/SceltaAmbiente.h"

namespace {

const QString TitoloDitta = QStringLiteral("Associazione a nuova ditta");

bool esisteFile(const QString& percorso) { return QFileInfo(sys::LocalPath(percorso)).isFile(); }
bool esiste(const QString& percorso) { return QFileInfo::exists(sys::LocalPath(percorso)); }

// The box's text written as a local path when the user leaves it.
void RendiLocaleAllUscita(QLineEdit& box) {
    ui::onFocusChange(box, {}, [&box] { box.setText(sys::OwnPath(box.text(), AmbienteLavoro().MacchinaLocale)); });
}

QLabel* valore(const char* nome) {
    QLabel* l = ui::valueLabel(nome);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

}  // namespace

FrmCollegamentoArchivi::FrmCollegamentoArchivi(QWidget* parent) : QDialog(parent) {
    setObjectName("FrmCollegamentoArchivi");
    setWindowTitle("COLLEGAMENTO ARCHIVI");
    costruisci();
    ui::enterPresses(*this, nullptr);
    Form_Load();
    collegaEventi();
}

void FrmCollegamentoArchivi::costruisci() {
    auto* spiegazione = new QLabel(
        "Con questa maschera è possibile collegare il programma per il funzionamento con archivi diversi da quelli "
        "impostati. E' possibile collegare archivi posizionati su computer diversi collegati in rete.");
    spiegazione->setWordWrap(true);

    LblMacchina = valore("LblMacchina");
    LblFascole = valore("LblFascole");
    LblImmagini = valore("LblImmagini");
    LblContabilita = valore("LblContabilita");
    LblDitta = valore("LblDitta");
    LblEsercizio = valore("LblEsercizio");
    auto* attuale = new QGroupBox("Attuale configurazioni ");
    auto* a = new QGridLayout(attuale);
    a->addWidget(new QLabel("Nome macchina dove si sta lavorando"), 0, 0);
    a->addWidget(LblMacchina, 1, 0);
    a->addWidget(new QLabel("Archivio delle Fascole"), 2, 0);
    a->addWidget(LblFascole, 3, 0);
    a->addWidget(new QLabel("Cartella Immagini Fatture"), 4, 0);
    a->addWidget(LblImmagini, 5, 0);
    a->addWidget(new QLabel("Archivio Contabilità"), 6, 0);
    a->addWidget(LblContabilita, 7, 0);
    auto* dittaAttuale = new QGridLayout;
    dittaAttuale->addWidget(new QLabel("Nome ditta "), 0, 0);
    dittaAttuale->addWidget(new QLabel("Esercizio"), 0, 1);
    dittaAttuale->addWidget(LblDitta, 1, 0);
    dittaAttuale->addWidget(LblEsercizio, 1, 1);
    dittaAttuale->setColumnStretch(0, 3);
    dittaAttuale->setColumnStretch(1, 1);
    a->addLayout(dittaAttuale, 8, 0);
    a->setRowStretch(9, 1);

    OptFascoleEsi = ui::named<QRadioButton>("OptFascoleEsi", "Associa ad un archivio esistente");
    OptFascoleNuo = ui::named<QRadioButton>("OptFascoleNuo", "Crea un nuovo archivio");
    TxtFascole = ui::named<QLineEdit>("TxtFascole");
    CmdCercaFascole = ui::named<QPushButton>("CmdCercaFascole", "SFOGLIA");
    auto* fascole = new QGroupBox("Nuova associazione ad un archivio delle fascole");
    auto* f = new QGridLayout(fascole);
    f->addWidget(ui::row({OptFascoleEsi, OptFascoleNuo}, false), 0, 0, 1, 3);
    f->addWidget(new QLabel("Archivio"), 1, 0);
    f->addWidget(TxtFascole, 1, 1);
    f->addWidget(CmdCercaFascole, 1, 2);

    OptImmaginiEsi = ui::named<QRadioButton>("OptImmaginiEsi", "Associa a una cartella esistente");
    OptImmaginiNuo = ui::named<QRadioButton>("OptImmaginiNuo", "Crea una nuova cartella");
    TxtImmagini = ui::named<QLineEdit>("TxtImmagini");
    CmdCercaImmagini = ui::named<QPushButton>("CmdCercaImmagini", "SFOGLIA");
    auto* immagini = new QGroupBox("Nuova associazione Cartella Immagini");
    auto* i = new QGridLayout(immagini);
    i->addWidget(ui::row({OptImmaginiEsi, OptImmaginiNuo}, false), 0, 0, 1, 3);
    i->addWidget(new QLabel("Cartella"), 1, 0);
    i->addWidget(TxtImmagini, 1, 1);
    i->addWidget(CmdCercaImmagini, 1, 2);

    TxtArchivioDitte = ui::named<QLineEdit>("TxtArchivioDitte");
    CmdCercaDitte = ui::named<QPushButton>("CmdCercaDitte", "SFOGLIA");
    DbcDitta = ui::named<ui::RefillCombo>("DbcDitta");
    DbcDitta->lineEdit()->setMaxLength(30);
    CmbEsercizio = ui::named<QComboBox>("CmbEsercizio");
    CmbEsercizio->setEditable(true);
    CmbEsercizio->setCompleter(nullptr);
    CmbEsercizio->setInsertPolicy(QComboBox::NoInsert);
    CmbEsercizio->lineEdit()->setMaxLength(4);
    auto* contabili = new QGroupBox("Nuova associazione Archivi contabili ");
    auto* c = new QGridLayout(contabili);
    c->addWidget(new QLabel("Archivio "), 0, 0);
    c->addWidget(TxtArchivioDitte, 0, 1, 1, 3);
    c->addWidget(CmdCercaDitte, 0, 4);
    c->addWidget(new QLabel("Nome ditta "), 1, 0);
    c->addWidget(DbcDitta, 1, 1);
    c->addWidget(new QLabel("Esercizio"), 1, 2);
    c->addWidget(CmbEsercizio, 1, 3);
    c->setColumnStretch(1, 1);

    CmdConferma = ui::named<QPushButton>("CmdConferma", "CONFERMA");
    CmdRinuncia = ui::named<QPushButton>("CmdRinuncia", "RINUNCIA");
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(CmdConferma);
    pulsanti->addWidget(CmdRinuncia);

    auto* nuova = new QVBoxLayout;
    nuova->addWidget(fascole);
    nuova->addWidget(immagini);
    nuova->addWidget(contabili);
    nuova->addLayout(pulsanti);

    auto* centro = new QHBoxLayout;
    centro->addWidget(attuale, 2);
    centro->addLayout(nuova, 3);

    auto* pagina = new QVBoxLayout(this);
    pagina->addWidget(spiegazione);
    pagina->addLayout(centro);
    resize(900, sizeHint().height());
}

void FrmCollegamentoArchivi::Form_Load() {
    ui::CentraForm(*this);
    const AmbienteLavoroRec& ambiente = AmbienteLavoro();
    const ParametriFatturaRec& p = ParametriFattura();

    LblMacchina->setText(ambiente.MacchinaLocale);
    LblFascole->setText(ambiente.PathArchivioFascole);
    LblImmagini->setText(ambiente.CartellaFatture);
    LblContabilita->setText(ambiente.PathArchivioDitte);
    LblDitta->setText(p.Ditta);
    LblEsercizio->setText(p.Esercizio);

    // The new association starts as the one in force.
    OptFascoleEsi->setChecked(true);
    TxtFascole->setText(ambiente.PathArchivioFascole);
    OptImmaginiEsi->setChecked(true);
    TxtImmagini->setText(ambiente.CartellaFatture);
    TxtArchivioDitte->setText(ambiente.PathArchivioDitte);
    DbcDitta->setEditText(p.Ditta);
    CmbEsercizio->setEditText(p.Esercizio);
}

void FrmCollegamentoArchivi::collegaEventi() {
    // Choosing an option, existing or new, asks for the path anew.
    for (QRadioButton* o : {OptFascoleEsi, OptFascoleNuo})
        connect(o, &QRadioButton::clicked, TxtFascole, &QLineEdit::clear);
    for (QRadioButton* o : {OptImmaginiEsi, OptImmaginiNuo})
        connect(o, &QRadioButton::clicked, TxtImmagini, &QLineEdit::clear);

    connect(CmdCercaFascole, &QPushButton::clicked, this, &FrmCollegamentoArchivi::CmdCercaFascole_Click);
    connect(CmdCercaImmagini, &QPushButton::clicked, this, &FrmCollegamentoArchivi::CmdCercaImmagini_Click);
    connect(CmdCercaDitte, &QPushButton::clicked, this, &FrmCollegamentoArchivi::CmdCercaDitte_Click);
    connect(CmdConferma, &QPushButton::clicked, this, &FrmCollegamentoArchivi::CmdConferma_Click);
    connect(CmdRinuncia, &QPushButton::clicked, this, &QDialog::reject);

    RendiLocaleAllUscita(*TxtFascole);
    RendiLocaleAllUscita(*TxtImmagini);
    ui::onFocusChange(
        *TxtArchivioDitte, [this] { ArchivioDittePrecedente = TxtArchivioDitte->text(); },
        [this] { TxtArchivioDitte_LostFocus(); });
    ui::onFocusChange(*DbcDitta, [this] { DbcDitta_GotFocus(); }, {});
    ui::onFocusChange(*CmbEsercizio, [this] { CmbEsercizio_GotFocus(); }, [this] { LasciaEsercizi(*CmbEsercizio); });
}

// A cancelled chooser leaves the box as it was.
void FrmCollegamentoArchivi::CmdCercaFascole_Click() {
    if (const auto scelta = ScegliArchivioFascole(TxtFascole->text())) TxtFascole->setText(*scelta);
}

void FrmCollegamentoArchivi::CmdCercaImmagini_Click() {
    if (const auto scelta = ScegliCartellaFatture(TxtImmagini->text())) TxtImmagini->setText(*scelta);
}

void FrmCollegamentoArchivi::CmdCercaDitte_Click() {
    const auto scelta = ui::MessageService::current().chooseFile(
        {"Selezionare il file ditte.mdb della contabilità Zolpa", "(*.mdb) |*.mdb|", 1, ".mdb",
         CartellaIniziale(TxtArchivioDitte->text()), false, false});
    if (!scelta) return;
    TxtArchivioDitte->setText(*scelta);
    svuotaDittaEsercizio();
}

void FrmCollegamentoArchivi::svuotaDittaEsercizio() {
    DbcDitta->setEditText("");
    CmbEsercizio->setEditText("");
}

// Another companies list may not hold the company: it is chosen again.
void FrmCollegamentoArchivi::TxtArchivioDitte_LostFocus() {
    TxtArchivioDitte->setText(sys::OwnPath(TxtArchivioDitte->text(), AmbienteLavoro().MacchinaLocale));
    if (!ArchivioDittePrecedente.isEmpty()) svuotaDittaEsercizio();
}

void FrmCollegamentoArchivi::DbcDitta_GotFocus() {
    const QString pathDitte = TxtArchivioDitte->text();
    if (!pathDitte.isEmpty()) OffriDitte(*DbcDitta, pathDitte, "Attivazione campo selezione ditta");
}

// The years of which the company has an accounting archive in its folder.
void FrmCollegamentoArchivi::CmbEsercizio_GotFocus() {
    OffriEsercizi(*CmbEsercizio, *DbcDitta, TxtArchivioDitte->text(), DbcDitta->currentText(), TitoloDitta);
}

bool FrmCollegamentoArchivi::controlloFallito() {
    // The message of a failed check, the focus on the box to mend (none for the year).
    auto rifiuta = [](const QString& messaggio, const QString& titolo, QWidget* fuoco) {
        ui::MessageService::show(messaggio, titolo);
        if (fuoco) fuoco->setFocus();
        return true;
    };
    const QString A = QStringLiteral("Associazione Archivi");
    const QString a = QStringLiteral("Associazione archivi");
    const QString fascole = TxtFascole->text();
    const QString immagini = TxtImmagini->text();
    const QString ditte = TxtArchivioDitte->text();

    if (fascole.isEmpty()) return rifiuta("Definire l'archivio delle fascole", A, TxtFascole);
    if (fascole.right(4) != ".mdb") return rifiuta("Il programma deve essere associato a un data base", A, TxtFascole);
    if (OptFascoleEsi->isChecked() && !esisteFile(fascole))
        return rifiuta("Si è indicata una associazione ad un archivio inesistente", a, TxtFascole);
    if (OptFascoleNuo->isChecked() && esiste(fascole)) return rifiuta("L'archivio indicato già esiste", a, TxtFascole);
    // An existing archive must be one; a new one needs a folder that takes it, offered for
    // creation when missing.
    if (!ArchivioFascoleAccettato(fascole, a)) {
        TxtFascole->setFocus();
        return true;
    }
    if (immagini.isEmpty())
        return rifiuta("Si deve indicare la cartella di memorizzazione delle immagini", a, TxtImmagini);
    // A missing folder is offered for creation; one that cannot be created is refused.
    if (OptImmaginiEsi->isChecked() &&
        !CartellaFattureAccettata(immagini, a, "Si è indicata una associazione ad una cartella inesistente (" +
                                                   NomeNelMessaggio(immagini) + ")")) {
        TxtImmagini->setFocus();
        return true;
    }
    if (OptImmaginiNuo->isChecked() && esiste(CartellaFattureLocale(immagini)))
        return rifiuta("La cartella indicata già esiste", a, TxtImmagini);
    if (ditte.isEmpty())
        return rifiuta("Si deve indicare l'archivio ditte.mdb a cui associare le fascole", a, TxtArchivioDitte);
    if (ditte.right(4) != ".mdb") return rifiuta("L'archivio Ditte.mdb deve essere un data base", A, TxtArchivioDitte);
    if (!esisteFile(ditte)) return rifiuta("E' stato associato un archivio ditte inesistente", a, TxtArchivioDitte);
    if (DbcDitta->currentText().isEmpty())
        return rifiuta("Indicare la ditta a cui associare le fascole", a, DbcDitta);
    if (CmbEsercizio->currentText().isEmpty())
        return rifiuta("Indicare l'esercizio contabile a cui associare le fascole", a, nullptr);
    return false;
}

void FrmCollegamentoArchivi::CmdConferma_Click() {
    if (controlloFallito()) return;

    AmbienteLavoroRec& ambiente = AmbienteLavoro();
    ParametriFatturaRec& p = ParametriFattura();
    const QString fascole = TxtFascole->text();
    const QString immagini = TxtImmagini->text();
    const QString ditte = TxtArchivioDitte->text();
    Procedura proc("Funzione di conferma Collegamanto ad archivi");

    // A new invoice folder before anything is saved: one that cannot be created is refused.
    if (OptImmaginiNuo->isChecked() && !QDir().mkpath(CartellaFattureLocale(immagini))) {
        MessaggioCartellaFattureNonCreata(immagini, QStringLiteral("Associazione archivi"));
        TxtImmagini->setFocus();
        return;
    }

    // The file first: while it cannot be written the program stays on the archives in force.
    if (!proc.esegui([&] { ScriviFileIni(ambiente.PathFileIni, {fascole, ditte, immagini, ambiente.VersioneProgramma}); }))
        return;
    ambiente.PathArchivioFascole = fascole;
    ambiente.CartellaFatture = immagini;
    ambiente.PathArchivioDitte = ditte;
    p.Ditta = DbcDitta->currentText();
    p.Esercizio = CmbEsercizio->currentText();

    if (OptFascoleNuo->isChecked()) DefinizioneDataBase();

    {
        // The session follows the archive now named.
        Connessione archivio;
        std::unique_ptr<db::Recordset> riga;
        bool presente = false;
        if (!proc.esegui([&] { archivio = ArchivioInUso(); })) return;
        if (!proc.esegui([&] { riga = Richiesto(archivio).openRecordset("select * from AmbienteFascola"); })) return;
        if (!proc.esegui([&] { presente = !Richiesto(riga).EOF_(); })) return;
        if (presente) {
            if (!proc.esegui([&] { Richiesto(riga).Edit(); })) return;
            if (!proc.esegui([&] { Richiesto(riga).setField("ditta", p.Ditta); })) return;
            if (!proc.esegui([&] { Richiesto(riga).setField("Esercizio", p.Esercizio); })) return;
            if (!proc.esegui([&] { Richiesto(riga).Update(); })) return;
        }
    }

    DefinizioneValoriDefault();
}
