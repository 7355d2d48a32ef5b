#include "clients/forms/ParCliFixture.h"
#include "support/SchedaGuasta.h"

using ui::Answer;

namespace parcli_test {
namespace {

const QString DefinireCliente = "Definire il cliente";
const QString ClienteNonValido = "Cliente non definito: scegliere un cliente esistente";
const QString SenzaCriterio = "selezionare il criterio di fatturazione voluto";
const QString GiaDefiniti = "Il cliente ha già i parametri definiti: cercarli con RICERCA per correggerli";
const QString NessunParametro = "Non c'è nessun parametro definito per il cliente";
const QString ConfermaCancellazione = "Confermare la cancellazione dei parametri del cliente";
const QString ModificatiAltrove =
    "I parametri del cliente sono stati modificati da un altro utente: ecco i dati aggiornati";
const QString EliminatiAltrove = "I parametri del cliente sono stati cancellati da un altro utente";
const QString NonInElenco = "l'elemento indicato non è compreso nell'elenco";

using Stato = std::vector<bool>;
//                      AGG    RIC    CORR   CANC   CONF   ANN    STA    liste
const Stato Iniziale = {true, true, false, false, false, false, false, false};
const Stato Inserimento = {false, false, false, false, true, true, true, true};
const Stato Visione = {false, false, false, true, false, true, true, false};
const Stato Correzione = {false, false, true, false, false, true, true, true};

const QString RigaVuotaListino = " | | | ";

using FrmParCliTest = ParCliFixture;

TEST_F(FrmParCliTest, OpensInTheSearchMaskWithEmptyGrids) {
    apri();
    EXPECT_EQ(f().windowTitle(), "Parametri economici Cliente");
    EXPECT_EQ(f().LblTitolo->text(), "GESTIONE PARAMETRI ECONOMICI CLIENTI");
    const std::vector<std::pair<QPushButton*, QString>> didascalie = {
        {f().cmdAggiungi, "AGGIUNGI"}, {f().cmdRicerca, "RICERCA"},      {f().cmdCorreggi, "CORREGGI"},
        {f().cmdCancella, "CANCELLA"}, {f().cmdConferma, "CONFERMA"},    {f().cmdAnnulla, "ANNULLA"},
        {f().cmdFine, "ESCI"},         {f().CmdStampa, "STAMPA"},        {f().CmdAggiungiFisso, "AGGIUNGI"},
        {f().CmdTogliFisso, "TOGLI"},  {f().CmdAggiungiListino, "AGGIUNGI"}, {f().CmdTogliListino, "TOGLI"}};
    for (const auto& [b, testo] : didascalie) EXPECT_EQ(b->text(), testo) << b->objectName().toStdString();
    for (const char* nome : {"DbcNomeCliente", "LblCodiceCliente", "OptFineMese", "OptPerAnticipazioni",
                             "OptPerOgniVoce", "OptFineLavoro", "OptFineFascola", "TxtNote", "DtaSelezionati",
                             "DbcElementoFisso", "LblEleFisso", "OptPerFascola", "OptPerLavorazione", "OptPerFattura",
                             "FlxFissi", "DbcElementoListino", "LblEleListino", "LblListino", "TxtListino",
                             "DbcPagamento", "FlxListino", "lblAzioneInCorso"})
        EXPECT_TRUE(f().findChild<QWidget*>(nome)) << nome;

    EXPECT_EQ(pulsanti(), Iniziale);
    EXPECT_EQ(f().lblAzioneInCorso->text(), "definisci il cliente per la ricerca");
    EXPECT_EQ(f().ModoOperativo, FrmParCli::ModoIniziale);
    EXPECT_TRUE(f().DbcNomeCliente->isEnabled());
    for (QWidget* w : std::initializer_list<QWidget*>{f().OptFineMese, f().TxtNote, f().DbcElementoFisso,
                                                      f().OptPerFascola, f().DbcElementoListino, f().TxtListino,
                                                      f().DbcPagamento})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_EQ(f().FlxFissi->rows(), 9);
    EXPECT_EQ(f().FlxFissi->text(0, 1), " Applicaz. ");
    EXPECT_EQ(f().FlxListino->rows(), 10);
    EXPECT_EQ(f().FlxListino->text(0, 1), "  Listino  ");
}

TEST_F(FrmParCliTest, AClientGetsCriterionNotesFixedItemsAndPriceListAndTheNextOneFollows) {
    ScriptedMessages box;
    apri();
    clic(f().cmdAggiungi);
    EXPECT_EQ(pulsanti(), Inserimento);
    EXPECT_EQ(f().lblAzioneInCorso->text(), "Inserimento nuovi parametri");
    scegliCliente("Rossi Mario");
    EXPECT_EQ(f().LblCodiceCliente->text(), "R01");
    clic(f().OptFineFascola);
    scrivi(f().TxtNote, "Pratiche \"urgenti\" d'ufficio");

    aggiungiFisso("Onorario", f().OptPerFascola);
    aggiungiFisso("Bolli", f().OptPerFattura);
    aggiungiFisso("Spese di cancelleria varie", f().OptPerLavorazione);
    EXPECT_TRUE(f().DbcElementoFisso->currentText().isEmpty());
    EXPECT_TRUE(f().LblEleFisso->text().isEmpty());
    EXPECT_FALSE(f().OptPerLavorazione->isChecked());
    EXPECT_EQ(righe(*f().FlxFissi), QStringList({"ONO|fascola|Onorario          ", "BOL|Fattura|Bolli             ",
                                                 "SPE|Lavoraz.|Spese di canceller", "||", "||", "||", "||", "||"}));

    // The element's catalogue price is shown beside it; the client's own price is formatted on
    // leaving its box.
    scrivi(f().DbcElementoListino, "Bolli");
    scrivi(f().TxtListino, "1.234,5");
    lascia();
    EXPECT_EQ(f().LblEleListino->text(), "BOL");
    EXPECT_EQ(f().LblListino->text(), "2.5");
    EXPECT_EQ(f().TxtListino->text(), "1.234,50");
    clic(f().CmdAggiungiListino);
    aggiungiListino("Onorario", "80.5", "30");
    EXPECT_TRUE(f().TxtListino->text().isEmpty());
    EXPECT_TRUE(f().LblListino->text().isEmpty());
    const QStringList attese = {"BOL|1.234,50|0|Bolli        ", "ONO|80,50|30|Onorario     "};
    EXPECT_EQ(righe(*f().FlxListino).mid(0, 2), attese);
    EXPECT_EQ(righe(*f().FlxListino).mid(2), QStringList(7, RigaVuotaListino));

    clic(f().cmdConferma);
    EXPECT_TRUE(box.asked().empty()) << box.messageTexts().join(" / ").toStdString();
    auto rs = fascole.db().openRecordset("SELECT * FROM parcli WHERE codice = 'R01'");
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->field("criterio").toText(), "P");
    EXPECT_EQ(rs->field("camponote").toText(), "Pratiche \"urgenti\" d'ufficio");
    const std::vector<std::pair<std::string, std::string>> slot = {
        {"ONO", "1"}, {"BOL", "3"}, {"SPE", "2"}, {"", ""}, {"", ""}, {"", ""}, {"", ""}, {"", ""}};
    for (int k = 1; k <= 8; ++k) {
        EXPECT_EQ(rs->field("elemento" + std::to_string(k)).textOr("<null>"), slot[size_t(k - 1)].first) << k;
        EXPECT_EQ(rs->field("applica" + std::to_string(k)).textOr("<null>"), slot[size_t(k - 1)].second) << k;
    }
    EXPECT_EQ(listino("R01"), QStringList({"BOL|1234.5|0", "ONO|80.5|30"}));

