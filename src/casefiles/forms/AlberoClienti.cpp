#include "casefiles/forms/AlberoClienti.h"

#include <QApplication>
#include <QHash>
#include <QIcon>
#include <QStyle>
#include <QTreeWidget>
#include <array>
#include <memory>

#include "casefiles/forms/FrmFascola.h"
#include "casefiles/forms/MascheraFascola.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "platform/system/BasicRuntime.h"

namespace {

// A case file's node carries its client and number, which its tasks are read by.
constexpr int RuoloCliente = Qt::UserRole + 2;
constexpr int RuoloNpra = Qt::UserRole + 3;

const QString NomeApertura = QStringLiteral("AperturaFascole");

const QIcon& icona(ImmagineNodo immagine) {
    static const std::array<QIcon, 8> icone = [] {
        QStyle* s = QApplication::style();
        QIcon fascola = s->standardIcon(QStyle::SP_DirClosedIcon);
        fascola.addPixmap(s->standardPixmap(QStyle::SP_DirOpenIcon), QIcon::Selected);
        return std::array<QIcon, 8>{QIcon(),
                                    s->standardIcon(QStyle::SP_DirHomeIcon),
                                    fascola,
                                    s->standardIcon(QStyle::SP_DirOpenIcon),
                                    s->standardIcon(QStyle::SP_FileDialogDetailedView),
                                    s->standardIcon(QStyle::SP_FileIcon),
                                    s->standardIcon(QStyle::SP_FileDialogContentsView),
                                    s->standardIcon(QStyle::SP_DriveHDIcon)};
    }();
    return icone[immagine];
}

QTreeWidgetItem* nodo(const QString& testo, ImmagineNodo immagine, const QString& chiave = {}) {
    auto* n = new QTreeWidgetItem(QStringList{testo});
    n->setIcon(0, icona(immagine));
    n->setData(0, RuoloImmagine, int(immagine));
    if (!chiave.isEmpty()) n->setData(0, RuoloChiave, chiave);
    return n;
}

// A text as a JSON string.
QString testoJson(const QString& testo) {
    QString j = "\"";
    for (QChar c : testo) {
        if (c == '"' || c == '\\') j += '\\';
        if (c.unicode() < 0x20) j += QString("\\u%1").arg(c.unicode(), 4, 16, QChar('0'));
        else j += c;
    }
    return j + "\"";
}

// The names of the distinct clients of the result, in one query.
QHash<QString, QString> nomiClienti(db::Database& archivio, const std::vector<FascolaNelRisultato>& fascole) {
    QString codici = "[";
    QString precedente;
    for (const FascolaNelRisultato& f : fascole) {
        if (codici.size() > 1 && f.cliente == precedente) continue;
        codici += (codici.size() > 1 ? "," : "") + testoJson(f.cliente);
        precedente = f.cliente;
    }
    codici += "]";
    std::unique_ptr<db::Database> contabile;
    db::Database* fonte = &archivio;
    std::string sql = "SELECT k.value, m.ragione FROM json_each(?) AS k CROSS JOIN mpxanagrafe AS m "
                      "WHERE m.codice = k.value";
    if (AmbienteLavoro().CollegatoContabilita) {
        contabile = db::Database::open(AmbienteLavoro().PathArchivioContabile.toStdString());
        fonte = contabile.get();
        sql = "SELECT k.value, p.descrizione FROM json_each(?) AS k CROSS JOIN pianodeiconti AS p "
              "WHERE p.codice = k.value";
    }
    QHash<QString, QString> nomi;
    db::Statement st(*fonte, sql, {codici});
    while (st.step()) nomi.insert(st.column(0).toText<QString>(), st.column(1).textOr(QString()));
    return nomi;
}

// The tasks of the case file, each with its jobs, in number order.
QList<QTreeWidgetItem*> incarichi(const QString& cliente, const QString& npra, const QString& chiaveFascola) {
    auto archivio = db::Database::open(AmbienteLavoro().PathArchivioFascole.toStdString());
    QList<QTreeWidgetItem*> nodi;
    QHash<QString, QTreeWidgetItem*> perNumero;
    db::Statement t(*archivio, "SELECT ntask, titolo FROM task WHERE cliente = ? AND npra = ? ORDER BY ntask",
                    {cliente, npra});
    while (t.step()) {
        const QString ntask = t.column(0).toText<QString>();
        nodi.append(nodo(t.column(1).textOr(QString()), ImmagineIncarico, chiaveFascola + "." + ntask));
        perNumero.insert(ntask.toUpper(), nodi.back());
    }
    db::Statement j(*archivio,
                    "SELECT ntask, descrizione, tipo FROM job WHERE cliente = ? AND npra = ? ORDER BY ntask, njob",
                    {cliente, npra});
    while (j.step()) {
        // A job whose task is gone shows nowhere.
        if (QTreeWidgetItem* incarico = perNumero.value(j.column(0).toText<QString>().toUpper()))
            incarico->addChild(nodo(j.column(1).textOr(QString()),
                                    j.column(2).textOr(QString()) == "D" ? ImmagineDocumento : ImmagineLavoro));
    }
    return nodi;
}

// A case file's tasks and jobs become nodes when the user first opens it: a result of
// thousands of case files is drawn at once, and each opens in an instant.
class AperturaFascole final : public QObject {
public:
    explicit AperturaFascole(QTreeWidget& albero) : QObject(&albero) {
        setObjectName(NomeApertura);
        connect(&albero, &QTreeWidget::itemExpanded, this, &AperturaFascole::apri);
    }

private:
    static void apri(QTreeWidgetItem* nodoFascola) {
        const QVariant cliente = nodoFascola->data(0, RuoloCliente);
        if (!cliente.isValid() || nodoFascola->childCount() > 0) return;
        QList<QTreeWidgetItem*> figli;
        Procedura proc("Funzione di definizione albero clienti");
        proc.esegui([&] {
            qDeleteAll(std::exchange(figli, {}));
            figli = incarichi(cliente.toString(), nodoFascola->data(0, RuoloNpra).toString(),
                              nodoFascola->data(0, RuoloChiave).toString());
        });
        nodoFascola->addChildren(figli);
        if (figli.isEmpty()) nodoFascola->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
    }
};

}  // namespace

