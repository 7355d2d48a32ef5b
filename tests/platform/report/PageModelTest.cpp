#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <cmath>

#include "platform/report/PageModel.h"
#include "platform/report/ReportError.h"
#include "support/QtPrinters.h"

namespace {

using namespace report;

DataTable tabella(const QString& nome, const QStringList& colonne, std::vector<QStringList> righe) {
    return {nome, colonne, std::move(righe)};
}

// Metrics in points as the page model measures them (72 dots per inch).
QFontMetricsF metricheInPunti(const FontSpec& font) {
    static QImage device = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        i.setDotsPerMeterX(2835);
        i.setDotsPerMeterY(2835);
        return i;
    }();
    return QFontMetricsF(toQFont(font), &device);
}

double larghezza(const TextItem& t) { return metricheInPunti(t.font).horizontalAdvance(t.text); }

std::vector<const TextItem*> testiCon(const Page& p, const QString& prefisso) {
    std::vector<const TextItem*> out;
    for (const TextItem& t : p.texts)
        if (t.text.startsWith(prefisso)) out.push_back(&t);
    return out;
}

TEST(PageModel, FontsAreDejaVuWithoutShaping) {
    const QFont f = toQFont({});
    EXPECT_EQ(QFontInfo(f).family(), "DejaVu Sans");
    EXPECT_TRUE(f.styleStrategy() & QFont::PreferNoShaping);
    FontSpec grassetto;
    grassetto.bold = true;
    EXPECT_TRUE(QFontInfo(toQFont(grassetto)).bold());
}

TEST(PageModel, DetailRowsFlowOverPagesUnderRepeatedHeadersAndNumberedFooters) {
    const Layout l = parseLayout(R"(
page size=A4 margins=10,10,10,10
band title height=12
  text x=0 y=0 w=190 size=14 bold value="ELENCO"
band header height=10
  text x=0 y=0 w=20 bold value="Codice"
  text x=25 y=0 w=100 bold value="Descrizione"
band detail table=Dati height=6
  field x=0 y=0 w=20 column=codice
  field x=25 y=0 w=100 column=descrizione
band footer height=8
  text x=0 y=2 w=190 align=right value="Pagina {#page} di {#pages}"
)",
                                 "elenco.rpt");
    DataSet data;
    std::vector<QStringList> righe;
    for (int i = 1; i <= 120; ++i) righe.push_back({QString::number(i), "Elemento " + QString::number(i)});
    data.tables.push_back(tabella("Dati", {"codice", "descrizione"}, righe));

    const Document doc = buildDocument(l, data);
    // 277 mm of body: 10 of headings, 8 of footer, room for 43 rows of 6 mm; the title
    // takes two rows' room on the first page.
    ASSERT_EQ(doc.pages.size(), 3u);
    EXPECT_NEAR(doc.size.width(), 210 * PointsPerMm, 0.01);
    const double fondo = (297 - 10) * PointsPerMm;
    const double piede = fondo - 8 * PointsPerMm;

    QStringList stampati;
    for (size_t p = 0; p < doc.pages.size(); ++p) {
        const Page& page = doc.pages[p];
        const QStringList linee = page.textLines();
        const int titolo = p == 0 ? 1 : 0;
        ASSERT_GT(linee.size(), titolo + 1);
        if (p == 0) {
            EXPECT_EQ(linee[0], "ELENCO");
        }
        EXPECT_EQ(linee[titolo], "Codice | Descrizione") << "page " << p + 1;
        EXPECT_EQ(linee.last(), QStringLiteral("Pagina %1 di 3").arg(p + 1));
        for (const TextItem& t : page.texts) {
            EXPECT_LE(t.rect.bottom(), fondo + 0.01);
            if (t.text.startsWith("Elemento")) {
                EXPECT_LE(t.rect.top() + 6 * PointsPerMm, piede + 0.01) << t.text.toStdString();
                stampati << t.text;
            }
        }
    }
    EXPECT_EQ(testiCon(doc.pages[1], "Elemento").size(), 43u);
    ASSERT_EQ(stampati.size(), 120);
    for (int i = 0; i < 120; ++i) EXPECT_EQ(stampati[i], "Elemento " + QString::number(i + 1));
}

