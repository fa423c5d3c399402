// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table model behind every grid. Row 0 is the header (set from one "|"-separated text); rows
// 1..Righe()-1 are data. Each cell keeps its text, back colour, fore colour and bold; colours are
// stored as 0x00BBGGRR numbers and read back exactly, because windows keep state in them.
#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QStringList>
#include <vector>

#include "core/archive/Palette.h"

namespace trivalto {

class ModelloGriglia : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModelloGriglia(QObject* parent = nullptr);

    void ImpostaIntestazione(const QString& formato);
    QString Intestazione() const;

    int Righe() const { return static_cast<int>(celle_.size()); }
    int Colonne() const { return colonne_; }
    void ImpostaRighe(int righe);
    void ImpostaColonne(int colonne);

    /// Every data row replaced at once (texts beyond the columns are dropped; styles plain): one insertion
    /// for the view instead of a change per cell.
    void ImpostaDati(const std::vector<std::vector<QString>>& righe);

    QString Testo(int r, int c) const;
    void ImpostaTesto(int r, int c, const QString& testo);
    /// Numeric read of a cell; empty or non-numeric text reads 0.
    double Valore(int r, int c) const;

    Colore Sfondo(int r, int c) const;
    Colore PrimoPiano(int r, int c) const;
    bool Grassetto(int r, int c) const;
    void ImpostaSfondo(int r, int c, Colore colore) { ImpostaSfondo(r, c, r, c, colore); }
    void ImpostaPrimoPiano(int r, int c, Colore colore) { ImpostaPrimoPiano(r, c, r, c, colore); }
    void ImpostaGrassetto(int r, int c, bool grassetto) { ImpostaGrassetto(r, c, r, c, grassetto); }
    /// The same on the rectangle r1..r2 x c1..c2 (inclusive).
    void ImpostaSfondo(int r1, int c1, int r2, int c2, Colore colore);
    void ImpostaPrimoPiano(int r1, int c1, int r2, int c2, Colore colore);
    void ImpostaGrassetto(int r1, int c1, int r2, int c2, bool grassetto);
    /// Every data cell back to white, black and regular, for a window that repaints from its state.
    void AzzeraStili();

    void ImpostaCentrata(int c, bool centrata);
    /// Drop-down choices of a column, one text of entries separated by "|" (empty: none).
    void ImpostaElenco(int c, const QString& voci);
    QStringList Elenco(int c) const;
    void ImpostaModificabile(bool modificabile);
    /// Tooltips that say what a figure means: a column's on its heading and its cells, a data row's on its
    /// cells (before the column's). They belong to the position and stay when the rows are filled again.
    void ImpostaSpiegazioneColonna(int c, const QString& testo);
    void ImpostaSpiegazioneRiga(int r, const QString& testo);
    bool Modificabile() const { return modificabile_; }

    /// Sorts the data rows by a column, numerically, largest first; equal rows keep their order.
    void Ordina(int colonna);
    /// Every cell, header included: cells separated by tabs, each row ended by a line break.
    QString TestoCompleto() const;

    // QAbstractTableModel: the view sees data rows only; row 0 becomes the horizontal header.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    static QColor ColoreQt(Colore colore);

private:
    struct Cella {
        QString testo;
        Colore sfondo = ColoreBianco;
        Colore primoPiano = ColoreNero;
        bool grassetto = false;
    };
    bool Valida(int r, int c) const { return r >= 0 && r < Righe() && c >= 0 && c < colonne_; }
    template <class F> void Rettangolo(int r1, int c1, int r2, int c2, F&& f);
    void CambiatoRettangolo(int r1, int c1, int r2, int c2);

    std::vector<std::vector<Cella>> celle_;
    int colonne_ = 0;
    std::vector<bool> centrate_;
    std::vector<QStringList> elenchi_;
    QHash<int, QString> spiegaColonne_, spiegaRighe_;
    bool modificabile_ = false;
};

} // namespace trivalto