    // Still inserting, with everything empty for the next client.
    EXPECT_EQ(f().ModoOperativo, FrmParCli::ModoInserimento);
    EXPECT_EQ(pulsanti(), Inserimento);
    EXPECT_TRUE(f().DbcNomeCliente->currentText().isEmpty());
    EXPECT_TRUE(f().LblCodiceCliente->text().isEmpty());
    EXPECT_FALSE(f().OptFineFascola->isChecked());
    EXPECT_TRUE(f().TxtNote->text().isEmpty());
    EXPECT_EQ(f().NumeroElementiFissi(), 0);
    EXPECT_EQ(f().NumeroElementiListino(), 0);
    EXPECT_EQ(righe(*f().FlxFissi), QStringList(8, "||"));
    EXPECT_EQ(righe(*f().FlxListino).first(), "|||");

    scegliCliente("Bianchi Srl");
    clic(f().OptFineMese);
    clic(f().cmdConferma);
    EXPECT_EQ(colonna("SELECT criterio FROM parcli WHERE codice = 'B02'").toText(), "M");
    EXPECT_EQ(colonna("SELECT elemento1 FROM parcli WHERE codice = 'B02'").textOr("<null>"), "");
    EXPECT_TRUE(listino("B02").isEmpty());
    EXPECT_EQ(listino("R01").size(), 2) << "the first client's list stays";
}

TEST_F(FrmParCliTest, ConfermaRefusesWhatCannotBeStoredBeforeWritingAnything) {
    fascole.addClientParameters("B02", {{"criterio", "L"}});
    fascole.addPriceListItem("B02", "ONO", {{"importo", 70}, {"pagamento", "0"}});
    apri();
    clic(f().cmdAggiungi);
    aggiungiFisso("Onorario", f().OptPerFascola);
    aggiungiListino("Bolli", "3");
    {
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, DefinireCliente, "");
        clic(f().cmdConferma);
    }
    {
        // A name that matched nobody.
        scegliCliente("Rossi Maria");
        ASSERT_EQ(f().LblCodiceCliente->text(), "NON DEFINITO");
        clic(f().OptPerAnticipazioni);
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, ClienteNonValido, "");
        clic(f().cmdConferma);
    }
    {
        scegliCliente("Bianchi Srl");
        ASSERT_EQ(f().LblCodiceCliente->text(), "B02");
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, GiaDefiniti, "");
        clic(f().cmdConferma);
    }
    EXPECT_EQ(colonna("SELECT count(*) FROM parcli").toInt(), 1);
    EXPECT_EQ(colonna("SELECT criterio FROM parcli").toText(), "L");
    EXPECT_EQ(listino("B02"), QStringList({"ONO|70|0"}));
    // The form keeps what was typed, for another client.
    EXPECT_EQ(f().DbcNomeCliente->currentText(), "Bianchi Srl");
    EXPECT_EQ(f().NumeroElementiFissi(), 1);
    EXPECT_EQ(f().NumeroElementiListino(), 1);

    clic(f().cmdAnnulla);
    clic(f().cmdAggiungi);
    scegliCliente("Verdi Anna");
    {
        ScriptedMessages box;
        box.expectMessage(Answer::Ok, SenzaCriterio, "");
        clic(f().cmdConferma);
    }
    EXPECT_EQ(colonna("SELECT count(*) FROM parcli").toInt(), 1);
}

