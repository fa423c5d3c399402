// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ui/Griglia.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPrinter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "gui/ui/Dialoghi.h"

namespace trivalto {

namespace {

/// Offers the column's list of choices, when it has one, instead of a line editor. The choice may
/// also be typed: whoever receives the cell's text judges it, as for any edited cell.
class DelegatoElenco : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        const auto* m = static_cast<const ModelloGriglia*>(index.model());
        const QStringList voci = m->Elenco(index.column());
        if (voci.isEmpty()) return QStyledItemDelegate::createEditor(parent, option, index);
        auto* combo = new QComboBox(parent);
        combo->addItems(voci);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // Typed "4" must stay 4, not be completed to the first longer entry.
        combo->setCompleter(nullptr);
        return combo;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentText(index.data(Qt::EditRole).toString());
            // Selected, so the digit that opened the editor replaces the value instead of joining it.
            if (combo->lineEdit()) combo->lineEdit()->selectAll();
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            model->setData(index, combo->currentText(), Qt::EditRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }
};

} // namespace

Griglia::Griglia(QWidget* parent) : QTableView(parent), modello_(new ModelloGriglia(this)) {
    setModel(modello_);
    setItemDelegate(new DelegatoElenco(this));
    // Cell colours carry state, so the selection highlight must not paint over them.
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(18);
    setWordWrap(false);
    connect(this, &QTableView::doubleClicked, this,
            [this](const QModelIndex& i) { emit DoppioClic(i.row() + 1, i.column()); });
}

void Griglia::ImpostaLarghezza(int colonna, int twips) {
    // 1440 twips to the inch; at the screen's logical resolution.
    setColumnWidth(colonna, qRound(twips / 1440.0 * logicalDpiX()));
}

void Griglia::AllargaAlContenuto() {
    for (int c = 0; c < modello_->Colonne(); ++c)
        if (!isColumnHidden(c)) setColumnWidth(c, std::max(columnWidth(c), sizeHintForColumn(c)));
}

void Griglia::ImpostaModificabile(bool modificabile) {
    modello_->ImpostaModificabile(modificabile);
    setEditTriggers(modificabile ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                       QAbstractItemView::AnyKeyPressed
                                 : QAbstractItemView::NoEditTriggers);
}

int Griglia::RigaCorrente() const {
    return currentIndex().isValid() ? currentIndex().row() + 1 : 0;
}
int Griglia::ColonnaCorrente() const {
    return currentIndex().isValid() ? currentIndex().column() : 0;
}

void Griglia::ImpostaCellaCorrente(int riga, int colonna) {
    setCurrentIndex(modello_->index(riga - 1, colonna));
}

int Griglia::PrimaRigaVisibile() const {
    const int r = rowAt(0);
    return r < 0 ? 0 : r + 1;
}

void Griglia::MostraRiga(int riga) {
    scrollTo(modello_->index(riga - 1, 0), QAbstractItemView::PositionAtTop);
}

void Griglia::MostraUltimaRiga() {
    updateGeometries(); // the scroll range of rows just added, before the delayed layout
    scrollToBottom();
    QMetaObject::invokeMethod(
        this, [this] { scrollToBottom(); }, Qt::QueuedConnection);
}

void Griglia::CopiaNegliAppunti() const {
    QClipboard* appunti = QApplication::clipboard();
    appunti->clear();
    appunti->setText(modello_->TestoCompleto());
}

bool Griglia::Stampa(Dialoghi& dialoghi, const QString& titolo, QPageLayout::Orientation orientamento,
                     int margineTwips) {
    QPrinter stampante(QPrinter::HighResolution);
    stampante.setPageOrientation(orientamento);
    const double mm = margineTwips / 1440.0 * 25.4;
    stampante.setPageMargins(QMarginsF(mm, mm, mm, mm), QPageLayout::Millimeter);
    stampante.setDocName(titolo);
    if (!dialoghi.PreparaStampa(this, stampante)) return false;
    StampaGriglia(*modello_, this, stampante, titolo);
    return true;
}

void Griglia::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    const QModelIndex i = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && i.isValid()) {
        setCurrentIndex(i);
        emit Clic(i.row() + 1, i.column());
    }
}

} // namespace trivalto
