// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers of the update tests: draws written by hand, ZIPs made in memory, refusals caught.
#include <zip.h>

#include <string>
#include <utility>
#include <vector>

#include "core/maintenance/Aggiornamento.h"

namespace trivalto::test {

/// A draw with every wheel 01-02-03-04-05 but an empty Nazionale.
inline RigaEstrazione EstrazioneDel(const std::string& data, const std::string& bari = "01-02-03-04-05") {
    RigaEstrazione r{data, {}};
    r.Celle.fill("01-02-03-04-05");
    r.Celle[0] = bari;
    r.Celle[10] = "----";
    return r;
}

/// The date and the wheels of rows, without where they come from.
inline std::vector<RigaEstrazione> Estrazioni(const std::vector<RigaAggiornamento>& righe) {
    std::vector<RigaEstrazione> e;
    for (const auto& r : righe)
        e.push_back({r.Data, r.Celle});
    return e;
}

/// A ZIP in memory of the given files, each stored or deflated; a name ending in "/" is a folder.
inline std::string Zip(const std::vector<std::pair<std::string, std::string>>& file,
                       zip_int32_t metodo = ZIP_CM_DEFLATE) {
    zip_error_t e;
    zip_error_init(&e);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &e);
    zip_t* z = zip_open_from_source(buffer, ZIP_TRUNCATE, &e);
    zip_source_keep(buffer);
    for (const auto& [nome, contenuto] : file) {
        if (!nome.empty() && nome.back() == '/') {
            zip_dir_add(z, nome.substr(0, nome.size() - 1).c_str(), 0);
            continue;
        }
        const auto i = zip_file_add(z, nome.c_str(),
                                    zip_source_buffer_create(contenuto.data(), contenuto.size(), 0, &e), 0);
        zip_set_file_compression(z, static_cast<zip_uint64_t>(i), metodo, 0);
    }
    zip_close(z);
    zip_source_open(buffer);
    zip_source_seek(buffer, 0, SEEK_END);
    std::string dati(static_cast<size_t>(zip_source_tell(buffer)), '\0');
    zip_source_seek(buffer, 0, SEEK_SET);
    zip_source_read(buffer, dati.data(), dati.size());
    zip_source_close(buffer);
    zip_source_free(buffer);
    return dati;
}

/// The message of the ErroreAggiornamento that `fai` throws ("" when it throws none).
template <class F> std::string Rifiuto(F&& fai) {
    try {
        fai();
    } catch (const ErroreAggiornamento& e) {
        return e.what();
    }
    return "";
}

} // namespace trivalto::test
