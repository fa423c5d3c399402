// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The grid every window shows its tables in: a thin view over ModelloGriglia that speaks in grid
// rows (1 = first data row), widths in twips, clicks and double clicks with the current cell set,
// drop-down editors for columns with a list, clipboard copy and printing.
#include <QPageLayout>
#include <QTableView>

#include "gui/ui/ModelloGriglia.h"

class QPrinter;

namespace trivalto {

class Dialoghi;

class Griglia : public QTableView {
    Q_OBJECT
public:
    explicit Griglia(QWidget* parent = nullptr);

    ModelloGriglia& Modello() { return *modello_; }
    const ModelloGriglia& Modello() const { return *modello_; }

    // Shortcuts to the model most windows need.
    void ImpostaIntestazione(const QString& formato) { modello_->ImpostaIntestazione(formato); }
    int Righe() const { return modello_->Righe(); }
    void ImpostaRighe(int righe) { modello_->ImpostaRighe(righe); }
    QString Testo(int r, int c) const { return modello_->Testo(r, c); }
    void ImpostaTesto(int r, int c, const QString& t) { modello_->ImpostaTesto(r, c, t); }

    void ImpostaLarghezza(int colonna, int twips);
    /// Widens every column whose text does not fit, never narrowing one, so no value shows cut.
    void AllargaAlContenuto();
    /// The width a column needs to show every text whole.
    int LarghezzaNecessaria(int colonna) const { return sizeHintForColumn(colonna); }
    void NascondiColonna(int colonna, bool nascosta) { setColumnHidden(colonna, nascosta); }
    void NascondiRiga(int riga, bool nascosta) { setRowHidden(riga - 1, nascosta); }
    bool RigaNascosta(int riga) const { return isRowHidden(riga - 1); }
    void ImpostaModificabile(bool modificabile);

    /// The cell last clicked or set; 0 when there is none.
    int RigaCorrente() const;
    int ColonnaCorrente() const;
    void ImpostaCellaCorrente(int riga, int colonna);
    int PrimaRigaVisibile() const;
    void MostraRiga(int riga);
    /// Scrolls to the last row, also once the layout has settled (a scroll bar that appears after
    /// a fill shrinks the rows' room).
    void MostraUltimaRiga();

    void CopiaNegliAppunti() const;
    /// Prints through the print dialog; false when the user cancels.
    bool Stampa(Dialoghi& dialoghi, const QString& titolo, QPageLayout::Orientation orientamento,
                int margineTwips);

signals:
    void Clic(int riga, int colonna);
    void DoppioClic(int riga, int colonna);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    ModelloGriglia* modello_;
};

/// Paints the grid's table on the printer, page after page; colours and bold as on screen.
void StampaGriglia(const ModelloGriglia& modello, const Griglia* vista, QPrinter& stampante,
                   const QString& titolo);

} // namespace trivalto
