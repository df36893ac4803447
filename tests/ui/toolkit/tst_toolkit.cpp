// The controls the windows are built from: code page 932 at the boundary, the spin edit's
// free text and range keeping, when change and exit notifications run, combo box entries,
// memo lines, labels and input colours.
#include "tests/ui/support/uitest.h"
#include "ui/toolkit/appearance.h"
#include "ui/toolkit/captionfit.h"
#include "ui/toolkit/combobox.h"
#include "ui/toolkit/cp932text.h"
#include "ui/toolkit/cp932validator.h"
#include "ui/toolkit/editbox.h"
#include "ui/toolkit/label.h"
#include "ui/toolkit/memo.h"
#include "ui/toolkit/spinedit.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>

#include <string>
#include <vector>

using namespace Qt::StringLiterals;
using namespace grimtally::ui;
using namespace grimtally::test;

namespace {

// Two codes of one character: NEC row 13 and the JIS row of U+2252.
const std::string kNecNearlyEqual = "\x87\x90";
const std::string kJisNearlyEqual = "\x81\xE0";
const QString kWaveDash = QString(QChar(0x301C));
const QString kFullWidthTilde = QString(QChar(0xFF5E));
const QString kEmoji = QString::fromUcs4(U"\U0001F600", 1);

// The arrows' enabled look, which QAbstractSpinBox asks for.
class ProbedSpinEdit : public SpinEdit {
public:
    using SpinEdit::SpinEdit;
    using SpinEdit::stepEnabled;
};

// A window whose controls follow one another in tab order.
struct Window {
    QWidget widget;
    SpinEdit* spin = new SpinEdit(&widget, 0, 999);
    ComboBox* combo = new ComboBox(&widget);
    EditBox* edit = new EditBox(&widget);
    ReadOnlyBox* readOnly = new ReadOnlyBox(&widget);
    EditBox* last = new EditBox(&widget);
};

} // namespace

class TestToolkit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void byteTextGivesLoadedBytesWhileUnchanged();
    void byteTextKeepsBytesAroundAnEdit();
    void validatorMapsAndRefuses_data();
    void validatorMapsAndRefuses();

    void spinEditReadsFreeText_data();
    void spinEditReadsFreeText();
    void spinEditSetValueClamps();
    void spinEditChangedOnlyForADifferentText();
    void spinEditExitRunsBeforeRangeKeeping_data();
    void spinEditExitRunsBeforeRangeKeeping();
    void spinEditArrowsStepWithinRange();
    void spinEditRefusesCharactersOutsideTheCodePage();

    void comboProgramSelectionIsSilent();
    void comboUserPickAndTypingNotify();
    void comboSelectedIndex();
    void comboFindEntryFoldsOnlyAsciiLetters();
    void comboEntryNumbersAndBytes();
    void comboKeepsTextWhenEntriesChange();

    void editBoxChangedOncePerDifferentText();
    void editBoxRoundTripsBothCodes();
    void editBoxMapsAndRefusesPastes();
    void readOnlyBoxIsSkippedByTab();

    void exitRunsWhenTabMovesFocus();
    void exitDoesNotRunForPopupOrHiddenWindow();

    void memoLines_data();
    void memoLines();
    void memoKeepsLoadedBytesOfUnchangedLines();
    void memoAppendLine();
    void memoRefusesAndLeavesByTab();

    void labelsKeepTheirAnchoredEdge();
    void captionsNarrowThenElideAndFollowNewText();
    void setInputEnabledColours();
    void windowFontAndIcon();
};

// --- code page 932 --------------------------------------------------------------------

void TestToolkit::byteTextGivesLoadedBytesWhileUnchanged()
{
    ByteText text;
    const QString shown = text.set(kNecNearlyEqual);
    QCOMPARE(shown, fromCp932(kJisNearlyEqual));
    QCOMPARE(text.bytesFor(shown), kNecNearlyEqual);
    // The same character typed fresh is encoded: the code page's preferred code.
    QCOMPARE(ByteText().bytesFor(shown), kJisNearlyEqual);
    QCOMPARE(text.bytesFor(u"abc"_s), std::string("abc"));
}

