// SPDX-License-Identifier: GPL-3.0-or-later
// The program's file dialog: Italian column titles and month names whatever the system's language,
// columns as wide as what they show, and a chosen file that still comes back through the model over it.
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "TestUi.h"
#include "gui/ui/DialogoFile.h"

using namespace trivalto;
using namespace trivalto::test;

class DialogoFileTest : public QObject {
    Q_OBJECT
private slots:
    void italianoEColonneIntere() {
        QTemporaryDir cartella;
        const QString file = cartella.filePath(QStringLiteral("estrazioni.txt"));
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(2048, 'x'));
            f.flush(); // a write after the time would set it again
            QVERIFY(f.setFileTime(QDateTime(QDate(2026, 3, 15), QTime(10, 5)),
                                  QFileDevice::FileModificationTime));
        }
        QFileDialog dialogo(nullptr, QStringLiteral("Apri"), cartella.path(),
                            QStringLiteral("Tutti i file (*)"));
        PreparaDialogoFile(dialogo, false);
        dialogo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialogo));
        auto* vista = dialogo.findChild<QTreeView*>(QStringLiteral("treeView"));
        QVERIFY(vista);
        const QAbstractItemModel* m = vista->model();
        QStringList titoli;
        for (int c = 0; c < 4; ++c)
            titoli << m->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titoli.join(QLatin1Char('|')), QStringLiteral("Nome|Dimensione|Tipo|Data modifica"));
        QTRY_COMPARE(m->rowCount(vista->rootIndex()), 1);
        const auto cella = [&](int c) { return m->index(0, c, vista->rootIndex()).data().toString(); };
        QCOMPARE(cella(0), QStringLiteral("estrazioni.txt"));
        QCOMPARE(cella(2), QStringLiteral("File TXT"));
        QCOMPARE(cella(3), QStringLiteral("15 mar 2026  10:05"));
        // No column shows its text cut: each is at least as wide as its widest cell and its title.
        QTest::qWait(50);
        for (int c = 1; c < 4; ++c) {
            const int testo = vista->fontMetrics().horizontalAdvance(cella(c));
            QVERIFY2(vista->header()->sectionSize(c) > testo, qPrintable(cella(c)));
        }
        // Chosen as the user does, with a click on the row and "Apri", through the model over the files.
        QSignalSpy scelto(&dialogo, &QFileDialog::fileSelected);
        QTest::mouseClick(vista->viewport(), Qt::LeftButton, {},
                          vista->visualRect(m->index(0, 0, vista->rootIndex())).center());
        auto* pulsanti = dialogo.findChild<QDialogButtonBox*>();
        QCOMPARE(pulsanti->button(QDialogButtonBox::Open)->text(), QStringLiteral("Apri"));
        pulsanti->button(QDialogButtonBox::Open)->click();
        QCOMPARE(scelto.size(), 1);
        QCOMPARE(scelto.at(0).at(0).toString(), file);
        QCOMPARE(dialogo.result(), int(QDialog::Accepted));
    }

    void salvaProponeIlNome() {
        QTemporaryDir cartella;
        QFileDialog dialogo(nullptr, QStringLiteral("Salva con nome"),
                            cartella.filePath(QStringLiteral("esporta.iii")),
                            QStringLiteral("File di archivio (*.iii)"));
        PreparaDialogoFile(dialogo, true);
        dialogo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialogo));
        auto* nome = dialogo.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QCOMPARE(nome->text(), QStringLiteral("esporta.iii"));
        QSignalSpy scelto(&dialogo, &QFileDialog::fileSelected);
        QTest::keyClick(nome, Qt::Key_Return);
        QCOMPARE(scelto.size(), 1);
        QCOMPARE(scelto.at(0).at(0).toString(), cartella.filePath(QStringLiteral("esporta.iii")));
    }
};

static RegistraTest<DialogoFileTest> registra;
#include "DialogoFileTest.moc"
