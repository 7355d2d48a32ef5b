#include "invoice/engine/EmissioneDocumento.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

#include "accounting/engine/NumerazioneDocumenti.h"
#include "accounting/engine/NumeriRegistrazione.h"
#include "accounting/engine/ParametriContabili.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "invoice/engine/ArchivioStampaFattura.h"
#include "invoice/engine/ArrestiEmissione.h"
#include "invoice/engine/CalcoloIva.h"
#include "invoice/engine/ContabilizzazioneDocumento.h"
#include "invoice/engine/DocumentiEmessi.h"
#include "invoice/engine/DocumentiNumerati.h"
#include "invoice/engine/FatturazioneCompetenze.h"
#include "invoice/engine/Ristampa.h"
#include "platform/db/Database.h"
#include "platform/system/BasicRuntime.h"
#include "platform/system/MessageService.h"
#include "platform/system/FileSystem.h"
#include "platform/system/Paths.h"

namespace {

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

// Not linked: the documents of the year bearing the number typed for `d`, but one of the same
// client with the very identifier `d` will take: that one is the identifier's check (the
// refusal IdFatturaInUso), not the number's.
std::vector<DocumentoNumerato> AltriConLoStessoNumero(const DocumentiNumerati& documenti, const DocumentoDaEmettere& d) {
    const QString propria = IdFattura(d.Fascola.Npra, d.Parametri.DataFattura, d.Parametri.NumeroDocumento);
    std::vector<DocumentoNumerato> altri = documenti.conNumero(d.Parametri.NumeroDocumento);
    std::erase_if(altri, [&](const DocumentoNumerato& x) {
        return x.IdFattura == propria && x.Cliente.compare(d.Fascola.CodiceCliente, Qt::CaseInsensitive) == 0;
    });
    return altri;
}

void VerificaRigheVisualizzate(const DocumentoDaEmettere& d) {
    for (const RigaVisualizzata& v : d.RigheVisualizzate)
        if (!d.RigheFattura.contiene(v.IndiceRiga))
            throw std::invalid_argument("a grid row points at invoice line " + std::to_string(v.IndiceRiga) +
                                        ", which does not exist");
}

// The stages that write, in one transaction of the session. esegui() returns why they stopped,
// or Nessuno once committed; an uncommitted transaction is rolled back when the object goes.
class ScritturaEmissione {
public:
    // `accettati`: not linked, the documents of the year bearing the typed number that the user
    // agreed to repeat it after.
    ScritturaEmissione(db::Database& sessione, const DocumentoDaEmettere& d, EsitoEmissione& e,
                       const DocumentiNumerati& documenti, const std::vector<DocumentoNumerato>& accettati)
        : sessione_(sessione), d_(d), e_(e), documenti_(documenti), accettati_(accettati) {}
    ScritturaEmissione(const ScritturaEmissione&) = delete;
    ScritturaEmissione& operator=(const ScritturaEmissione&) = delete;

