// SPDX-License-Identifier: GPL-3.0-or-later
// trivalto-schermate CARTELLA USCITA AGGIORNAMENTO [SCENA...]: the README's pictures, USCITA/SCENA.png.
// CARTELLA is a prepared program folder (`trivalto-cli prepara`), AGGIORNAMENTO an update file that
// "AGGIORNA DA FILE" accepts. Each scene starts the main window afresh, as the program does after
// "PROCEDI", opens one window by its strip button and presses its buttons by name, so the pictures
// show results and do not depend on where a control happens to lie. Messages go to stderr instead of
// boxes that would wait for a click. Not part of the program; run by scripts/schermate.sh.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QListWidget>
#include <QMdiArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QThread>
#include <cstdio>
#include <functional>
#include <memory>

#include "core/shell/ContestoProgramma.h"
#include "gui/analysis/PannelloAtteso.h"
#include "gui/shell/Container.h"
#include "gui/shell/Informazioni.h"
#include "gui/shell/Inizio.h"
#include "gui/shell/RegistroFinestre.h"
#include "gui/ui/Dialoghi.h"
#include "gui/ui/DialogoFile.h"
#include "gui/ui/Griglia.h"
#include "gui/ui/Icone.h"
#include "gui/ui/Traduzioni.h"

using namespace trivalto;