// The invoice's body: heading rows of a task and of a job stand out, a column value
// deciding their style; rows are grouped by case file.
TEST(PageModel, AColumnValueChoosesTheRowStyleAndGroupsStartOnChange) {
    const Layout l = parseLayout(R"(
band group table=Righecorpo column=Fascola height=7
  field x=0 y=0 w=100 size=11 bold column=Fascola
band detail table=Righecorpo when="Tipo=I*" bold
  field x=0 w=120 column=Descrizione
band detail table=Righecorpo when="Tipo=L*" italic
  field x=5 w=120 column=Descrizione
band detail table=Righecorpo
  field x=10 w=110 column=Descrizione
  field x=120 w=30 align=right column=Importo
  line x1=120 y1=5 x2=150 y2=5 when="Importo!="
)",
                                 "corpo.rpt");
    DataSet data;
    data.tables.push_back(tabella("Righecorpo", {"Fascola", "Tipo", "Descrizione", "Importo"},
                                  {{"0001", "I0001", "Incarico uno", ""},
                                   {"0001", "L0001", "Lavorazione uno", ""},
                                   {"0001", "E001", "Onorario", "1.234,50"},
                                   {"0002", " ", "Riga senza importo", ""},
                                   {"0002", "i0002", "incarico in minuscolo", ""}}));
    const Document doc = buildDocument(l, data);
    ASSERT_EQ(doc.pages.size(), 1u);
    const Page& p = doc.pages[0];
    EXPECT_EQ(p.textLines(), QStringList({"0001", "Incarico uno", "Lavorazione uno", "Onorario | 1.234,50", "0002",
                                          "Riga senza importo", "incarico in minuscolo"}));
    auto testo = [&](const QString& t) -> const TextItem& {
        auto found = testiCon(p, t);
        EXPECT_EQ(found.size(), 1u) << t.toStdString();
        return *found.front();
    };
    EXPECT_TRUE(testo("Incarico uno").font.bold);
    EXPECT_TRUE(testo("incarico in minuscolo").font.bold);  // patterns ignore case
    EXPECT_TRUE(testo("Lavorazione uno").font.italic);
    EXPECT_FALSE(testo("Onorario").font.bold);
    EXPECT_FALSE(testo("Riga senza importo").font.italic);
    EXPECT_EQ(testo("1.234,50").align, Qt::AlignRight);
    EXPECT_TRUE(testo("0002").font.bold);
    // The rule under an amount only where there is one.
    EXPECT_EQ(p.lines.size(), 1u);
    // Each row starts below the one before.
    EXPECT_LT(testo("Lavorazione uno").rect.top(), testo("Onorario").rect.top());
    EXPECT_LT(testo("Onorario").rect.top(), testo("0002").rect.top());
}

TEST(PageModel, LongTextsWrapWithinTheirColumnOrAreCutToIt) {
    const Layout l = parseLayout(R"(
band detail table=T height=5
  field x=0 w=40 wrap column=lunga
  field x=50 w=30 column=corta
)",
                                 "a_capo.rpt");
    const QString lunga = "Assistenza nella predisposizione della dichiarazione dei redditi e degli allegati";
    const QString corta = "Un testo che non sta nella sua colonna di trenta millimetri";
    DataSet data;
    data.tables.push_back(tabella("T", {"lunga", "corta"}, {{lunga, corta}, {"dopo", "x"}}));
    const Document doc = buildDocument(l, data);
    const Page& p = doc.pages.at(0);

    QStringList righe;
    double ultima = 0;
    for (const TextItem& t : p.texts)
        if (t.rect.left() < 20 * PointsPerMm + 15 * PointsPerMm && t.text != "dopo") {
            righe << t.text;
            EXPECT_LE(larghezza(t), 40 * PointsPerMm + 0.01) << t.text.toStdString();
            ultima = std::max(ultima, t.rect.bottom());
        }
    ASSERT_GE(righe.size(), 2);
    EXPECT_EQ(righe.join(" "), lunga);  // nothing lost at the breaks

    const auto tagliata = testiCon(p, "Un testo");
    ASSERT_EQ(tagliata.size(), 1u);
    EXPECT_LT(tagliata[0]->text.size(), corta.size());
    EXPECT_TRUE(corta.startsWith(tagliata[0]->text));
    EXPECT_LE(larghezza(*tagliata[0]), 30 * PointsPerMm + 0.01);

    // The wrapped row made its band taller: the next row starts below its last line.
    const auto dopo = testiCon(p, "dopo");
    ASSERT_EQ(dopo.size(), 1u);
    EXPECT_GE(dopo[0]->rect.top(), ultima - 0.01);
}

