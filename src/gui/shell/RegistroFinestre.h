// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Binds the main window's buttons and names to the windows of every subsystem.
namespace trivalto {

class Container;
class ContestoProgramma;
class Dialoghi;

void RegistraFinestre(Container& principale, ContestoProgramma& contesto, Dialoghi& dialoghi);

} // namespace trivalto
