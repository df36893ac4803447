// Printing and exporting from the main window: the PDF's text layer holds a Japanese name,
// a JSON export imported again adds the same bytes, and the print preview opens and closes.
#include "core/records/record.h"
#include "tests/ui/support/windowsession.h"
#include "ui/app/tform1.h"
#include "ui/toolkit/cp932text.h"

#include <QAction>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace grimtally;
using grimtally::ui::TForm1;

class ExchangeTest : public QObject, public test::WindowSession {
    Q_OBJECT

private:
    // Two enemies, the first with a name whose characters end in the byte 0x5C.
    void startWithEnemies()
    {
        form_ = std::make_unique<TForm1>();
        std::vector<std::string> fields(kFieldCount, "3");
        fields[FieldClassify] = *ui::toCp932(u"不死"_s);
        form_->store().append({*ui::toCp932(u"表層のソ骨王"_s), FieldList(fields)});
        fields[FieldClassify] = "Beast";
        form_->store().append({"Marsh Hound", FieldList(fields)});
        form_->ListView1Renew();
        form_->show();
    }
    void run(const QString& item) { form_->findChild<QAction*>(item)->trigger(); }
    static QByteArray readAll(const QString& name)
    {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private Q_SLOTS:
    void init() { QVERIFY(openSession()); }
    void cleanup() { closeSession(); }

    void pdfOfTheSelectedEnemyHoldsItsJapaneseName()
    {
        startWithEnemies();
        form_->selectRow(1);
        const QString pdf = path(u"enemy.pdf"_s);
        dialogs_->chooseFile(pdf);
        run(u"Menu_ExportPdf"_s);

        QProcess text;
        text.start(u"pdftotext"_s, {u"-enc"_s, u"UTF-8"_s, pdf, u"-"_s});
        QVERIFY2(text.waitForFinished(30000), "pdftotext (poppler-utils) did not run");
        const QString layer = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(layer.contains(u"表層のソ骨王"_s), qUtf8Printable(layer));
        QVERIFY(!layer.contains(u"Marsh Hound"_s)); // only the selected enemy
    }

    void jsonExportImportedAgainAddsTheSameBytes()
    {
        startWithEnemies();
        form_->selectRow(0); // the new-entry row: every enemy
        const QString json = path(u"all.json"_s);
        dialogs_->chooseFile(json);
        run(u"Menu_ExportJson"_s);
        dialogs_->chooseFile(json);
        run(u"Menu_ImportJson"_s);

        RecordStore& store = form_->store();
        QCOMPARE(store.recordCount(), 4);
        for (int slot = 1; slot <= 2; ++slot) {
            QCOMPARE(store.name(slot + 2), store.name(slot));
            QVERIFY(store.fields(slot + 2).joinedBytes() == store.fields(slot).joinedBytes());
        }
        QCOMPARE(form_->ListView1->model()->rowCount(), 5);
        QVERIFY(form_->hasUnsavedChanges());
    }

    // An export asks before writing over a file, and each kind proposes its own last file:
    // a PDF must not be proposed over the JSON just written.
    void exportAsksBeforeOverwritingAndProposesItsOwnKind()
    {
        startWithEnemies();
        const QString json = path(u"all.json"_s);
        dialogs_->chooseFile(json);
        run(u"Menu_ExportJson"_s);
        const QByteArray written = readAll(json);
        QVERIFY(!written.isEmpty());

        form_->store().append({"Third", FieldList()});
        form_->ListView1Renew();
        dialogs_->chooseFile(json);
        dialogs_->answer(ui::Answer::Cancel);
        run(u"Menu_ExportJson"_s);
        QCOMPARE(dialogs_->questions.back().buttons, ui::MessageButtons::OkCancel);
        QCOMPARE(readAll(json), written);

        dialogs_->cancelFile();
        run(u"Menu_ExportPdf"_s);
        QCOMPARE(dialogs_->fileRequests.back().proposed, QString());
        dialogs_->chooseFile(json);
        dialogs_->answer(ui::Answer::Ok);
        run(u"Menu_ExportJson"_s);
        QVERIFY(readAll(json) != written);
    }

    void importOfABrokenFileAddsNothingAndSaysWhere()
    {
        startWithEnemies();
        const QString json = path(u"broken.json"_s);
        QFile file(json);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[{\"name\": \"A\"},\n  {\"nmae\": \"B\"}]"); // a misspelt key
        file.close();
        dialogs_->chooseFile(json);
        dialogs_->answer(ui::Answer::Ok);
        run(u"Menu_ImportJson"_s);
        QCOMPARE(form_->store().recordCount(), 2);
        QCOMPARE(dialogs_->questions.size(), std::size_t{1}); // the error box
    }

    void printPreviewOpensAndCloses()
    {
        startWithEnemies();
        bool previewed = false;
        QTimer::singleShot(0, this, [&] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            previewed = preview != nullptr;
            if (preview)
                preview->reject();
        });
        run(u"Menu_Print"_s);
        QVERIFY(previewed);
    }
};

QTEST_MAIN(ExchangeTest)
#include "tst_exchange.moc"
