#include "invoice/engine/DocumentoDaEmettere.h"

QString LetteraDocumento(TipoDocumento tipo) { return QString(QChar::fromLatin1(static_cast<char>(tipo))); }

DocumentoDaEmettere DocumentoInComposizione(TipoDocumento tipo, const QString& testoTotale, const QString& testoIva,
                                            const FascolaEmessa& fascola) {
    DocumentoDaEmettere d;
    d.Tipo = tipo;
    d.RigheFattura = FatturaInComposizione().RigheFattura;
    d.RigheVisualizzate = FatturaInComposizione().RigheVisualizzate;
    d.TestoTotale = testoTotale;
    d.TestoIva = testoIva;
    d.Fascola = fascola;
    d.Parametri = ParametriFattura();
    d.Note = NoteFattura();
    d.DatiCliente = DatiClienteFattura();
    d.Ambiente = AmbienteLavoro();
    return d;
}