void TestToolkit::byteTextKeepsBytesAroundAnEdit()
{
    // A byte that does not decode, and a character with two codes, on both sides of an edit.
    const std::string loaded = "\x87\x90"
                               "a\xFF"
                               "b"
                               "\x87\x90";
    ByteText text;
    QString shown = text.set(loaded);
    QCOMPARE(text.bytesFor(shown), loaded);

    QString edited = shown;
    edited.replace(u"a"_s, u"xy"_s);
    QCOMPARE(text.bytesFor(edited), std::string("\x87\x90"
                                                "xy\xFF"
                                                "b"
                                                "\x87\x90"));

    // Everything replaced: only what the code page makes of the new text.
    QCOMPARE(text.bytesFor(u"z"_s), std::string("z"));
    // A character that cannot be encoded (the controls refuse it) becomes '?', not an error.
    QCOMPARE(text.bytesFor(u"q"_s + kEmoji), std::string("q?"));
}

void TestToolkit::validatorMapsAndRefuses_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("shown");

    QTest::newRow("ascii") << u"Goblin 12"_s << true << u"Goblin 12"_s;
    QTest::newRow("kana and kanji") << u"ゴブリン王"_s << true << u"ゴブリン王"_s;
    QTest::newRow("wave dash") << (u"1"_s + kWaveDash + u"3"_s) << true
                               << (u"1"_s + kFullWidthTilde + u"3"_s);
    QTest::newRow("minus sign") << QString(QChar(0x2212)) << true << QString(QChar(0xFF0D));
    QTest::newRow("double vertical line")
        << QString(QChar(0x2016)) << true << QString(QChar(0x2225));
    QTest::newRow("cent") << QString(QChar(0x00A2)) << true << QString(QChar(0xFFE0));
    QTest::newRow("pound") << QString(QChar(0x00A3)) << true << QString(QChar(0xFFE1));
    QTest::newRow("not sign") << QString(QChar(0x00AC)) << true << QString(QChar(0xFFE2));
    QTest::newRow("undecodable byte") << QString(QChar(0xFFFD)) << true << QString(QChar(0xFFFD));
    QTest::newRow("emoji") << (u"a"_s + kEmoji) << false << QString();
    QTest::newRow("e acute") << u"caf\u00e9"_s << false << QString();
    QTest::newRow("hangul") << u"\uD55C"_s << false << QString();
}

void TestToolkit::validatorMapsAndRefuses()
{
    QFETCH(QString, input);
    QFETCH(bool, accepted);
    QFETCH(QString, shown);

    Cp932Validator validator;
    int pos = 0;
    QString text = input;
    QCOMPARE(validator.validate(text, pos),
             accepted ? QValidator::Acceptable : QValidator::Invalid);
    if (accepted)
        QCOMPARE(text, shown);
}

// --- spin edit -----------------------------------------------------------------------

void TestToolkit::spinEditReadsFreeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");

    QTest::newRow("number") << u"42"_s << 42;
    QTest::newRow("leading blanks and sign") << u"  +7"_s << 7;
    QTest::newRow("negative, not clamped") << u"-5"_s << -5;
    QTest::newRow("above range, not clamped") << u"1500"_s << 1500;
    QTest::newRow("empty") << QString() << 10;
    QTest::newRow("word") << u"abc"_s << 10;
    QTest::newRow("decimal") << u"1.5"_s << 10;
    QTest::newRow("trailing blank") << u"7 "_s << 10;
    QTest::newRow("sign only") << u"-"_s << 10;
    QTest::newRow("full-width digits") << u"１２"_s << 10;
    QTest::newRow("too long for an int") << u"99999999999"_s << 10;
}

void TestToolkit::spinEditReadsFreeText()
{
    QFETCH(QString, text);
    QFETCH(int, value);

    SpinEdit spin(nullptr, 10, 999);
    spin.setText(text);
    QCOMPARE(spin.text(), text); // any text is kept as it is
    QCOMPARE(spin.value(), value);
}

void TestToolkit::spinEditSetValueClamps()
{
    SpinEdit spin(nullptr, 0, 999);
    spin.setValue(1500);
    QCOMPARE(spin.text(), u"999"_s);
    spin.setValue(-3);
    QCOMPARE(spin.text(), u"0"_s);
    spin.setValue(12);
    QCOMPARE(spin.text(), u"12"_s);

    spin.setBytes("\x87\x90");
    QCOMPARE(spin.bytes(), kNecNearlyEqual);
    spin.setValue(5);
    QCOMPARE(spin.bytes(), std::string("5"));
}