QString ChiaveCliente(const QString& codice) {
    if (!AmbienteLavoro().CollegatoContabilita) return "C" + codice;
    return "C" + basic::Mid(codice, 1, 2) + basic::Mid(codice, 4, 2) + basic::Mid(codice, 7, 2) +
           basic::Mid(codice, 10, 4);
}

void CostruisciAlberoClienti(QTreeWidget& albero, db::Database& archivio,
                             const std::vector<FascolaNelRisultato>& fascole) {
    albero.clear();
    if (!albero.findChild<QObject*>(NomeApertura, Qt::FindDirectChildrenOnly)) new AperturaFascole(albero);
    QHash<QString, QString> nomi;
    Procedura proc("Funzione di definizione albero clienti");
    proc.esegui([&] { nomi = nomiClienti(archivio, fascole); });

    QList<QTreeWidgetItem*> cima{nodo("FASCOLE", ImmagineRadice, "root")};
    QString cliente = "root";
    QString chiaveCliente;
    QTreeWidgetItem* nodoCliente = nullptr;
    QList<QTreeWidgetItem*> fascoleCliente;
    for (const FascolaNelRisultato& f : fascole) {
        if (f.cliente != cliente) {
            if (nodoCliente) nodoCliente->addChildren(std::exchange(fascoleCliente, {}));
            cliente = f.cliente;
            chiaveCliente = ChiaveCliente(cliente);
            const auto nome = nomi.constFind(cliente);
            nodoCliente = nodo(nome != nomi.cend() ? basic::Left(*nome, 25) : "codice " + cliente, ImmagineCliente,
                               chiaveCliente);
            cima.append(nodoCliente);
        }
        QTreeWidgetItem* nodoFascola = nodo(f.npra, ImmagineFascola, chiaveCliente + "." + f.npra);
        nodoFascola->setData(0, RuoloCliente, f.cliente);
        nodoFascola->setData(0, RuoloNpra, f.npra);
        nodoFascola->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        fascoleCliente.append(nodoFascola);
    }
    if (nodoCliente) nodoCliente->addChildren(fascoleCliente);
    albero.addTopLevelItems(cima);
}

void MascheraFascola::DefinizioneAlberoClienti() {
    std::vector<FascolaNelRisultato> fascole;
    fascole.reserve(size_t(NumSelezionati));
    Procedura proc("Funzione di definizione albero clienti");
    if (!proc.essenziale([&] {
            fascole.clear();
            for (RsSelezionati->MoveFirst(); !RsSelezionati->EOF_(); RsSelezionati->MoveNext())
                fascole.push_back({RsSelezionati->field("cliente").textOr(QString()),
                                   RsSelezionati->field("npra").textOr(QString())});
        }))
        return;
    CostruisciAlberoClienti(*finestra_.TrvFascole, *DbSelezionati, fascole);
}
