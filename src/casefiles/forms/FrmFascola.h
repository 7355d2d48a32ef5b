#pragma once
// The main window, the only modeless window of the program: the program runs while it is
// open and ends when it closes. Every other window is a modal dialog shown from it.
//
// Where its parts live:
// - this class: the frame only: load, caption, menus, toolbar, tab strip, the left column's
//   switch between quick selection and client tree, the VAT-regime options of the invoice
//   tab, the exposure button, the Attiva property and closing;
// - tab 0 "&Fascola": the case-file mask, its commands and search, and the content of the
//   client tree TrvFascole, built by the case-file code of src/casefiles/ inside
//   PaginaFascola(); it puts the mask in its initial state on AvvioMaschera() and gates the
//   exposure button with AbilitaEsposizione();
// - the case file on display, the task and job chosen and the VAT regime live in the one
//   FascolaCorrente() object (casefiles/engine/FascolaCorrente.h), which every tab follows;
// - tab 1 "&Incarichi" and tab 2 "&Lavori e Documenti": src/casefiles/, inside
//   PaginaIncarichi() and PaginaLavorazioni();
// - tab 4 "&Competenze": the fee-item tab of src/fees/, inside PaginaCompetenze();
// - tab 5 "&Fattura": the invoice tab of src/invoice/, inside PaginaFattura(); it answers
//   SchedaFatturaScelta() with its initial state and RegimeIvaCambiato() by redrawing its
//   grid, and owns the grid's pop-up menu;
// - the dialogs of the subsystems built on top of this one (archive linking, client registry
//   and parameters, catalogue, reprint, exposure) are handed to the window with
//   ImpostaDialogo(); until then their menu items and buttons stay disabled.
#include <QDir>
#include <QMainWindow>
#include <functional>
#include <map>
#include <vector>

#include "casefiles/forms/EvidenziaRiga.h"

class QAction;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolBar;
class QTreeView;
class MascheraFascola;
class ServiziCompetenze;
class TabIncarichi;
class TabLavorazioni;

class FrmFascola : public QMainWindow {
    Q_OBJECT
    // Whether the window takes input. The exposure button clears it before it shows its
    // dialog; the exposure dialog, the catalogue and the two client forms set it again when
    // they close, however they are closed.
    Q_PROPERTY(bool Attiva READ Attiva WRITE ImpostaAttiva)

public:
    // The tabs of NellaFascola, by index.
    enum Scheda {
        SchedaFascola = 0,
        SchedaIncarichi = 1,
        SchedaLavorazioni = 2,
        SchedaRiservata = 3,
        SchedaCompetenze = 4,
        SchedaFattura = 5,
    };

    // The dialogs of other subsystems that the window shows modally.
    enum class Dialogo { CollegamentoArchivi, Anagrafe, ParCli, Elefat, Ristampa, Esposizione };
    // Shows the dialog modally over `finestra` and returns when it has closed.
    using Apertura = std::function<void(QWidget* finestra)>;

    explicit FrmFascola(QWidget* parent = nullptr);

    // The load: centres the window, takes the start folder, runs the start-up (which may end
    // the program), puts the mask in its initial state and sets the caption. The start
    // folder is the folder the program was started from.
    void Form_Load(const QString& CartellaAvvio = QDir::currentPath());

    void ImpostaDialogo(Dialogo dialogo, Apertura apertura);
    bool DialogoDisponibile(Dialogo dialogo) const;

    bool Attiva() const { return attiva_; }
    void ImpostaAttiva(bool attiva);

    // The mask's wish for the exposure button; it is enabled only while the exposure dialog
    // exists too.
    void AbilitaEsposizione(bool abilita);

    // The containers that the tabs' own code fills.
    QWidget* PaginaFascola() const { return paginaFascola_; }
    QWidget* PaginaIncarichi() const { return paginaIncarichi_; }
    QWidget* PaginaLavorazioni() const { return paginaLavorazioni_; }
    QWidget* PaginaCompetenze() const { return paginaCompetenze_; }
    QWidget* PaginaFattura() const { return paginaFattura_; }

    QToolBar* BarraIcone;
    QTabWidget* NellaFascola;
    QGroupBox* FrmVeloce;
    QTreeView* TrvFascole;
    QPushButton* E_CmdCalcola;
    QRadioButton* OptIvaInter;
    QRadioButton* OptIvaCee;

    // The row marks of the four grids and the row of the last click in any of them.
    Evidenziatore Evidenziazione;
    // Tab 1 "&Incarichi" and tab 2 "&Lavori e Documenti".
    TabLavorazioni* Lavorazioni = nullptr;
    TabIncarichi* Incarichi = nullptr;
    // Tab 0: the case-file mask.
    MascheraFascola* Maschera = nullptr;
    // Tab 4: the fee-item tab, once the subsystem that owns it has put it in
    // PaginaCompetenze().
    ServiziCompetenze* Competenze = nullptr;

signals:
    // The load has run the start-up: no case file on display, the mask in its initial state.
    void AvvioMaschera();
    // The tab strip reported a click while the invoice tab is the current one.
    void SchedaFatturaScelta();
    // A click on a VAT-regime option (FascolaCorrente() holds the regime): the invoice grid is
    // to be redrawn.
    void RegimeIvaCambiato();

private:
    void creaMenu();
    void creaBarraIcone();
    QWidget* creaColonnaSinistra();
    QWidget* creaSchede();
    // Works out the layout of every tab page, shown or not, so the window opens wide and high
    // enough for each and keeps its size whatever tab is shown.
    void MisuraSchede();

    void BarraIcone_ButtonClick(const QAction* pulsante);
    void Definizione_clienti_Click();
    void NellaFascola_Click();
    void OptIvaCee_Click();
    void OptIvaInter_Click();
    void E_CmdCalcola_Click();
    void Mostra(Dialogo dialogo);

    QWidget* paginaFascola_ = nullptr;
    QWidget* paginaIncarichi_ = nullptr;
    QWidget* paginaLavorazioni_ = nullptr;
    QWidget* paginaCompetenze_ = nullptr;
    QWidget* paginaFattura_ = nullptr;

    std::map<Dialogo, Apertura> dialoghi_;
    std::map<Dialogo, std::vector<QAction*>> comandiDialogo_;
    bool attiva_ = true;
    bool esposizioneVoluta_ = false;
};