void TestToolkit::spinEditChangedOnlyForADifferentText()
{
    SpinEdit spin(nullptr, 0, 999);
    QSignalSpy changed(&spin, &SpinEdit::changed);
    spin.setText(u"5"_s);
    spin.setText(u"5"_s);
    spin.setValue(5);
    QCOMPARE(changed.count(), 1);
    spin.setValue(6);
    spin.setText(u"x"_s);
    QCOMPARE(changed.count(), 3);

    typeInto(&spin, u"1"_s); // typing runs it too
    QCOMPARE(spin.text(), u"x1"_s);
    QCOMPARE(changed.count(), 4);
}

void TestToolkit::spinEditExitRunsBeforeRangeKeeping_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");

    QTest::newRow("above") << u"1500"_s << u"999"_s;
    QTest::newRow("below") << u"-5"_s << u"0"_s;
    QTest::newRow("in range stays as typed") << u" 12"_s << u" 12"_s;
    QTest::newRow("decimal stays") << u"1.5"_s << u"1.5"_s;
    QTest::newRow("word stays") << u"abc"_s << u"abc"_s;
    QTest::newRow("empty stays") << QString() << QString();
    QTest::newRow("huge goes to the maximum") << u"99999999999"_s << u"999"_s;
    QTest::newRow("huge negative goes to the minimum") << u"-99999999999"_s << u"0"_s;
}

void TestToolkit::spinEditExitRunsBeforeRangeKeeping()
{
    QFETCH(QString, typed);
    QFETCH(QString, after);

    Window window;
    QVERIFY(showActive(&window.widget));
    QStringList seenOnExit;
    connect(window.spin, &SpinEdit::exited, this,
            [&] { seenOnExit.push_back(window.spin->text()); });

    clearText(window.spin);
    typeInto(window.spin, typed);
    QCOMPARE(window.spin->text(), typed);
    pressTab(window.spin);

    QVERIFY(window.combo->hasFocus());
    QCOMPARE(seenOnExit, QStringList{typed});
    QCOMPARE(window.spin->text(), after);
}

void TestToolkit::spinEditArrowsStepWithinRange()
{
    Window window;
    SpinEdit& spin = *window.spin;
    QVERIFY(showActive(&window.widget));
    spin.setFocus();

    spin.setText(u"5"_s);
    QTest::keyClick(&spin, Qt::Key_Up);
    QCOMPARE(spin.text(), u"6"_s);
    QTest::keyClick(&spin, Qt::Key_Down);
    QTest::keyClick(&spin, Qt::Key_Down);
    QCOMPARE(spin.text(), u"4"_s);

    spin.setText(u"abc"_s); // reads as the minimum, and steps from there
    QTest::keyClick(&spin, Qt::Key_Up);
    QCOMPARE(spin.text(), u"1"_s);

    spin.setText(u"999"_s);
    QTest::keyClick(&spin, Qt::Key_Up);
    QCOMPARE(spin.text(), u"999"_s);
    spin.setText(u"1500"_s); // stepping brings an out-of-range text into range
    spin.stepBy(-1);
    QCOMPARE(spin.text(), u"999"_s);
    spin.setText(u"0"_s);
    QTest::keyClick(&spin, Qt::Key_Down);
    QCOMPARE(spin.text(), u"0"_s);

    // The arrows look enabled exactly where a step does something.
    ProbedSpinEdit probe(nullptr, 0, 999);
    probe.setText(u"0"_s);
    QCOMPARE(probe.stepEnabled(), QAbstractSpinBox::StepUpEnabled);
    probe.setText(u"abc"_s);
    QCOMPARE(probe.stepEnabled(), QAbstractSpinBox::StepUpEnabled);
    probe.setText(u"999"_s);
    QCOMPARE(probe.stepEnabled(), QAbstractSpinBox::StepDownEnabled);
    probe.setText(u"50"_s);
    QCOMPARE(probe.stepEnabled(),
             QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled);
    probe.setEnabled(false);
    QCOMPARE(probe.stepEnabled(), QAbstractSpinBox::StepNone);
}

