// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/archive/CauseSistema.h"

#include <cerrno>
#include <cstring>

namespace trivalto {

std::string CausaSistema(int n) {
    switch (n) {
    case ENOENT:
        return "file o cartella inesistente";
    case ENOTDIR:
        return "una parte del percorso non è una cartella";
    case EISDIR:
        return "è una cartella, non un file";
    case EACCES:
    case EPERM:
        return "permesso negato";
    case EROFS:
        return "il disco è di sola lettura";
    case ENOSPC:
#ifdef EDQUOT // not on Windows
    case EDQUOT:
#endif
        return "disco pieno";
    case EXDEV:
        return "il file provvisorio e la destinazione sono su dischi diversi";
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
        return "il file è in uso";
    case ENAMETOOLONG:
        return "nome del file troppo lungo";
#ifdef ELOOP
    case ELOOP:
        return "troppi collegamenti simbolici nel percorso";
#endif
    case EEXIST:
        return "esiste già";
    case ENOTEMPTY:
        return "la cartella non è vuota";
    case EIO:
        return "errore di lettura o scrittura sul disco";
    case EMFILE:
    case ENFILE:
        return "troppi file aperti";
    case ENOMEM:
        return "memoria insufficiente";
    case EFBIG:
        return "file troppo grande";
    case EINVAL:
        return "percorso non valido";
    case ENXIO:
    case ENODEV:
        return "dispositivo non disponibile";
    case 0:
        return "errore sconosciuto";
    default:
        return std::string("errore del sistema (") + std::strerror(n) + ")";
    }
}

std::string CausaSistema(const std::error_code& codice) {
    if (codice.category() == std::generic_category()) return CausaSistema(codice.value());
    // The system's own numbers (Windows' error codes, not errno) are read through their generic
    // meaning; one without an equivalent keeps the system's text.
    if (const auto condizione = codice.default_error_condition();
        condizione.category() == std::generic_category())
        return CausaSistema(condizione.value());
    return "errore del sistema (" + codice.message() + ")";
}

} // namespace trivalto
