#include "invoice/engine/EmissioneDocumento.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

#include "accounting/engine/NumerazioneDocumenti.h"
#include "accounting/engine/NumeriRegistrazione.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "invoice/engine/ArchivioStampaFattura.h"
#include "invoice/engine/CalcoloIva.h"
#include "invoice/engine/ContabilizzazioneDocumento.h"
#include "invoice/engine/FatturazioneCompetenze.h"
#include "invoice/engine/Importi.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/MessageService.h"
#include "platform/system/Paths.h"

namespace {

const QString NomeFileNonAmmesso = QStringLiteral(", che non può stare nel nome del file del documento");
const QString NonEmesso = QStringLiteral(": il documento non è stato emesso");

// The register numbering reads its register from the program-wide parameters: for the call,
// they name the register of the document being issued.
class RegistroPerLaChiamata {
public:
    explicit RegistroPerLaChiamata(const QString& registro) : prima_(ParametriFattura().RegistroIva) {
        ParametriFattura().RegistroIva = registro;
    }
    ~RegistroPerLaChiamata() { ParametriFattura().RegistroIva = prima_; }
    RegistroPerLaChiamata(const RegistroPerLaChiamata&) = delete;
    RegistroPerLaChiamata& operator=(const RegistroPerLaChiamata&) = delete;

private:
    QString prima_;
};

void VerificaRigheVisualizzate(const DocumentoDaEmettere& d) {
    for (const RigaVisualizzata& v : d.RigheVisualizzate)
        if (!d.RigheFattura.contiene(v.IndiceRiga))
            throw std::invalid_argument("a grid row points at invoice line " + std::to_string(v.IndiceRiga) +
                                        ", which does not exist");
}

// The explanation of a stop, once the archives are free again.
void Spiega(const EsitoEmissione& e, const DocumentoDaEmettere& d, int giaFatturate, const QString& copia) {
    QString testo;
    switch (e.Arresto) {
    case ArrestoEmissione::Nessuno: return;
    case ArrestoEmissione::NessunaRiga: testo = "Non ci sono righe da fatturare" + NonEmesso; break;
    case ArrestoEmissione::DataNonValida:
        testo = "La data del documento (" + d.Parametri.DataFattura + ") non è una data valida" + NonEmesso;
        break;
    case ArrestoEmissione::CodiceClienteNonAmmesso:
        testo = "Il codice cliente " + d.Fascola.CodiceCliente + " contiene il carattere " +
                CarattereNonAmmessoInNomeFile(d.Fascola.CodiceCliente) + NomeFileNonAmmesso + NonEmesso;
        break;
    case ArrestoEmissione::NumeroMancante: testo = "Manca il numero del documento" + NonEmesso; break;
    case ArrestoEmissione::NumeroNonAssegnato:
        testo = "Il registro IVA " + d.Parametri.RegistroIva + " non ha dato un numero al documento" + NonEmesso;
        break;
    case ArrestoEmissione::NumeroNonAmmesso:
        testo = "Il numero del documento " + e.NumeroDocumento + " contiene il carattere " +
                CarattereNonAmmessoInNomeFile(e.NumeroDocumento) + NomeFileNonAmmesso + NonEmesso;
        break;
    case ArrestoEmissione::NumeroRegistrazioneMancante:
        testo = "Non è stato possibile assegnare il numero di registrazione contabile" + NonEmesso;
        break;
    case ArrestoEmissione::ContoIvaVenditeMancante:
        testo = "Nei parametri della contabilità manca il conto IVA vendite" + NonEmesso;
        break;
    case ArrestoEmissione::RegistrazioneNonEseguita:
        testo = "La registrazione contabile non è stata eseguita" + NonEmesso;
        break;
    case ArrestoEmissione::IdFatturaInUso:
        testo = "Il cliente ha già competenze fatturate con il documento " + e.IdFattura +
                " (stessa fascola, data e numero)" + NonEmesso;
        break;
    case ArrestoEmissione::CopiaArchiviataEsistente:
        testo = "Nella cartella delle fatture c'è già il documento " + copia + " (stessa fascola, data e numero)" +
                NonEmesso;
        break;
    case ArrestoEmissione::CompetenzeGiaFatturate:
        testo = "Competenze già fatturate con un altro documento: " + QString::number(giaFatturate) +
                "; rifare la selezione" + NonEmesso;
        break;
    case ArrestoEmissione::Errore:
        testo = "Il documento non è stato emesso: gli archivi sono rimasti come erano prima della stampa";
        break;
    }
    ui::MessageService::show(testo, TitoloEmissione, ui::Buttons::Ok, ui::Icon::Warning);
}

// The stages that write, in one transaction of the session. esegui() returns why they stopped,
// or Nessuno once committed; an uncommitted transaction is rolled back when the object goes.
class ScritturaEmissione {
public:
    ScritturaEmissione(db::Database& sessione, const DocumentoDaEmettere& d, EsitoEmissione& e)
        : sessione_(sessione), d_(d), e_(e) {}
    ScritturaEmissione(const ScritturaEmissione&) = delete;
    ScritturaEmissione& operator=(const ScritturaEmissione&) = delete;