TEST_F(FrmParCliTest, FixedItemsAreCheckedAddedAndRemovedWithoutGaps) {
    for (int i = 1; i <= 7; ++i)
        fascole.addCatalogueItem(QString("E%1").arg(i), {{"descrizione", QString("Elemento %1").arg(i)}, {"tipo", "X"}});
    ScriptedMessages box;
    apri();
    clic(f().cmdAggiungi);
    box.expectMessage(Answer::Ok, "definire il tipo di addebito che deve essere applicato per l'elemento", "");
    aggiungiFisso("Onorario", nullptr);
    EXPECT_TRUE(f().OptPerFascola->hasFocus());
    EXPECT_EQ(f().NumeroElementiFissi(), 0);
    clic(f().OptPerFascola);
    clic(f().CmdAggiungiFisso);
    ASSERT_EQ(f().NumeroElementiFissi(), 1);

    box.expectMessage(Answer::Ok, "Non è possibile dichiarare come elemento fisso una anticipazione", "");
    aggiungiFisso("Anticipazioni", f().OptPerFascola);
    box.expectMessage(Answer::Ok, "Il codice elemento inserito non risulta definito negli archivi", "");
    aggiungiFisso("Nessun elemento", f().OptPerFascola);
    box.expectMessage(Answer::Ok, "L'elemento inserito risulta già definito nella lista", "");
    aggiungiFisso("Onorario", f().OptPerFattura);
    for (int i = 1; i <= 7; ++i) aggiungiFisso(QString("Elemento %1").arg(i), f().OptPerFattura);
    EXPECT_EQ(f().NumeroElementiFissi(), 8);
    box.expectMessage(Answer::Ok, "Si possono definire solo 8 elementi a fatturazione fissa", "");
    aggiungiFisso("Bolli", f().OptPerFascola);

    // TOGLI takes the element last chosen in the combo.
    scrivi(f().DbcElementoFisso, "Bolli");
    lascia();
    box.expectMessage(Answer::Ok, NonInElenco, "");
    clic(f().CmdTogliFisso);
    EXPECT_EQ(f().NumeroElementiFissi(), 8);
    EXPECT_EQ(f().DbcElementoFisso->currentText(), "Bolli") << "a refusal changes nothing, not even the fields";
    scrivi(f().DbcElementoFisso, "Onorario");
    lascia();
    clic(f().CmdTogliFisso);
    EXPECT_EQ(f().NumeroElementiFissi(), 7);
    const QStringList grid = righe(*f().FlxFissi);
    EXPECT_EQ(grid[0], "E1|Fattura|Elemento 1        ");
    EXPECT_EQ(grid[6], "E7|Fattura|Elemento 7        ");
    EXPECT_EQ(grid[7], "||");
    EXPECT_EQ(box.pending(), 0);
}

