// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialogs for tests: answers come from queues the test fills, and everything shown is recorded.
#include <QPrinter>
#include <QStringList>
#include <deque>

#include "gui/ui/Dialoghi.h"

namespace trivalto::test {

class DialoghiScriptati : public Dialoghi {
public:
    struct Mostrato {
        QString testo, titolo;
        Icona icona;
        Risposta predefinita = Risposta::Si; // of a question
    };
    std::vector<Mostrato> messaggi;
    std::deque<bool> risposte; // Domanda
    std::deque<QString> input; // Chiedi (empty queue: cancelled)
    std::deque<QString> file;  // ApriFile / SalvaFile (empty queue: cancelled)
    QString pdf;               // PreparaStampa prints here; empty: cancelled
    std::vector<int> argomentiHelp;
    QStringList richieste; // prompts of Chiedi and filters of the file dialogs

    void Messaggio(QWidget*, const QString& testo, const QString& titolo, Icona icona) override {
        messaggi.push_back({testo, titolo, icona});
    }
    bool Domanda(QWidget*, const QString& testo, const QString& titolo,
                 Risposta predefinita = Risposta::Si) override {
        messaggi.push_back({testo, titolo, Icona::Domanda, predefinita});
        if (risposte.empty()) return false;
        const bool r = risposte.front();
        risposte.pop_front();
        return r;
    }
    std::optional<QString> Chiedi(QWidget*, const QString& richiesta, const QString& titolo,
                                  const QString&) override {
        richieste << titolo + QStringLiteral(": ") + richiesta;
        if (input.empty()) return std::nullopt;
        const QString r = input.front();
        input.pop_front();
        return r;
    }
    QString ApriFile(QWidget*, const QString&, const QString& nome, const QString& filtro) override {
        richieste << nome + QStringLiteral(" ") + filtro;
        return Prossimo();
    }
    QString SalvaFile(QWidget*, const QString&, const QString& nome, const QString& filtro) override {
        richieste << nome + QStringLiteral(" ") + filtro;
        return Prossimo();
    }
    bool PreparaStampa(QWidget*, QPrinter& stampante) override {
        if (pdf.isEmpty()) return false;
        stampante.setOutputFormat(QPrinter::PdfFormat);
        stampante.setOutputFileName(pdf);
        return true;
    }
    void Help(QWidget*, int argomento) override { argomentiHelp.push_back(argomento); }

private:
    QString Prossimo() {
        if (file.empty()) return {};
        QString f = file.front();
        file.pop_front();
        return f;
    }
};

} // namespace trivalto::test
