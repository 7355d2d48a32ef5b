#include "casefiles/forms/AlberoClienti.h"

#include <QAction>
#include <QTreeWidget>

#include "casefiles/forms/MascheraFixture.h"

using ui::Answer;

namespace maschera {
namespace {

// A node as "text [key] image", with its children indented below it: every node is opened,
// as a user would to see them.
void descrivi(QTreeWidgetItem& n, int livello, QStringList& righe) {
    n.setExpanded(true);
    QString riga = QString(livello * 2, ' ') + n.text(0);
    const QString chiave = n.data(0, RuoloChiave).toString();
    if (!chiave.isEmpty()) riga += " [" + chiave + "]";
    riga += " " + QString::number(n.data(0, RuoloImmagine).toInt());
    righe << riga;
    for (int i = 0; i < n.childCount(); ++i) descrivi(*n.child(i), livello + 1, righe);
}

QStringList albero(QTreeWidget& t) {
    QStringList righe;
    for (int i = 0; i < t.topLevelItemCount(); ++i) descrivi(*t.topLevelItem(i), 0, righe);
    return righe;
}

class MascheraAlbero : public MascheraFixture {
protected:
    QTreeWidget& trv() { return *finestra.TrvFascole; }
};

TEST_F(MascheraAlbero, TheSearchDrawsClientsCaseFilesTasksAndJobs) {
    fascole.addClient("R12", {{"ragione", "Rossi Mario e figli, studio associato"}});
    fascole.addCaseFile("R12", "0001", "2004-01-10", {{"numpranno", "2004.00001"}});
    fascole.addCaseFile("R12", "0002", "2004-02-10", {{"numpranno", "2004.00002"}});
    fascole.addCaseFile("Z99", "0001", "2004-02-10", {{"numpranno", "2004.00003"}});
    fascole.addTask("R12", "0002", "0002", {{"titolo", "Perizia"}});
    fascole.addTask("R12", "0002", "0001", {{"titolo", "Consulenza"}});
    fascole.addJob("R12", "0002", "0001", "0002", {{"descrizione", "Relazione"}, {"tipo", "D"}});
    fascole.addJob("R12", "0002", "0001", "0001", {{"descrizione", "Sopralluogo"}, {"tipo", "L"}});
    fascole.addJob("R12", "0002", "0001", "0003", {{"descrizione", "Misure"}});
    fascole.addJob("R12", "0002", "0002", "0001", {{"descrizione", "Stima"}, {"tipo", "D"}});
    // A job whose task is gone shows nowhere.
    fascole.addJob("R12", "0001", "0009", "0001", {{"descrizione", "Orfano"}});
    avvia();
    cercaTutte();
    EXPECT_EQ(albero(trv()), QStringList({
                                 "FASCOLE [root] 7",
                                 "Rossi Mario e figli, stud [CR12] 1",
                                 "  0002 [CR12.0002] 2",
                                 "    Consulenza [CR12.0002.0001] 4",
                                 "      Sopralluogo 5",
                                 "      Relazione 6",
                                 "      Misure 5",
                                 "    Perizia [CR12.0002.0002] 4",
                                 "      Stima 6",
                                 "  0001 [CR12.0001] 2",
                                 "codice Z99 [CZ99] 1",
                                 "  0001 [CZ99.0001] 2",
                             }));
}

TEST_F(MascheraAlbero, NothingIsOpenedOrSelectedByTheProgramAndEmptyCaseFilesLoseTheirMark) {
    fascole.addCaseFile("R12", "0001", "2004-01-10", {{"numpranno", "2004.00001"}});
    fascole.addCaseFile("R12", "0002", "2004-02-10", {{"numpranno", "2004.00002"}});
    fascole.addTask("R12", "0002", "0001", {{"titolo", "Perizia"}});
    avvia();
    cercaTutte();
    for (QTreeWidgetItemIterator it(&trv()); *it; ++it) {
        EXPECT_FALSE((*it)->isExpanded());
        EXPECT_FALSE((*it)->isSelected());
    }
    QTreeWidgetItem* cliente = trv().topLevelItem(1);
    ASSERT_EQ(cliente->childCount(), 2);
    for (int i = 0; i < 2; ++i) cliente->child(i)->setExpanded(true);
    EXPECT_EQ(cliente->child(0)->text(0), "0002");
    EXPECT_EQ(cliente->child(0)->childCount(), 1);
    EXPECT_EQ(cliente->child(0)->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    EXPECT_EQ(cliente->child(1)->childCount(), 0);
    EXPECT_EQ(cliente->child(1)->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicator);
    // Opened again, a case file's tasks are not added twice.
    cliente->child(0)->setExpanded(false);
    cliente->child(0)->setExpanded(true);
    EXPECT_EQ(cliente->child(0)->childCount(), 1);
}

TEST_F(MascheraAlbero, MoreCaseFilesThanA16BitCounterHoldsAreAllDrawn) {
    // One statement writes them, so that the test stays quick.
    fascole.db().execute("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 40000 - 1) "
                         "INSERT INTO fascola (cliente, npra, data, stato, numpranno) "
                         "SELECT printf('C%03d', i / 1000), printf('%04d', i % 1000 + 1), '2004-01-01', 1, "
                         "printf('2004.%05d', i % 99999 + 1) FROM n");
    avvia();
    cercaTutte();
    EXPECT_EQ(m().NumSelezionati, 40000);
    int fascoleNelAlbero = 0;
    for (int i = 1; i < trv().topLevelItemCount(); ++i) fascoleNelAlbero += trv().topLevelItem(i)->childCount();
    EXPECT_EQ(trv().topLevelItemCount(), 41);
    EXPECT_EQ(fascoleNelAlbero, 40000);
    clic(m().DtaSelezionatiFascola->Ultimo);
    EXPECT_EQ(didascalia(), " 40000 di  40000");
}

TEST_F(MascheraAlbero, LinkedClientKeysAreTheAccountDigits) {
    fascole.addCaseFile("01.01.01.0001", "0001", "2004-01-10", {{"numpranno", "2004.00001"}});
    fascole.addCaseFile("01.05.01.0012", "0001", "2004-01-10", {{"numpranno", "2004.00002"}});
    avvia(true);
    cercaTutte();
    EXPECT_EQ(albero(trv()), QStringList({"FASCOLE [root] 7", "Rossi Mario S.r.l. [C0101010001] 1",
                                          "  0001 [C0101010001.0001] 2", "codice 01.05.01.0012 [C0105010012] 1",
                                          "  0001 [C0105010012.0001] 2"}));
}

TEST_F(MascheraAlbero, OnlyASearchThatFindsRowsRebuildsTheTree) {
    fascole.addCaseFile("R01", "0001", "2004-01-10", {{"numpranno", "2004.00001"}});
    avvia();
    EXPECT_EQ(trv().topLevelItemCount(), 0);
    cercaTutte();
    const QStringList prima = albero(trv());
    ASSERT_EQ(prima.size(), 3);
    clic(m().CmdAnnullaFascola);
    scrivi(m().TxtRicercaIncarico, "Nulla*");
    ScriptedMessages box;
    box.expectMessage(Answer::Ok, "Non è stata trovata nessuna fascola con i parametri dati", "");
    clic(m().CmdRicercaFascola);
    EXPECT_EQ(albero(trv()), prima);
}

TEST_F(MascheraAlbero, TheTreeKeysAndSelectedCaseFileImage) {
    EXPECT_EQ(ChiaveCliente("R12"), "CR12");
    AmbienteLavoro().CollegatoContabilita = true;
    EXPECT_EQ(ChiaveCliente("01.05.01.0012"), "C0105010012");
    AmbienteLavoro().CollegatoContabilita = false;

    // A case file's node shows image 3 while it is selected.
    fascole.addCaseFile("R01", "0001", "2004-01-10", {{"numpranno", "2004.00001"}});
    QTreeWidget t;
    CostruisciAlberoClienti(t, fascole.db(), {{"R01", "0001"}});
    const QIcon icona = t.topLevelItem(1)->child(0)->icon(0);
    EXPECT_FALSE(icona.pixmap(16, QIcon::Normal).toImage() == icona.pixmap(16, QIcon::Selected).toImage());
}

}  // namespace
}  // namespace maschera