TEST_F(FrmParCliTest, PriceListRowsAreCheckedAndRemoved) {
    ScriptedMessages box;
    apri();
    clic(f().cmdAggiungi);
    scrivi(f().DbcElementoListino, "Nessun elemento");
    lascia();
    EXPECT_TRUE(f().LblEleListino->text().isEmpty());
    EXPECT_EQ(f().LblListino->text(), "NON DEF.");
    box.expectMessage(Answer::Ok, "L'elemento indicato non risulta in archivio", "");
    clic(f().CmdAggiungiListino);
    box.expectMessage(Answer::Ok, "Non è possibile dichiarare un listino particolare per una anticipazione", "");
    aggiungiListino("Anticipazioni", "10");
    box.expectMessage(Answer::Ok, "Definire correttamente il prezzo di listino da applicare", "");
    aggiungiListino("Bolli", "dieci");
    EXPECT_TRUE(f().TxtListino->hasFocus());
    EXPECT_EQ(f().TxtListino->text(), "dieci") << "a text that is no amount is left for the user to see";
    box.expectMessage(Answer::Ok, "La scadenza deve essere indicata in numero di giorni", "");
    aggiungiListino("Bolli", "3", "R30");
    EXPECT_TRUE(f().DbcPagamento->hasFocus());
    EXPECT_EQ(f().DbcPagamento->count(), 0) << "not linked there is no list of payments";
    box.expectMessage(Answer::Ok, "Il pagamento non può superare i 3 caratteri", "");
    aggiungiListino("Bolli", "3", "1200");
    EXPECT_EQ(f().NumeroElementiListino(), 0);

    aggiungiListino("Bolli", "3", "90");
    aggiungiListino("Onorario", "12.50");
    box.expectMessage(Answer::Ok, "L'elemento inserito risulta già definito nella lista", "");
    aggiungiListino("Bolli", "4");
    ASSERT_EQ(f().NumeroElementiListino(), 2);
    EXPECT_EQ(f().ElementiListino[1].importo, Currency::fromDouble(12.5));
    EXPECT_EQ(f().ElementiListino[1].pagamento, "0");

    scrivi(f().DbcElementoListino, "Spese di cancelleria varie");
    lascia();
    box.expectMessage(Answer::Ok, NonInElenco, "");
    clic(f().CmdTogliListino);
    scrivi(f().DbcElementoListino, "Bolli");
    lascia();
    clic(f().CmdTogliListino);
    EXPECT_EQ(righe(*f().FlxListino).first(), "ONO|12,50|0|Onorario     ");
    EXPECT_EQ(righe(*f().FlxListino)[1], RigaVuotaListino);
    EXPECT_EQ(box.pending(), 0);
}

