#include "casefiles/forms/AlberoClienti.h"
#include "casefiles/engine/RicercaFascole.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QTreeView>

#include "casefiles/forms/MascheraFixture.h"
#include "casefiles/forms/NodiAlbero.h"

using ui::Answer;

namespace maschera {
namespace {

using albero::figli;
using albero::nodo;

// Each node as "text [key] image", its children indented below it: every node is opened,
// as a user would to see them.
QStringList albero(QTreeView& t) {
    QStringList righe;
    albero::apriTutto(t, [&](const QModelIndex& n, int livello) {
        QString riga = QString(livello * 2, ' ') + n.data().toString();
        const QString chiave = n.data(RuoloChiave).toString();
        if (!chiave.isEmpty()) riga += " [" + chiave + "]";
        riga += " " + QString::number(n.data(RuoloImmagine).toInt());
        righe << riga;
    });
    return righe;
}

class MascheraAlbero : public MascheraFixture {
protected:
    QTreeView& trv() { return *finestra.TrvFascole; }
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
    std::function<void(const QModelIndex&)> nessunoAperto = [&](const QModelIndex& padre) {
        for (int i = 0; i < figli(trv(), padre); ++i) {
            const QModelIndex n = nodo(trv(), i, padre);
            EXPECT_FALSE(trv().isExpanded(n));
            EXPECT_FALSE(trv().selectionModel()->isSelected(n));
            nessunoAperto(n);
        }
    };
    nessunoAperto({});
    const QModelIndex cliente = nodo(trv(), 1);
    ASSERT_EQ(figli(trv(), cliente), 2);
    // Before they are opened both case files show the mark that says they may hold tasks.
    for (int i = 0; i < 2; ++i) EXPECT_TRUE(trv().model()->hasChildren(nodo(trv(), i, cliente)));
    for (int i = 0; i < 2; ++i) trv().expand(nodo(trv(), i, cliente));
    EXPECT_EQ(nodo(trv(), 0, cliente).data().toString(), "0002");
    EXPECT_EQ(figli(trv(), nodo(trv(), 0, cliente)), 1);
    EXPECT_TRUE(trv().model()->hasChildren(nodo(trv(), 0, cliente)));
    EXPECT_EQ(figli(trv(), nodo(trv(), 1, cliente)), 0);
    EXPECT_FALSE(trv().model()->hasChildren(nodo(trv(), 1, cliente)));
    // Opened again, a case file's tasks are not added twice.
    trv().collapse(nodo(trv(), 0, cliente));
    trv().expand(nodo(trv(), 0, cliente));
    EXPECT_EQ(figli(trv(), nodo(trv(), 0, cliente)), 1);
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
    for (int i = 1; i < figli(trv()); ++i) fascoleNelAlbero += figli(trv(), nodo(trv(), i));
    EXPECT_EQ(figli(trv()), 41);
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
    EXPECT_EQ(figli(trv()), 0);
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

TEST_F(MascheraAlbero, ADeletionLeavesTheTreeAsTheSearchDrewIt) {
    for (const char* npra : {"0001", "0002", "0003"})
        fascole.addCaseFile("R01", npra, "2004-01-10", {{"numpranno", QString("2004.0") + npra}});
    avvia();
    cercaTutte();
    ScriptedMessages box;
    box.expectMessage(Answer::Yes, "Confermare la cancellazione della fascola", "");
    clic(m().CmdCancellaFascola);
    ASSERT_EQ(m().NumSelezionati, 2);
    EXPECT_EQ(m().LblNpra->text(), "0002");
    EXPECT_EQ(figli(trv(), nodo(trv(), 1)), 3);
    EXPECT_EQ(nodo(trv(), 0, nodo(trv(), 1)).data().toString(), "0003");
}

TEST_F(MascheraAlbero, TheTreeKeysAndSelectedCaseFileImage) {
    EXPECT_EQ(ChiaveCliente("R12"), "CR12");
    AmbienteLavoro().CollegatoContabilita = true;
    EXPECT_EQ(ChiaveCliente("01.05.01.0012"), "C0105010012");
    AmbienteLavoro().CollegatoContabilita = false;

    // A case file's node shows image 3 while it is selected.
    fascole.addCaseFile("R01", "0001", "2004-01-10", {{"numpranno", "2004.00001"}});
    QTreeView t;
    PreparaAlberoClienti(t)->Mostra(fascole.db(), std::make_shared<ElencoFascole>(
                                                       *CercaFascole(fascole.db(), {})));
    const QIcon icona = nodo(t, 0, nodo(t, 1)).data(Qt::DecorationRole).value<QIcon>();
    EXPECT_FALSE(icona.pixmap(16, QIcon::Normal).toImage() == icona.pixmap(16, QIcon::Selected).toImage());
}

}  // namespace
}  // namespace maschera
