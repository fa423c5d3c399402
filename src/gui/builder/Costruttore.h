// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The method builder `Costruttore` ("Generazione terzine"): the same cases, parameter and play as the
// analysis window, two ranked candidate lists (by colpo and by case) and a method of at most five
// terzine built by double clicks, whose forecast, statistics and re-ranked list by case follow every
// change. Its state lives in a StatoCostruttore; searches run off the UI thread with the window's own
// progress bar.
#include <QWidget>
#include <exception>
#include <functional>

#include "core/builder/StatoCostruttore.h"
#include "gui/analysis/FinestraCatena.h"
#include "gui/ui/Lavoro.h"
#include "gui/ui/Occupazione.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QSplitter;
class QTabWidget;

namespace trivalto {

class ContestoProgramma;
class Dialoghi;
class Griglia;
class PannelloAnalisi;
class PannelloAtteso;

class Costruttore : public FinestraCatena {
    Q_OBJECT
public:
    Costruttore(ContestoProgramma& contesto, Dialoghi& dialoghi, std::function<QWidget*(const QString&)> apri,
                QWidget* parent = nullptr);

    // The window's commands, as its buttons run them.
    void GenerazioneTerzine() { GeneraTerzine(); }
    void CopiaInSecondoElenco();
    void ControllaTutte();
    /// A double click on a row of the list by colpo (`perCaso` false) or of the list by case.
    void AggiungiAlMetodo(bool perCaso, int riga);
    void EliminaUltimaRiga();
    void Reset();
    void Previsioni(bool vecchie = false);
    void Riordina();
    void Rifinisci();
    void VisualizzaEsiti();

    const StatoCostruttore& Stato() const { return stato_; }

protected:
    /// Return (or Enter) on a table does what a double click does there.
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

    StatoAnalisi& Analisi() override { return stato_.Analisi(); }
    /// A new case set also starts a new method.
    void GeneraCasiNelloStato() override;
    void DipingiDopoICasi() override;
    void DipingiCasi() override;
    void Cerca() override;
    void DistribuisciColonne() override;

private:
    void costruisciInterfaccia();
    void ordinaTabulazione();
    QWidget* costruisciComandi();
    QWidget* costruisciTabelle();
    void impostaLarghezze();

    void OffsetModificato(int riga, int colonna);

    // Painting from the state.
    void DipingiElencoColpi();
    void DipingiElencoCasi();
    void DipingiMetodo();
    void DipingiPrevisioni();

    StatoCostruttore stato_;
    bool dipingendoMetodo_ = false;

    Griglia *fgEV_, *fg1_, *fgJ_, *fgZ_, *fgPr_, *fgStat_;
    QLabel *lblTerzineValide_, *lblConteggio_;
    QTabWidget* elenchi_;
};

} // namespace trivalto