namespace {

/// Answers without asking: the update file for "Apri", Yes to questions, nothing else.
class DialoghiSchermate : public Dialoghi {
public:
    explicit DialoghiSchermate(QString aggiornamento) : aggiornamento_(std::move(aggiornamento)) {}
    void Messaggio(QWidget*, const QString& testo, const QString& titolo, Icona) override {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(titolo), qPrintable(testo));
    }
    bool Domanda(QWidget*, const QString&, const QString&, Risposta) override { return true; }
    std::optional<QString> Chiedi(QWidget*, const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    QString ApriFile(QWidget*, const QString&, const QString&, const QString&) override {
        return aggiornamento_;
    }
    QString SalvaFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    bool PreparaStampa(QWidget*, QPrinter&) override { return false; }
    void Help(QWidget*, int) override {}

private:
    QString aggiornamento_;
};

void Attendi(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

/// Until the long work that a button started has ended (the busy pointer is gone), then a moment
/// for what the end of the work queues (scrolling, repaints).
bool AttendiLavoro(int secondi) {
    QElapsedTimer t;
    t.start();
    Attendi(100);
    while (QApplication::overrideCursor()) {
        if (t.elapsed() > secondi * 1000) return false;
        Attendi(50);
    }
    Attendi(400);
    return true;
}

template <class T> T* Trova(QWidget* w, const char* nome) {
    auto* c = w->findChild<T*>(QString::fromLatin1(nome));
    if (!c) std::fprintf(stderr, "controllo %s non trovato\n", nome);
    return c;
}

bool Premi(QWidget* w, const char* nome, int secondi = 300) {
    auto* b = Trova<QAbstractButton>(w, nome);
    if (!b) return false;
    b->click();
    return AttendiLavoro(secondi);
}

/// A double click on a list row, as the user adds a terzina to the builder's method.
bool DoppioClic(QWidget* w, const char* griglia, int riga) {
    auto* g = Trova<Griglia>(w, griglia);
    if (!g || g->Righe() <= riga) return false;
    g->ImpostaCellaCorrente(riga, 0);
    emit g->DoppioClic(riga, 0);
    return AttendiLavoro(60);
}

/// "Simula" of the chance panel, waited for: the panel's work shows no busy pointer.
bool Simula(QWidget* w, int secondi = 300) {
    auto* pannello = Trova<PannelloAtteso>(w, "PannelloAtteso");
    if (!pannello || !Premi(w, "CmdSimula", 1)) return false;
    QElapsedTimer t;
    t.start();
    while (pannello->Occupato()) {
        if (t.elapsed() > secondi * 1000) return false;
        Attendi(50);
    }
    Attendi(400);
    return true;
}

/// Ticks the entries `da`..`a` of a check list, as the user clicks them.
bool Spunta(QWidget* w, const char* lista, int da, int a) {
    auto* l = Trova<QListWidget>(w, lista);
    if (!l || l->count() <= a) return false;
    for (int i = da; i <= a; ++i)
        l->item(i)->setCheckState(Qt::Checked);
    return true;
}

struct Scena {
    const char* nome;
    const char* pulsante; // strip button of the window; null for the main window alone
    std::function<bool(QWidget*)> azioni;
};

const std::vector<Scena>& Scene() {
    static const std::vector<Scena> scene = {
        {"principale", nullptr, {}},
        {"archivio", "Command1", {}},
        {"aggiornamenti", "Command1",
         [](QWidget* w) {
             auto* pagine = w->findChild<QTabWidget*>();
             for (int i = 0; pagine && i < pagine->count(); ++i)
                 if (pagine->tabText(i) == QStringLiteral("Aggiornamenti")) pagine->setCurrentIndex(i);
             return Premi(w, "Command21");
         }},
        {"mini-elenco", "Command2", {}},
        {"analisi", "Command8",
         [](QWidget* w) { return Premi(w, "CmdGeneraTerzine") && Premi(w, "CmdDueTerzine"); }},
        // A method of three terzine built as the user would: the best of the list by colpo, then twice
        // the candidate that adds most cases still uncovered.
        {"costruttore", "Command6",
         [](QWidget* w) {
             return Premi(w, "CmdGenerazioneTerzine") && DoppioClic(w, "fg1", 1) && DoppioClic(w, "FgJ", 1) &&
                    DoppioClic(w, "FgJ", 1);
         }},
        {"analisi-caso", "Command8",
         [](QWidget* w) { return Premi(w, "CmdGeneraTerzine") && Premi(w, "CmdDueTerzine") && Simula(w); }},
        {"costruttore-caso", "Command6",
         [](QWidget* w) {
             return Premi(w, "CmdGenerazioneTerzine") && DoppioClic(w, "fg1", 1) && DoppioClic(w, "FgJ", 1) &&
                    Simula(w);
         }},
        // Four base wheels by five transformations, checked on few random archives so that it ends soon.
        {"esplorazione", "CmdEsploraImpostazioni",
         [](QWidget* w) {
             auto* casuali = Trova<QSpinBox>(w, "SpnCasuali");
             if (!casuali || !Spunta(w, "LstRuote", 0, 3) || !Spunta(w, "LstTrasformazioni", 0, 4))
                 return false;
             casuali->setValue(10);
             return Premi(w, "CmdEsplora", 1800);
         }},
        {"verifica", "CmdVerificaRetroattiva", [](QWidget* w) { return Premi(w, "CmdVerifica", 600); }},
        {"impostazioni", "Command3", {}},
    };
    return scene;
}

/// The program's file dialog alone, for a look at its columns: USCITA/dialogo-file.png.
bool DialogoFile(const QString& cartella, const QString& uscita) {
    QFileDialog dialogo(nullptr, QStringLiteral("Apri"), cartella, QStringLiteral("Tutti i file (*)"));
    PreparaDialogoFile(dialogo, false);
    dialogo.show();
    Attendi(1500);
    return dialogo.grab().save(QDir(uscita).filePath(QStringLiteral("dialogo-file.png")));
}

/// The About window over the main window: USCITA/informazioni.png.
bool FinestraInformazioni(ContestoProgramma& contesto, Dialoghi& dialoghi, const QString& uscita) {
    Container principale(contesto, dialoghi);
    principale.resize(1280, 800);
    principale.show();
    Attendi(500);
    QWidget* informazioni = principale.MostraInformazioni();
    Attendi(800);
    return informazioni->grab().save(QDir(uscita).filePath(QStringLiteral("informazioni.png")));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trivalto"));
    QApplication::setOrganizationName(QStringLiteral("Trivalto"));
    QApplication::setWindowIcon(IconaProgramma());
    CaricaTraduzioniItaliane(app);
    const QStringList argomenti = QApplication::arguments();
    if (argomenti.size() < 4) {
        std::fprintf(stderr, "Uso: trivalto-schermate CARTELLA USCITA AGGIORNAMENTO [SCENA...]\n");
        return 2;
    }
    const QString cartella = argomenti[1], uscita = argomenti[2];
    const QStringList scelte = argomenti.mid(4);
    QDir().mkpath(uscita);
    DialoghiSchermate dialoghi(argomenti[3]);
    ContestoProgramma contesto(cartella.toStdString());
    try {
        contesto.ApriDbProgramma();
        contesto.LeggiParametri();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    Inizio inizio(contesto, dialoghi);
    inizio.Avvia();
    if (!inizio.Procedi()) return 1;

    int errori = 0;
    if (scelte.contains(QStringLiteral("dialogo-file"))) errori += !DialogoFile(cartella, uscita);
    if (scelte.contains(QStringLiteral("informazioni")))
        errori += !FinestraInformazioni(contesto, dialoghi, uscita);
    for (const auto& scena : Scene()) {
        const QString nome = QString::fromLatin1(scena.nome);
        if (!scelte.isEmpty() && !scelte.contains(nome)) continue;
        auto principale = std::make_unique<Container>(contesto, dialoghi);
        RegistraFinestre(*principale, contesto, dialoghi);
        principale->move(0, 0);
        principale->resize(1280, 800);
        principale->show();
        Attendi(500);
        bool riuscita = true;
        if (scena.pulsante) {
            QWidget* finestra = principale->ApriFinestra(QString::fromLatin1(scena.pulsante));
            Attendi(500);
            riuscita = finestra && (!scena.azioni || scena.azioni(finestra));
        }
        const QString file = QDir(uscita).filePath(nome + QStringLiteral(".png"));
        if (!riuscita || !principale->grab().save(file)) {
            std::fprintf(stderr, "scena %s non riuscita\n", scena.nome);
            ++errori;
            continue;
        }
        std::printf("%s\n", qPrintable(file));
        principale->AreaFinestre()->closeAllSubWindows();
        Attendi(200);
    }
    return errori ? 1 : 0;
}
