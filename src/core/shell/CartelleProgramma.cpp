// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/CartelleProgramma.h"

#ifndef _WIN32
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "core/archive/CauseSistema.h"
#include "core/archive/DatabaseProgramma.h"
#include "core/shell/Piattaforma.h"

namespace trivalto {

namespace fs = std::filesystem;

namespace {
constexpr const char* NomeArchivio = "ArchivioLotto.mdb";

/// Copies through a temporary name, so an interrupted copy never looks like a finished one.
void CopiaIntera(const fs::path& da, const fs::path& a) {
    fs::path provvisorio = a;
    provvisorio += ".parziale";
    fs::copy_file(da, provvisorio, fs::copy_options::overwrite_existing);
    // The bundled file is read-only for the user; the copy is theirs to change.
    fs::permissions(provvisorio, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add);
    fs::rename(provvisorio, a);
}

bool Scrivibile(const std::string& cartella) {
#ifdef _WIN32
    // Windows access() ignores a folder's permissions: creating a file there is the real test.
    const fs::path prova = PercorsoDaTesto(cartella) / ".trivalto-prova-scrittura";
    if (!std::ofstream(prova, std::ios::binary)) return false;
    std::error_code ec;
    fs::remove(prova, ec);
    return true;
#else
    return ::access(cartella.c_str(), W_OK) == 0;
#endif
}
} // namespace

CartelleProgramma TrovaCartelle(const std::string& cartellaEseguibile, const std::string& cartellaUtente) {
    CartelleProgramma c;
    std::error_code ec;
    const fs::path condivisa = PercorsoDaTesto(cartellaEseguibile) / ".." / "share" / "trivalto";
    if (fs::is_directory(condivisa, ec)) {
        c.Installato = true;
        c.Condivisa = TestoDaPercorso(fs::weakly_canonical(condivisa, ec));
        if (ec) c.Condivisa = TestoDaPercorso(condivisa.lexically_normal());
        c.Programma = cartellaUtente;
        return c;
    }
    c.Condivisa = cartellaEseguibile;
    c.Programma = Scrivibile(cartellaEseguibile) ? cartellaEseguibile : cartellaUtente;
    return c;
}

std::string CartellaDatiUtente() {
    fs::path base;
#ifdef _WIN32
    // Where Qt puts AppDataLocation on Windows: the roaming application data. Read wide: the user's
    // name in it may have letters the ANSI code page lacks.
    if (const wchar_t* dati = _wgetenv(L"APPDATA"); dati && fs::path(dati).is_absolute())
        base = dati;
    else
        base = fs::temp_directory_path();
#else
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && fs::path(xdg).is_absolute())
        base = xdg;
    else if (const char* casa = std::getenv("HOME"); casa && *casa)
        base = fs::path(casa) / ".local" / "share";
    else
        base = fs::temp_directory_path();
#endif
    return TestoDaPercorso(base / "Trivalto" / "Trivalto");
}

namespace {
/// Written under a temporary name: a start cut short leaves no program database that looks finished.
void CreaDatabaseProgramma(const fs::path& db, const std::string& percorsoArchivio) {
    fs::path provvisorio = db;
    provvisorio += ".parziale";
    fs::remove(provvisorio);
    DatabaseProgramma::Crea(TestoDaPercorso(provvisorio), percorsoArchivio);
    fs::rename(provvisorio, db);
}

void Prepara(const CartelleProgramma& cartelle) {
    const fs::path cartella = PercorsoDaTesto(cartelle.Programma);
    fs::create_directories(cartella);
    const fs::path db = cartella / DatabaseProgramma::NomeFile;
    if (fs::exists(db)) return;
    std::string percorsoArchivio;
    const fs::path spedito = PercorsoDaTesto(cartelle.Condivisa) / NomeArchivio;
    if (fs::is_regular_file(spedito)) {
        // An archive already in the folder (a program database lost since) is the user's: kept.
        const fs::path archivio = cartella / NomeArchivio;
        if (!fs::exists(archivio)) CopiaIntera(spedito, archivio);
        // Stored as the system writes paths (drive letter and backslashes on Windows), whatever
        // separators the user's folder came with.
        percorsoArchivio = TestoDaPercorso(fs::path(archivio).make_preferred());
    } else if (const fs::path vecchio = PercorsoDaTesto(cartelle.Condivisa) / DatabaseProgramma::NomeFile;
               fs::is_regular_file(vecchio)) {
        // A build folder that cannot be written: its program database, as it was built.
        CopiaIntera(vecchio, db);
        return;
    } else {
        return; // nothing bundled: the program creates an empty database and asks for the archive
    }
    CreaDatabaseProgramma(db, percorsoArchivio);
}

/// A copy that writes in its own folder (the build tree, the portable zip): the build makes the
/// program database; a folder unpacked with only the archive gets one pointing at that archive, where
/// it lies, so the first start asks nothing.
void PreparaPropria(const fs::path& cartella) {
    const fs::path db = cartella / DatabaseProgramma::NomeFile;
    const fs::path archivio = cartella / NomeArchivio;
    if (fs::exists(db) || !fs::is_regular_file(archivio)) return;
    CreaDatabaseProgramma(db, TestoDaPercorso(fs::absolute(archivio).make_preferred()));
}
} // namespace

void PreparaCartellaUtente(const CartelleProgramma& cartelle) {
    try {
        if (cartelle.Programma == cartelle.Condivisa)
            PreparaPropria(PercorsoDaTesto(cartelle.Programma));
        else
            Prepara(cartelle);
    } catch (const fs::filesystem_error& e) {
        // The library's text ("filesystem error: cannot copy: ...") never reaches the user.
        throw std::runtime_error((e.path1().empty() ? std::string() : TestoDaPercorso(e.path1()) + ": ") +
                                 CausaSistema(e.code()));
    }
}

} // namespace trivalto