TEST_F(FrmParCliTest, SearchShowsEachClientWithItsOwnCriterionAndItemsWithoutGaps) {
    fascole.addClientParameters("B02", {{"criterio", "M"}, {"camponote", "note di Bianchi"}, {"elemento2", "BOL"},
                                        {"applica2", "1"}, {"elemento5", "XXX"}, {"applica5", "3"}});
    fascole.addClientParameters("R01", {{"criterio", ""}});
    fascole.addClientParameters("V03", {{"criterio", "P"}});
    fascole.addClientParameters("Z99", {{"criterio", "V"}});
    fascole.addPriceListItem("B02", "ONO", {{"importo", 70}, {"pagamento", "30"}});
    fascole.addClient("G04", {{"ragione", "Gialli Spa"}});
    ScriptedMessages box;
    apri();
    clic(f().cmdRicerca);
    EXPECT_EQ(f().DtaSelezionati->caption(), "1 di 4");
    EXPECT_EQ(f().lblAzioneInCorso->text(), "Visualizzando parametri clienti");
    EXPECT_EQ(pulsanti(), Visione);
    EXPECT_FALSE(f().DbcNomeCliente->isEnabled()) << "the client on display is not changed from the name box";
    EXPECT_TRUE(f().OptFineMese->isEnabled()) << "a click on a field starts a correction";
    EXPECT_EQ(f().LblCodiceCliente->text(), "B02");
    EXPECT_EQ(f().DbcNomeCliente->currentText(), "Bianchi Srl");
    EXPECT_TRUE(f().OptFineMese->isChecked());
    EXPECT_EQ(f().TxtNote->text(), "note di Bianchi");
    EXPECT_EQ(righe(*f().FlxFissi).mid(0, 3),
              QStringList({"BOL|fascola|Bolli             ", "XXX|Fattura|                  ", "||"}));
    EXPECT_EQ(righe(*f().FlxListino).first(), "ONO|70,00|30|Onorario     ");

    clic(f().DtaSelezionati->Precedente);
    EXPECT_EQ(f().LblCodiceCliente->text(), "B02") << "nothing before the first";
    clic(f().DtaSelezionati->Successivo);
    EXPECT_EQ(f().DtaSelezionati->caption(), " 2 di  4");
    EXPECT_EQ(f().lblAzioneInCorso->text(), "visualizzazione parametri");
    EXPECT_EQ(f().LblCodiceCliente->text(), "R01");
    for (QRadioButton* o : {f().OptFineMese, f().OptPerAnticipazioni, f().OptPerOgniVoce, f().OptFineLavoro,
                            f().OptFineFascola})
        EXPECT_FALSE(o->isChecked()) << "R01 has no criterion: " << o->objectName().toStdString();
    EXPECT_EQ(righe(*f().FlxFissi), QStringList(8, "||"));
    EXPECT_EQ(righe(*f().FlxListino), QStringList(9, RigaVuotaListino));

    clic(f().DtaSelezionati->Ultimo);
    EXPECT_EQ(f().DtaSelezionati->caption(), " 4 di  4");
    EXPECT_EQ(f().DbcNomeCliente->currentText(), "??? Cliente non definito in archivio ???");
    EXPECT_TRUE(f().OptPerOgniVoce->isChecked());
    clic(f().DtaSelezionati->Successivo);
    EXPECT_EQ(f().LblCodiceCliente->text(), "Z99");
    clic(f().DtaSelezionati->Primo);
    EXPECT_EQ(f().DtaSelezionati->caption(), "1 di 4");
    EXPECT_EQ(f().LblCodiceCliente->text(), "B02");

    // One client by name.
    clic(f().cmdAnnulla);
    EXPECT_EQ(f().DtaSelezionati->caption(), "         ");
    EXPECT_EQ(pulsanti(), Iniziale);
    scegliCliente("Verdi Anna");
    clic(f().cmdRicerca);
    EXPECT_EQ(f().DtaSelezionati->caption(), "1 di 1");
    EXPECT_TRUE(f().OptFineFascola->isChecked());
    clic(f().DtaSelezionati->Ultimo);
    EXPECT_EQ(f().DtaSelezionati->caption(), "1 di 1");

    // A client without parameters.
    clic(f().cmdAnnulla);
    scegliCliente("Gialli Spa");
    box.expectMessage(Answer::Ok, NessunParametro, "");
    clic(f().cmdRicerca);
    EXPECT_EQ(f().ModoOperativo, FrmParCli::ModoIniziale);
    EXPECT_EQ(pulsanti(), Iniziale);
    EXPECT_TRUE(f().Selezionati.empty());
    clic(f().DtaSelezionati->Primo);
    EXPECT_TRUE(f().LblCodiceCliente->text().isEmpty()) << "no search result to move through";
}