    ArrestoEmissione esegui() {
        if (!stampa_.essenziale([&] { scrittura_.emplace(sessione_); })) return ArrestoEmissione::Errore;
        // From here every failure is answered by leaving: a step skipped would leave the
        // document half issued.
        Procedura* proc = &stampa_;

        e_.NumeroDocumento = d_.Parametri.NumeroDocumento;
        e_.Contabilizzato = ContabilizzazioneAmmessa(d_);
        const bool collegato = d_.Ambiente.CollegatoContabilita;
        if (e_.Contabilizzato) {
            if (!proc->essenziale([&] { dettagli.Riga = PrimaRigaNonContabilizzabile(sessione_, d_, *e_.Importi); }))
                return ArrestoEmissione::Errore;
            if (dettagli.Riga) return ArrestoEmissione::RigaNonContabilizzabile;
        }
        // Linked, every document takes its number on the register, posted or not.
        if (collegato) {
            if (const auto arresto = numera(*proc); arresto != ArrestoEmissione::Nessuno) return arresto;
        } else if (const auto arresto = verificaNumeroNonCollegato(*proc); arresto != ArrestoEmissione::Nessuno) {
            return arresto;
        }
        if (e_.Contabilizzato) {
            proc = &contabilizzazione_;
            if (const auto arresto = registra(*proc); arresto != ArrestoEmissione::Nessuno) return arresto;
        }

        e_.IdFattura = IdFattura(d_.Fascola.Npra, d_.Parametri.DataFattura, e_.NumeroDocumento);
        if (const auto arresto = annota(*proc); arresto != ArrestoEmissione::Nessuno) return arresto;

        EsitoFatturazioneCompetenze fatturazione;
        if (!proc->essenziale([&] { fatturazione = FatturazioneCompetenze(sessione_, d_.RigheFattura, e_.IdFattura); }))
            return ArrestoEmissione::Errore;
        dettagli.GiaFatturate = fatturazione.GiaFatturate;
        if (dettagli.GiaFatturate > 0) return ArrestoEmissione::CompetenzeGiaFatturate;
        e_.CompetenzeFatturate = fatturazione.Fatturate;
        // So that the record tells a cancel made by a release that knows nothing of it.
        if (e_.CompetenzeFatturate > 0 && !proc->essenziale([&] {
                AnnotazioneCompetenzeFatturate(sessione_, d_.Fascola.CodiceCliente, e_.IdFattura);
            }))
            return ArrestoEmissione::Errore;

        e_.NomeFileFattura = NomeFileFattura(collegato, d_.Fascola.CodiceCliente, d_.Tipo, e_.NumeroRegistrazione,
                                             e_.IdFattura);
        const QString path = QDir(d_.Ambiente.CartellaAvvio).filePath(e_.NomeFileFattura);
        // Under a name of this process until the document exists, and through its printing.
        const QString temporaneo = sys::TemporaryName(path);
        const ContenutoStampaFattura contenuto =
            ContenutoArchivioStampa(d_, {*e_.Importi, e_.NumeroDocumento, e_.RifContabile});
        if (!proc->essenziale([&] { ScriviArchivioStampaFattura(temporaneo, contenuto); }))
            return ArrestoEmissione::Errore;
        if (emissione_.interrotta() || !proc->essenziale([&] { scrittura_->commit(); })) {
            sys::RemoveFile(sys::LocalPath(temporaneo));
            return ArrestoEmissione::Errore;
        }
        e_.PathArchivioStampa = temporaneo;
        e_.PathNomeProprio = path;
        return ArrestoEmissione::Nessuno;
    }

    DettagliArresto dettagli;

private:
    // Whether a document of the year that is not on the register bears `numero` in the series of
    // `lettere`: the register's numbering passes over it, and a typed one is refused.
    NumeroGiaEmesso giaEmesso() {
        return [this](const QString& numero, const QStringList& lettere) {
            const auto documento = documenti_.primoNellaSerie(numero, lettere);
            if (documento) dettagli.Documento = documenti_.descrizione(*documento);
            return documento.has_value();
        };
    }

