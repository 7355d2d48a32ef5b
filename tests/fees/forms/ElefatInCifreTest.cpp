// The catalogue's amount and rounding boxes take numbers in figures only: a mistyped price
// ("1.2OO,00" with a letter O) stays as typed when the box is left, and CONFERMA and CORREGGI
// refuse it with the box's message and the focus on it; nothing is stored, so no fee item
// of the element is ever priced from figures picked out of it. Not linked, the VAT boxes take
// a rate below 100 as the invoice lines will bill it: "1.000" is a thousand percent.
#include "fees/forms/ElefatFixture.h"
#include "foundation/engine/Generale.h"

using ui::Answer;

namespace catalogo {
namespace {

const QStringList NonInCifre = {"abc", "1.2OO,00", "12 euro", "   "};
const QString ImportoNonNumerico = "Il campo importo può contenere solo valori numerici";
const QString ArrotondaNonNumerico = "Il campo arrotondamento può contenere solo valori numerici";

class ElefatInCifre : public ElefatFixture {
protected:
    // The element "ONO" typed with `importo` and `arrotonda`, not yet confirmed.
    void scriviOnorario(const QString& importo, const QString& arrotonda) {
        scriviVoce({"ONO", "Onorario", f().OptListino, importo, arrotonda, "20", "0", f().OptCompetenza});
    }
    // `comando` clicked: the one message, the focus on `campo`, which keeps what was typed.
    void rifiuta(QPushButton* comando, const QString& messaggio, QLineEdit* campo, const QString& scritto) {
        box.expectMessage(Answer::Ok, messaggio, "");
        clic(comando);
        EXPECT_EQ(box.pending(), 0);
        EXPECT_EQ(QApplication::focusWidget(), campo);
        EXPECT_EQ(campo->text(), scritto);
    }
};

TEST_F(ElefatInCifre, ConfermaRefusesAnAmountOrRoundingThatIsNoNumberInFigures) {
    apri();
    for (const QString& scritto : NonInCifre) {
        SCOPED_TRACE(scritto.toStdString());
        clic(f().CmdAggiungi);
        scriviOnorario(scritto, "1");
        EXPECT_EQ(f().TxtImporto->text(), scritto);  // left as typed, not shown as "0,00" or "12,00"
        rifiuta(f().CmdConferma, ImportoNonNumerico, f().TxtImporto, scritto);
        scrivi(f().TxtImporto, "100");
        scrivi(f().TxtArrotonda, scritto);
        rifiuta(f().CmdConferma, ArrotondaNonNumerico, f().TxtArrotonda, scritto);
        EXPECT_EQ(colonna("SELECT count(*) FROM elefat").toInt(), 0);
        clic(f().CmdAnnulla);
    }
    EXPECT_EQ(box.messageTexts().size(), 2 * NonInCifre.size());

    // Numbers in figures are shown with the amount mask once left, and stored as read.
    const struct {
        const char *codice, *importo, *mostrato, *arrotonda, *memorizzato;
    } buoni[] = {
        {"A01", "12,50", "12,50", "1", "12.5|1"},
        {"A02", "1.200,00", "1.200,00", "0.50", "1200|0.5"},
        {"A03", "€ 5", "5,00", "0,5 €", "5|0.5"},
        {"A04", " 2.00 ", "2,00", "0.50 ", "2|0.5"},  // the blanks around take nothing from the point
    };
    for (const auto& b : buoni) {
        clic(f().CmdAggiungi);
        scriviVoce({b.codice, "Voce", f().OptListino, b.importo, b.arrotonda, "20", "0", f().OptCompetenza});
        EXPECT_EQ(f().TxtImporto->text(), b.mostrato);
        clic(f().CmdConferma);
        EXPECT_EQ(testo("SELECT importo || '|' || arrotonda FROM elefat WHERE codice = ?", {b.codice}),
                  b.memorizzato);
    }
}

TEST_F(ElefatInCifre, CorreggiRefusesAnAmountThatIsNoNumberInFiguresAndKeepsTheElement) {
    fascole.addCatalogueItem("ONO", {{"descrizione", "Onorario"}, {"calcolo", "F"}, {"importo", 100},
                                     {"arrotonda", 1}, {"iva", "20"}, {"ivacee", "0"}, {"tipo", "X"},
                                     {"pagamento", true}, {"codicepagamento", "0"}});
    apri();
    clic(f().CmdRicerca);
    for (const QString& scritto : NonInCifre) {
        SCOPED_TRACE(scritto.toStdString());
        clic(f().TxtImporto);  // a click on a field of the element on display corrects it
        scrivi(f().TxtImporto, scritto);
        lascia();
        rifiuta(f().CmdCorreggi, ImportoNonNumerico, f().TxtImporto, scritto);
        EXPECT_EQ(testo("SELECT importo FROM elefat WHERE codice = 'ONO'"), "100");
    }
    scrivi(f().TxtImporto, "1.200,00");
    clic(f().CmdCorreggi);
    EXPECT_EQ(testo("SELECT importo FROM elefat WHERE codice = 'ONO'"), "1200");
}

TEST_F(ElefatInCifre, ConfermaRefusesARateTheLinesWouldBillAtAHundredPercentOrMore) {
    apri();
    const struct {
        ui::RefillCombo* campo;
        const char* messaggio;
    } caselle[] = {{f().DbcIva, "l'aliquota iva va espressa in valore percentuale positivo <100"},
                   {f().DbcIvacee, "l'aliquota iva Cee va espressa in valore percentuale positivo <100"}};
    for (const auto& casella : caselle) {
        for (const char* aliquota : {"1.000", "150", "100", "-22"}) {
            SCOPED_TRACE(aliquota);
            clic(f().CmdAggiungi);
            scriviVoce({"ONO", "Onorario", f().OptListino, "100", "1", "22", "22", f().OptCompetenza});
            scrivi(casella.campo, aliquota);
            lascia();
            box.expectMessage(Answer::Ok, casella.messaggio, "");
            clic(f().CmdConferma);
            EXPECT_EQ(box.pending(), 0);
            EXPECT_EQ(QApplication::focusWidget(), casella.campo);
            EXPECT_EQ(casella.campo->currentText(), aliquota);
            clic(f().CmdAnnulla);
        }
    }
    EXPECT_EQ(colonna("SELECT count(*) FROM elefat").toInt(), 0);

    // Rates below 100 are stored as typed, and the lines bill them at that rate.
    const struct {
        const char *codice, *iva, *ivacee;
    } buone[] = {{"A01", "12.5", "99,99"}, {"A02", "0", "22"}};
    for (const auto& b : buone) {
        clic(f().CmdAggiungi);
        scriviVoce({b.codice, "Voce", f().OptListino, "100", "1", b.iva, b.ivacee, f().OptCompetenza});
        clic(f().CmdConferma);
        EXPECT_EQ(testo("SELECT iva || '|' || ivacee FROM elefat WHERE codice = ?", {b.codice}),
                  QString(b.iva) + "|" + b.ivacee);
    }
    EXPECT_EQ(AliquotaDigitata(testo("SELECT iva FROM elefat WHERE codice = 'A01'")), Currency::fromRaw(125000));
    EXPECT_EQ(box.messageTexts().size(), 8);
}

}  // namespace
}  // namespace catalogo
