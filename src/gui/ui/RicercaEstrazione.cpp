// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ui/RicercaEstrazione.h"

#include "core/archive/ArchivioMemoria.h"
#include "gui/ui/Dialoghi.h"

namespace trivalto {

std::optional<int> CercaPerIndice(Dialoghi& dialoghi, QWidget* padre, const ArchivioMemoria& archivio,
                                  int minimo) {
    const auto risposta =
        dialoghi.Chiedi(padre, QStringLiteral("Inserire il n° indice dell'archivio modello."),
                        QStringLiteral("Scelta estrazione"));
    if (!risposta) return std::nullopt;
    bool ok = false;
    const int k = risposta->trimmed().toInt(&ok);
    if (!ok || k < minimo || k > archivio.UltimaEstrazione) return std::nullopt;
    return k;
}

std::optional<int> CercaPerData(Dialoghi& dialoghi, QWidget* padre, const ArchivioMemoria& archivio) {
    const auto risposta =
        dialoghi.Chiedi(padre, QStringLiteral("Data ?"), QStringLiteral("Ricerca per data GG/MM/AAAA"));
    if (!risposta) return std::nullopt;
    const std::string data = risposta->toStdString();
    for (int p = 1; p <= archivio.FineModello; ++p) {
        const int d = archivio.IndiciModello[static_cast<size_t>(p)];
        if (d > archivio.UltimaEstrazione) break;
        if (archivio.DateEstrazioni[static_cast<size_t>(d)] == data) return d;
    }
    dialoghi.Messaggio(padre, QStringLiteral("Data non trovata"), QStringLiteral("Cerca data"),
                       Dialoghi::Icona::Informazione);
    return std::nullopt;
}

} // namespace trivalto
