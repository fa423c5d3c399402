// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The default-settings window `ImpostazioniP` ("Impostazioni predefinite"): the analysis parameters
// of the row "Standard", shown in the same controls as the analysis window and saved back.
#include <QWidget>
#include <array>

#include "core/settings/ImpostazioniStandard.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace trivalto {

class ContestoProgramma;
class Dialoghi;
class Griglia;

class ImpostazioniP : public QWidget {
    Q_OBJECT
public:
    ImpostazioniP(ContestoProgramma& contesto, Dialoghi& dialoghi, QWidget* parent = nullptr);

    void Carica();
    void Salva();
    void TogglePosizione(int p);
    void ToggleRuota(int w);
    /// What the controls hold now, as the row stores it.
    ImpostazioniStandard Valori() const;

private:
    void DipingiPosizioni();
    void DipingiRuote();

    ContestoProgramma& ctx_;
    Dialoghi& dialoghi_;
    PosizioniAbilitate posizioni_{true, true, true, true, true};
    std::array<bool, 11> ruote_{true};
    QComboBox *cboCasi_, *cboRuota_, *cboTrasformazione_, *cboFisso_, *cboDaColpo_, *cboColpi_, *cboElenco_;
    QRadioButton *optSomma_, *optDistanza_, *optDifferenza_;
    std::array<QPushButton*, 5> btnPosizioni_{};
    Griglia* fgRuote_;
    QCheckBox* chkUsa_;
};

} // namespace trivalto