void TestToolkit::spinEditRefusesCharactersOutsideTheCodePage()
{
    Window window;
    QVERIFY(showActive(&window.widget));
    clearText(window.spin);
    typeInto(window.spin, u"1"_s + kEmoji + u"2"_s);
    QCOMPARE(window.spin->text(), u"12"_s);
    typeInto(window.spin, kWaveDash);
    QCOMPARE(window.spin->text(), u"12"_s + kFullWidthTilde);
}

// --- combo box -----------------------------------------------------------------------

void TestToolkit::comboProgramSelectionIsSilent()
{
    ComboBox combo;
    combo.setEntries({"Goblin", "Orc", "Troll"});
    QSignalSpy changed(&combo, &ComboBox::changed);

    combo.selectIndex(2);
    QCOMPARE(combo.text(), u"Troll"_s);
    combo.setText(u"Ogre"_s);
    combo.setBytes("Wolf");
    QCOMPARE(combo.text(), u"Wolf"_s);
    combo.selectIndex(2); // back to the entry it stood on before the typed text
    QCOMPARE(combo.text(), u"Troll"_s);
    combo.selectIndex(-1);
    QCOMPARE(combo.text(), QString());
    combo.insertEntry(0, "----");
    QCOMPARE(changed.count(), 0);
}

void TestToolkit::comboUserPickAndTypingNotify()
{
    Window window;
    ComboBox& combo = *window.combo;
    combo.setEntries({"Goblin", "Orc", "Troll"});
    combo.selectIndex(0);
    QVERIFY(showActive(&window.widget));
    QSignalSpy changed(&combo, &ComboBox::changed);

    combo.setFocus();
    QTest::keyClick(&combo, Qt::Key_Down); // a pick with the keyboard
    QCOMPARE(combo.text(), u"Orc"_s);
    QCOMPARE(changed.count(), 1);

    clearText(&combo);
    QCOMPARE(changed.count(), 2);
    typeInto(&combo, u"Troll"_s);
    QCOMPARE(changed.count(), 7); // one per keystroke
    QCOMPARE(combo.selectedIndex(), 2);

    // Leaving with an entry's text typed in full is no further change; Enter neither.
    QTest::keyClick(&combo, Qt::Key_Return);
    pressTab(&combo);
    QCOMPARE(changed.count(), 7);
    QCOMPARE(combo.text(), u"Troll"_s);
}

void TestToolkit::comboSelectedIndex()
{
    ComboBox combo;
    combo.setEntries({"a", "b", "a"});
    combo.selectIndex(2);
    QCOMPARE(combo.selectedIndex(), 2); // the current entry, though "a" comes first
    combo.setText(u"b"_s);
    QCOMPARE(combo.selectedIndex(), 1);
    combo.setText(u"A"_s);
    QCOMPARE(combo.selectedIndex(), -1); // exact text only
    combo.setText(QString());
    QCOMPARE(combo.selectedIndex(), -1);
}

void TestToolkit::comboFindEntryFoldsOnlyAsciiLetters()
{
    ComboBox combo;
    // ソ ends in 0x5C (a backslash), ア in 0x41 ('A'), ヂ in 0x61 ('a').
    combo.setEntries({"Goblin",
                      "\x83\x5C"
                      "a",
                      "\x83\x41", "\x87\x90"});

    QCOMPARE(combo.findEntry("GOBLIN"), 0);
    QCOMPARE(combo.findEntry("goblin"), 0);
    QCOMPARE(combo.findEntry("\x83\x5C"
                             "A"),
             1);
    QCOMPARE(combo.findEntry("\x83\x41"), 2);
    QCOMPARE(combo.findEntry("\x83\x61"), -1); // not ア with its second byte folded
    QCOMPARE(combo.findEntry("Gobli"), -1);
    QCOMPARE(combo.findEntry(""), -1);
    QCOMPARE(combo.findEntry(kJisNearlyEqual), -1); // other bytes, though the same character
    QCOMPARE(combo.findEntry(kNecNearlyEqual), 3);
}