TEST_F(FrmParCliTest, ALongPriceListLeavesNothingBehindForTheNextClient) {
    fascole.addClientParameters("A01", {{"criterio", "M"}});
    fascole.addClientParameters("R01", {{"criterio", "M"}});
    for (int i = 1; i <= 12; ++i) {
        const QString codice = QString("L%1").arg(i, 2, 10, QChar('0'));
        fascole.addCatalogueItem(codice, {{"descrizione", "Voce " + codice}});
        fascole.addPriceListItem("R01", codice, {{"importo", i}, {"pagamento", "0"}});
    }
    apri();
    clic(f().cmdRicerca);
    EXPECT_EQ(f().FlxListino->rows(), 10);
    clic(f().DtaSelezionati->Successivo);
    ASSERT_EQ(f().FlxListino->rows(), 13);
    EXPECT_EQ(righe(*f().FlxListino)[11], "L12|12,00|0|Voce L12     ");
    clic(f().DtaSelezionati->Precedente);
    EXPECT_EQ(righe(*f().FlxListino), QStringList(9, RigaVuotaListino));
    clic(f().DtaSelezionati->Successivo);
    clic(f().cmdAnnulla);
    EXPECT_EQ(righe(*f().FlxListino), QStringList(f().FlxListino->rows() - 1, "|||"));
}

TEST_F(FrmParCliTest, ACorrectionRewritesTheClientOnDisplayOnly) {
    fascole.addClientParameters("R01", {{"criterio", "M"}, {"elemento1", "ONO"}, {"applica1", "1"},
                                        {"elemento2", "BOL"}, {"applica2", "3"}});
    fascole.addPriceListItem("R01", "ONO", {{"importo", 80}, {"pagamento", "30"}});
    fascole.addPriceListItem("R01", "BOL", {{"importo", 3}, {"pagamento", "0"}});
    fascole.addClientParameters("B02", {{"criterio", "L"}});
    fascole.addPriceListItem("B02", "ONO", {{"importo", 70}, {"pagamento", "0"}});
    ScriptedMessages box;
    apri();
    scegliCliente("Rossi Mario");
    clic(f().cmdRicerca);
    ASSERT_EQ(f().LblCodiceCliente->text(), "R01");

    clic(f().OptPerOgniVoce);
    EXPECT_EQ(f().ModoOperativo, FrmParCli::ModoCorrezione);
    EXPECT_EQ(pulsanti(), Correzione);
    EXPECT_EQ(f().lblAzioneInCorso->text(), "Correzione Parametri");
    EXPECT_FALSE(f().DbcNomeCliente->isEnabled());

    scrivi(f().DbcElementoFisso, "Bolli");
    lascia();
    clic(f().CmdTogliFisso);
    aggiungiFisso("Spese di cancelleria varie", f().OptPerFascola);
    scrivi(f().DbcElementoListino, "Onorario");
    lascia();
    clic(f().CmdTogliListino);
    aggiungiListino("Spese di cancelleria varie", "7,5", "60");
    scrivi(f().TxtNote, "corretto");
    clic(f().cmdCorreggi);
    EXPECT_TRUE(box.asked().empty()) << box.messageTexts().join(" / ").toStdString();
    EXPECT_EQ(f().ModoOperativo, FrmParCli::ModoVisione);
    EXPECT_EQ(pulsanti(), Visione);

    EXPECT_EQ(colonna("SELECT criterio || '/' || camponote || '/' || elemento1 || applica1 || '/' || elemento2 || "
                      "applica2 || '/' || elemento3 FROM parcli WHERE codice = 'R01'")
                  .toText(),
              "V/corretto/ONO1/SPE1/");
    EXPECT_EQ(listino("R01"), QStringList({"BOL|3|0", "SPE|7.5|60"}));
    EXPECT_EQ(listino("B02"), QStringList({"ONO|70|0"}));
    EXPECT_EQ(colonna("SELECT criterio FROM parcli WHERE codice = 'B02'").toText(), "L");

    // Typing in the notes of a client on display is a change too; a second correction of the
    // same client goes through, the first one being what it now reads.
    scrivi(f().TxtNote, "ancora");
    EXPECT_EQ(f().ModoOperativo, FrmParCli::ModoCorrezione);
    clic(f().cmdCorreggi);
    EXPECT_EQ(colonna("SELECT camponote FROM parcli WHERE codice = 'R01'").toText(), "ancora");
}

