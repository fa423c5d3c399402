// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The in-program help: HTML pages shipped in the program's "help" folder, one per topic number.
#include <QWidget>

class QTextBrowser;

namespace trivalto {

class FinestraHelp : public QWidget {
    Q_OBJECT
public:
    explicit FinestraHelp(QString cartella, QWidget* parent = nullptr);
    void MostraArgomento(int argomento);
    QString PaginaCorrente() const;

private:
    QString cartella_;
    QTextBrowser* testo_;
};

} // namespace trivalto
