// The ability picker over the editor: the ability list picked from with Ctrl and Shift, the
// picked lines appended to the ability memo in list order, and every other way out changing
// nothing.
#include "tests/ui/support/editorsession.h"
#include "tests/ui/support/uitest.h"
#include "ui/editor/tchoicesdlg.h"
#include "ui/toolkit/cp932text.h"
#include "ui/toolkit/memo.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace grimtally;
using namespace grimtally::ui;
using namespace Qt::StringLiterals;

namespace {

const QStringList kAbilities = {u"Flight"_s, u"毒の牙"_s, u"Regeneration"_s, u"Ｘ線の目"_s,
                                u"Swallow whole"_s};

std::vector<std::string> bytesOf(const QStringList& lines)
{
    std::vector<std::string> bytes;
    for (const QString& line : lines)
        bytes.push_back(toCp932(line).value());
    return bytes;
}

} // namespace

class AbilityPicker : public QObject, private test::EditorSession {
    Q_OBJECT

    std::unique_ptr<TChoicesDlg> picker_;

    bool openPicker()
    {
        QTest::mouseClick(editor_->Ability_B, Qt::LeftButton);
        return QTest::qWaitForWindowActive(picker_.get());
    }

    void clickRow(int row, Qt::KeyboardModifiers modifiers)
    {
        QListWidget* list = picker_->ListBox1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                          list->visualItemRect(list->item(row)).center());
    }

    QList<int> selectedRows() const
    {
        QList<int> rows;
        for (const QListWidgetItem* item : picker_->ListBox1->selectedItems())
            rows << picker_->ListBox1->row(item);
        return rows;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(openSession());
        writeFile(u"Choices.txt"_s,
                  QByteArray::fromStdString(
                      toCp932(u"[ability]\n"_s + kAbilities.join(u'\n') + u'\n').value()));
        createWindows();
        TEditor1* editor = editor_.get();
        picker_ = std::make_unique<TChoicesDlg>(TChoicesDlg::EditorLink{
            editor, editor->Ability_O,
            [editor]() -> const std::vector<std::string>& { return editor->abilityList(); }});
        editor_->setDialogOpeners({[this] { picker_->showAbilities(); }, {}, {}});
        QVERIFY(openRow(0));
        editor_->Ability_O->setLines({"Bites"});
    }

    void cleanup()
    {
        picker_.reset();
        closeSession();
    }

    void okAppendsTheSelectedInListOrder()
    {
        QVERIFY(openPicker());
        QVERIFY(!editor_->isEnabled());
        QCOMPARE(picker_->windowTitle(), u"特殊能力の選択"_s);
        QCOMPARE(picker_->GroupBox1->title(), u"特殊能力"_s);
        QVERIFY(!picker_->HelpBtn->isVisible());
        QCOMPARE(picker_->ListBox1->count(), kAbilities.size());
        QVERIFY(selectedRows().isEmpty());

        // The fourth before the second: the memo still gets them in list order.
        clickRow(3, Qt::NoModifier);
        clickRow(1, Qt::ControlModifier);
        QTest::mouseClick(picker_->OKBtn, Qt::LeftButton);
        QVERIFY(!picker_->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(editor_.get()));
        std::vector<std::string> expected = bytesOf({u"Bites"_s, kAbilities[1], kAbilities[3]});
        QCOMPARE(editor_->Ability_O->lines(), expected);

        // A fresh list each time; the same ability again, a range with Shift, and Enter as OK.
        QVERIFY(openPicker());
        QVERIFY(selectedRows().isEmpty());
        clickRow(0, Qt::NoModifier);
        clickRow(1, Qt::ShiftModifier);
        QTest::keyClick(picker_->ListBox1, Qt::Key_Return);
        QVERIFY(!picker_->isVisible());
        for (const std::string& line : bytesOf({kAbilities[0], kAbilities[1]}))
            expected.push_back(line);
        QCOMPARE(editor_->Ability_O->lines(), expected);
    }

    void otherWaysOutChangeNothing_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("Cancel") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("close box") << 2;
    }

    void otherWaysOutChangeNothing()
    {
        QFETCH(int, way);
        QVERIFY(openPicker());
        clickRow(2, Qt::NoModifier);
        if (way == 0)
            QTest::mouseClick(picker_->CancelBtn, Qt::LeftButton);
        else if (way == 1)
            QTest::keyClick(picker_->ListBox1, Qt::Key_Escape);
        else
            picker_->close();
        QVERIFY(!picker_->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(editor_.get()));
        QVERIFY(editor_->isEnabled());
        QCOMPARE(editor_->Ability_O->lines(), bytesOf({u"Bites"_s}));
    }
};

QTEST_MAIN(AbilityPicker)
#include "tst_picker.moc"
