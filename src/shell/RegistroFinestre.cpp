#include "shell/RegistroFinestre.h"

#include "analysis/Special.h"
#include "shell/Container.h"
#include "views/FrmRitardi.h"
#include "views/Storia.h"

namespace trivalto {

void RegistraFinestre(Container& c, ContestoProgramma& contesto, Dialoghi& dialoghi) {
    c.RegistraFinestra(QStringLiteral("Command8"), [&c, &contesto, &dialoghi] {
        return new Special(contesto, dialoghi, c.BarraProgresso(),
                           [&c](const QString& nome) { return c.ApriFinestra(nome); });
    });
    c.RegistraFinestra(QStringLiteral("Storia"), [&dialoghi] { return new FinestraStoria(dialoghi); });
    c.RegistraFinestra(QStringLiteral("Frm_Ritardi"), [] { return new FrmRitardi; });
}

} // namespace trivalto
