#include "invoice/engine/ArchivioStampaFattura.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>
#include <stdexcept>

#include "foundation/engine/Generale.h"
#include "invoice/engine/Importi.h"
#include "invoice/engine/StampaDocumento.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/FileSystem.h"
#include "platform/system/Paths.h"

namespace {

constexpr int LarghezzaNota = 50;
constexpr int LarghezzaNomeScheda = 46;
constexpr int GruppiStampati = 5;

QString esteso(Currency importo) { return basic::Format(importo, MascheraImportoEsteso); }

int colonna(const QString& nome) {
    for (size_t i = 0; i < ColonneDati.size(); ++i)
        if (nome.compare(QLatin1String(ColonneDati[i]), Qt::CaseInsensitive) == 0) return int(i);
    throw std::out_of_range("no column " + nome.toStdString() + " in Dati");
}

}  // namespace

const std::array<const char*, 83> ColonneDati = {
    "TipoDocumento", "Numero", "Data", "Pagina", "PartitaIva", "CodiceFiscale", "CodiceCliente", "RifContabile",
    "Nome", "Via", "Indirizzo", "Totale", "Fascola", "DataFascola", "RifCliente", "NoteFascola1", "Notefascola2",
    "Notefattura1", "NoteFattura2", "NoteFattura3", "NoteFattura4", "RigaTestata1", "rigatestata2",
    "rigatestata3", "RigaTestata4", "rigatestata5", "rigatestata6",
    "PagCodice1", "PagData1", "PagImporto1", "PagCodice2", "PagData2", "PagImporto2", "PagCodice3", "PagData3",
    "PagImporto3", "PagCodice4", "PagData4", "PagImporto4", "PagCodice5", "PagData5", "PagImporto5",
    "Ivacodice1", "Ivaimponibile1", "Ivaaliquota1", "Ivaimposta1", "Ivacodice2", "Ivaimponibile2", "Ivaaliquota2",
    "Ivaimposta2", "Ivacodice3", "Ivaimponibile3", "Ivaaliquota3", "Ivaimposta3", "Ivacodice4", "Ivaimponibile4",
    "Ivaaliquota4", "Ivaimposta4", "Ivacodice5", "Ivaimponibile5", "Ivaaliquota5", "Ivaimposta5",
    "TotIvaimponibile", "TotIvaimposta", "Bollo", "Spese",
    "descrizioneritenuta1", "imponibileritenuta1", "percritenuta1", "importoritenuta1",
    "descrizioneritenuta2", "imponibileritenuta2", "percritenuta2", "importoritenuta2",
    "TotaleDocumento", "NettoAPagare", "TotImponibile", "TotFuoriIva",
    "Ivadescrizione1", "Ivadescrizione2", "Ivadescrizione3", "Ivadescrizione4", "Ivadescrizione5"};

QString NomeFileFattura(bool collegato, const QString& codiceCliente, TipoDocumento tipo,
                        const QString& numeroRegistrazione, const QString& idfattura) {
    const QString cliente = collegato ? basic::Mid(codiceCliente, 1, 2) + basic::Mid(codiceCliente, 4, 2) +
                                            basic::Mid(codiceCliente, 7, 2) + basic::Right(codiceCliente, 4)
                                      : codiceCliente;
    return "SDB" + cliente + LetteraDocumento(tipo) + ParteRegistrazione(numeroRegistrazione) + idfattura + ".mdb";
}

QString ParteRegistrazione(const QString& numeroRegistrazione) {
    return numeroRegistrazione.isEmpty() ? QStringLiteral("00000")
                                         : basic::Right("00000" + basic::Trim(numeroRegistrazione), 5);
}

QChar CarattereNonAmmessoInNomeFile(const QString& testo) {
    static const QString vietati = QStringLiteral("\\/:*?\"<>|");
    for (QChar c : testo)
        if (vietati.contains(c)) return c;
    return {};
}

QString TitoloDocumento(TipoDocumento tipo) {
    switch (tipo) {
    case TipoDocumento::NotaDebito: return "NOTA DI DEBITO (var. in Aumento)";
    case TipoDocumento::NotaCredito: return "NOTA DI CREDITO (var. in Diminuizione)";
    case TipoDocumento::Fattura: break;
    }
    return "FATTURA";
}

std::pair<QString, QString> NoteFascolaSuDueRighe(const QString& note) {
    const QString t = note + basic::Space(LarghezzaNota);
    int p = LarghezzaNota;
    for (int j = LarghezzaNota; j >= 40; --j) {
        if (basic::Mid(t, j, 1) == " ") {
            p = j;
            break;
        }
    }
    return {basic::Left(t, p), basic::Mid(note + basic::Space(2 * LarghezzaNota), p + 1, LarghezzaNota)};
}

QString NomeClienteScheda(const QString& nome) {
    return basic::Left(nome + basic::Space(LarghezzaNomeScheda), LarghezzaNomeScheda);
}

