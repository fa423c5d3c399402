// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every message box, question, input box, file dialog, print dialog and help page goes through
// this interface, so tests can script the answers and record what was shown.
#include <QString>
#include <optional>

class QWidget;
class QPrinter;

namespace trivalto {

class Dialoghi {
public:
    enum class Icona { Nessuna, Informazione, Esclamazione, Critico, Domanda };

    virtual ~Dialoghi() = default;
    virtual void Messaggio(QWidget* padre, const QString& testo, const QString& titolo, Icona icona) = 0;
    enum class Risposta { Si, No };

    /// A Yes/No question; true for Yes. `predefinita` is the answer Enter gives: No where Yes would
    /// destroy something.
    virtual bool Domanda(QWidget* padre, const QString& testo, const QString& titolo,
                         Risposta predefinita = Risposta::Si) = 0;
    /// An input box; nullopt when cancelled.
    virtual std::optional<QString> Chiedi(QWidget* padre, const QString& richiesta, const QString& titolo,
                                          const QString& proposta = {}) = 0;
    /// File dialogs; an empty text when cancelled. `filtro` in Qt's form ("Descrizione (*.ext)").
    virtual QString ApriFile(QWidget* padre, const QString& cartella, const QString& nome,
                             const QString& filtro) = 0;
    virtual QString SalvaFile(QWidget* padre, const QString& cartella, const QString& nome,
                              const QString& filtro) = 0;
    /// The print dialog over a prepared printer; false when cancelled.
    virtual bool PreparaStampa(QWidget* padre, QPrinter& stampante) = 0;
    /// Opens the program's help on a topic number.
    virtual void Help(QWidget* padre, int argomento) = 0;
};

/// The folder a file dialog with this filter opens in: where the user last chose a file with it,
/// when the caller proposes the program folder (its default) and that folder still exists; else the
/// caller's own. Kept with QSettings across runs.
QString CartellaProposta(const QString& filtro, const QString& cartella, const QString& cartellaProgramma);
void RicordaCartella(const QString& filtro, const QString& fileScelto);

/// The real dialogs.
class DialoghiQt : public Dialoghi {
public:
    explicit DialoghiQt(QString cartellaHelp, QString cartellaProgramma = {});
    ~DialoghiQt() override;
    void Messaggio(QWidget* padre, const QString& testo, const QString& titolo, Icona icona) override;
    bool Domanda(QWidget* padre, const QString& testo, const QString& titolo,
                 Risposta predefinita = Risposta::Si) override;
    std::optional<QString> Chiedi(QWidget* padre, const QString& richiesta, const QString& titolo,
                                  const QString& proposta) override;
    QString ApriFile(QWidget* padre, const QString& cartella, const QString& nome,
                     const QString& filtro) override;
    QString SalvaFile(QWidget* padre, const QString& cartella, const QString& nome,
                      const QString& filtro) override;
    bool PreparaStampa(QWidget* padre, QPrinter& stampante) override;
    void Help(QWidget* padre, int argomento) override;

private:
    QString cartellaHelp_, cartellaProgramma_;
    class FinestraHelp* help_ = nullptr;
};

} // namespace trivalto
