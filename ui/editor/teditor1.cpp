// The editor window's creation: its controls at their form places, captions from the display
// words, the run-time labels, the tab order, and where it stands on the screen.
#include "ui/editor/teditor1.h"

#include "core/records/fieldtable.h"
#include "core/words/languagefile.h"
#include "core/words/vocabulary.h"
#include "ui/editor/editorhost.h"
#include "ui/toolkit/appearance.h"
#include "ui/toolkit/checkbox.h"
#include "ui/toolkit/combobox.h"
#include "ui/toolkit/cp932text.h"
#include "ui/toolkit/dialogs.h"
#include "ui/toolkit/editbox.h"
#include "ui/toolkit/formwindow.h"
#include "ui/toolkit/label.h"
#include "ui/toolkit/memo.h"
#include "ui/toolkit/spinedit.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QFrame>
#include <QPushButton>
#include <QShowEvent>

#include <array>

namespace grimtally::ui {

using namespace Qt::StringLiterals;

namespace {

constexpr int kClientWidth = 785;
constexpr int kClientHeight = 601;
constexpr int kEditHeight = 20;
constexpr int kSpinHeight = 21;
// A row's label sits this much lower than its inputs, and ends this much before the first.
constexpr int kLabelDrop = 3;
constexpr int kLabelGap = 3;

// Separator labels between paired inputs: 25 x 12 with the text centred.
constexpr int kSeparatorWidth = 25;
constexpr int kSeparatorHeight = 12;

struct Place {
    int left;
    int top;
};

// Label tops of the five hyphens, eleven slashes and nine dice forms.
constexpr std::array<Place, 5> kHyphenPlaces{
    {{168, 83}, {168, 115}, {168, 307}, {168, 339}, {168, 371}}};
constexpr std::array<Place, 11> kSlashPlaces{{{288, 195},
                                              {288, 227},
                                              {352, 307},
                                              {352, 339},
                                              {352, 371},
                                              {352, 403},
                                              {168, 435},
                                              {168, 467},
                                              {248, 499},
                                              {248, 531},
                                              {248, 563}}};
constexpr std::array<Place, 9> kDicePlaces{{{256, 307},
                                            {256, 339},
                                            {256, 371},
                                            {256, 403},
                                            {256, 435},
                                            {256, 467},
                                            {336, 499},
                                            {336, 531},
                                            {336, 563}}};

// The derived value's read-only box covers the blanks, so it reads "(2D6+" value ")".
const QString kDicePrefix = u"(2D6+"_s;
const QString kDiceCaption = kDicePrefix + QString(15, u' ') + u')';
constexpr int kDiceRoom = 32; // from the label's left to its read-only box
constexpr int kValueWidth = 57;
constexpr int kDiceCloseGap = 2; // between the box and the closing bracket

// The form was drawn with the Windows font, whose blanks carry the bracket just past the box.
// Other fonts are wider or narrower, so the prefix is squeezed into its room if needed and
// the blanks are stretched or shrunk until the bracket lands beside the box again. Qt adds
// word spacing per run of blanks in some versions and per blank in others, so its effect is
// measured rather than assumed.
QFont fittedDiceFont(QFont font)
{
    const qreal prefixWidth = QFontMetricsF(font).horizontalAdvance(kDicePrefix);
    if (prefixWidth > kDiceRoom - 1) {
        font.setLetterSpacing(QFont::AbsoluteSpacing,
                              (kDiceRoom - 1 - prefixWidth) / kDicePrefix.size());
    }
    const QString upToBracket = kDiceCaption.chopped(1);
    const auto bracketAt = [&](qreal wordSpacing) {
        font.setWordSpacing(wordSpacing);
        return QFontMetricsF(font).horizontalAdvance(upToBracket);
    };
    const qreal atZero = bracketAt(0);
    const qreal perPixel = bracketAt(1) - atZero;
    const qreal wanted = kDiceRoom + kValueWidth + kDiceCloseGap;
    font.setWordSpacing(perPixel > 0 ? (wanted - atZero) / perPixel : 0);
    return font;
}

} // namespace

TEditor1::TEditor1(EditorHost& mainWindow)
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      mainWindow_(mainWindow)
{
    setUpFormWindow(this, u"TEditor1"_s, tr("Enemy Editor for Marrowfane"), kClientWidth,
                    kClientHeight);

    createControls();
    setTabOrders();
    bindFields();
    connectButtons();
    FormCreate();
}

void TEditor1::createControls()
{
    // Row labels are anchored at their right edge, so a longer caption grows to the left.
    const auto rowLabel = [this](const QString& name, int firstInputLeft, int rowTop) {
        return new Label(this, name, Label::Anchor::Right, firstInputLeft - kLabelGap,
                         rowTop + kLabelDrop);
    };
    const auto leftLabel = [this](const QString& name, int left, int top) {
        return new Label(this, name, Label::Anchor::Left, left, top);
    };
    const auto edit = [this](const QString& name, int left, int top, int width) {
        return placed(new EditBox(this), name, QRect(left, top, width, kEditHeight));
    };
    const auto combo = [this](const QString& name, int left, int top, int width) {
        return placed(new ComboBox(this), name, QRect(left, top, width, kEditHeight));
    };
    // Every number of the record has the same range; the form gives the first texts.
    const auto spin = [this](const QString& name, int left, int top) {
        return placed(new SpinEdit(this, 0, kNumberMaximum), name,
                      QRect(left, top, 57, kSpinHeight));
    };
    const auto readOnly = [this](const QString& name, int left, int top) {
        return placed(new ReadOnlyBox(this), name, QRect(left, top, 57, kEditHeight));
    };
    const auto button = [this](const QString& name, const QString& caption, QRect geometry) {
        QPushButton* pushButton = placed(new QPushButton(caption, this), name, geometry);
        pushButton->setAutoDefault(false);
        return pushButton;
    };

    Frame = placed(new QFrame(this), u"Frame"_s, QRect(8, 8, 689, 585));
    Frame->setFrameShape(QFrame::Box);
    Frame->setFrameShadow(QFrame::Sunken);

    Name_L = rowLabel(u"Name_L"_s, 64, 16);
    Name_O = edit(u"Name_O"_s, 64, 16, 457);
    Classify_L = rowLabel(u"Classify_L"_s, 584, 16);
    Classify_O = combo(u"Classify_O"_s, 584, 16, 97);

    Level_L = rowLabel(u"Level_L"_s, 112, 48);
    Level_O = spin(u"Level_O"_s, 112, 48);
    Celebrity_L1 = rowLabel(u"Celebrity_L1"_s, 232, 48);
    Celebrity_O1 = spin(u"Celebrity_O1"_s, 232, 48);
    Celebrity_O2 = combo(u"Celebrity_O2"_s, 296, 48, 97);
    Celebrity_L2 = leftLabel(u"Celebrity_L2"_s, 400, 48 + kLabelDrop);

    Count_L = rowLabel(u"Count_L"_s, 72, 80);
    Count_O1 = combo(u"Count_O1"_s, 72, 80, 97);
    Count_O2 = combo(u"Count_O2"_s, 192, 80, 97);
    Frequency_L = rowLabel(u"Frequency_L"_s, 352, 80);
    Frequency_O = combo(u"Frequency_O"_s, 352, 80, 97);
    Habitat_L = rowLabel(u"Habitat_L"_s, 512, 80);
    Habitat_O = edit(u"Habitat_O"_s, 512, 80, 169);

    Reaction_L = rowLabel(u"Reaction_L"_s, 72, 112);
    Reaction_O1 = combo(u"Reaction_O1"_s, 72, 112, 97);
    Reaction_O2 = combo(u"Reaction_O2"_s, 192, 112, 97);
    Int_L = rowLabel(u"Int_L"_s, 352, 112);
    Int_O = combo(u"Int_O"_s, 352, 112, 97);
    Language_L = rowLabel(u"Language_L"_s, 512, 112);
    Language_O = edit(u"Language_O"_s, 512, 112, 169);

    Sense_L = rowLabel(u"Sense_L"_s, 72, 144);
    Sense_O = combo(u"Sense_O"_s, 72, 144, 97);

    // Column headings above the movement rows, and the ability memo's heading and button.
    Movement_L01 = leftLabel(u"Movement_L01"_s, 192, 175);
    Movement_L02 = leftLabel(u"Movement_L02"_s, 312, 175);
    Ability_L = leftLabel(u"Ability_L"_s, 456, 175);
    Ability_B = button(u"Ability_B"_s, QString(), QRect(584, 172, 97, 17));

    Dex_L = rowLabel(u"Dex_L"_s, 72, 192);
    Dex_O = spin(u"Dex_O"_s, 72, 192);
    Movement_L1 = rowLabel(u"Movement_L1"_s, 192, 192);
    Movement_O11 = combo(u"Movement_O11"_s, 192, 192, 97);
    Movement_O12 = spin(u"Movement_O12"_s, 312, 192);

    Movement_L2 = rowLabel(u"Movement_L2"_s, 192, 224);
    Movement_O21 = combo(u"Movement_O21"_s, 192, 224, 97);
    Movement_O22 = spin(u"Movement_O22"_s, 312, 224);
    Button1 = button(u"Button1"_s, tr("筋力逆算"), QRect(72, 232, 57, 20));

    Str_L = rowLabel(u"Str_L"_s, 72, 256);
    Str_O = spin(u"Str_O"_s, 72, 256);
    Size_L = rowLabel(u"Size_L"_s, 192, 256);
    Size_O = combo(u"Size_O"_s, 192, 256, 97);
    Hardness_L = rowLabel(u"Hardness_L"_s, 352, 256);
    Hardness_O = combo(u"Hardness_O"_s, 352, 256, 81);

    Attack_L01 = leftLabel(u"Attack_L01"_s, 72, 287);
    Attack_L02 = leftLabel(u"Attack_L02"_s, 192, 287);
    Attack_L03 = leftLabel(u"Attack_L03"_s, 376, 287);

    // The three attack rows share their columns.
    struct AttackRowControls {
        Label*& label;
        ComboBox*& method;
        SpinEdit*& hit;
        ReadOnlyBox*& base;
        EditBox*& damage;
    };
    const std::array<AttackRowControls, 3> attackRows{{
        {Attack_L1, Attack_O11, Attack_O12, Attack_O13, Attack_O14},
        {Attack_L2, Attack_O21, Attack_O22, Attack_O23, Attack_O24},
        {Attack_L3, Attack_O31, Attack_O32, Attack_O33, Attack_O34},
    }};
    for (int row = 0; row < 3; ++row) {
        const int top = 304 + 32 * row;
        const QString prefix = u"Attack_"_s;
        const QString digit = QString::number(row + 1);
        const AttackRowControls& controls = attackRows[static_cast<std::size_t>(row)];
        controls.label = rowLabel(prefix + u"L"_s + digit, 72, top);
        controls.method = combo(prefix + u"O"_s + digit + u"1"_s, 72, top, 97);
        controls.hit = spin(prefix + u"O"_s + digit + u"2"_s, 192, top);
        controls.base = readOnly(prefix + u"O"_s + digit + u"3"_s, 288, top);
        controls.damage = edit(prefix + u"O"_s + digit + u"4"_s, 376, top, 57);
    }

    // Dodge/Prevent lines up with HP and SP, whose first input is further right.
    Defence_L = rowLabel(u"Defence_L"_s, 112, 400);
    Defence_O2 = spin(u"Defence_O2"_s, 192, 400);
    Defence_O3 = readOnly(u"Defence_O3"_s, 288, 400);
    Defence_O4 = edit(u"Defence_O4"_s, 376, 400, 57);

    HP_L = rowLabel(u"HP_L"_s, 112, 432);
    HP_O1 = spin(u"HP_O1"_s, 112, 432);
    HP_O2 = spin(u"HP_O2"_s, 192, 432);
    HP_O3 = readOnly(u"HP_O3"_s, 288, 432);

    SP_L = rowLabel(u"SP_L"_s, 112, 464);
    SP_O1 = spin(u"SP_O1"_s, 112, 464);
    SP_O2 = spin(u"SP_O2"_s, 192, 464);
    SP_O3 = readOnly(u"SP_O3"_s, 288, 464);

    struct MagicRowControls {
        Label*& label;
        ComboBox*& magic;
        SpinEdit*& level;
        SpinEdit*& power;
        ReadOnlyBox*& base;
    };
    const std::array<MagicRowControls, 3> magicRows{{
        {Magic_L1, Magic_O11, Magic_O12, Magic_O13, Magic_O14},
        {Magic_L2, Magic_O21, Magic_O22, Magic_O23, Magic_O24},
        {Magic_L3, Magic_O31, Magic_O32, Magic_O33, Magic_O34},
    }};
    for (int row = 0; row < 3; ++row) {
        const int top = 496 + 32 * row;
        const QString prefix = u"Magic_"_s;
        const QString digit = QString::number(row + 1);
        const MagicRowControls& controls = magicRows[static_cast<std::size_t>(row)];
        controls.label = rowLabel(prefix + u"L"_s + digit, 72, top);
        controls.magic = combo(prefix + u"O"_s + digit + u"1"_s, 72, top, 113);
        controls.level = spin(prefix + u"O"_s + digit + u"2"_s, 192, top);
        controls.power = spin(prefix + u"O"_s + digit + u"3"_s, 272, top);
        controls.base = readOnly(prefix + u"O"_s + digit + u"4"_s, 368, top);
    }

    Ability_O = placed(new Memo(this), u"Ability_O"_s, QRect(456, 192, 225, 385));

    // The command column beside the frame, in groups parted by lines.
    B_Resist = button(u"B_Resist"_s, tr("Resist"), QRect(704, 8, 75, 25));
    B_Cancel = button(u"B_Cancel"_s, tr("Cancel"), QRect(704, 40, 75, 25));
    B_Reload = button(u"B_Reload"_s, tr("Reload"), QRect(704, 96, 75, 25));
    B_Reset = button(u"B_Reset"_s, tr("Reset"), QRect(704, 128, 75, 25));
    B_Generate = button(u"B_Generate"_s, tr("Generate"), QRect(704, 184, 75, 25));
    B_LoadChoices = button(u"B_LoadChoices"_s, tr("Load Choices"), QRect(704, 240, 75, 25));
    int separator = 0;
    for (const int top : {80, 168, 224}) {
        auto* line = placed(new QFrame(this), u"Separator"_s + QString::number(++separator),
                            QRect(704, top, 73, 2));
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
    }

    OpenDialog1 = new FileDialog(FileDialog::Kind::Open, u"OpenDialog1"_s, this);

    Frame->lower();
}

void TEditor1::setTabOrders()
{
    // Rows top to bottom, left to right; the read-only boxes take no focus at all.
    const std::vector<QWidget*> chain{
        Name_O,       Classify_O,  Level_O,    Celebrity_O1, Celebrity_O2, Count_O1,
        Count_O2,     Frequency_O, Habitat_O,  Reaction_O1,  Reaction_O2,  Int_O,
        Language_O,   Sense_O,     Dex_O,      Movement_O11, Movement_O12, Movement_O21,
        Movement_O22, Str_O,       Size_O,     Hardness_O,   Attack_O11,   Attack_O12,
        Attack_O14,   Attack_O21,  Attack_O22, Attack_O24,   Attack_O31,   Attack_O32,
        Attack_O34,   Defence_O2,  Defence_O4, HP_O1,        HP_O2,        SP_O1,
        SP_O2,        Magic_O11,   Magic_O12,  Magic_O13,    Magic_O21,    Magic_O22,
        Magic_O23,    Magic_O31,   Magic_O32,  Magic_O33,    Ability_B,    Ability_O,
        B_Resist,     B_Cancel,    B_Reload,   B_Reset,      B_Generate,   B_LoadChoices,
        Button1};
    for (std::size_t i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
    for (ReadOnlyBox* box : {Attack_O13, Attack_O23, Attack_O33, Defence_O3, HP_O3, SP_O3,
                             Magic_O14, Magic_O24, Magic_O34})
        box->setFocusPolicy(Qt::NoFocus);
}

void TEditor1::FormCreate()
{
    // "Language.txt" as the main window read it at start; it has told of any trouble with it.
    LanguageFile& language = mainWindow_.language();

    createRunTimeLabels();
    setCaptions();

    editorWords_ = readEditorWords(language.ini());
    form_.setNoneWord(editorWords_.at(EdNone));
    setEditorWordCaptions();

    runGuarded(dialogParent(), [&] { language.storeEditorWords(editorWords_); });

    createDiceLabels();
    B_LoadChoicesClick();
}

void TEditor1::createRunTimeLabels()
{
    const Vocabulary& words = mainWindow_.vocabulary();
    const auto separators = [this](const auto& places, const QString& prefix,
                                   const QString& caption, std::vector<Label*>& labels) {
        for (const Place& place : places) {
            auto* label = new Label(this, prefix + QString::number(labels.size() + 1),
                                    Label::Anchor::FixedCentred, place.left, place.top,
                                    kSeparatorWidth, kSeparatorHeight);
            label->setCaption(caption);
            label->lower();
            labels.push_back(label);
        }
    };
    separators(kHyphenPlaces, u"Hyphen_L"_s, fromCp932(words[VocHyphen]), HyphenLabels);
    separators(kSlashPlaces, u"Slash_L"_s, fromCp932(words[VocSlash]), SlashLabels);
    Frame->lower();
}

void TEditor1::createDiceLabels()
{
    for (const Place& place : kDicePlaces) {
        auto* label = new Label(this, u"Dice_L"_s + QString::number(DiceLabels.size() + 1),
                                Label::Anchor::Left, place.left, place.top);
        label->keepOwnFont();
        label->setFont(fittedDiceFont(font()));
        label->setCaption(kDiceCaption);
        label->lower();
        DiceLabels.push_back(label);
    }
    Frame->lower();
}

void TEditor1::setCaptions()
{
    const Vocabulary& words = mainWindow_.vocabulary();
    const auto word = [&](int index) { return fromCp932(words[index]); };
    const auto pair = [&](int first, int second) {
        return fromCp932(words[first] + words[VocSlash] + words[second]);
    };
    Name_L->setCaption(word(VocName));
    Classify_L->setCaption(word(VocClassify));
    Level_L->setCaption(word(VocLevel));
    Celebrity_L1->setCaption(word(VocCelebrity));
    Count_L->setCaption(word(VocCount));
    Frequency_L->setCaption(word(VocFrequency));
    Habitat_L->setCaption(word(VocHabitat));
    Reaction_L->setCaption(word(VocReaction));
    Int_L->setCaption(word(VocInt));
    Language_L->setCaption(word(VocLanguage));
    Sense_L->setCaption(word(VocSense));
    Dex_L->setCaption(word(VocDex));
    Movement_L02->setCaption(word(VocSpeed));
    Attack_L02->setCaption(word(VocHit));
    Attack_L03->setCaption(word(VocDamage));
    Defence_L->setCaption(pair(VocDodge, VocPrevent));
    HP_L->setCaption(pair(VocHP, VocResist));
    SP_L->setCaption(pair(VocSP, VocResist));
    Ability_L->setCaption(word(VocAbility));
}

void TEditor1::setEditorWordCaptions()
{
    const auto word = [this](int index) { return fromCp932(editorWords_.at(index)); };
    const auto numbered = [this](int index, int number) {
        return fromCp932(editorWords_.at(index) + " " + std::to_string(number));
    };
    Celebrity_L2->setCaption(word(EdCelebrity2));
    Movement_L01->setCaption(word(EdMove));
    Movement_L1->setCaption(word(EdMain));
    Movement_L2->setCaption(word(EdSub));
    Str_L->setCaption(word(EdStr));
    Size_L->setCaption(word(EdSize));
    Hardness_L->setCaption(word(EdHardness));
    Attack_L01->setCaption(word(EdWeapon));
    Attack_L1->setCaption(numbered(EdAttack, 1));
    Attack_L2->setCaption(numbered(EdAttack, 2));
    Attack_L3->setCaption(numbered(EdAttack, 3));
    Magic_L1->setCaption(numbered(EdMagic, 1));
    Magic_L2->setCaption(numbered(EdMagic, 2));
    Magic_L3->setCaption(numbered(EdMagic, 3));
    Ability_B->setText(word(EdAbility2));
}

QWidget* TEditor1::dialogParent()
{
    // At start-up the editor is still hidden; its questions then stand over the main window.
    if (isVisible())
        return this;
    return mainWindow_.hostWindow();
}

void TEditor1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        centreOnScreen(this);
}

void TEditor1::closeEvent(QCloseEvent* event)
{
    // The title bar's close box asks the register question; only its Yes or No hides the
    // window, through the binding's own close. The entry being typed in is confirmed first,
    // as leaving it would, so an emptied or out-of-range value is never registered.
    confirmFocusedEntry();
    B_ResistClick();
    event->ignore();
}

void TEditor1::confirmFocusedEntry()
{
    for (QWidget* widget = focusWidget(); widget && widget != this;
         widget = widget->parentWidget()) {
        if (auto* spin = qobject_cast<SpinEdit*>(widget))
            return spin->leave();
        if (auto* box = qobject_cast<ComboBox*>(widget))
            return box->leave();
        if (auto* edit = qobject_cast<EditBox*>(widget))
            return edit->leave();
    }
}

} // namespace grimtally::ui
