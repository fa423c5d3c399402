// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ui/ModelloGriglia.h"

#include <QFont>
#include <algorithm>
#include <numeric>

namespace trivalto {

ModelloGriglia::ModelloGriglia(QObject* parent) : QAbstractTableModel(parent) {
    celle_.resize(1);
}

QColor ModelloGriglia::ColoreQt(Colore c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

void ModelloGriglia::ImpostaIntestazione(const QString& formato) {
    const QStringList titoli = formato.split(QLatin1Char('|'));
    ImpostaColonne(static_cast<int>(titoli.size()));
    for (int c = 0; c < colonne_; ++c)
        celle_[0][c].testo = titoli[c];
    emit headerDataChanged(Qt::Horizontal, 0, colonne_ - 1);
}

QString ModelloGriglia::Intestazione() const {
    QStringList titoli;
    for (int c = 0; c < colonne_; ++c)
        titoli << celle_[0][c].testo;
    return titoli.join(QLatin1Char('|'));
}

void ModelloGriglia::ImpostaRighe(int righe) {
    righe = std::max(righe, 1);
    const int attuali = Righe();
    if (righe < attuali) {
        beginRemoveRows({}, righe - 1, attuali - 2);
        celle_.resize(static_cast<size_t>(righe));
        endRemoveRows();
    } else if (righe > attuali) {
        beginInsertRows({}, attuali - 1, righe - 2);
        celle_.resize(static_cast<size_t>(righe), std::vector<Cella>(static_cast<size_t>(colonne_)));
        endInsertRows();
    }
}

void ModelloGriglia::ImpostaDati(const std::vector<std::vector<QString>>& righe) {
    ImpostaRighe(1);
    if (righe.empty()) return;
    beginInsertRows({}, 0, static_cast<int>(righe.size()) - 1);
    for (const auto& testi : righe) {
        std::vector<Cella> riga(static_cast<size_t>(colonne_));
        for (size_t c = 0; c < riga.size() && c < testi.size(); ++c)
            riga[c].testo = testi[c];
        celle_.push_back(std::move(riga));
    }
    endInsertRows();
}

void ModelloGriglia::ImpostaColonne(int colonne) {
    colonne = std::max(colonne, 0);
    if (colonne == colonne_) return;
    beginResetModel();
    colonne_ = colonne;
    for (auto& riga : celle_)
        riga.resize(static_cast<size_t>(colonne));
    centrate_.resize(static_cast<size_t>(colonne), false);
    elenchi_.resize(static_cast<size_t>(colonne));
    endResetModel();
}

QString ModelloGriglia::Testo(int r, int c) const {
    return Valida(r, c) ? celle_[r][c].testo : QString();
}

void ModelloGriglia::ImpostaTesto(int r, int c, const QString& testo) {
    if (!Valida(r, c)) return;
    celle_[r][c].testo = testo;
    CambiatoRettangolo(r, c, r, c);
}

double ModelloGriglia::Valore(int r, int c) const {
    bool ok = false;
    const double v = Testo(r, c).trimmed().toDouble(&ok);
    return ok ? v : 0.0;
}

Colore ModelloGriglia::Sfondo(int r, int c) const {
    return Valida(r, c) ? celle_[r][c].sfondo : ColoreBianco;
}
Colore ModelloGriglia::PrimoPiano(int r, int c) const {
    return Valida(r, c) ? celle_[r][c].primoPiano : ColoreNero;
}
bool ModelloGriglia::Grassetto(int r, int c) const {
    return Valida(r, c) && celle_[r][c].grassetto;
}

template <class F> void ModelloGriglia::Rettangolo(int r1, int c1, int r2, int c2, F&& f) {
    r1 = std::max(r1, 0), c1 = std::max(c1, 0);
    r2 = std::min(r2, Righe() - 1), c2 = std::min(c2, colonne_ - 1);
    for (int r = r1; r <= r2; ++r)
        for (int c = c1; c <= c2; ++c)
            f(celle_[r][c]);
    if (r1 <= r2 && c1 <= c2) CambiatoRettangolo(r1, c1, r2, c2);
}

void ModelloGriglia::ImpostaSfondo(int r1, int c1, int r2, int c2, Colore colore) {
    Rettangolo(r1, c1, r2, c2, [&](Cella& x) { x.sfondo = colore; });
}
void ModelloGriglia::ImpostaPrimoPiano(int r1, int c1, int r2, int c2, Colore colore) {
    Rettangolo(r1, c1, r2, c2, [&](Cella& x) { x.primoPiano = colore; });
}
void ModelloGriglia::ImpostaGrassetto(int r1, int c1, int r2, int c2, bool grassetto) {
    Rettangolo(r1, c1, r2, c2, [&](Cella& x) { x.grassetto = grassetto; });
}

void ModelloGriglia::AzzeraStili() {
    Rettangolo(1, 0, Righe() - 1, colonne_ - 1, [](Cella& x) {
        x.sfondo = ColoreBianco;
        x.primoPiano = ColoreNero;
        x.grassetto = false;
    });
}

void ModelloGriglia::CambiatoRettangolo(int r1, int c1, int r2, int c2) {
    if (r1 == 0) emit headerDataChanged(Qt::Horizontal, c1, c2);
    const int da = std::max(r1, 1);
    if (da <= r2) emit dataChanged(index(da - 1, c1), index(r2 - 1, c2));
}

void ModelloGriglia::ImpostaCentrata(int c, bool centrata) {
    if (c < 0 || c >= colonne_) return;
    centrate_[c] = centrata;
    if (Righe() > 1) emit dataChanged(index(0, c), index(Righe() - 2, c));
}

void ModelloGriglia::ImpostaElenco(int c, const QString& voci) {
    if (c < 0 || c >= colonne_) return;
    elenchi_[c] = voci.isEmpty() ? QStringList() : voci.split(QLatin1Char('|'));
}

QStringList ModelloGriglia::Elenco(int c) const {
    return c >= 0 && c < colonne_ ? elenchi_[c] : QStringList();
}

void ModelloGriglia::ImpostaModificabile(bool modificabile) {
    modificabile_ = modificabile;
}

void ModelloGriglia::Ordina(int colonna) {
    if (colonna < 0 || colonna >= colonne_ || Righe() < 3) return;
    emit layoutAboutToBeChanged();
    std::vector<std::pair<double, size_t>> chiavi;
    for (int r = 1; r < Righe(); ++r)
        chiavi.emplace_back(Valore(r, colonna), static_cast<size_t>(r));
    std::stable_sort(chiavi.begin(), chiavi.end(), [](auto& a, auto& b) { return a.first > b.first; });
    std::vector<std::vector<Cella>> ordinate{celle_[0]};
    for (auto& [v, r] : chiavi)
        ordinate.push_back(std::move(celle_[r]));
    celle_ = std::move(ordinate);
    emit layoutChanged();
}

QString ModelloGriglia::TestoCompleto() const {
    QString testo;
    for (const auto& riga : celle_) {
        for (int c = 0; c < colonne_; ++c) {
            if (c) testo += QLatin1Char('\t');
            testo += riga[c].testo;
        }
        testo += QLatin1Char('\n');
    }
    return testo;
}

int ModelloGriglia::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Righe() - 1;
}
int ModelloGriglia::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : colonne_;
}