const QString& ContenutoStampaFattura::dato(const QString& nome) const { return Dati[size_t(colonna(nome))]; }

ContenutoStampaFattura ContenutoArchivioStampa(const DocumentoDaEmettere& d, const DocumentoEmesso& e) {
    ContenutoStampaFattura c;

    for (const RigaVisualizzata& v : d.RigheVisualizzate) {
        if (v.Tipo != TipoRiga::Elemento && !d.Parametri.DettaglioFascola) continue;
        const int k = v.IndiceRiga;
        const RigaFattura& riga = d.RigheFattura.riga(k);
        std::array<QString, 6> r;  // Tipo, Descrizione, Indice, Importo, Iva, Pagamento
        r[2] = QString::number(k);
        switch (v.Tipo) {
        case TipoRiga::Incarico:
            r[0] = "I" + riga.ntask;
            r[1] = v.Testo;
            break;
        case TipoRiga::Lavorazione:
            r[0] = "L" + riga.njob;
            r[1] = v.Testo;
            break;
        case TipoRiga::Elemento:
            r[1] = riga.descrizione;
            if (riga.impofat.isZero()) {
                r[0] = " ";
            } else {
                r[0] = "E" + riga.elemento;
                r[3] = esteso(riga.impofat);
                r[4] = riga.CodiceIva;
                r[5] = riga.pagamento;
            }
            break;
        }
        c.Righecorpo.push_back(std::move(r));
    }

    auto imposta = [&](const char* nome, const QString& valore) { c.Dati[size_t(colonna(nome))] = valore; };
    const ParametriFatturaRec& p = d.Parametri;
    const DatiClienteFatturaRec& cli = d.DatiCliente;
    imposta("TipoDocumento", TitoloDocumento(d.Tipo));
    imposta("Numero", e.NumeroDocumento);
    imposta("Data", p.DataFattura);
    imposta("Pagina", " ");
    imposta("PartitaIva", cli.PartitaIva);
    imposta("CodiceFiscale", cli.CodiceFiscale);
    imposta("CodiceCliente", d.Fascola.CodiceCliente);
    imposta("RifContabile", e.RifContabile);
    imposta("Nome", NomeClienteScheda(d.Fascola.NomeCliente));
    imposta("Via", cli.Indirizzo);
    imposta("Indirizzo", cli.Cap + " " + cli.Localita + " " + cli.Provincia);
    imposta("Totale", esteso(e.Importi.TotaleDocumento));
    imposta("Fascola", d.Fascola.NumeroAssoluto);
    imposta("DataFascola", d.Fascola.Data);
    imposta("RifCliente", d.Fascola.RifCliente);
    const auto [nota1, nota2] = NoteFascolaSuDueRighe(d.Fascola.Note);
    imposta("NoteFascola1", nota1);
    imposta("Notefascola2", nota2);
    imposta("Notefattura1", d.Note.Nota1);
    imposta("NoteFattura2", d.Note.Nota2);
    imposta("NoteFattura3", d.Note.Nota3);
    imposta("NoteFattura4", d.Note.Nota4);
    imposta("RigaTestata1", p.RigaTestata1);
    imposta("rigatestata2", p.RigaTestata2);
    imposta("rigatestata3", p.RigaTestata3);
    imposta("RigaTestata4", p.RigaTestata4);
    imposta("rigatestata5", p.RigaTestata5);
    imposta("rigatestata6", p.RigaTestata6);

    // The summary prints its first five groups; the totals cover those five only.
    const RiepilogoIva& riepilogo = e.Importi.Riepilogo;
    Currency imponibili, imposte, tassati, fuoriIva;
    bool gruppiFuoriIva = false;
    for (int n = 1; n <= GruppiStampati && n <= riepilogo.NumeroGruppiIva(); ++n) {
        const GruppoIva& g = riepilogo.gruppo(n);
        const QString N = QString::number(n);
        c.Dati[size_t(colonna("Ivacodice" + N))] = g.Codice;
        imponibili += g.Imponibile;
        c.Dati[size_t(colonna("Ivaimponibile" + N))] = esteso(g.Imponibile);
        c.Dati[size_t(colonna("Ivaaliquota" + N))] = g.Aliquota;
        // A group that bears no VAT (exempt, non-taxable, outside VAT) is named by its code's
        // exemption text when the accounting archive gave one, by its code otherwise; its
        // amount is kept apart from the taxable total.
        if (g.Percentuale.isZero()) {
            gruppiFuoriIva = true;
            fuoriIva += g.Imponibile;
            const QString testo = g.TestoImposta.trimmed();
            c.Dati[size_t(colonna("Ivadescrizione" + N))] = !g.ImpostaNumerica && !testo.isEmpty() ? testo : g.Codice;
        } else {
            tassati += g.Imponibile;
        }
        // A code that carries no amount prints its text (a zero-rate code's exemption); a
        // zero-rate group adds no VAT.
        if (!g.ImpostaNumerica) {
            c.Dati[size_t(colonna("Ivaimposta" + N))] = g.TestoImposta;
        } else {
            if (!g.Percentuale.isZero()) imposte += g.Imposta;
            c.Dati[size_t(colonna("Ivaimposta" + N))] = esteso(g.Imposta);
        }
    }
    imposta("TotIvaimponibile", esteso(imponibili));
    imposta("TotIvaimposta", esteso(imposte));
    imposta("TotImponibile", esteso(tassati));
    imposta("TotFuoriIva", gruppiFuoriIva ? esteso(fuoriIva) : QString());

    const Currency bollo = e.Importi.Bollo.Importo;
    imposta("Bollo", bollo > Currency() ? basic::Format(bollo, MascheraImporto) : QString());

    const Ritenuta* ritenute[] = {&e.Importi.Ritenute.Ritenuta1, &e.Importi.Ritenute.Ritenuta2};
    for (int n = 1; n <= 2; ++n) {
        const Ritenuta& r = *ritenute[n - 1];
        if (!r.Applicata) continue;
        const QString N = QString::number(n);
        c.Dati[size_t(colonna("descrizioneritenuta" + N))] = r.Descrizione;
        c.Dati[size_t(colonna("imponibileritenuta" + N))] = esteso(r.Imponibile);
        c.Dati[size_t(colonna("percritenuta" + N))] = r.Perc;
        c.Dati[size_t(colonna("importoritenuta" + N))] = esteso(r.Importo);
    }
    // The document's total before the withholdings; with a withholding, "Totale" is the net
    // amount the client pays, printed apart as such.
    imposta("TotaleDocumento", esteso(riepilogo.TotaleDocumento + e.Importi.Bollo.Importo));
    const bool ritenuta = e.Importi.Ritenute.Ritenuta1.Applicata || e.Importi.Ritenute.Ritenuta2.Applicata;
    imposta("NettoAPagare", ritenuta ? esteso(e.Importi.TotaleDocumento) : QString());
    return c;
}