void TestToolkit::comboEntryNumbersAndBytes()
{
    ComboBox combo;
    combo.setNumberedEntries({{"Tiny", -2}, {"Small", 0}, {"\x83\x5C", 3}});
    QCOMPARE(combo.entryCount(), 3);
    QCOMPARE(combo.entryNumber(0), std::optional<int>(-2));
    QCOMPARE(combo.entryNumber(1), std::optional<int>(0));
    QCOMPARE(combo.entryNumber(2), std::optional<int>(3));
    QCOMPARE(combo.entryNumber(3), std::optional<int>());
    combo.insertEntry(0, "----");
    QCOMPARE(combo.entryNumber(0), std::optional<int>());
    QCOMPARE(combo.entryNumber(3), std::optional<int>(3));
    QCOMPARE(combo.entryBytes(3), std::string("\x83\x5C"));
    QCOMPARE(combo.entryBytes(9), std::string());

    combo.setEntries({"Tiny"});
    QCOMPARE(combo.entryNumber(0), std::optional<int>());

    // bytes(): an entry gives its own bytes, typed text its encoding, loaded text its bytes.
    combo.setEntries({"Goblin", kJisNearlyEqual});
    combo.selectIndex(1);
    QCOMPARE(combo.bytes(), kJisNearlyEqual);
    combo.setText(u"ゴブリン"_s);
    QCOMPARE(combo.bytes(), std::string("\x83\x53\x83\x75\x83\x8A\x83\x93"));
    combo.setBytes(kNecNearlyEqual); // shows the entry's character under its other code
    QCOMPARE(combo.text(), combo.itemText(1));
    QCOMPARE(combo.bytes(), kNecNearlyEqual);
    combo.selectIndex(1);
    QCOMPARE(combo.bytes(), kJisNearlyEqual);
}

void TestToolkit::comboKeepsTextWhenEntriesChange()
{
    ComboBox combo;
    combo.setEntries({"Goblin", "Orc"});
    QCOMPARE(combo.text(), QString()); // filling a list does not pick its first entry
    combo.selectIndex(1);
    combo.setEntries({"Orc", "Troll"});
    QCOMPARE(combo.text(), u"Orc"_s);
    QCOMPARE(combo.selectedIndex(), 0);
    combo.clearEntries();
    QCOMPARE(combo.text(), u"Orc"_s);
    QCOMPARE(combo.selectedIndex(), -1);
    combo.insertEntry(0, "----");
    QCOMPARE(combo.text(), u"Orc"_s);
    QCOMPARE(combo.bytes(), std::string("Orc"));
}

// --- edit boxes ----------------------------------------------------------------------

void TestToolkit::editBoxChangedOncePerDifferentText()
{
    EditBox edit;
    QSignalSpy changed(&edit, &EditBox::changed);
    edit.setText(u"a"_s);
    edit.setText(u"a"_s);
    edit.setBytes("a");
    QCOMPARE(changed.count(), 1);
    edit.setText(u"b"_s);
    edit.setBytes({});
    QCOMPARE(changed.count(), 3);
}

void TestToolkit::editBoxRoundTripsBothCodes()
{
    Window window;
    EditBox& edit = *window.edit;
    QVERIFY(showActive(&window.widget));

    edit.setBytes(kNecNearlyEqual);
    QCOMPARE(edit.text(), fromCp932(kJisNearlyEqual));
    QCOMPARE(edit.bytes(), kNecNearlyEqual);

    edit.setFocus();
    edit.end(false);
    QTest::keyClicks(&edit, u"x"_s);
    QCOMPARE(edit.bytes(), kNecNearlyEqual + "x"); // the untouched character keeps its code
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.bytes(), kNecNearlyEqual);

    edit.setBytes(kJisNearlyEqual);
    QCOMPARE(edit.bytes(), kJisNearlyEqual);
    edit.setText(fromCp932(kNecNearlyEqual) + u"x"_s);
    QCOMPARE(edit.bytes(), kJisNearlyEqual + "x");
}

void TestToolkit::editBoxMapsAndRefusesPastes()
{
    EditBox edit;
    edit.setText(u"ab"_s);
    edit.setCursorPosition(1);
    edit.insert(kEmoji); // what a paste does
    QCOMPARE(edit.text(), u"ab"_s);
    edit.insert(kWaveDash);
    QCOMPARE(edit.text(), u"a"_s + kFullWidthTilde + u"b"_s);
    QCOMPARE(edit.bytes(), std::string("a\x81\x60"
                                       "b"));

    // A field longer than QLineEdit's usual limit stays whole.
    const std::string longField(40000, 'x');
    edit.setBytes(longField);
    QCOMPARE(edit.bytes(), longField);
}

