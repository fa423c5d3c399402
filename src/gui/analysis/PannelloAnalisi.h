// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings both analysis windows share: the reference draw with its search buttons, the cases,
// the parameter and the play. It reads and writes the toggles of the window's StatoAnalisi and gives
// the window what its commands read; each window places the groups and wires the commands.
#include <QObject>
#include <array>

#include "core/analysis/StatoAnalisi.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QWidget;

namespace trivalto {

class ContestoProgramma;
class Dialoghi;
class Griglia;

class PannelloAnalisi : public QObject {
    Q_OBJECT
public:
    struct Forma {
        int ElencoMassimo = 200; // "Elenco" from 10 to this, in tens
        /// The builder shows the month ordinal in a label of its own beside "Mensile"; the analysis
        /// window adds it to the draw label.
        bool MeseSeparato = false;
    };

    /// The groups are created as children of `finestra`; `stato` must outlive the panel.
    PannelloAnalisi(QWidget* finestra, ContestoProgramma& contesto, Dialoghi& dialoghi, StatoAnalisi& stato,
                    Forma forma);

    QWidget* Riferimento() const { return riferimento_; }
    QGroupBox* Casi() const { return casi_; }
    QGroupBox* Parametro() const { return parametro_; }
    QGroupBox* Gioco() const { return gioco_; }
    QPushButton* SceltaTrasformazione() const { return scelta_; }
    Griglia* Ruote() const { return fgRuote_; }

    /// The window's layout: the four groups and `opzioni` in a row, the commands under them, the tables
    /// taking the rest; all of it scrolls when the window is narrower (see DisponiScorrevole).
    void Disponi(QWidget* opzioni, QWidget* comandi, QWidget* tabelle, const char* nomeScorrimento);

    /// Opening values, the reference draw at the last draw, then the saved "Standard" settings when
    /// the user asked for them at opening.
    void Apertura();
    void ImpostaRiferimento(int d);
    /// Moves the bar (its range follows the archive) and sets the draw it shows.
    void VaiA(int d);

    int Elenco() const;
    int DaColpo() const;
    int Colpi() const;
    SceltaCasi LeggiSceltaCasi() const;
    SceltaParametro LeggiSceltaParametro() const;

signals:
    /// The reference draw has changed: the window empties its case table.
    void RiferimentoCambiato(int d);
    void SceltaTrasformazioneChiesta();

protected:
    /// Space or Return on the wheels grid toggles the current wheel.
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    QWidget* costruisciRiferimento();
    QGroupBox* costruisciCasi();
    QGroupBox* costruisciParametro();
    QGroupBox* costruisciGioco();
    void ApplicaImpostazioniStandard();
    void TogglePosizione(int p);
    void CambiaRuota(int colonna);
    void DipingiPosizioni();
    void DipingiRuote();

    QWidget* finestra_;
    ContestoProgramma& ctx_;
    Dialoghi& dialoghi_;
    StatoAnalisi& stato_;
    Forma forma_;

    QWidget* riferimento_;
    QGroupBox *casi_, *parametro_, *gioco_;
    QLabel *lblRiferimento_, *lblMese_ = nullptr;
    QScrollBar* hsRiferimento_;
    QComboBox *cboCasi_, *cboMensile_, *cboRuota_, *cboTrasformazione_, *cboFisso_, *cboDaColpo_, *cboColpi_,
        *cboElenco_;
    QCheckBox* chkForzaUltima_;
    std::array<QPushButton*, 5> btnPosizioni_{};
    QRadioButton *optSomma_, *optDistanza_, *optDifferenza_;
    QPushButton* scelta_;
    Griglia* fgRuote_;
};

} // namespace trivalto