    ArrestoEmissione esegui() {
        if (!stampa_.essenziale([&] { scrittura_.emplace(sessione_); })) return ArrestoEmissione::Errore;
        // From here every failure is answered by leaving: a step skipped would leave the
        // document half issued.
        Procedura* proc = &stampa_;

        e_.NumeroDocumento = d_.Parametri.NumeroDocumento;
        e_.Contabilizzato = ContabilizzazioneAmmessa(d_);
        if (e_.Contabilizzato) {
            if (d_.Parametri.NumerazioneAutomatica) {
                QString numero;
                if (!proc->essenziale([&] {
                        RegistroPerLaChiamata registro(d_.Parametri.RegistroIva);
                        numero = NumeroFattura(sessione_, e_.LetteraDocumento);
                    }) ||
                    emissione_.interrotta())
                    return ArrestoEmissione::Errore;
                if (numero.isEmpty()) return ArrestoEmissione::NumeroNonAssegnato;
                e_.NumeroDocumento = numero;
                if (!CarattereNonAmmessoInNomeFile(numero).isNull()) return ArrestoEmissione::NumeroNonAmmesso;
            }
            proc = &contabilizzazione_;
            if (const auto arresto = registra(*proc); arresto != ArrestoEmissione::Nessuno) return arresto;
        }

        e_.IdFattura = IdFattura(d_.Fascola.Npra, d_.Parametri.DataFattura, e_.NumeroDocumento);
        bool inUso = false;
        if (!proc->essenziale([&] { inUso = IdFatturaInUso(sessione_, d_.Fascola.CodiceCliente, e_.IdFattura); }))
            return ArrestoEmissione::Errore;
        if (inUso) return ArrestoEmissione::IdFatturaInUso;
        const bool collegato = d_.Ambiente.CollegatoContabilita;
        if (!proc->essenziale([&] {
                copia = CopiaArchiviataConIdFattura(d_.Ambiente.CartellaFatture, collegato, d_.Fascola.CodiceCliente,
                                                    e_.IdFattura);
            }))
            return ArrestoEmissione::Errore;
        if (!copia.isEmpty()) return ArrestoEmissione::CopiaArchiviataEsistente;

        EsitoFatturazioneCompetenze fatturazione;
        if (!proc->essenziale([&] { fatturazione = FatturazioneCompetenze(sessione_, d_.RigheFattura, e_.IdFattura); }))
            return ArrestoEmissione::Errore;
        giaFatturate = fatturazione.GiaFatturate;
        if (giaFatturate > 0) return ArrestoEmissione::CompetenzeGiaFatturate;
        e_.CompetenzeFatturate = fatturazione.Fatturate;

        e_.NomeFileFattura = NomeFileFattura(collegato, d_.Fascola.CodiceCliente, d_.Tipo, e_.NumeroRegistrazione,
                                             e_.IdFattura);
        const QString path = QDir(d_.Ambiente.CartellaAvvio).filePath(e_.NomeFileFattura);
        const ContenutoStampaFattura contenuto =
            ContenutoArchivioStampa(d_, {*e_.Importi, e_.NumeroDocumento, e_.RifContabile});
        if (!proc->essenziale([&] { ScriviArchivioStampaFattura(path, contenuto); })) return ArrestoEmissione::Errore;
        if (emissione_.interrotta() || !proc->essenziale([&] { scrittura_->commit(); })) {
            QFile::remove(sys::LocalPath(path));
            return ArrestoEmissione::Errore;
        }
        e_.PathArchivioStampa = path;
        return ArrestoEmissione::Nessuno;
    }

    int giaFatturate = 0;
    QString copia;

private:
    // Number, journal rows and registration of a posted document.
    ArrestoEmissione registra(Procedura& proc) {
        if (basic::Trim(e_.NumeroDocumento).isEmpty()) return ArrestoEmissione::NumeroMancante;
        const Currency totale = e_.Importi->TotaleDocumento;
        RigheRegistrazione righe = RigheClienteERicavi(d_, totale);
        if (ServeRigaIva(righe, totale)) {
            QString conto;
            if (!proc.essenziale([&] { conto = ContoIvaVendite(sessione_); })) return ArrestoEmissione::Errore;
            if (conto.isEmpty()) return ArrestoEmissione::ContoIvaVenditeMancante;
            AggiungiRigaIva(righe, d_.Tipo, conto, totale);
        }
        QString numeroRegistrazione;
        if (!proc.essenziale(
                [&] { numeroRegistrazione = AssegnaNumeroRegistrazione(sessione_, d_.Parametri.DataFattura); }) ||
            emissione_.interrotta())
            return ArrestoEmissione::Errore;
        if (basic::Val(numeroRegistrazione) < 1) return ArrestoEmissione::NumeroRegistrazioneMancante;

        DatiRegistrazione dati = RegistrazioneDocumento(d_, e_.Importi->Riepilogo, righe, e_.NumeroDocumento,
                                                        numeroRegistrazione);
        int risultato = -1;
        if (!proc.essenziale([&] { risultato = RegistrazioneContabile(sessione_, dati); }) || emissione_.interrotta())
            return ArrestoEmissione::Errore;
        if (risultato != 0) return ArrestoEmissione::RegistrazioneNonEseguita;
        e_.NumeroRegistrazione = dati.Testata[7];
        e_.RifContabile = RiferimentoContabile(d_.Parametri.DataFattura, e_.NumeroRegistrazione);
        return ArrestoEmissione::Nessuno;
    }

