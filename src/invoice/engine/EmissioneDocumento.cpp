#include "invoice/engine/EmissioneDocumento.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

#include "accounting/engine/NumerazioneDocumenti.h"
#include "accounting/engine/NumeriRegistrazione.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "invoice/engine/ArchivioStampaFattura.h"
#include "invoice/engine/ContabilizzazioneDocumento.h"
#include "invoice/engine/FatturazioneCompetenze.h"
#include "invoice/engine/Ristampa.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/MessageService.h"
#include "platform/system/FileSystem.h"
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

// What the writing stages found out about a stop, for its explanation.
struct DettagliArresto {
    int GiaFatturate = 0;      // fee items billed meanwhile by another document
    QString Copia;             // the stored copy that carries the identifier
    int64_t UltimoNumero = 0;  // the register's last number, when a typed number was refused
    std::optional<RigaNonContabilizzabile> Riga;
};

QString DescrizioneRiga(const DocumentoDaEmettere& d, const RigaNonContabilizzabile& r) {
    const RigaFattura& riga = d.RigheFattura.riga(r.Riga);
    return "E." + riga.elemento + " «" + basic::Trim(riga.descrizione) + "»";
}

// The explanation of a stop, once the archives are free again.
void Spiega(const EsitoEmissione& e, const DocumentoDaEmettere& d, const DettagliArresto& dettagli) {
    const QString registro = d.Parametri.RegistroIva;
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
        testo = "Il registro IVA " + registro + " non ha dato un numero al documento" + NonEmesso;
        break;
    case ArrestoEmissione::RegistroInesistente:
        testo = "Il registro IVA " + registro + " non è nell'archivio contabile" + NonEmesso;
        break;
    case ArrestoEmissione::NumeroGiaUsato:
        testo = "Il numero " + e.NumeroDocumento + " è già stato dato a un altro documento del registro IVA " +
                registro + NonEmesso;
        break;
    case ArrestoEmissione::NumeroOltreIlSuccessivo:
        testo = "Il numero " + e.NumeroDocumento + " lascerebbe dei numeri non usati nel registro IVA " + registro +
                " (l'ultimo dato è " + QString::number(dettagli.UltimoNumero) + ", il prossimo è " +
                QString::number(dettagli.UltimoNumero + 1) + ")" + NonEmesso;
        break;
    case ArrestoEmissione::NumeroNonProgressivo:
        testo = "Il numero del documento " + e.NumeroDocumento + " non è un numero progressivo del registro IVA " +
                registro + NonEmesso;
        break;
    case ArrestoEmissione::RigaNonContabilizzabile:
        testo = "Non si può registrare in contabilità la riga " + DescrizioneRiga(d, *dettagli.Riga) + " (" +
                dettagli.Riga->Motivi.join("; ") + ")" + NonEmesso;
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
    case ArrestoEmissione::CompetenzeGiaFatturate:
        testo = "Competenze già fatturate con un altro documento: " + QString::number(dettagli.GiaFatturate) +
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
            if (!proc->essenziale([&] { dettagli.Riga = PrimaRigaNonContabilizzabile(sessione_, d_, *e_.Importi); }))
                return ArrestoEmissione::Errore;
            if (dettagli.Riga) return ArrestoEmissione::RigaNonContabilizzabile;
            if (const auto arresto = numera(*proc); arresto != ArrestoEmissione::Nessuno) return arresto;
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
                dettagli.Copia = CopiaArchiviataConIdFattura(d_.Ambiente.CartellaFatture, collegato,
                                                             d_.Fascola.CodiceCliente, e_.IdFattura);
            }))
            return ArrestoEmissione::Errore;
        // The client's fee items carry no such identifier: a file named after it in the invoice
        // folder bills nothing and is no stored document (a document that never existed); it
        // would be taken for this one's copy, and goes.
        if (!dettagli.Copia.isEmpty() &&
            !proc->essenziale([&] {
                const QString copia = PercorsoCopiaArchiviata(d_.Ambiente.CartellaFatture, dettagli.Copia);
                if (!sys::RemoveFile(sys::LocalPath(copia)))
                    throw db::DbError(75, ("Errore di accesso al percorso o al file: " + copia).toStdString());
            }))
            return ArrestoEmissione::Errore;

        EsitoFatturazioneCompetenze fatturazione;
        if (!proc->essenziale([&] { fatturazione = FatturazioneCompetenze(sessione_, d_.RigheFattura, e_.IdFattura); }))
            return ArrestoEmissione::Errore;
        dettagli.GiaFatturate = fatturazione.GiaFatturate;
        if (dettagli.GiaFatturate > 0) return ArrestoEmissione::CompetenzeGiaFatturate;
        e_.CompetenzeFatturate = fatturazione.Fatturate;

        e_.NomeFileFattura = NomeFileFattura(collegato, d_.Fascola.CodiceCliente, d_.Tipo, e_.NumeroRegistrazione,
                                             e_.IdFattura);
        const QString path = QDir(d_.Ambiente.CartellaAvvio).filePath(e_.NomeFileFattura);
        // Under a name of this process until the document exists.
        temporaneo = sys::TemporaryName(path);
        const ContenutoStampaFattura contenuto =
            ContenutoArchivioStampa(d_, {*e_.Importi, e_.NumeroDocumento, e_.RifContabile});
        if (!proc->essenziale([&] { ScriviArchivioStampaFattura(temporaneo, contenuto); }))
            return ArrestoEmissione::Errore;
        if (emissione_.interrotta() || !proc->essenziale([&] { scrittura_->commit(); })) {
            sys::RemoveFile(sys::LocalPath(temporaneo));
            return ArrestoEmissione::Errore;
        }
        e_.PathArchivioStampa = path;
        return ArrestoEmissione::Nessuno;
    }

    DettagliArresto dettagli;
    QString temporaneo;  // the print database until the commit

