// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names of the rows of "ParametriProgramma" in the program database. Files already written rely
// on these exact texts: change none of them. The table matches names ignoring letter case, so the
// lower-case spellings below reach the same rows as their capitalised forms.

namespace trivalto::ChiaviParametri {

inline constexpr const char* PercorsoArchivio = "PercorsoArchivio";
/// The spelling the archive choice has always written the path with.
inline constexpr const char* PercorsoArchivioScelto = "percorsoarchivio";
inline constexpr const char* EstrazioneIniziale = "EstrazioneIniziale";
/// Read only when a row's name matches exactly, letter case included.
inline constexpr const char* IndirizzoInternet = "IndirizzoInternet";
/// The spelling "RENDE PREDEFINITO" saves the site address with.
inline constexpr const char* IndirizzoInternetPredefinito = "Indirizzointernet";
inline constexpr const char* IndirizzoAggiornamento = "IndirizzoAggiornamento";
inline constexpr const char* PercorsoDatiIii = "PercorsoDati.iii";
/// "1" when the update check runs at start-up; a file made before the option lacks the row.
inline constexpr const char* ControllaAggiornamenti = "ControllaAggiornamenti";

} // namespace trivalto::ChiaviParametri