void TestToolkit::readOnlyBoxIsSkippedByTab()
{
    Window window;
    QVERIFY(showActive(&window.widget));
    window.readOnly->setText(u"12"_s);
    window.edit->setFocus();
    pressTab(window.edit);
    QVERIFY(window.last->hasFocus());
    QCOMPARE(window.readOnly->text(), u"12"_s);
    QVERIFY(window.readOnly->isReadOnly());
    QCOMPARE(window.readOnly->palette().color(QPalette::Base),
             window.readOnly->palette().color(QPalette::Button));
}

// --- exit handlers -------------------------------------------------------------------

void TestToolkit::exitRunsWhenTabMovesFocus()
{
    Window window;
    QVERIFY(showActive(&window.widget));
    QSignalSpy spinExits(window.spin, &SpinEdit::exited);
    QSignalSpy comboExits(window.combo, &ComboBox::exited);
    QSignalSpy editExits(window.edit, &EditBox::exited);

    window.spin->setFocus();
    pressTab(window.spin);
    QVERIFY(window.combo->hasFocus());
    pressTab(window.combo);
    QVERIFY(window.edit->hasFocus());
    pressTab(window.edit);
    QCOMPARE(spinExits.count(), 1);
    QCOMPARE(comboExits.count(), 1);
    QCOMPARE(editExits.count(), 1);

    // A click elsewhere in the window is leaving too.
    window.combo->setFocus(Qt::MouseFocusReason);
    window.spin->setFocus(Qt::MouseFocusReason);
    QCOMPARE(comboExits.count(), 2);
}

void TestToolkit::exitDoesNotRunForPopupOrHiddenWindow()
{
    Window window;
    window.combo->setEntries({"Goblin", "Orc"});
    QVERIFY(showActive(&window.widget));
    window.combo->setFocus();
    QSignalSpy spinExits(window.spin, &SpinEdit::exited);
    QSignalSpy comboExits(window.combo, &ComboBox::exited);
    QSignalSpy comboChanges(window.combo, &ComboBox::changed);

    // Typed text that names another entry than the current one: Qt would make it current
    // and announce that when the line edit loses the focus to the popup.
    window.combo->selectIndex(0);
    clearText(window.combo);
    typeInto(window.combo, u"Orc"_s);
    comboChanges.clear();
    window.combo->showPopup();
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    window.combo->hidePopup();
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    QCOMPARE(comboExits.count(), 0);
    QCOMPARE(comboChanges.count(), 0);

    // Nor is the program disabling the control that has the focus (a row switched off).
    window.edit->setFocus();
    QCOMPARE(comboExits.count(), 1); // moving on from the combo box is leaving it
    QSignalSpy editExits(window.edit, &EditBox::exited);
    setInputEnabled(window.edit, false);
    QVERIFY(window.last->hasFocus());
    QCOMPARE(editExits.count(), 0);

    // Another window taking over, and hiding the window, are not leaving the control.
    window.spin->setFocus();
    QWidget other;
    QVERIFY(showActive(&other));
    QVERIFY(showActive(&window.widget));
    window.widget.hide();
    QCOMPARE(spinExits.count(), 0);

    // Disabling the window (a secondary window opens) neither.
    Window opener;
    QVERIFY(showActive(&opener.widget));
    opener.edit->setFocus();
    QVERIFY(opener.edit->hasFocus());
    QSignalSpy openerExits(opener.edit, &EditBox::exited);
    opener.widget.setEnabled(false);
    QVERIFY(!opener.edit->hasFocus());
    QCOMPARE(openerExits.count(), 0);
}

// --- memo ----------------------------------------------------------------------------

void TestToolkit::memoLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("empty") << QString() << QStringList{};
    QTest::newRow("one") << u"a"_s << QStringList{u"a"_s};
    QTest::newRow("trailing newline") << u"a\n"_s << QStringList{u"a"_s};
    QTest::newRow("two") << u"a\nb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("empty line inside") << u"a\n\nb"_s << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("empty last line") << u"a\n\n"_s << QStringList{u"a"_s, QString()};
    QTest::newRow("only a newline") << u"\n"_s << QStringList{QString()};
}

