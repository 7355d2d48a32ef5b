#include "casefiles/forms/AlberoClienti.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>
#include <QTreeView>
#include <algorithm>
#include <array>

#include "casefiles/forms/FrmFascola.h"
#include "casefiles/forms/MascheraFascola.h"
#include "casefiles/engine/ClientiFascola.h"
#include "foundation/engine/Ambiente.h"
#include "foundation/engine/Procedura.h"
#include "foundation/engine/Sessione.h"
#include "platform/system/BasicRuntime.h"

namespace {

const char* const TestoProcedura = "Funzione di definizione albero clienti";

const QIcon& icona(int immagine) {
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
    return icone[size_t(immagine)];
}

// Where a node's numbers sit in its internal id: the case file in the low 32 bits, then the
// task and the job in 14 bits each (four-digit numbers fit), the level on top.
constexpr quintptr BitFascola = 32, BitIncarico = 14, BitLavoro = 14;
constexpr quintptr MascheraNumeroFascola = (quintptr(1) << BitFascola) - 1;
constexpr quintptr MascheraIncarico = (quintptr(1) << BitIncarico) - 1;
constexpr quintptr MascheraLavoro = (quintptr(1) << BitLavoro) - 1;
constexpr quintptr BitLivello = BitFascola + BitIncarico + BitLavoro;

}  // namespace

ModelloAlberoClienti::ModelloAlberoClienti(QObject* parent) : QAbstractItemModel(parent) {}

quintptr ModelloAlberoClienti::codifica(Livello livello, quintptr fascola, quintptr incarico, quintptr lavoro) {
    return (quintptr(livello) << BitLivello) | (lavoro << (BitFascola + BitIncarico)) | (incarico << BitFascola) |
           fascola;
}

ModelloAlberoClienti::Nodo ModelloAlberoClienti::decodifica(const QModelIndex& indice) {
    const quintptr id = indice.internalId();
    const auto livello = Livello(id >> BitLivello);
    const int fascola = int(id & MascheraNumeroFascola);
    return {livello, livello == LivelloCima ? fascola : -1, fascola, int((id >> BitFascola) & MascheraIncarico),
            int((id >> (BitFascola + BitIncarico)) & MascheraLavoro)};
}

void ModelloAlberoClienti::Mostra(db::Database& archivio, std::shared_ptr<const ElencoFascole> fascole) {
    beginResetModel();
    costruito_ = true;
    collegato_ = AmbienteLavoro().CollegatoContabilita;
    clienti_.clear();
    nomi_.clear();
    incarichi_.clear();
    fascole_ = std::move(fascole);
    // Only the clients are read out here; a case file's number is read when its node shows.
    std::vector<QString> codici;
    const Fascola* precedente = nullptr;
    int i = 0;
    for (const Fascola& f : *fascole_) {
        if (!precedente || !f.stessoCliente(*precedente)) {
            clienti_.push_back({f.cliente(), i, 0});
            codici.push_back(clienti_.back().codice);
        }
        ++clienti_.back().quante;
        precedente = &f;
        ++i;
    }
    Procedura proc(TestoProcedura);
    proc.esegui([&] { nomi_ = NomiDeiClienti(archivio, codici); });
    endResetModel();
}

int ModelloAlberoClienti::clienteDi(int fascola) const {
    const auto dopo = std::upper_bound(clienti_.begin(), clienti_.end(), fascola,
                                       [](int f, const Cliente& c) { return f < c.prima; });
    return int(dopo - clienti_.begin()) - 1;
}

const std::vector<NodoIncarico>* ModelloAlberoClienti::incarichi(int fascola) const {
    const auto trovati = incarichi_.find(fascola);
    return trovati == incarichi_.end() ? nullptr : &trovati->second;
}

QModelIndex ModelloAlberoClienti::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0 || row >= rowCount(parent)) return {};
    if (!parent.isValid()) return createIndex(row, 0, codifica(LivelloCima, quintptr(row)));
    const Nodo p = decodifica(parent);
    switch (p.livello) {
    case LivelloCima:
        return createIndex(row, 0, codifica(LivelloFascola, quintptr(clienti_[size_t(p.riga - 1)].prima + row)));
    case LivelloFascola: return createIndex(row, 0, codifica(LivelloIncarico, quintptr(p.fascola), quintptr(row)));
    case LivelloIncarico:
        return createIndex(row, 0, codifica(LivelloLavoro, quintptr(p.fascola), quintptr(p.incarico), quintptr(row)));
    default: return {};
    }
}

QModelIndex ModelloAlberoClienti::parent(const QModelIndex& child) const {
    if (!child.isValid()) return {};
    const Nodo n = decodifica(child);
    switch (n.livello) {
    case LivelloFascola: {
        const int riga = clienteDi(n.fascola) + 1;
        return createIndex(riga, 0, codifica(LivelloCima, quintptr(riga)));
    }
    case LivelloIncarico: {
        const int riga = n.fascola - clienti_[size_t(clienteDi(n.fascola))].prima;
        return createIndex(riga, 0, codifica(LivelloFascola, quintptr(n.fascola)));
    }
    case LivelloLavoro:
        return createIndex(n.incarico, 0, codifica(LivelloIncarico, quintptr(n.fascola), quintptr(n.incarico)));
    default: return {};
    }
}