// The invoice's last-page footer: the VAT summary from the one-row header table, at the
// foot of the last page only.
TEST(PageModel, TheSummaryStandsAtTheFootOfTheLastPageAndReadsTheHeaderTable) {
    const Layout l = parseLayout(R"(
page size=A5 margins=10,10,10,10
band header height=10
  text x=0 w=100 value="{Dati.Nome} - {Dati.Numero}"
band detail table=Righecorpo height=6
  field x=0 w=80 column=Descrizione
band summary at=bottom height=20
  text x=0 y=0 w=60 value="Imponibile {Dati.Ivaimponibile1}"
  text x=0 y=5 w=60 when="Dati.Bollo!=" value="Bollo {Dati.Bollo}"
  text x=0 y=10 w=60 bold value="Totale {Dati.Totale}"
band footer height=6
  text x=0 w=128 align=right value="{#page}/{#pages}"
)",
                                 "fattura.rpt");
    DataSet data;
    data.tables.push_back(tabella("Dati", {"Nome", "Numero", "Ivaimponibile1", "Bollo", "Totale"},
                                  {{"Rossi S.p.A.", "17", "1.000,00", "", "1.220,00"}}));
    std::vector<QStringList> righe;
    for (int i = 0; i < 30; ++i) righe.push_back({"Riga " + QString::number(i + 1), ""});
    data.tables.push_back(tabella("Righecorpo", {"Descrizione", "x"}, righe));

    const Document doc = buildDocument(l, data);
    ASSERT_GE(doc.pages.size(), 2u);
    const double limite = (210 - 10 - 6) * PointsPerMm;  // above the page footer
    for (size_t p = 0; p < doc.pages.size(); ++p) {
        const Page& page = doc.pages[p];
        EXPECT_EQ(page.textLines().first(), "Rossi S.p.A. - 17");
        EXPECT_EQ(page.textLines().last(), QStringLiteral("%1/%2").arg(p + 1).arg(doc.pages.size()));
        EXPECT_EQ(testiCon(page, "Totale").size(), p + 1 == doc.pages.size() ? 1u : 0u);
    }
    const Page& ultima = doc.pages.back();
    const auto totale = testiCon(ultima, "Totale");
    ASSERT_EQ(totale.size(), 1u);
    EXPECT_EQ(totale[0]->text, "Totale 1.220,00");
    EXPECT_NEAR(totale[0]->rect.top(), limite - 20 * PointsPerMm + 10 * PointsPerMm, 0.01);
    EXPECT_TRUE(testiCon(ultima, "Bollo").empty());  // an empty stamp duty prints nothing
    EXPECT_EQ(testiCon(ultima, "Imponibile 1.000,00").size(), 1u);
    for (const TextItem& t : ultima.texts)
        if (t.text.startsWith("Riga")) {
            EXPECT_LE(t.rect.bottom(), limite - 20 * PointsPerMm + 0.01);
        }
}

TEST(PageModel, ASummaryThatDoesNotFitGoesOnAPageOfItsOwnAndIsCounted) {
    const Layout l = parseLayout(R"(
page size=100x100 margins=10,10,10,10
band detail table=T height=10
  field x=0 w=50 column=a
band summary height=30
  text x=0 w=50 value="Fine"
band footer height=5
  text x=0 w=80 value="Pagina {#page} di {#pages}"
)",
                                 "piccolo.rpt");
    DataSet data;
    data.tables.push_back(tabella("T", {"a"}, {{"1"}, {"2"}, {"3"}, {"4"}, {"5"}, {"6"}, {"7"}}));
    // 75 mm of body: seven rows of 10 mm leave 5 mm, too little for the summary.
    const Document doc = buildDocument(l, data);
    ASSERT_EQ(doc.pages.size(), 2u);
    EXPECT_EQ(doc.pages[1].textLines(), QStringList({"Fine", "Pagina 2 di 2"}));
    EXPECT_EQ(doc.pages[0].textLines().last(), "Pagina 1 di 2");
}