private:
    // The number of a posted document: the register's next under automatic numbering; else the
    // number typed, which the register must not hold yet and which moves the register's counter
    // when it is the next one, so that the register never hands it out again.
    ArrestoEmissione numera(Procedura& proc) {
        if (!d_.Parametri.NumerazioneAutomatica) {
            EsitoNumeroDigitato numero;
            if (!proc.essenziale([&] {
                    numero = AccogliNumeroDigitato(sessione_, d_.Parametri.RegistroIva, e_.LetteraDocumento,
                                                   e_.NumeroDocumento);
                }))
                return ArrestoEmissione::Errore;
            dettagli.UltimoNumero = numero.UltimoNumero;
            switch (numero.Esito) {
            case NumeroDigitato::Ammesso: return ArrestoEmissione::Nessuno;
            case NumeroDigitato::GiaUsato: return ArrestoEmissione::NumeroGiaUsato;
            case NumeroDigitato::OltreIlSuccessivo: return ArrestoEmissione::NumeroOltreIlSuccessivo;
            case NumeroDigitato::NonProgressivo: return ArrestoEmissione::NumeroNonProgressivo;
            case NumeroDigitato::RegistroInesistente: return ArrestoEmissione::RegistroInesistente;
            }
        }
        QString numero;
        if (!proc.essenziale([&] {
                RegistroPerLaChiamata registro(d_.Parametri.RegistroIva);
                numero = NumeroFattura(sessione_, e_.LetteraDocumento);
            }) ||
            emissione_.interrotta())
            return ArrestoEmissione::Errore;
        if (numero.isEmpty()) return ArrestoEmissione::NumeroNonAssegnato;
        e_.NumeroDocumento = numero;
        if (!CarattereNonAmmessoInNomeFile(numero).isNull()) return ArrestoEmissione::NumeroNonAmmesso;
        return ArrestoEmissione::Nessuno;
    }

    // Journal rows and registration of a posted document.
    ArrestoEmissione registra(Procedura& proc) {
        const Currency totale = e_.Importi->TotaleDocumento;
        RigheRegistrazione righe = RigheClienteERicavi(d_, totale);
        const ImpostaBollo& bollo = e_.Importi->Bollo;
        if (bollo.Riga > 0) AccreditaBollo(righe, d_.Tipo, d_.RigheFattura.riga(bollo.Riga).ricavi, bollo.Importo);
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

        Registrazione registrazione = RegistrazioneDocumento(d_, e_.Importi->Riepilogo, righe, e_.NumeroDocumento,
                                                             numeroRegistrazione);
        int risultato = -1;
        if (!proc.essenziale([&] { risultato = RegistrazioneContabile(sessione_, registrazione); }) ||
            emissione_.interrotta())
            return ArrestoEmissione::Errore;
        if (risultato != 0) return ArrestoEmissione::RegistrazioneNonEseguita;
        e_.NumeroRegistrazione = registrazione.Testata.NumeroRegistrazione;
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

// The document exists: its print database is copied into the invoice folder (when the
// parameters keep a copy) and then takes its own name in the start folder, for the report.
// A failure here is the printing's and undoes nothing: the user is told by the error handler
// and by the caller's messages on the copy.
void CompletaFileDocumento(EsitoEmissione& e, const DocumentoDaEmettere& d, const QString& temporaneo) {
    Procedura file("Funzione di stampa fattura");
    e.Copia.Cartella = CartellaFattureIndicata(d.Ambiente.CartellaFatture);
    e.Copia.Esito = EsitoCopia::NonRiuscita;
    file.esegui([&] {
        e.Copia = ArchiviaCopiaDocumento(temporaneo, d.Ambiente.CartellaFatture, d.Parametri.MemorizzaFattura,
                                         e.NomeFileFattura);
    });
    if (e.Copia.Esito == EsitoCopia::GiaArchiviata) e.Copia.Percorso = e.PathArchivioStampa;
    // The name is given even when the user left the copy: the file that stays is the document's.
    Procedura nome("Funzione di stampa fattura");
    const bool rinominato = nome.esegui([&] {
        if (!sys::ReplaceFile(sys::LocalPath(temporaneo), sys::LocalPath(e.PathArchivioStampa)))
            throw db::DbError(75, ("Errore di accesso al percorso o al file: " + e.PathArchivioStampa).toStdString());
    });
    e.StampaAbbandonata = file.abbandonata() || nome.abbandonata();
    // Left under its temporary name, it is still printed from there.
    if (!rinominato) {
        e.PathArchivioStampa = temporaneo;
        if (e.Copia.Esito == EsitoCopia::GiaArchiviata) e.Copia.Esito = EsitoCopia::NonRiuscita;
    }
}

}  // namespace