int ModelloAlberoClienti::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return costruito_ ? int(clienti_.size()) + 1 : 0;
    const Nodo n = decodifica(parent);
    switch (n.livello) {
    case LivelloCima: return n.riga == 0 ? 0 : clienti_[size_t(n.riga - 1)].quante;
    case LivelloFascola: {
        const auto* t = incarichi(n.fascola);
        return t ? int(t->size()) : 0;
    }
    case LivelloIncarico: return int((*incarichi(n.fascola))[size_t(n.incarico)].lavori.size());
    default: return 0;
    }
}

int ModelloAlberoClienti::columnCount(const QModelIndex&) const { return 1; }

bool ModelloAlberoClienti::hasChildren(const QModelIndex& parent) const {
    if (parent.isValid() && decodifica(parent).livello == LivelloFascola && !incarichi(decodifica(parent).fascola))
        return true;
    return rowCount(parent) > 0;
}

bool ModelloAlberoClienti::canFetchMore(const QModelIndex& parent) const {
    return parent.isValid() && decodifica(parent).livello == LivelloFascola && !incarichi(decodifica(parent).fascola);
}

void ModelloAlberoClienti::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent)) return;
    const int fascola = decodifica(parent).fascola;
    std::vector<NodoIncarico> letti;
    Procedura proc(TestoProcedura);
    proc.esegui([&] {
        letti = IncarichiConLavori(*ArchivioInUso(), clienti_[size_t(clienteDi(fascola))].codice,
                                   (*fascole_)[size_t(fascola)].npra());
    });
    if (letti.empty()) {
        // Opened and found empty: the node loses its mark.
        incarichi_[fascola];
        emit layoutAboutToBeChanged({QPersistentModelIndex(parent)});
        emit layoutChanged({QPersistentModelIndex(parent)});
        return;
    }
    beginInsertRows(parent, 0, int(letti.size()) - 1);
    incarichi_[fascola] = std::move(letti);
    endInsertRows();
}

QString ModelloAlberoClienti::chiaveCliente(int cliente) const {
    return ChiaveCliente(clienti_[size_t(cliente)].codice, collegato_);
}

QString ModelloAlberoClienti::chiaveFascola(int fascola) const {
    return chiaveCliente(clienteDi(fascola)) + "." + (*fascole_)[size_t(fascola)].npra();
}

QVariant ModelloAlberoClienti::data(const QModelIndex& indice, int role) const {
    if (!indice.isValid()) return {};
    const Nodo n = decodifica(indice);
    int immagine = 0;
    QString testo, chiave;
    switch (n.livello) {
    case LivelloCima:
        if (n.riga == 0) {
            immagine = ImmagineRadice;
            testo = "FASCOLE";
            chiave = "root";
        } else {
            const Cliente& c = clienti_[size_t(n.riga - 1)];
            immagine = ImmagineCliente;
            const auto nome = nomi_.constFind(c.codice);
            testo = nome != nomi_.cend() ? basic::Left(*nome, 25) : "codice " + c.codice;
            if (role == RuoloChiave) chiave = chiaveCliente(n.riga - 1);
        }
        break;
    case LivelloFascola:
        immagine = ImmagineFascola;
        testo = (*fascole_)[size_t(n.fascola)].npra();
        if (role == RuoloChiave) chiave = chiaveFascola(n.fascola);
        break;
    case LivelloIncarico: {
        const NodoIncarico& t = (*incarichi(n.fascola))[size_t(n.incarico)];
        immagine = ImmagineIncarico;
        testo = t.titolo;
        if (role == RuoloChiave) chiave = chiaveFascola(n.fascola) + "." + t.ntask;
        break;
    }
    case LivelloLavoro: {
        const NodoLavoro& j = (*incarichi(n.fascola))[size_t(n.incarico)].lavori[size_t(n.lavoro)];
        immagine = j.documento ? ImmagineDocumento : ImmagineLavoro;
        testo = j.descrizione;
        break;
    }
    }
    switch (role) {
    case Qt::DisplayRole: return testo;
    case Qt::DecorationRole: return icona(immagine);
    case RuoloImmagine: return immagine;
    case RuoloChiave: return chiave.isEmpty() ? QVariant() : QVariant(chiave);
    default: return {};
    }
}

Qt::ItemFlags ModelloAlberoClienti::flags(const QModelIndex& indice) const {
    if (!indice.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const Nodo n = decodifica(indice);
    if (n.livello == LivelloLavoro || (n.livello == LivelloCima && n.riga == 0)) f |= Qt::ItemNeverHasChildren;
    return f;
}

ModelloAlberoClienti* PreparaAlberoClienti(QTreeView& albero) {
    auto* modello = new ModelloAlberoClienti(&albero);
    albero.setModel(modello);
    QObject::connect(&albero, &QTreeView::expanded, modello, [modello](const QModelIndex& indice) {
        if (modello->canFetchMore(indice)) modello->fetchMore(indice);
    });
    return modello;
}

void MascheraFascola::DefinizioneAlberoClienti() {
    Procedura proc(TestoProcedura);
    Connessione archivio;
    if (!proc.essenziale([&] { archivio = ArchivioInUso(); })) return;
    albero_->Mostra(*archivio, Selezionate);
}
