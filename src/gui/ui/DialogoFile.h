// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own file dialog (not the desktop's), in Italian throughout: column titles, dates with
// Italian month names, sizes, and columns wide enough for what they show.
#include <QIdentityProxyModel>
#include <QString>

class QFileDialog;
class QWidget;

namespace trivalto {

/// Over the dialog's file model: Italian titles, dates and sizes, whatever the system's language.
class ModelloFileItaliano : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
};

/// Builds the dialog: `salva` for the save style (asks before overwriting), else an existing file.
/// The caller shows it; ScegliFile does both.
void PreparaDialogoFile(QFileDialog& dialogo, bool salva);

/// The chosen file, or an empty text when cancelled.
QString ScegliFile(QWidget* padre, const QString& titolo, const QString& percorso, const QString& filtro,
                   bool salva);

} // namespace trivalto