std::optional<ImportiDocumento> ImportiEmissione(const DocumentoDaEmettere& d, Procedura& proc) {
    std::optional<ImportiDocumento> importi;
    if (!proc.essenziale([&] { importi = ComposizioneDocumento(d.Riepilogo, d.RigheFattura, d.Parametri); }))
        return std::nullopt;
    return importi;
}

EsitoEmissione EmissioneDocumento(db::Database& sessione, const DocumentoDaEmettere& d) {
    if (sessione.inTransaction()) throw std::logic_error("the issue of a document commits a transaction of its own");
    VerificaRigheVisualizzate(d);

    EsitoEmissione e;
    e.LetteraDocumento = LetteraDocumento(d.Tipo);
    e.NumeroDocumento = d.Parametri.NumeroDocumento;
    auto ferma = [&](ArrestoEmissione arresto, const DettagliArresto& dettagli = {}) {
        e.Arresto = arresto;
        Spiega(e, d, dettagli);
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
    e.Importi = ImportiEmissione(d, stampa);
    if (!e.Importi) return ferma(ArrestoEmissione::Errore);

    // What can be refused before anything is written.
    if (!basic::IsDate(d.Parametri.DataFattura)) return ferma(ArrestoEmissione::DataNonValida);
    if (!d.Ambiente.CollegatoContabilita && !CarattereNonAmmessoInNomeFile(d.Fascola.CodiceCliente).isNull())
        return ferma(ArrestoEmissione::CodiceClienteNonAmmesso);
    // A document the register does not number carries the number typed: never none.
    const bool numeroDigitato = !(ContabilizzazioneAmmessa(d) && d.Parametri.NumerazioneAutomatica);
    if (numeroDigitato) {
        if (basic::Trim(d.Parametri.NumeroDocumento).isEmpty()) return ferma(ArrestoEmissione::NumeroMancante);
        if (!CarattereNonAmmessoInNomeFile(d.Parametri.NumeroDocumento).isNull())
            return ferma(ArrestoEmissione::NumeroNonAmmesso);
    }

    // What an issue of this computer left when its process stopped is settled first.
    // A document that cannot be settled now waits, and the user is told: the issue goes on.
    EsitoRecupero recupero;
    if (!stampa.esegui([&] {
            recupero = RecuperoEmissioniInterrotte(sessione, d.Ambiente.CartellaAvvio, d.Ambiente.CartellaFatture,
                                                   d.Ambiente.CollegatoContabilita, d.Parametri.MemorizzaFattura);
        }))
        return ferma(ArrestoEmissione::Errore);
    AvvisoRecupero(recupero);

    DettagliArresto dettagli;
    ArrestoEmissione arresto = ArrestoEmissione::Errore;
    QString temporaneo;
    // An error outside the stages' own statements (an amount beyond the range while the
    // posting or the print database is composed) ends the writing, rolled back, through the
    // error handler.
    if (!stampa.essenziale([&] {
            ScritturaEmissione scrittura(sessione, d, e);
            arresto = scrittura.esegui();
            dettagli = scrittura.dettagli;
            temporaneo = scrittura.temporaneo;
        }))  // rolled back here unless committed
        arresto = ArrestoEmissione::Errore;
    if (arresto == ArrestoEmissione::Nessuno) CompletaFileDocumento(e, d, temporaneo);
    return ferma(arresto, dettagli);
}
