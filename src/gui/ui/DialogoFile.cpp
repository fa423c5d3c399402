// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ui/DialogoFile.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLocale>
#include <QTreeView>

namespace trivalto {

namespace {

// The columns of Qt's file model.
enum Colonna { CNome, CDimensione, CTipo, CData };

const QLocale& Italiano() {
    static const QLocale italiano(QLocale::Italian, QLocale::Italy);
    return italiano;
}

} // namespace

QVariant ModelloFileItaliano::data(const QModelIndex& index, int role) const {
    const auto* file = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !file || !index.isValid()) return QIdentityProxyModel::data(index, role);
    const QModelIndex sorgente = mapToSource(index);
    switch (index.column()) {
    case CDimensione:
        if (file->isDir(sorgente)) break;
        return Italiano().formattedDataSize(file->size(sorgente), 1, QLocale::DataSizeTraditionalFormat);
    case CTipo: {
        if (file->isDir(sorgente)) return QStringLiteral("Cartella");
        const QString estensione = file->fileInfo(sorgente).suffix();
        return estensione.isEmpty() ? QStringLiteral("File") : QStringLiteral("File ") + estensione.toUpper();
    }
    case CData:
        return Italiano().toString(file->lastModified(sorgente), QStringLiteral("dd MMM yyyy  HH:mm"));
    default:
        break;
    }
    return QIdentityProxyModel::data(index, role);
}

QVariant ModelloFileItaliano::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        switch (section) {
        case CNome:
            return QStringLiteral("Nome");
        case CDimensione:
            return QStringLiteral("Dimensione");
        case CTipo:
            return QStringLiteral("Tipo");
        case CData:
            return QStringLiteral("Data modifica");
        default:
            break;
        }
    }
    return QIdentityProxyModel::headerData(section, orientation, role);
}

void PreparaDialogoFile(QFileDialog& dialogo, bool salva) {
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setAcceptMode(salva ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialogo.setFileMode(salva ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialogo.setLabelText(QFileDialog::Accept, salva ? QStringLiteral("Salva") : QStringLiteral("Apri"));
    dialogo.setLabelText(QFileDialog::Reject, QStringLiteral("Annulla"));
    dialogo.setLabelText(QFileDialog::LookIn, QStringLiteral("Cerca in:"));
    dialogo.setLabelText(QFileDialog::FileName, QStringLiteral("Nome file:"));
    dialogo.setLabelText(QFileDialog::FileType, QStringLiteral("Tipo file:"));
    dialogo.setViewMode(QFileDialog::Detail);
    dialogo.setProxyModel(new ModelloFileItaliano(&dialogo));
    // The name takes the room left; the others are as wide as their longest text, so no date or
    // size shows cut. The dialog remembers no narrower widths of an earlier run.
    if (auto* vista = dialogo.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* intestazione = vista->header();
        intestazione->setStretchLastSection(false);
        intestazione->setSectionResizeMode(CNome, QHeaderView::Stretch);
        for (int c : {CDimensione, CTipo, CData})
            intestazione->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    }
    dialogo.resize(860, 500);
}

QString ScegliFile(QWidget* padre, const QString& titolo, const QString& percorso, const QString& filtro,
                   bool salva) {
    QFileDialog dialogo(padre, titolo, percorso, filtro);
    PreparaDialogoFile(dialogo, salva);
    if (dialogo.exec() != QDialog::Accepted) return {};
    return dialogo.selectedFiles().value(0);
}

} // namespace trivalto