TEST(PageModel, PlaceholdersAndBraces) {
    const Layout l = parseLayout(R"(
band title
  text x=0 w=150 value="{{x}} {#date} righe {#rows} {T.a}"
band detail table=T
  field x=0 w=50 column=T.a
)",
                                 "segni.rpt");
    DataSet data;
    data.tables.push_back(tabella("T", {"a"}, {{"primo"}, {"secondo"}}));
    const Document doc = buildDocument(l, data, QDate(2004, 3, 5));
    // Inside the detail band the table's own columns are those of the row being printed.
    EXPECT_EQ(doc.pages.at(0).textLines(), QStringList({"{x} 05/03/2004 righe 2 primo", "primo", "secondo"}));
}

// {-C}: a figure with its sign turned; blanks, zero and a text that is no figure as they are.
TEST(PageModel, AFigurePrintsWithItsSignTurned) {
    const Layout l = parseLayout(R"(
band title
  text x=0 w=150 value="[{- T.a}]"
band detail table=T
  text x=0 w=50 value="[{-a}] [{a}]"
)",
                                 "segno.rpt");
    const struct {
        const char *valore, *stampato;
    } casi[] = {
        {"406,10", "-406,10"}, {"-26,05", "26,05"},   {"1.234,56", "-1.234,56"}, {"+5", "-5"},
        {"- 26,05", "26,05"},  {" 7 ", "-7"},         {"0,00", "0,00"},          {"-0,00", "-0,00"},
        {"", ""},              {"  ", "  "},          {"Esente", "Esente"},      {"2O", "2O"},
        {"1-2", "1-2"},        {"--5", "--5"},
    };
    std::vector<QStringList> righe;
    QStringList attese = {"[-406,10]"};
    for (const auto& c : casi) {
        righe.push_back({c.valore});
        attese << QStringLiteral("[%1] [%2]").arg(c.stampato, c.valore);
    }
    DataSet data;
    data.tables.push_back(tabella("T", {"a"}, righe));
    const Document doc = buildDocument(l, data);
    EXPECT_EQ(doc.pages.at(0).textLines(), attese);
}

TEST(PageModel, AnEmptyDetailTablePrintsTheRestOfThePage) {
    const Layout l = parseLayout(R"(
band header
  text x=0 w=50 value="Intestazione"
band detail table=T
  field x=0 w=50 column=a
band summary
  text x=0 w=50 value="Nessuna riga: {#rows}"
)",
                                 "vuoto.rpt");
    DataSet data;
    data.tables.push_back(tabella("T", {"a"}, {}));
    const Document doc = buildDocument(l, data);
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_EQ(doc.pages[0].textLines(), QStringList({"Intestazione", "Nessuna riga: 0"}));
}

// A layout that reads what the data does not hold is refused before anything is drawn.
TEST(PageModel, NamesTheDataDoesNotHoldAreErrors) {
    struct Case {
        const char* layout;
        int number;
    };
    const Case cases[] = {
        {"band detail table=Manca\n  field x=0 w=9 column=a", err::TableNotFound},
        {"band detail table=T\n  field x=0 w=9 column=manca", err::ColumnNotFound},
        {"band title\n  field x=0 w=9 column=Manca.a", err::TableNotFound},
        {"band title\n  field x=0 w=9 column=T.manca", err::ColumnNotFound},
        {"band title\n  field x=0 w=9 column=a", err::ColumnNotFound},  // no row outside the rows
        {"band detail table=T when=\"manca=1\"\n  field x=0 w=9 column=a", err::ColumnNotFound},
        {"band group table=T column=manca\nband detail table=T\n  field x=0 w=9 column=a", err::ColumnNotFound},
        {"band title\n  text x=0 w=9 value=\"{#pagina}\"", err::LayoutInvalid},
        {"band title\n  text x=0 w=9 value=\"{T.a\"", err::LayoutInvalid},
        {"band title\n  text x=0 w=9 value=\"{-T.manca}\"", err::ColumnNotFound},
    };
    DataSet data;
    data.tables.push_back(tabella("T", {"a"}, {{"1"}}));
    for (const Case& c : cases) {
        const Layout l = parseLayout(c.layout, "sbagliato.rpt");
        try {
            buildDocument(l, data);
            ADD_FAILURE() << "built: " << c.layout;
        } catch (const db::DbError& e) {
            EXPECT_EQ(e.number, c.number) << c.layout;
            EXPECT_NE(e.description.find("sbagliato.rpt"), std::string::npos) << e.description;
        }
    }
}

}  // namespace

