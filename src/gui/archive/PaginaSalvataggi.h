// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page "Salvataggi" of the archive window: the archive exported for the two companion programs and
// as a text list of the Nazionale wheel, and the folder of the last Dati.iii export. Exports run
// off the UI thread on a snapshot of the archive, with the main window's progress bar.
#include <QPointer>
#include <QProgressBar>
#include <QWidget>

#include "gui/ui/Lavoro.h"
#include "gui/ui/Occupazione.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace trivalto {

class ContestoProgramma;
class Dialoghi;

class PaginaSalvataggi : public QWidget {
    Q_OBJECT
public:
    PaginaSalvataggi(ContestoProgramma& contesto, Dialoghi& dialoghi, QProgressBar* barra,
                     QWidget* pulsanteHelp, QWidget* parent = nullptr);

    void SalvaDatiIii();
    void RendePredefinita();
    void SalvaQuorvex();
    void SalvaNazionale();
    /// "RENDE PREDEFINITO" of an address box: `parametro` is its row in the program database.
    void RendePredefinito(const char* parametro, QLineEdit* casella);
    bool Occupata() const { return occupazione_.Attiva(); }
    /// Where the Quorvex file goes; the user's Wine drive C unless a test says otherwise.
    void ImpostaPercorsoQuorvex(const QString& percorso);

signals:
    void LavoroFinito();

private:
    /// Runs `esporta(archivio, file, progresso)` off the UI thread; `poi(riuscita, causa)` on it.
    void Avvia(
        const QString& file,
        std::function<void(const ArchivioMemoria&, const std::string&, const std::function<void(int, int)>&)>
            esporta,
        std::function<void(bool, const QString&)> poi);
    /// Tells the user the export is written, and where.
    void Esportato(const QString& file);
    /// A parameter row the save could not find: said, not passed over in silence.
    void ParametroMancante(const char* parametro);

    ContestoProgramma& ctx_;
    Dialoghi& dialoghi_;
    QPointer<QProgressBar> barra_;
    QString quorvex_;
    QLabel* lblDatiIii_;
    QLabel* lblQuorvex_;
    QLineEdit *txtIndirizzo_, *txtAggiornamento_;
    Occupazione occupazione_;
    LavoroAvviato lavoro_;
};

} // namespace trivalto