TEST_F(FrmParCliTest, AnotherWorkstationsChangeIsNeitherOverwrittenNorLost) {
    fascole.addClientParameters("R01", {{"criterio", "M"}});
    fascole.addPriceListItem("R01", "ONO", {{"importo", 80}, {"pagamento", "30"}});
    fascole.addClientParameters("V03", {{"criterio", "P"}});
    ScriptedMessages box;
    apri();
    clic(f().cmdRicerca);
    clic(f().OptFineLavoro);
    fascole.db().execute("UPDATE elecli SET importo = 85 WHERE cliente = 'R01'");
    box.expectMessage(Answer::Ok, ModificatiAltrove, "");
    clic(f().cmdCorreggi);
    EXPECT_EQ(colonna("SELECT criterio FROM parcli WHERE codice = 'R01'").toText(), "M");
    EXPECT_EQ(listino("R01"), QStringList({"ONO|85|30"}));
    EXPECT_EQ(righe(*f().FlxListino).first(), "ONO|85,00|30|Onorario     ") << "shown as it is now";
    EXPECT_TRUE(f().OptFineMese->isChecked());
    EXPECT_EQ(f().ModoOperativo, FrmParCli::ModoVisione);

    // Deleted elsewhere: said so, and the next client is shown.
    fascole.db().execute("DELETE FROM parcli WHERE codice = 'R01'");
    box.expectMessage(Answer::Yes, ConfermaCancellazione, "");
    box.expectMessage(Answer::Ok, EliminatiAltrove, "");
    clic(f().cmdCancella);
    EXPECT_EQ(f().LblCodiceCliente->text(), "V03");
    EXPECT_EQ(f().DtaSelezionati->caption(), " 1 di  1");
    EXPECT_EQ(listino("R01"), QStringList({"ONO|85|30"})) << "another's price list is not ours to delete";
}

TEST_F(FrmParCliTest, DeletionShowsTheNextClientUntilNoneIsLeft) {
    for (const char* c : {"B02", "R01", "V03"}) fascole.addClientParameters(c, {{"criterio", "M"}});
    fascole.addPriceListItem("R01", "ONO", {{"importo", 80}});
    fascole.addPriceListItem("R01", "BOL", {{"importo", 3}});
    fascole.addPriceListItem("V03", "BOL", {{"importo", 4}});
    ScriptedMessages box;
    apri();
    clic(f().cmdRicerca);
    clic(f().DtaSelezionati->Successivo);
    box.expectMessage(Answer::No, ConfermaCancellazione, "");
    clic(f().cmdCancella);
    EXPECT_EQ(colonna("SELECT count(*) FROM parcli").toInt(), 3);

    box.expectMessage(Answer::Yes, ConfermaCancellazione, "");
    clic(f().cmdCancella);
    EXPECT_EQ(colonna("SELECT count(*) FROM parcli WHERE codice = 'R01'").toInt(), 0);
    EXPECT_TRUE(listino("R01").isEmpty());
    EXPECT_EQ(listino("V03").size(), 1);
    EXPECT_EQ(f().LblCodiceCliente->text(), "V03");
    EXPECT_EQ(f().DtaSelezionati->caption(), " 2 di  2");
    EXPECT_EQ(pulsanti(), Visione);

    box.expectMessage(Answer::Yes, ConfermaCancellazione, "");
    clic(f().cmdCancella);
    EXPECT_EQ(f().LblCodiceCliente->text(), "B02");
    EXPECT_EQ(f().DtaSelezionati->caption(), " 1 di  1");
    // A change after a deletion still starts a correction.
    clic(f().OptFineFascola);
    EXPECT_EQ(f().ModoOperativo, FrmParCli::ModoCorrezione);

    clic(f().cmdAnnulla);
    scegliCliente("Bianchi Srl");
    clic(f().cmdRicerca);
    box.expectMessage(Answer::Yes, ConfermaCancellazione, "");
    clic(f().cmdCancella);
    EXPECT_EQ(colonna("SELECT count(*) FROM parcli").toInt(), 0);
    EXPECT_EQ(f().ModoOperativo, FrmParCli::ModoIniziale);
    EXPECT_EQ(pulsanti(), Iniziale);
    EXPECT_EQ(f().DtaSelezionati->caption(), "         ");
}