namespace {

using namespace report;

// A letterhead on every page, the addressee on the first page only, the column headings
// under whichever of them ends lower; a value of blanks counts as no value.
TEST(PageModel, HeaderBandsStackInOrderAndCanBeLimitedToThePagesTheyName) {
    const Layout l = parseLayout(R"L(
page size=100x100 margins=10,10,10,10
band header height=6
  text x=0 w=80 value="Studio {Dati.Studio} - pagina {#page}"
band header when="#page=1" height=10
  text x=0 w=80 value="Spett.le {Dati.Nome}"
  text x=0 y=5 w=80 when="Dati.Rif!=" value="Rif. {Dati.Rif}"
band header height=5
  text x=0 w=80 bold value="Descrizione"
  text x=40 w=40 when="#page!=1" value="(segue)"
band detail table=Righe height=10
  field x=0 w=80 column=d
)L",
                                 "intestazioni.rpt");
    DataSet data;
    data.tables.push_back(tabella("Dati", {"Studio", "Nome", "Rif"}, {{"Bianchi", "Rossi", " "}}));
    std::vector<QStringList> righe;
    for (int i = 1; i <= 10; ++i) righe.push_back({"Riga " + QString::number(i)});
    data.tables.push_back(tabella("Righe", {"d"}, righe));

    const Document doc = buildDocument(l, data);
    ASSERT_GE(doc.pages.size(), 2u);
    EXPECT_EQ(doc.pages[0].textLines().mid(0, 4),
              QStringList({"Studio Bianchi - pagina 1", "Spett.le Rossi", "Descrizione", "Riga 1"}));
    EXPECT_EQ(doc.pages[1].textLines().mid(0, 2),
              QStringList({"Studio Bianchi - pagina 2", "Descrizione | (segue)"}));
    // The first page's headings stand below the addressee, the second's right under the
    // letterhead, so the second page holds more rows.
    const auto intestazione = [&](int p) { return testiCon(doc.pages[size_t(p)], "Descrizione").front()->rect.top(); };
    EXPECT_NEAR(intestazione(0) - intestazione(1), 10 * PointsPerMm, 0.01);
    EXPECT_TRUE(testiCon(doc.pages[0], "Rif.").empty());
    EXPECT_TRUE(testiCon(doc.pages[0], "(segue)").empty());
}

}  // namespace

