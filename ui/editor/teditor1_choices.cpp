// The Load Choices command: the choice file into the enemy form, and the form's lists into
// the combo boxes and the row of sub-sense check boxes.
#include "core/records/fieldtable.h"
#include "core/text/inifile.h"
#include "ui/editor/editorhost.h"
#include "ui/editor/teditor1.h"
#include "ui/toolkit/appearance.h"
#include "ui/toolkit/captionfit.h"
#include "ui/toolkit/checkbox.h"
#include "ui/toolkit/combobox.h"
#include "ui/toolkit/cp932text.h"
#include "ui/toolkit/dialogs.h"
#include "ui/toolkit/label.h"

#include <QDir>
#include <QFontMetrics>
#include <QFrame>

#include <algorithm>
#include <utility>

namespace grimtally::ui {

using namespace Qt::StringLiterals;

namespace {

constexpr int kSubSenseTop = 148;
constexpr int kFirstSubSenseLeft = 176;
constexpr int kSubSenseGap = 32;
constexpr int kFarthestLeft = 1 << 24;
constexpr int kSubSenseFrameGap = 3; // the last box keeps this far inside the frame

// The font of the sub-sense row: the window font, narrowed as one for the whole row when the
// boxes would run past the frame, as far as that keeps them readable. A row longer than
// that runs off to the right.
QFont subSenseFont(const QStringList& captions, const QFont& windowFont, int frameInside)
{
    if (captions.isEmpty())
        return windowFont;
    CheckBox probe("X");
    probe.setFont(windowFont);
    const int boxExtra =
        probe.sizeHint().width() - QFontMetrics(windowFont).horizontalAdvance(u"X"_s);
    const auto rowWidth = [&](const QFont& font) {
        const QFontMetrics metrics(font);
        qreal width = 0;
        for (qsizetype i = 0; i + 1 < captions.size(); ++i)
            width += metrics.horizontalAdvance(captions[i]) + kSubSenseGap;
        return width + boxExtra + metrics.horizontalAdvance(captions.back());
    };
    QFont unnarrowed = windowFont;
    unnarrowed.setStretch(QFont::Unstretched);
    unnarrowed.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    return narrowedToFit(unnarrowed, frameInside - kSubSenseFrameGap - kFirstSubSenseLeft,
                         rowWidth);
}

// Error texts are UTF-8 on their way to the error box.
std::string shownFileName(const QString& fileName)
{
    return QDir::toNativeSeparators(fileName).toStdString();
}

} // namespace

void TEditor1::B_LoadChoicesClick()
{
    OpenDialog1->setFileName(u"Choices.txt"_s);
    OpenDialog1->setTitle(tr("Load Choices"));
    bool newChoices = false;
    if (OpenDialog1->execute(dialogParent())) {
        // The whole file is read before anything is replaced, so a bad row changes nothing.
        const QString fileName = OpenDialog1->fileName();
        std::optional<ChoiceTables> loaded;
        const bool read = runGuarded(dialogParent(), [&] {
            const IniFile file = IniFile::load(toPath(fileName));
            loaded = readChoiceTables(file, shownFileName(fileName));
        });
        if (!read) {
            // Nothing was replaced; a failed first load still leaves the optional boxes on
            // their none word, as every later step relies on it.
            form_.putNoneWords();
            showChoices();
            return;
        }
        form_.setChoices(std::move(*loaded));
        buildSubSenses(form_.subSenseCaptions());
        newChoices = true;
    }
    form_.putNoneWords();
    showChoices();
    // An editor open on a stored enemy shows that enemy again, read with the new lists;
    // a form of new-record defaults would otherwise be registered over it.
    if (isVisible() && mainWindow_.selectedRow() != 0)
        DataGot();
    else
        DataInitialized();
    if (newChoices)
        Q_EMIT choicesLoaded();
}

void TEditor1::showChoices()
{
    for (const FieldInfo& info : kFieldTable) {
        if (info.kind != FieldKind::Choice)
            continue;
        auto* box = static_cast<ComboBox*>(inputs_[static_cast<std::size_t>(info.field + 1)]);
        const std::vector<std::string>& entries = form_.entries(info.field);
        if (!form_.entryNumber(info.field, 0)) {
            box->setEntries(entries);
            continue;
        }
        std::vector<std::pair<std::string, int>> numbered;
        numbered.reserve(entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i)
            numbered.emplace_back(entries[i], *form_.entryNumber(info.field, static_cast<int>(i)));
        box->setNumberedEntries(numbered);
    }
    // The boxes kept their texts; the form says which entry each stands on.
    showWholeForm();
}

void TEditor1::buildSubSenses(const std::vector<std::string>& captions)
{
    for (CheckBox* check : SubSenseChecks)
        delete check;
    for (Label* label : SubSenseLabels)
        delete label;
    SubSenseChecks.clear();
    SubSenseLabels.clear();
    SubSenseChecks.reserve(captions.size());
    SubSenseLabels.reserve(captions.size());

    // Each box starts where the previous caption's width plus a gap ends; past the frame the
    // boxes simply run off to the right.
    QStringList texts;
    for (const std::string& caption : captions)
        texts << fromCp932(caption);
    const QRect frameInside = Frame->contentsRect().translated(Frame->pos());
    const QFont rowFont = subSenseFont(texts, windowFont(), frameInside.right() + 1);
    const QFontMetrics metrics(rowFont);
    QWidget* previous = Sense_O;
    int left = kFirstSubSenseLeft;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        const QString& caption = texts[static_cast<qsizetype>(i)];
        const QString number = QString::number(i + 1);

        auto* measure =
            new Label(this, u"SubSense_L"_s + number, Label::Anchor::Left, left, kSubSenseTop);
        measure->setFont(rowFont);
        measure->setCaption(caption);
        measure->hide();

        auto* check = new CheckBox(captions[i], this);
        check->setObjectName(u"SubSense_O"_s + number);
        connect(check, &CheckBox::toggled, this, [this, i](bool ticked) { onTicked(i, ticked); });
        check->setFont(rowFont);
        check->adjustSize();
        check->move(left, kSubSenseTop);
        check->show();
        setTabOrder(previous, check);
        previous = check;

        SubSenseLabels.push_back(measure);
        SubSenseChecks.push_back(check);
        // Kept in range however wide a caption is, so a huge row cannot wrap the places.
        left = static_cast<int>(std::min<qint64>(
            qint64{left} + metrics.horizontalAdvance(caption) + kSubSenseGap, kFarthestLeft));
    }
}

} // namespace grimtally::ui
