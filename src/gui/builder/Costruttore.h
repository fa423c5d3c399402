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

class Costruttore : public QWidget {
    Q_OBJECT
public:
    /// `apri` opens (or brings forward) a named child window of the main window: "Storia" or
    /// "Frm_Ritardi".
    Costruttore(ContestoProgramma& contesto, Dialoghi& dialoghi, std::function<QWidget*(const QString&)> apri,
                QWidget* parent = nullptr);
    ~Costruttore() override;

    // The window's commands, as its buttons run them.
    void GenerazioneTerzine();
    void SceltaTrasformazione();
    void ElaboraTerzine();
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
    void Interrompi() { lavoro_.Ferma(); }
    void ImpostaRiferimento(int d);

    bool Occupata() const { return occupazione_.Attiva(); }
    const StatoCostruttore& Stato() const { return stato_; }

signals:
    /// Emitted on the UI thread when a search (or a failure) has ended.
    void LavoroFinito();

protected:
    /// Return (or Enter) on a table does what a double click does there.
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    void costruisciInterfaccia();
    void ordinaTabulazione();
    QWidget* costruisciOpzioni();
    QWidget* costruisciComandi();
    QWidget* costruisciTabelle();
    void impostaLarghezze();
    void DistribuisciColonne();

    void CalcolaParametri();
    void Cerca();
    void OffsetModificato(int riga, int colonna);
    void MostraRitardi(int riga);
    void AdattaAllArchivio();

    // Painting from the state.
    void DipingiCasi();
    void DipingiElencoColpi();
    void DipingiElencoCasi();
    void DipingiMetodo();
    void DipingiPrevisioni();

    void Termina();
    void Errore(const std::exception_ptr& causa);

    ContestoProgramma& ctx_;
    Dialoghi& dialoghi_;
    std::function<QWidget*(const QString&)> apri_;

    StatoCostruttore stato_;
    bool dipingendoMetodo_ = false;
    LavoroAvviato lavoro_;

    PannelloAnalisi* pannello_;
    PannelloAtteso* atteso_;
    QCheckBox *chkInteroPeriodo_, *chkEvidenzia_;
    Griglia *fgEV_, *fg1_, *fgJ_, *fgZ_, *fgPr_, *fgStat_;
    QLabel *lblTerzineValide_, *lblEsaminate_, *lblCasistiche_, *lblConteggio_;
    QProgressBar* barra_;
    QTabWidget* elenchi_;
    QSplitter* tabelle_ = nullptr;
    bool colonneSpostate_ = false;
    Occupazione occupazione_;
};

} // namespace trivalto