void TestToolkit::memoLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);

    std::vector<std::string> bytes;
    for (const QString& line : lines)
        bytes.push_back(line.toStdString());

    Memo memo;
    memo.setPlainText(text);
    QCOMPARE(memo.lines(), bytes);

    // Lines put in come out the same, whatever text they make.
    Memo loaded;
    loaded.setLines(bytes);
    QCOMPARE(loaded.lines(), bytes);
}

void TestToolkit::memoKeepsLoadedBytesOfUnchangedLines()
{
    Memo memo;
    memo.setLines({kNecNearlyEqual, "b", kNecNearlyEqual + "c"});
    QCOMPARE(memo.lines(), (std::vector<std::string>{kNecNearlyEqual, "b", kNecNearlyEqual + "c"}));

    // A line inserted above moves the others; they still keep their bytes.
    QTextCursor cursor(memo.document());
    cursor.insertText(u"new\n"_s);
    QCOMPARE(memo.lines(),
             (std::vector<std::string>{"new", kNecNearlyEqual, "b", kNecNearlyEqual + "c"}));

    // A line typed fresh is encoded.
    Memo typed;
    typed.setPlainText(fromCp932(kNecNearlyEqual));
    QCOMPARE(typed.lines(), std::vector<std::string>{kJisNearlyEqual});
}

void TestToolkit::memoAppendLine()
{
    Memo memo;
    memo.appendLine("a");
    memo.appendLine(kNecNearlyEqual);
    QCOMPARE(memo.lines(), (std::vector<std::string>{"a", kNecNearlyEqual}));

    memo.setPlainText(u"x\n"_s); // the user ended the last line with Enter
    memo.appendLine("y");
    memo.appendLine("");
    QCOMPARE(memo.lines(), (std::vector<std::string>{"x", "y", ""}));
    memo.appendLine("z");
    QCOMPARE(memo.lines(), (std::vector<std::string>{"x", "y", "", "z"}));
}

void TestToolkit::memoRefusesAndLeavesByTab()
{
    QWidget window;
    auto* memo = new Memo(&window);
    auto* after = new EditBox(&window);
    QVERIFY(showActive(&window));
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    typeInto(memo, u"a"_s + kEmoji + kWaveDash);
    QCOMPARE(memo->toPlainText(), u"a"_s + kFullWidthTilde);

    QApplication::clipboard()->setText(u"x\r\ny"_s + kEmoji);
    memo->paste();
    QCOMPARE(memo->toPlainText(), u"a"_s + kFullWidthTilde);
    QApplication::clipboard()->setText(u"x\r\ny"_s);
    memo->paste();
    QCOMPARE(memo->lines(), (std::vector<std::string>{"a\x81\x60"
                                                      "x",
                                                      "y"}));

    pressTab(memo);
    QVERIFY(after->hasFocus());
    QVERIFY(!memo->toPlainText().contains(u'\t'));
}

// --- labels, look ---------------------------------------------------------

// What the shipped words never need: a caption elided with its tooltip, one narrowed
// only, and a caption changed after fitting taken whole.
void TestToolkit::captionsNarrowThenElideAndFollowNewText()
{
    QWidget window;
    window.setFont(windowFont());
    auto* input = new EditBox(&window);
    input->setGeometry(10, 10, 60, 20);
    auto* label = new Label(&window, u"Int_L"_s, Label::Anchor::Right, 150, 13);
    auto* button = new QPushButton(u"Load Choices"_s, &window);
    button->setGeometry(10, 40, 75, 25);
    const QString longCaption = u"Intelligence of the beast, as the rules measure it"_s;
    label->setCaption(longCaption);
    fitCaptions(&window);

    const qreal room = 150 - (input->geometry().right() + 1) - 3;
    QVERIFY(label->x() >= input->geometry().right() + 1);
    QVERIFY(label->text().endsWith(u'…'));
    QCOMPARE(label->toolTip(), longCaption);
    QVERIFY(QFontMetricsF(label->font()).horizontalAdvance(label->text()) <= room + 0.5);

    QCOMPARE(button->text(), u"Load Choices"_s); // narrowed where needed, not cut
    QVERIFY(QFontMetricsF(button->font()).horizontalAdvance(button->text()) <= 75 - 2 - 4);
    QVERIFY(button->toolTip().isEmpty());
    button->setText(u"Load every choice file of the campaign at once"_s);
    fitCaptions(&window);
    QVERIFY(button->text().endsWith(u'…'));
    QCOMPARE(button->toolTip(), u"Load every choice file of the campaign at once"_s);
    button->setText(u"OK"_s);
    fitCaptions(&window);
    QCOMPARE(button->text(), u"OK"_s);
    QVERIFY(button->toolTip().isEmpty());
    QCOMPARE(button->font().stretch(), window.font().stretch()); // no longer narrowed

    label->setCaption(u"Int"_s);
    QCOMPARE(label->text(), u"Int"_s);
    QCOMPARE(label->x() + label->width(), 150);
    QVERIFY(label->toolTip().isEmpty());
}