namespace {

using namespace report;

// The wrapping rule spelled out the plain way: words go on a line while the line fits; a
// word wider than the column is broken after the most characters that fit, one at least,
// never between the two halves of a character.
QStringList aCapoSemplice(const QString& testo, const QFontMetricsF& fm, double larghezza) {
    QStringList righe;
    for (const QString& paragrafo : testo.split(u'\n')) {
        QString riga;
        for (const QString& parola : paragrafo.split(u' ')) {
            const QString prova = riga.isEmpty() ? parola : riga + u' ' + parola;
            if (fm.horizontalAdvance(prova) <= larghezza || (riga.isEmpty() && parola.isEmpty())) {
                riga = prova;
                continue;
            }
            if (!riga.isEmpty()) righe << riga;
            riga = parola;
            const auto dopo = [&](qsizetype n) { return n + (riga[n].isHighSurrogate() && n + 1 < riga.size() ? 2 : 1); };
            while (fm.horizontalAdvance(riga) > larghezza && dopo(0) < riga.size()) {
                qsizetype n = dopo(0);
                while (n < riga.size() && fm.horizontalAdvance(riga.left(dopo(n))) <= larghezza) n = dopo(n);
                righe << riga.left(n);
                riga = riga.mid(n);
            }
        }
        righe << riga;
    }
    return righe;
}

// One row whose text wraps in a column `mm` wide (or is cut to it): the texts of the
// column on the first page, top to bottom.
QStringList righeDellaColonna(const QString& testo, int mm, bool aCapo, size_t* pagine = nullptr) {
    const Layout l = parseLayout(QStringLiteral("page size=A4 margins=10,10,10,10\n"
                                                "band detail table=T height=5\n"
                                                "  field x=0 w=%1 %2 column=t\n"
                                                "  field x=%3 w=10 column=dopo\n")
                                     .arg(mm)
                                     .arg(aCapo ? "wrap" : "")
                                     .arg(mm + 5)
                                     .toUtf8(),
                                 "a_capo.rpt");
    DataSet data;
    data.tables.push_back(tabella("T", {"t", "dopo"}, {{testo, ""}, {"", "riga dopo"}}));
    const Document doc = buildDocument(l, data);
    if (pagine) *pagine = doc.pages.size();
    QStringList out;
    for (const TextItem& t : doc.pages.at(0).texts)
        if (t.rect.left() < 11 * PointsPerMm && !t.text.isEmpty()) out << t.text;  // the column starts at the 10 mm margin
    return out;
}

TEST(PageModel, WrappedLinesFollowThePlainRule) {
    const FontSpec font;
    const QFontMetricsF fm = metricheInPunti(font);
    const struct {
        QString testo;
        int mm;
    } casi[] = {
        {"Assistenza nella predisposizione della dichiarazione dei redditi e degli allegati", 40},
        {"Onorario per consulenza societaria\nsecondo paragrafo, più corto", 35},
        {"Parole  con   spazi doppi e tripli che restano dove sono", 30},
        {"Precipitevolissimevolmente e costituzionalissimamente, due parole più larghe della colonna", 20},
        {"Supercalifragilistichespiralidoso", 3},
        {"àèìòù ÀÈÌÒÙ «virgolette» – lineette — e € in fila, accenti che pesano come lettere", 25},
        {"", 40},
        {"\n\nriga dopo due vuote", 40},
        {"una riga che sta tutta", 100},
        {"codice-fiscale:RSSMRA80A01F205XRSSMRA80A01F205XRSSMRA80A01F205X seguito da altro", 30},
        // Characters that are not simply one glyph after the other.
        {QString::fromUtf8("cafe\u0301 perche\u0301 accenti composti e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301"), 20},
        {QString::fromUtf8("fuori dal piano base \U0001F600\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600"), 15},
        {QString::fromUtf8("colonne\tseparate\tda\ttabulazioni\te\u00adtrat\u00adti\u00adni mor\u200bbi\u200bdi"), 25},
        {QString::fromUtf8("\u6f22\u5b57\u3068\u304b\u306a\u6df7\u3058\u308a\u6f22\u5b57\u3068\u304b\u306a\u6df7\u3058\u308a \u0639\u0631\u0628\u064a"), 15},
    };
    for (const auto& c : casi) {
        QStringList attese = aCapoSemplice(c.testo, fm, c.mm * PointsPerMm);
        attese.removeAll(QString());
        EXPECT_EQ(righeDellaColonna(c.testo, c.mm, true), attese) << c.testo.toStdString() << " in " << c.mm;
    }
}

// A word of a million characters: each line is the most of it that fits, and the lines stop
// at the foot of the sheet, where no more of it could be seen; the next row goes on a new
// page. A text that does not wrap keeps the most of it that fits.
TEST(PageModel, AHugeWordWrapsLineByLineUpToTheFootOfTheSheet) {
    const FontSpec font;
    const QFontMetricsF fm = metricheInPunti(font);
    QString parola;
    parola.reserve(1 << 20);
    const QString sillabe[] = {"ma", "W", "i", "lll", "ò", "MM", "x.", "€"};
    for (int i = 0; parola.size() < (1 << 20); ++i) parola += sillabe[(i * 7 + i / 3) % 8];
    const double larghezza = 50 * PointsPerMm;

    size_t pagine = 0;
    const QStringList righe = righeDellaColonna(parola, 50, true, &pagine);
    ASSERT_GT(righe.size(), 10);
    const QSizeF a4(210 * PointsPerMm, 297 * PointsPerMm);
    EXPECT_LE(righe.size() * fm.lineSpacing(), a4.height() + fm.lineSpacing());
    EXPECT_GT(righe.size() * fm.lineSpacing(), a4.height() - 10 * PointsPerMm);
    qsizetype da = 0;
    for (const QString& r : righe) {
        ASSERT_EQ(parola.mid(da, r.size()), r) << "from " << da;
        EXPECT_LE(fm.horizontalAdvance(r), larghezza) << r.toStdString();
        EXPECT_GT(fm.horizontalAdvance(parola.mid(da, r.size() + 1)), larghezza) << r.toStdString();
        da += r.size();
    }
    EXPECT_EQ(pagine, 2u);

    const QStringList tagliata = righeDellaColonna(parola, 50, false);
    ASSERT_EQ(tagliata.size(), 1);
    EXPECT_EQ(tagliata[0], righe[0]);
}

}  // namespace