TEST_F(FrmParCliTest, LinkedTheClientsAndPaymentsComeFromTheAccountingArchive) {
    collega();
    fascole.addClientParameters("01.01.01.0009", {{"criterio", "P"}});
    ScriptedMessages box;
    apri();
    clic(f().cmdAggiungi);
    f().DbcNomeCliente->refill();
    QStringList nomi;
    for (int i = 0; i < f().DbcNomeCliente->count(); ++i) nomi << f().DbcNomeCliente->itemText(i);
    EXPECT_EQ(nomi, QStringList({"Bianchi & Figli S.n.c.", "L'Ottica di Verdi Anna", "Rossi Mario S.r.l."}));
    scegliCliente("L'Ottica di Verdi Anna");
    EXPECT_EQ(f().LblCodiceCliente->text(), "01.01.01.0003");
    clic(f().OptPerOgniVoce);

    entra(f().DbcPagamento);
    EXPECT_EQ(f().DbcPagamento->count(), 4);
    box.expectMessage(Answer::Ok, "Il codice pagamento inserito non è definito", "");
    aggiungiListino("Bolli", "3", "R31");
    aggiungiListino("Bolli", "3", "R30");
    clic(f().cmdConferma);
    EXPECT_EQ(listino("01.01.01.0003"), QStringList({"BOL|3|R30"}));

    clic(f().cmdAnnulla);
    clic(f().cmdRicerca);
    EXPECT_EQ(f().DbcNomeCliente->currentText(), "L'Ottica di Verdi Anna");
    clic(f().DtaSelezionati->Ultimo);
    EXPECT_EQ(f().DbcNomeCliente->currentText(), "??? Cliente non definito in contabilità ???");
}

TEST_F(FrmParCliTest, EsciClosesTheFormAndLetsTheSearchResultGo) {
    fascole.addClientParameters("R01", {{"criterio", "M"}});
    apri();
    clic(f().cmdRicerca);
    ASSERT_EQ(f().NumSelezionati, 1);
    clic(f().cmdFine);
    EXPECT_FALSE(f().isVisible());
    EXPECT_TRUE(f().Selezionati.empty());
    EXPECT_EQ(f().ModoOperativo, FrmParCli::ModoIniziale);
}

// A fault of the program in the fields of new parameters or in the checks is told under the
// command's own text, and nothing is stored.
TEST_F(FrmParCliTest, AFaultInNewParametersOrInTheChecksIsToldUnderItsName) {
    form = std::make_unique<SchedaGuasta<FrmParCli>>();
    const QStringList testi = GuastiDiAggiuntaEConferma(*f().cmdAggiungi, *f().cmdConferma);
    ASSERT_EQ(testi.size(), 2);
    EXPECT_TRUE(testi[0].contains("Funzione: Funzione di Aggiunta parametri clienti")) << testi[0].toStdString();
    EXPECT_TRUE(testi[1].contains("Funzione: Funzione di verifica parametri cliente")) << testi[1].toStdString();
    EXPECT_EQ(f().ModoOperativo, 1);
    EXPECT_EQ(colonna("SELECT count(*) FROM parcli").toInt(), 0);
}

}  // namespace
}  // namespace parcli_test
