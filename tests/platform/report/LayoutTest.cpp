#include <gtest/gtest.h>

#include "platform/report/Layout.h"
#include "platform/report/ReportError.h"
#include "support/QtPrinters.h"

namespace {

using namespace report;

TEST(Layout, ReadsPageFontBandsAndItems) {
    const Layout l = parseLayout(R"(
# a comment
page size=A4 orientation=landscape margins=12,10,8.5,6
font family="DejaVu Serif" size=8

band header height=12 bold
  text x=1 y=2 w=30 align=right value="Pagina {#page} di {#pages}"
  line x1=0 y1=9.5 x2=273 y2=9.5 width=0.3
band detail table=Righe when="Tipo=I*" italic size=10
  field x=0 y=0.5 w=80 wrap column=Descrizione regular
  box x=0 y=0 w=273 h=5 fill=#E6E6E6 when="Importo!="
band summary at=bottom
  text x=0 w=50 value="He said ""yes"""
)",
                                "prova.rpt");
    EXPECT_EQ(l.name, "prova.rpt");
    EXPECT_TRUE(l.landscape);
    EXPECT_DOUBLE_EQ(l.pageWidth, 210);
    EXPECT_DOUBLE_EQ(l.marginLeft, 12);
    EXPECT_DOUBLE_EQ(l.marginRight, 8.5);
    EXPECT_DOUBLE_EQ(l.marginBottom, 6);
    EXPECT_EQ(l.font.family, "DejaVu Serif");
    ASSERT_EQ(l.bands.size(), 3u);

    const Band& header = l.bands[0];
    EXPECT_EQ(header.kind, BandKind::Header);
    EXPECT_DOUBLE_EQ(header.height, 12);
    ASSERT_EQ(header.items.size(), 2u);
    // Items take the band's font, which takes the report's.
    EXPECT_TRUE(header.items[0].font.bold);
    EXPECT_EQ(header.items[0].font.family, "DejaVu Serif");
    EXPECT_DOUBLE_EQ(header.items[0].font.size, 8);
    EXPECT_EQ(header.items[0].align, Qt::AlignRight);
    EXPECT_EQ(header.items[0].value, "Pagina {#page} di {#pages}");
    EXPECT_EQ(header.items[1].kind, ItemKind::Line);
    EXPECT_DOUBLE_EQ(header.items[1].x2, 273);
    EXPECT_DOUBLE_EQ(header.items[1].lineWidth, 0.3);

    const Band& detail = l.bands[1];
    EXPECT_EQ(detail.table, "Righe");
    ASSERT_TRUE(detail.when);
    EXPECT_EQ(detail.when->column, "Tipo");
    EXPECT_EQ(detail.when->pattern, "I*");
    EXPECT_FALSE(detail.when->negate);
    EXPECT_EQ(l.detailTable(), "Righe");
    const LayoutItem& field = detail.items[0];
    EXPECT_EQ(field.value, "{Descrizione}");
    EXPECT_TRUE(field.wrap);
    EXPECT_FALSE(field.font.italic);  // "regular" on the item
    EXPECT_DOUBLE_EQ(field.font.size, 10);
    const LayoutItem& box = detail.items[1];
    EXPECT_EQ(box.fill, QColor("#E6E6E6"));
    ASSERT_TRUE(box.when);
    EXPECT_TRUE(box.when->negate);
    EXPECT_EQ(box.when->pattern, "");

    EXPECT_TRUE(l.bands[2].atBottom);
    EXPECT_EQ(l.bands[2].items[0].value, "He said \"yes\"");
}

// Each statement the reader refuses, with the line it names.
TEST(Layout, RefusesWhatItDoesNotUnderstandNamingTheLine) {
    struct Case {
        const char* text;
        int line;  // 0: a fault of the whole layout, no line named
    };
    const Case cases[] = {
        {"pagina size=A4", 1},
        {"page size=B7", 1},
        {"page margins=10,10,10", 1},
        {"page orientation=sideways", 1},
        {"text x=0 value=\"fuori\"", 1},
        {"band middle", 1},
        {"band detail", 1},                               // no table
        {"band group table=T", 1},                        // no column
        {"band title when=\"a=b\"", 1},
        {"band detail table=T\n  text x=0 w=10 when=\"#pagine=1\" value=\"x\"", 2},
        {"band detail table=T\n  text x=abc value=\"x\"", 2},
        {"band detail table=T\n  text x=0 colour=red value=\"x\"", 2},
        {"band detail table=T\n  text x=0 value=\"unterminated", 2},
        {"band detail table=T\n  text x=0 wrap value=\"no width\"", 2},
        {"band detail table=T\n  field x=0 w=10", 2},
        {"band detail table=T\n  box x=0 y=0 w=10", 2},
        {"band detail table=T\n  text x=0 w=10 when=\"nocondition\" value=\"x\"", 2},
        {"band title\n\nband title", 3},
        {"band detail table=A\nband detail table=B", 2},
        {"band title\nfont size=9", 2},
        {"page margins=100,10,120,10\nband title\n  text x=0 value=\"x\"", 0},
        {"", 0},
        {"# nothing but a comment\npage size=A4\nband detail table=T", 0},
    };
    for (const Case& c : cases) {
        try {
            parseLayout(QString::fromUtf8(c.text), "rotto.rpt");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const db::DbError& e) {
            EXPECT_EQ(e.number, err::LayoutInvalid) << c.text;
            const QString d = QString::fromStdString(e.description);
            EXPECT_TRUE(d.contains("'rotto.rpt'")) << d.toStdString();
            if (c.line > 0)
                EXPECT_TRUE(d.contains(QStringLiteral("riga %1:").arg(c.line))) << c.text << " -> " << d.toStdString();
            else
                EXPECT_FALSE(d.contains("riga")) << d.toStdString();
        }
    }
}

TEST(Layout, AFileThatCannotBeReadIsAnInvalidLayout) {
    try {
        loadLayout("/nonexistent/folder/Stp_elefat.rpt");
        FAIL() << "no error";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.number, err::LayoutInvalid);
        EXPECT_NE(e.description.find("Stp_elefat.rpt"), std::string::npos);
    }
}

}  // namespace
