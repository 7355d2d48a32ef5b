#include "invoice/engine/DocumentiEmessi.h"

#include "foundation/engine/ArchivioFascole.h"
#include "invoice/engine/FatturazioneCompetenze.h"
#include "platform/db/Database.h"

const std::string& DocumentoAnnotatoInVigore() {
    static const std::string condizione =
        std::string("(DocumentiEmessi.competenzefatturate = 0 OR ") + CompetenzeDelDocumentoEmesso + ")";
    return condizione;
}

bool AnnotazioneDocumentoEmesso(db::Database& archivio, const QString& cliente, const QString& idfattura,
                                const QString& lettera, const QString& registrazione) {
    // The key decides: of two issues of one identifier, the one that comes second writes nothing.
    return archivio.execute(std::string("INSERT INTO DocumentiEmessi (cliente, idfattura, lettera, registrazione, "
                                        "competenzefatturate) VALUES (?, ?, ?, ?, 0) ON CONFLICT (cliente, "
                                        "idfattura) DO UPDATE SET cliente = excluded.cliente, lettera = "
                                        "excluded.lettera, registrazione = excluded.registrazione, "
                                        "competenzefatturate = 0 WHERE NOT ") +
                                DocumentoAnnotatoInVigore(),
                            {cliente, idfattura, lettera, registrazione}) == 1;
}

void AnnotazioneCompetenzeFatturate(db::Database& archivio, const QString& cliente, const QString& idfattura) {
    archivio.execute("UPDATE DocumentiEmessi SET competenzefatturate = 1 WHERE cliente = ? AND idfattura = ?",
                     {cliente, idfattura});
}

std::optional<DocumentoEsistente> DocumentoConIdFattura(db::Database& archivio, const QString& cliente,
                                                        const QString& idfattura) {
    db::Statement annotato(archivio,
                           std::string("SELECT cliente, lettera, registrazione FROM DocumentiEmessi WHERE cliente = ? "
                                       "AND idfattura = ? AND ") +
                               DocumentoAnnotatoInVigore(),
                           {cliente, idfattura});
    if (annotato.step()) {
        const DocumentoNumerato documento{annotato.column(0).textOr(QString()), idfattura,
                                          annotato.column(1).textOr(QString())};
        return DocumentoEsistente{documento, annotato.column(2).textOr(QString()), true};
    }
    if (CompetenzeConIdFattura(archivio, cliente, idfattura))
        return DocumentoEsistente{{cliente, idfattura, {}}, {}, false};
    return std::nullopt;
}

namespace {

// Whether the file named after `documento` is of the document `esistente`: a file of another
// document of the identifier (one cancelled since, whose copy a stopped process left) is not.
bool DelDocumento(const DocumentoEsistente& esistente, const DocumentoArchiviato& documento) {
    return !esistente.Annotato ||
           (esistente.Documento.Lettera == documento.Lettera && esistente.Registrazione == documento.Registrazione);
}

}  // namespace

bool DocumentoDelFile(db::Database& archivio, const DocumentoArchiviato& documento, const QString& codiceCliente) {
    const auto esistente = DocumentoConIdFattura(archivio, codiceCliente, documento.IdFattura);
    return esistente && DelDocumento(*esistente, documento);
}

bool CopiaDiUnDocumento(db::Database& archivio, const DocumentoArchiviato& documento, const QString& codiceCliente) {
    const auto esistente = DocumentoConIdFattura(archivio, codiceCliente, documento.IdFattura);
    return !esistente || DelDocumento(*esistente, documento);
}

int AnnullamentoNellArchivio(db::Database& archivio, const QString& codiceCliente, const QString& idfattura) {
    db::Transaction t(archivio);
    archivio.execute("DELETE FROM DocumentiEmessi WHERE cliente = ? AND idfattura = ?", {codiceCliente, idfattura});
    const int n = archivio.execute("UPDATE competenze SET fatturato = 0, idfattura = '' WHERE cliente = ? AND "
                                   "idfattura = ?",
                                   {codiceCliente, idfattura});
    t.commit();
    return n;
}