QVariant ModelloGriglia::data(const QModelIndex& index, int role) const {
    const int r = index.row() + 1, c = index.column();
    if (!Valida(r, c)) return {};
    const Cella& x = celle_[r][c];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return x.testo;
    case Qt::BackgroundRole:
        return ColoreQt(x.sfondo);
    case Qt::ForegroundRole:
        return ColoreQt(x.primoPiano);
    case Qt::FontRole:
        if (x.grassetto) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | (centrate_[c] ? Qt::AlignHCenter : Qt::AlignLeft));
    case Qt::ToolTipRole: {
        const QString riga = spiegaRighe_.value(r);
        return riga.isEmpty() ? spiegaColonne_.value(c) : riga;
    }
    default:
        return {};
    }
}

void ModelloGriglia::ImpostaSpiegazioneColonna(int c, const QString& testo) {
    spiegaColonne_.insert(c, testo);
}

void ModelloGriglia::ImpostaSpiegazioneRiga(int r, const QString& testo) {
    spiegaRighe_.insert(r, testo);
}

bool ModelloGriglia::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !modificabile_) return false;
    ImpostaTesto(index.row() + 1, index.column(), value.toString());
    return true;
}

QVariant ModelloGriglia::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= colonne_) return {};
    if (role == Qt::DisplayRole) return celle_[0][section].testo;
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter);
    if (role == Qt::ToolTipRole) return spiegaColonne_.value(section);
    return {};
}

Qt::ItemFlags ModelloGriglia::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (modificabile_) f |= Qt::ItemIsEditable;
    return f;
}

} // namespace trivalto