    // First made, last gone: every procedure of the issue, those of the accounting link included,
    // leaves on Ignore too, and the transaction is rolled back before it goes.
    OperazioneIndivisibile emissione_;
    db::Database& sessione_;
    const DocumentoDaEmettere& d_;
    EsitoEmissione& e_;
    Procedura stampa_{"Funzione di stampa fattura"};
    // Once the document number is settled, failures are reported as the posting's.
    Procedura contabilizzazione_{"contabilizzazione della fattura"};
    std::optional<db::Transaction> scrittura_;
};

}  // namespace

std::optional<ImportiDocumento> ImportiEmissione(db::Database& sessione, const DocumentoDaEmettere& d,
                                                 Procedura& proc) {
    LettoreAliquoteIva aliquote(sessione, d.Ambiente.CollegatoContabilita);
    auto riepilogo = CalcoloRiepilogoIva(d.RigheFattura, aliquote);
    if (!riepilogo) return std::nullopt;
    // The totals are the ones the tab shows, not the lines summed again.
    if (!proc.essenziale([&] {
            riepilogo->TestoTotale = d.TestoTotale;
            riepilogo->TestoIva = d.TestoIva;
            riepilogo->TotaleIva = ImportoRiletto(d.TestoIva);
            riepilogo->TotaleDocumento = riepilogo->TotaleIva + ImportoRiletto(d.TestoTotale);
        }))
        return std::nullopt;
    ImportiDocumento importi;
    importi.Riepilogo = std::move(*riepilogo);
    if (!proc.essenziale([&] {
            importi.Ritenute = CalcoloRitenute(d.RigheFattura, d.Parametri, importi.Riepilogo.TotaleDocumento);
            importi.Bollo = CalcoloBollo(d.RigheFattura, importi.Riepilogo, d.Parametri, importi.Ritenute.TotaleDocumento);
        }))
        return std::nullopt;
    importi.TotaleDocumento = importi.Bollo.TotaleDocumento;
    return importi;
}

EsitoEmissione EmissioneDocumento(db::Database& sessione, const DocumentoDaEmettere& d) {
    if (sessione.inTransaction()) throw std::logic_error("the issue of a document commits a transaction of its own");
    VerificaRigheVisualizzate(d);

    EsitoEmissione e;
    e.LetteraDocumento = LetteraDocumento(d.Tipo);
    e.NumeroDocumento = d.Parametri.NumeroDocumento;
    auto ferma = [&](ArrestoEmissione arresto, int giaFatturate = 0, const QString& copia = {}) {
        e.Arresto = arresto;
        Spiega(e, d, giaFatturate, copia);
        if (arresto != ArrestoEmissione::Nessuno) {
            // Nothing of a stopped issue stands: not a number, not a mark.
            e.Contabilizzato = false;
            e.NumeroDocumento = d.Parametri.NumeroDocumento;
            e.NumeroRegistrazione.clear();
            e.RifContabile.clear();
            e.CompetenzeFatturate = 0;
            e.NomeFileFattura.clear();
            e.PathArchivioStampa.clear();
        }
        return e;
    };

    if (d.RigheFattura.vuota()) return ferma(ArrestoEmissione::NessunaRiga);

    Procedura stampa("Funzione di stampa fattura");
    e.Importi = ImportiEmissione(sessione, d, stampa);
    if (!e.Importi) return ferma(ArrestoEmissione::Errore);

    // What can be refused before anything is written.
    if (!basic::IsDate(d.Parametri.DataFattura)) return ferma(ArrestoEmissione::DataNonValida);
    if (!d.Ambiente.CollegatoContabilita && !CarattereNonAmmessoInNomeFile(d.Fascola.CodiceCliente).isNull())
        return ferma(ArrestoEmissione::CodiceClienteNonAmmesso);
    const bool numeroDigitato = !(ContabilizzazioneAmmessa(d) && d.Parametri.NumerazioneAutomatica);
    if (numeroDigitato) {
        if (ContabilizzazioneAmmessa(d) && basic::Trim(d.Parametri.NumeroDocumento).isEmpty())
            return ferma(ArrestoEmissione::NumeroMancante);
        if (!CarattereNonAmmessoInNomeFile(d.Parametri.NumeroDocumento).isNull())
            return ferma(ArrestoEmissione::NumeroNonAmmesso);
    }

    int giaFatturate = 0;
    QString copia;
    ArrestoEmissione arresto;
    {
        ScritturaEmissione scrittura(sessione, d, e);
        arresto = scrittura.esegui();
        giaFatturate = scrittura.giaFatturate;
        copia = scrittura.copia;
    }  // rolled back here unless committed
    return ferma(arresto, giaFatturate, copia);
}
