// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window "Informazioni su Trivalto": version, licence, the libraries the program runs on with
// their licences, where the draws come from and how far the archive reaches.
#include <QDialog>

class QTextBrowser;

namespace trivalto {

class ContestoProgramma;

class Informazioni : public QDialog {
    Q_OBJECT
public:
    explicit Informazioni(const ContestoProgramma& contesto, QWidget* parent = nullptr);

    /// The body as HTML, for the archive as loaded now.
    static QString Testo(const ContestoProgramma& contesto);
};

} // namespace trivalto
