// The labels that show the case file on display keep their size whatever they show: a new
// text repaints the label and nothing else, and showing another case file lays the tab widget
// out again nowhere, moving and resizing no widget of the window.
#include <gtest/gtest.h>

#include <QSet>
#include <QTabWidget>

#include "casefiles/forms/MascheraFixture.h"
#include "support/Dipinti.h"

namespace {

using dipinti::dipingi;
using dipinti::Registro;
using maschera::MascheraFixture;

class EtichetteFisse : public MascheraFixture {
protected:
    EtichetteFisse() {
        // No caret blinks while the window is watched.
        lampeggio_ = QApplication::cursorFlashTime();
        QApplication::setCursorFlashTime(0);
        fascole.addClient("R01", {{"ragione", "Rossi"}});
        fascole.addClient("ROSSIMARIO",
                          {{"ragione", "Studio Associato Bianchi, Rossi, Verdi e Partners S.r.l."}});
        fascole.addCaseFile("R01", "0001", "2004-01-10", {{"numpranno", "2004.00001"}});
        fascole.addCaseFile("ROSSIMARIO", "0002", "2004-01-12", {{"numpranno", "2004.00002"}});
        avvia();
        cercaTutte();
    }
    ~EtichetteFisse() override { QApplication::setCursorFlashTime(lampeggio_); }

    QTabWidget& schede() { return *finestra.NellaFascola; }
    void inFronte(QWidget* w) {
        for (int i = 0; i < schede().count(); ++i)
            if (schede().widget(i)->isAncestorOf(w)) schede().setCurrentIndex(i);
        ASSERT_TRUE(w->isVisible()) << w->objectName().toStdString();
    }

    int lampeggio_ = 0;
};

// Each label given its longest text: only the label is repainted, nothing moves and no
// layout runs (the navigator's caption asks its own holder, which has none to run).
TEST_F(EtichetteFisse, ANewTextRepaintsTheLabelAndNothingElse) {
    const QString nome = "Studio Associato Bianchi, Rossi, Verdi e Partners S.r.l.";
    const struct {
        const char* etichetta;
        QString testo;
        QStringList disposti = {};  // none but the holder of a label that has one
    } casi[] = {
        {"LblCodiceCliente", "01.01.01.0001"},
        {"LblNpra", "9999"},
        {"LblNumeroAssoluto", "2026.99999"},
        {"LblAzioneInCorsoFascola", "definisci i campi per la ricerca"},
        {"Didascalia", "12345 di 12345", {"RiquadroDidascalia"}},
        {"I_LblNomeCliente", nome},
        {"I_LblCodiceCliente", "01.01.01.0001"},
        {"I_LblNpra", "9999"},
        {"I_LblNtask", "9999"},
        {"L_LblNomeCliente", nome},
        {"L_LblCodiceCliente", "01.01.01.0001"},
        {"L_LblNpra", "9999"},
        {"L_LblTitolo", "Perizia estimativa dell'immobile"},
        {"L_LblNtask", "9999"},
        {"L_LblNJob", "9999"},
        {"C_LblNomeCliente", nome},
        {"C_LblCodiceCliente", "01.01.01.0001"},
        {"C_LblNpra", "9999"},
        {"C_LblNtask", "9999"},
        {"C_LblNjob", "9999"},
        {"C_LblCheCao", "Base imponibile"},
        {"C_LblFattore", "quantità"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.etichetta);
        auto* etichetta = finestra.findChild<QLabel*>(c.etichetta);
        ASSERT_TRUE(etichetta);
        inFronte(etichetta);
        etichetta->setText("1");
        ASSERT_TRUE(dipingi(finestra));
        const QRect posto(etichetta->mapTo(&finestra, QPoint()), etichetta->size());
        Registro registro(finestra, Registro::ConRegione);
        etichetta->setText(c.testo);
        ASSERT_TRUE(dipingi(finestra));
        EXPECT_EQ(registro.disposti, c.disposti);
        EXPECT_EQ(registro.spostati, QStringList());
        EXPECT_FALSE(registro.dipinta.isEmpty());
        EXPECT_TRUE(registro.dipinta.subtracted(QRegion(posto)).isEmpty());
    }
}

// Case files of short and long client codes, names and numbers shown in turns with each tab
// that shows them in front: the fields and grids repaint, nothing moves, and the tab widget
// is not laid out again.
TEST_F(EtichetteFisse, ShowingAnotherCaseFileMovesNoWidget) {
    QSet<QString> mostrati;
    for (int scheda : {FrmFascola::SchedaFascola, FrmFascola::SchedaIncarichi, FrmFascola::SchedaLavorazioni,
                       FrmFascola::SchedaCompetenze}) {
        SCOPED_TRACE(scheda);
        schede().setCurrentIndex(scheda);
        for (const auto azione : {MascheraFascola::AzioneUltimo, MascheraFascola::AzionePrimo}) {
            ASSERT_TRUE(dipingi(finestra));
            Registro registro(finestra);
            m().DtaSelezionatiFascola_Validate(azione);
            m().Visualizza();
            ASSERT_TRUE(dipingi(finestra));
            EXPECT_EQ(registro.spostati, QStringList());
            EXPECT_FALSE(registro.disposti.contains("NellaFascola")) << registro.disposti.join(" ").toStdString();
            mostrati << m().LblCodiceCliente->text();
        }
    }
    EXPECT_EQ(mostrati, (QSet<QString>{"R01", "ROSSIMARIO"}));
}

}  // namespace
