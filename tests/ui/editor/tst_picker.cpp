// The ability picker as the program wires it: the ability list picked from with Ctrl and
// Shift, the picked lines appended to the memo in list order, Escape changing nothing.
#include "tests/ui/support/editorsession.h"
#include "ui/app/programwindows.h"
#include "ui/editor/tchoicesdlg.h"
#include "ui/toolkit/cp932text.h"
#include "ui/toolkit/memo.h"

#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace grimtally;
using namespace grimtally::ui;
using namespace Qt::StringLiterals;

class AbilityPicker : public QObject, private test::EditorSession {
    Q_OBJECT

    const QStringList abilities_ = {u"Flight"_s, u"毒の牙"_s, u"Regeneration"_s, u"Ｘ線の目"_s};
    std::optional<ProgramWindows> windows_;
    TChoicesDlg* picker_ = nullptr;

    void open()
    {
        QVERIFY(QTest::qWaitForWindowActive(windows_->editor1.get()));
        QTest::mouseClick(windows_->editor1->Ability_B, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(picker_));
        QVERIFY(!windows_->editor1->isEnabled());
        QVERIFY(picker_->ListBox1->selectedItems().isEmpty());
    }

    void click(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QListWidget* list = picker_->ListBox1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                          list->visualItemRect(list->item(row)).center());
    }

    // The memo's lines as the record will store them, decoded.
    QStringList memo() const
    {
        QStringList lines;
        for (const std::string& line : windows_->editor1->Ability_O->lines())
            lines << fromCp932(line);
        return lines;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(openSession());
        const QString choices = u"[ability]\n"_s + abilities_.join(u'\n');
        writeFile(u"Choices.txt"_s, QByteArray::fromStdString(toCp932(choices).value()));
        dialogs_->chooseFile(u"Choices.txt"_s);
        windows_.emplace(createProgramWindows());
        picker_ = windows_->choicesDlg1.get();
        windows_->form1->selectRow(0);
        windows_->form1->ListView1DblClick();
        windows_->editor1->Ability_O->setLines({"Bites"});
    }

    void cleanup()
    {
        windows_.reset();
        closeSession();
    }

    void picksAppendInListOrderOnOk()
    {
        open();
        QCOMPARE(picker_->windowTitle(), u"特殊能力の選択"_s);
        QVERIFY(!picker_->HelpBtn->isVisible());
        click(3);
        click(1, Qt::ControlModifier); // the fourth first: the memo still gets list order
        QTest::mouseClick(picker_->OKBtn, Qt::LeftButton);
        QVERIFY(!picker_->isVisible());
        QStringList expected = {u"Bites"_s, abilities_[1], abilities_[3]};
        QCOMPARE(memo(), expected);

        // A fresh list: the same ability again, a range with Shift, Enter as OK.
        open();
        click(0);
        click(1, Qt::ShiftModifier);
        QTest::keyClick(picker_->ListBox1, Qt::Key_Return);
        expected << abilities_[0] << abilities_[1];
        QCOMPARE(memo(), expected);

        open();
        click(2);
        QTest::keyClick(picker_->ListBox1, Qt::Key_Escape);
        QVERIFY(!picker_->isVisible());
        QVERIFY(windows_->editor1->isEnabled());
        QCOMPARE(memo(), expected);
    }
};

QTEST_MAIN(AbilityPicker)
#include "tst_picker.moc"