    // The number of a document of the linked archive: the register's next when it is posted
    // under automatic numbering; else the number typed, which the register must not hold yet,
    // nor a document of the year not posted, and which moves the register's counter when it is
    // the next one, so that the register never hands it out again.
    ArrestoEmissione numera(Procedura& proc) {
        if (!(e_.Contabilizzato && d_.Parametri.NumerazioneAutomatica)) {
            EsitoNumeroDigitato numero;
            if (!proc.essenziale([&] {
                    numero = AccogliNumeroDigitato(sessione_, d_.Parametri.RegistroIva, e_.LetteraDocumento,
                                                   e_.NumeroDocumento, giaEmesso());
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
                numero = NumeroFattura(sessione_, e_.LetteraDocumento, giaEmesso());
            }) ||
            emissione_.interrotta())
            return ArrestoEmissione::Errore;
        if (numero.isEmpty()) return ArrestoEmissione::NumeroNonAssegnato;
        e_.NumeroDocumento = numero;
        if (!CarattereNonAmmessoInNomeFile(numero).isNull()) return ArrestoEmissione::NumeroNonAmmesso;
        return ArrestoEmissione::Nessuno;
    }

    // Not linked, the user was asked about the documents of the year bearing the typed number;
    // one issued since (on another workstation) stops the issue, to be asked about in turn.
    ArrestoEmissione verificaNumeroNonCollegato(Procedura& proc) {
        std::vector<DocumentoNumerato> documenti;
        if (!proc.essenziale([&] { documenti = AltriConLoStessoNumero(documenti_, d_); }))
            return ArrestoEmissione::Errore;
        for (const DocumentoNumerato& documento : documenti) {
            const bool accettato = std::any_of(accettati_.begin(), accettati_.end(), [&](const DocumentoNumerato& a) {
                return a.Cliente == documento.Cliente && a.IdFattura == documento.IdFattura;
            });
            if (accettato) continue;
            if (!proc.essenziale([&] { dettagli.Documento = documenti_.descrizione(documento); }))
                return ArrestoEmissione::Errore;
            return ArrestoEmissione::NumeroGiaDato;
        }
        return ArrestoEmissione::Nessuno;
    }

    // The document recorded, so that the archive knows it whatever its lines bill
    // (DocumentiEmessi.h). A client has one document of each identifier: one recorded already
    // (the record's key: of two workstations issuing the same case file, date and number, the
    // one that commits second finds the first's), one issued before documents were recorded (its
    // fee items carry the identifier), or a stored copy named after the identifier stops the
    // issue, naming that document; a stored copy is never replaced. A record left by a cancel
    // made elsewhere is replaced, unless its stored copy is still there.
    ArrestoEmissione annota(Procedura& proc) {
        const QString& cliente = d_.Fascola.CodiceCliente;
        const bool collegato = d_.Ambiente.CollegatoContabilita;
        bool annotato = false;
        if (!proc.essenziale([&] {
                annotato = AnnotazioneDocumentoEmesso(sessione_, cliente, e_.IdFattura, e_.LetteraDocumento,
                                                      ParteRegistrazione(e_.NumeroRegistrazione));
            }))
            return ArrestoEmissione::Errore;
        // Only read from here: done again at the error handler's answer, it finds the same.
        std::optional<DocumentoNumerato> esistente;
        if (!proc.essenziale([&] {
                esistente.reset();
                if (!annotato) {
                    const auto primo = DocumentoConIdFattura(sessione_, cliente, e_.IdFattura);
                    esistente = primo ? primo->Documento : DocumentoNumerato{cliente, e_.IdFattura, {}};
                } else {
                    const QString copia =
                        CopiaArchiviataConIdFattura(d_.Ambiente.CartellaFatture, collegato, cliente, e_.IdFattura);
                    if (!copia.isEmpty() || CompetenzeConIdFattura(sessione_, cliente, e_.IdFattura)) {
                        const auto letta = LetturaNomeQualsiasi(copia, collegato);
                        esistente = DocumentoNumerato{cliente, e_.IdFattura, letta ? letta->Lettera : QString()};
                    }
                }
                if (esistente) dettagli.Documento = documenti_.descrizione(*esistente);
            }))
            return ArrestoEmissione::Errore;
        return esistente ? ArrestoEmissione::IdFatturaInUso : ArrestoEmissione::Nessuno;
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

        Registrazione registrazione = RegistrazioneDocumento(d_, *e_.Importi, righe, e_.NumeroDocumento,
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
    const DocumentiNumerati& documenti_;
    const std::vector<DocumentoNumerato>& accettati_;
    Procedura stampa_{"Funzione di stampa fattura"};
    // Once the document number is settled, failures are reported as the posting's.
    Procedura contabilizzazione_{"contabilizzazione della fattura"};
    std::optional<db::Transaction> scrittura_;
};

// The document exists: its print database is copied into the invoice folder (when the
// parameters keep a copy) and stays under this process's temporary name for the report, whose
// printing settles it; where the invoice folder is the start folder, its own name there makes
// it the stored copy, and it takes it once printed, so that a process stopped while printing
// leaves it under the temporary name for the recovery to store and tell. A failure here is the
// printing's and undoes nothing: the user is told by the error handler and by the caller's
// messages on the copy.
void CompletaFileDocumento(EsitoEmissione& e, const DocumentoDaEmettere& d) {
    Procedura file("Funzione di stampa fattura");
    e.Copia.Cartella = CartellaFattureIndicata(d.Ambiente.CartellaFatture);
    e.Copia.Esito = EsitoCopia::NonRiuscita;
    file.esegui([&] {
        e.Copia = ArchiviaCopiaDocumento(e.PathArchivioStampa, d.Ambiente.CartellaFatture,
                                         d.Parametri.MemorizzaFattura, e.NomeFileFattura);
    });
    e.StampaAbbandonata = file.abbandonata();
    if (e.Copia.Esito == EsitoCopia::GiaArchiviata) e.Copia.Percorso = e.PathNomeProprio;
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
            e.PathNomeProprio.clear();
        }
        return e;
    };

    if (d.RigheFattura.vuota()) return ferma(ArrestoEmissione::NessunaRiga);
    // A stamp duty or withholding ticked on a number that is no number in figures (a row stored
    // before the parameters dialog checked them, or by an older program on another workstation)
    // would be issued without the stamp or the withholding it asks for.
    if (const auto numero = PrimoNumeroNonInCifre(d.Parametri)) {
        DettagliArresto parametro;
        parametro.Parametro = numero;
        return ferma(ArrestoEmissione::NumeroParametroNonInCifre, parametro);
    }

    Procedura stampa("Funzione di stampa fattura");
    e.Importi = ImportiEmissione(d, stampa);
    if (!e.Importi) return ferma(ArrestoEmissione::Errore);

    // What can be refused before anything is written.
    if (!basic::IsDate(d.Parametri.DataFattura)) return ferma(ArrestoEmissione::DataNonValida);
    // Linked, every document takes or checks its number on the register of the archive's
    // accounting year, and a posted one goes to that year's journal: a date of another year
    // would carry on this year's numbering and post into its journal. The documents of that
    // year, and not linked those of the calendar year, share the numbers.
    const QDate dataFattura = *basic::ToDate(d.Parametri.DataFattura);
    AnnoDeiDocumenti anno = AnnoDeiDocumenti::Solare(dataFattura);
    if (d.Ambiente.CollegatoContabilita) {
        DettagliArresto esercizio;
        if (!stampa.essenziale([&] { esercizio.Esercizio = LetturaEsercizioContabile(sessione); }))
            return ferma(ArrestoEmissione::Errore);
        if (!esercizio.Esercizio->Contiene(dataFattura)) return ferma(ArrestoEmissione::DataFuoriEsercizio, esercizio);
        anno = AnnoDeiDocumenti::DellEsercizio(*esercizio.Esercizio);
    }
    // Not linked, a rate typed before the boxes refused it ("1.000" in the catalogue is a
    // thousand percent) is not billed.
    if (const int riga =
            d.Ambiente.CollegatoContabilita ? 0 : PrimaRigaConAliquotaNonAmmessa(d.RigheFattura, d.Riepilogo)) {
        DettagliArresto aliquota;
        aliquota.RigaAliquota = riga;
        return ferma(ArrestoEmissione::AliquotaNonAmmessa, aliquota);
    }
    if (!d.Ambiente.CollegatoContabilita && !CarattereNonAmmessoInNomeFile(d.Fascola.CodiceCliente).isNull())
        return ferma(ArrestoEmissione::CodiceClienteNonAmmesso);
    // A document the register does not number carries the number typed: never none.
    const bool numeroDigitato = !(ContabilizzazioneAmmessa(d) && d.Parametri.NumerazioneAutomatica);
    if (numeroDigitato) {
        if (basic::Trim(d.Parametri.NumeroDocumento).isEmpty()) return ferma(ArrestoEmissione::NumeroMancante);
        if (!CarattereNonAmmessoInNomeFile(d.Parametri.NumeroDocumento).isNull())
            return ferma(ArrestoEmissione::NumeroNonAmmesso);
    }

    const DocumentiNumerati documenti(sessione, d.Ambiente.CartellaFatture, d.Ambiente.CollegatoContabilita, anno);
    // Not linked, no register tells the series apart: a number that documents of the year bear
    // is given again only when the user says so, before anything is written.
    std::vector<DocumentoNumerato> accettati;
    if (!d.Ambiente.CollegatoContabilita) {
        QStringList descrizioni;
        if (!stampa.essenziale([&] {
                accettati = AltriConLoStessoNumero(documenti, d);
                for (const DocumentoNumerato& x : accettati) descrizioni << documenti.descrizione(x);
            }))
            return ferma(ArrestoEmissione::Errore);
        if (!accettati.empty() &&
            ui::MessageService::show(DomandaNumeroRipetuto(d.Parametri.NumeroDocumento, descrizioni), TitoloEmissione,
                                     ui::Buttons::YesNo, ui::Icon::Question, 1) != ui::Answer::Yes)
            return ferma(ArrestoEmissione::NumeroNonConfermato);
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
    // An error outside the stages' own statements (an amount beyond the range while the
    // posting or the print database is composed) ends the writing, rolled back, through the
    // error handler.
    if (!stampa.essenziale([&] {
            ScritturaEmissione scrittura(sessione, d, e, documenti, accettati);
            arresto = scrittura.esegui();
            dettagli = scrittura.dettagli;
        }))  // rolled back here unless committed
        arresto = ArrestoEmissione::Errore;
    if (arresto == ArrestoEmissione::Nessuno) CompletaFileDocumento(e, d);
    return ferma(arresto, dettagli);
}