void ScriviArchivioStampaFattura(const QString& path, const ContenutoStampaFattura& contenuto) {
    const QString locale = sys::LocalPath(path);
    // A file of the same name was left by an issue that stopped, or belongs to a reissue.
    if (!sys::RemoveFile(locale)) throw ErroreAccessoFile(path);

    try {
        std::unique_ptr<db::Database> file = db::Database::create(path.toStdString());
        // On the disk whole by the time its transaction commits: the document's own transaction
        // commits after it, and from then on this file is the document's copy.
        db::Transaction scrittura(*file);
        file->execute("create table Righecorpo (Tipo text, Descrizione Text, Indice Text, Importo text, Iva text, "
                      "Pagamento text)");
        std::string colonne, segnaposti;
        for (const char* c : ColonneDati) {
            if (!colonne.empty()) {
                colonne += ",";
                segnaposti += ",";
            }
            colonne += std::string(c) + " text";
            segnaposti += "?";
        }
        file->execute("create table Dati (" + colonne + ")");

        db::Statement riga(*file, "INSERT INTO Righecorpo (Tipo, Descrizione, Indice, Importo, Iva, Pagamento) "
                                  "VALUES (?, ?, ?, ?, ?, ?)");
        for (const auto& r : contenuto.Righecorpo) riga.execute({r[0], r[1], r[2], r[3], r[4], r[5]});
        db::Params dati;
        dati.reserve(contenuto.Dati.size());
        for (const QString& v : contenuto.Dati) dati.emplace_back(v);
        file->execute("INSERT INTO Dati VALUES (" + segnaposti + ")", dati);
        scrittura.commit();
    } catch (...) {
        // Half a print database prints nothing right: it goes.
        sys::RemoveFile(locale);
        throw;
    }
}

QString CopiaArchiviataConIdFattura(const QString& cartellaFatture, bool collegato, const QString& codiceCliente,
                                    const QString& idfattura) {
    const QString cartella = CartellaFattureIndicata(cartellaFatture);
    if (cartella.isEmpty()) return {};
    const QDir dir(sys::LocalPath(cartella));
    if (!dir.exists()) return {};
    // The name of such a copy but for its letter and registration number.
    const QString esempio = NomeFileFattura(collegato, codiceCliente, TipoDocumento::Fattura, {}, idfattura);
    const qsizetype prefisso = esempio.size() - 6 - idfattura.size() - 4;
    const QString inizio = esempio.left(prefisso), fine = esempio.right(idfattura.size() + 4);
    for (const QString& nome : dir.entryList({"SDB*"}, QDir::Files)) {
        if (nome.size() == esempio.size() && nome.startsWith(inizio, Qt::CaseInsensitive) &&
            nome.endsWith(fine, Qt::CaseInsensitive))
            return nome;
    }
    return {};
}
