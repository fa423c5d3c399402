// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/RegistroFinestre.h"

#include "gui/analysis/FinestraEsplorazione.h"
#include "gui/analysis/FinestraVerifica.h"
#include "gui/analysis/Special.h"
#include "gui/archive/Archivio.h"
#include "gui/builder/Costruttore.h"
#include "gui/settings/ImpostazioniP.h"
#include "gui/shell/Container.h"
#include "gui/views/FrmRitardi.h"
#include "gui/views/MiniElenco.h"
#include "gui/views/Storia.h"

namespace trivalto {

void RegistraFinestre(Container& c, ContestoProgramma& contesto, Dialoghi& dialoghi) {
    c.RegistraFinestra(QStringLiteral("Command1"), [&c, &contesto, &dialoghi] {
        return new Archivio(contesto, dialoghi, c.BarraProgresso(), [&c] { c.CaricaArchivioExNovo(); });
    });
    c.RegistraFinestra(QStringLiteral("Command2"),
                       [&contesto, &dialoghi] { return new MiniElenco(contesto, dialoghi); });
    c.RegistraFinestra(QStringLiteral("Command3"),
                       [&contesto, &dialoghi] { return new ImpostazioniP(contesto, dialoghi); });
    c.RegistraFinestra(QStringLiteral("Command8"), [&c, &contesto, &dialoghi] {
        return new Special(contesto, dialoghi, c.BarraProgresso(),
                           [&c](const QString& nome) { return c.ApriFinestra(nome); });
    });
    c.RegistraFinestra(QStringLiteral("Command6"), [&c, &contesto, &dialoghi] {
        return new Costruttore(contesto, dialoghi,
                               [&c](const QString& nome) { return c.ApriFinestra(nome); });
    });
    c.RegistraFinestra(QStringLiteral("CmdVerificaRetroattiva"),
                       [&contesto, &dialoghi] { return new FinestraVerifica(contesto, dialoghi); });
    c.RegistraFinestra(QStringLiteral("CmdEsploraImpostazioni"),
                       [&contesto, &dialoghi] { return new FinestraEsplorazione(contesto, dialoghi); });
    c.RegistraFinestra(QStringLiteral("Storia"), [&dialoghi] { return new FinestraStoria(dialoghi); });
    c.RegistraFinestra(QStringLiteral("Frm_Ritardi"), [] { return new FrmRitardi; });
}

} // namespace trivalto