void TestToolkit::labelsKeepTheirAnchoredEdge()
{
    QWidget window;
    window.setFont(windowFont());
    auto* input = new EditBox(&window);
    auto* right = new Label(&window, u"Level_L"_s, Label::Anchor::Right, 109, 51);
    auto* left = new Label(&window, u"Celebrity_L2"_s, Label::Anchor::Left, 400, 51);
    auto* fixed = new Label(&window, u"Dash_L"_s, Label::Anchor::FixedCentred, 168, 83, 25, 12);

    QCOMPARE(right->objectName(), u"Level_L"_s);
    right->setCaption(u"Lv"_s);
    const int shortWidth = right->width();
    QCOMPARE(right->x() + right->width(), 109);
    right->setCaption(u"Monster Level of the enemy"_s);
    QVERIFY(right->width() > shortWidth);
    QCOMPARE(right->x() + right->width(), 109); // grew to the left
    QCOMPARE(right->y(), 51);

    left->setCaption(u"know without fail"_s);
    QCOMPARE(left->x(), 400);
    const int leftWidth = left->width();
    left->setCaption(u"know"_s);
    QVERIFY(left->width() < leftWidth);
    QCOMPARE(left->x(), 400);

    fixed->setCaption(u"-"_s);
    QCOMPARE(fixed->geometry(), QRect(168, 83, 25, 12));
    QVERIFY(fixed->alignment() & Qt::AlignHCenter);

    // Captions are plain text, and labels lie beneath the inputs.
    right->setCaption(u"<b>x</b>"_s);
    QCOMPARE(right->textFormat(), Qt::PlainText);
    const QObjectList stacking = window.children();
    QVERIFY(stacking.indexOf(right) < stacking.indexOf(input));
    QVERIFY(stacking.indexOf(fixed) < stacking.indexOf(input));
}

void TestToolkit::setInputEnabledColours()
{
    const QPalette application = QApplication::palette();
    const QColor window = application.color(QPalette::Base);
    const QColor buttonFace = application.color(QPalette::Button);
    QVERIFY(window != buttonFace);

    Window form;
    const std::vector<QWidget*> inputs{form.spin, form.combo, form.edit};
    for (QWidget* input : inputs) {
        setInputEnabled(input, false);
        QVERIFY(!input->isEnabled());
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            QCOMPARE(input->palette().color(group, QPalette::Base), buttonFace);
        setInputEnabled(input, true);
        QVERIFY(input->isEnabled());
        QCOMPARE(input->palette().color(QPalette::Base), window);
    }
}

void TestToolkit::windowFontAndIcon()
{
    installFontSubstitutes();
    const QFont font = windowFont();
    QCOMPARE(font.family(), u"ＭＳ Ｐゴシック"_s);
    QCOMPARE(font.pixelSize(), 12);
    QVERIFY(QFont::substitutes(font.family()).contains(u"IPAPGothic"_s, Qt::CaseInsensitive));
    QVERIFY(QFont::substitutes(font.family()).contains(u"DejaVu Sans"_s, Qt::CaseInsensitive));

    const QIcon icon = applicationIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(!icon.pixmap(32, 32).isNull());
}

QTEST_MAIN(TestToolkit)
#include "tst_toolkit.moc"
