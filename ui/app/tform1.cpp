#include "ui/app/tform1.h"

#include "core/records/datafile.h"
#include "core/text/savefile.h"
#include "core/text/textfile.h"
#include "ui/app/enemylistmodel.h"
#include "ui/app/findbar.h"
#include "ui/app/programlanguage.h"
#include "ui/editor/teditor1.h"
#include "ui/exchange/exchangecommands.h"
#include "ui/toolkit/appearance.h"
#include "ui/toolkit/cp932text.h"
#include "ui/toolkit/dialogs.h"
#include "ui/toolkit/editbox.h"
#include "ui/toolkit/listview.h"
#include "ui/toolkit/windowprotocol.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

using namespace Qt::StringLiterals;

namespace grimtally::ui {

TForm1::TForm1(QWidget* parent) : TForm1(readLanguageFile(nullptr), parent)
{}

TForm1::TForm1(LanguageFile language, QWidget* parent)
    : QMainWindow(parent), language_(std::move(language)), journal_(std::filesystem::current_path())
{
    setObjectName(u"TForm1"_s);
    setWindowTitle(tr("Grimtally"));
    setFont(windowFont());
    move(192, 54);
    resize(696, 480);

    ListView1 = new ListView(this);
    ListView1->setObjectName(u"ListView1"_s);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setSectionsMovable(false);
    ListView1->header()->setStretchLastSection(false);
    FindBar1 = new FindBar(this);
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(ListView1);
    column->addWidget(FindBar1);
    setCentralWidget(central);

    OpenDialog = new FileDialog(FileDialog::Kind::Open, u"OpenDialog"_s, this);
    SaveDialog = new FileDialog(FileDialog::Kind::Save, u"SaveDialog"_s, this);
    SaveDialog->setDefaultSuffix(u"txt"_s);

    exchange_ = new ExchangeCommands(
        {.window = this,
         .store = &store_,
         .chosenSlots = [this] { return chosenSlots(); },
         .captions = [this] { return Captions(vocabulary_, readEditorWords(language_.ini())); },
         .renewList =
             [this] {
                 endFind();
                 ListView1Renew();
             },
         .noteChange = [this](const StoreChange& change) { journal(change); },
         .shownOnly = [this] { return findNote(); }},
        this);
    buildMenus();
    FormCreate();

    connect(ListView1, &QTreeView::doubleClicked, this, [this] { ListView1DblClick(); });
    connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TForm1::enableRowCommands);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { ListView1ColumnClick(column); });
    connect(ListView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupMenu1->popup(ListView1->viewport()->mapToGlobal(pos));
    });
    connect(FindBar1, &FindBar::changed, this, &TForm1::Find_OChange);
    connect(FindBar1, &FindBar::closed, this, [this] {
        // Back in the full list, on the record that was selected.
        ListView1->setFocus();
        selectSlot(selectedSlot());
    });
    connect(FindBar1, &FindBar::toList, this, [this] {
        ListView1->setFocus();
        if (selectedRow() < 0 && model_->rowCount() > 1)
            selectRow(1);
    });
}

TForm1::~TForm1() = default;

QAction* TForm1::addMenuItem(QMenu* menu, const QString& name, const QString& caption,
                             void (TForm1::*handler)())
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    if (handler)
        connect(item, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return item;
}

namespace {

QList<QKeySequence> standardKeys(QKeySequence::StandardKey key, const QKeySequence& fallback)
{
    // Some desktops bind no key to a standard command (Save as under a plain X11 session).
    const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    return keys.isEmpty() ? QList<QKeySequence>{fallback} : keys;
}

} // namespace

void TForm1::buildMenus()
{
    menuBar()->setObjectName(u"MainMenu1"_s);
    QMenu* files = menuBar()->addMenu(tr("&Files"));
    files->setObjectName(u"Files1"_s);
    addMenuItem(files, u"Menu_New"_s, tr("&New"), &TForm1::Menu_NewClick)
        ->setShortcuts(QKeySequence::New);
    addMenuItem(files, u"Menu_Open"_s, tr("&Open"), &TForm1::Menu_OpenClick)
        ->setShortcuts(QKeySequence::Open);
    addMenuItem(files, u"Menu_Merge"_s, tr("&Merge"), &TForm1::Menu_MergeClick)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    files->addSeparator()->setObjectName(u"N1"_s);
    addMenuItem(files, u"Menu_Save"_s, tr("&Save"), nullptr)->setEnabled(false);
    // "&Save" never saves, so the save keys, too, ask for the file name.
    addMenuItem(files, u"Menu_Anew"_s, tr("&Anew"), &TForm1::Menu_AnewClick)
        ->setShortcuts(
            standardKeys(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)) +
            standardKeys(QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S)));
    files->addSeparator()->setObjectName(u"N2"_s);
    exchange_->addToFilesMenu(files);
    files->addSeparator()->setObjectName(u"N3"_s);
    addMenuItem(files, u"Menu_Exit"_s, tr("E&xit"), nullptr)->setEnabled(false);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(u"Menu_Help"_s);
    addMenuItem(help, u"Menu_About"_s, tr("&About"), &TForm1::Menu_AboutClick)
        ->setShortcut(QKeySequence(Qt::Key_F1));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(u"PopupMenu1"_s);
    QAction* edit = addMenuItem(PopupMenu1, u"Edit1"_s, tr("Edit"), &TForm1::ListView1DblClick);
    addMenuItem(PopupMenu1, u"Copy1"_s, tr("Copy"), &TForm1::Copy1Click);
    QAction* remove = addMenuItem(PopupMenu1, u"Delete1"_s, tr("Delete"), &TForm1::Delete1Click);
    PopupMenu1->addSeparator();
    exchange_->addToPopupMenu(PopupMenu1);
    PopupMenu1->addSeparator();
    // Anywhere in the window, as in every program with a find.
    QAction* find = addMenuItem(PopupMenu1, u"Find1"_s, tr("Find..."), &TForm1::Find1Click);
    find->setShortcuts(standardKeys(QKeySequence::Find, QKeySequence(Qt::CTRL | Qt::Key_F)));
    find->setShortcutContext(Qt::WindowShortcut);
    addAction(find);
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TForm1::PopupMenu1Popup);

    // The row commands' keys work in the list; the popup shows them.
    edit->setShortcuts(
        {QKeySequence(Qt::Key_F2), QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    remove->setShortcut(QKeySequence(QKeySequence::Delete));
    for (QAction* rowCommand : {edit, remove}) {
        rowCommand->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        ListView1->addAction(rowCommand);
    }
}

void TForm1::FormCreate()
{
    setWindowIcon(applicationIcon());

    // Read once for every window. A file that cannot be read, or not as Shift-JIS text, is
    // reported here and never written, so the user's own words are not lost.
    reportLanguageProblem(this, language_);
    vocabulary_ = readVocabulary(language_.ini());

    model_ = new EnemyListModel(store_, vocabulary_, this);
    ListView1->setModel(model_);
    ListView1->setColumnWidth(0, 100);
    // The other columns are at least as wide as their captions with the sort arrow beside them.
    QHeaderView* header = ListView1->header();
    const bool arrowShown = header->isSortIndicatorShown();
    header->setSortIndicatorShown(true);
    for (int column = 1; column < model_->columnCount(); ++column) {
        ListView1->setColumnWidth(
            column, std::max(header->defaultSectionSize(), header->sectionSizeHint(column)));
    }
    header->setSortIndicatorShown(arrowShown);

    Menu_NewClick();

    // Writing back last: if it fails, the list is already complete.
    runGuarded(this, [&] { language_.storeVocabulary(vocabulary_); });
}

int TForm1::selectedRow() const
{
    const QModelIndexList rows = ListView1->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

int TForm1::selectedSlot() const
{
    const int row = selectedRow();
    return row < 0 ? -1 : model_->slotOfRow(row);
}

void TForm1::selectRow(int row)
{
    ListView1->setCurrentIndex(model_->index(row, 0));
}

std::vector<int> TForm1::chosenSlots() const
{
    const int slot = selectedSlot();
    if (slot >= 1)
        return {slot};
    std::vector<int> slots;
    slots.reserve(static_cast<std::size_t>(store_.recordCount()));
    for (int row = 1; row < model_->rowCount(); ++row)
        slots.push_back(model_->slotOfRow(row));
    return slots;
}

void TForm1::ListView1Renew()
{
    // A rebuild shows slot order with no row selected (a sort keeps the selection), of the
    // rows the find bar's words keep.
    model_->renew();
    showSortDirection();
    showFindCount();
    enableRowCommands();
}

void TForm1::Find1Click()
{
    FindBar1->open();
}

void TForm1::Find_OChange()
{
    // The record the user was on stays selected while it is still shown.
    const int slot = selectedSlot();
    model_->setFindText(FindBar1->typedBytes());
    showFindCount();
    selectSlot(slot);
    enableRowCommands();
}

void TForm1::endFind()
{
    if (FindBar1->isVisible() || model_->finding())
        FindBar1->close();
}

void TForm1::showFindCount()
{
    FindBar1->showCount(model_->finding() ? model_->shownRecordCount() : -1, store_.recordCount());
}

QString TForm1::findNote() const
{
    if (!model_->finding() || selectedSlot() >= 1)
        return {};
    return tr("only the %n enemies the find bar shows", nullptr, model_->shownRecordCount());
}

void TForm1::selectSlot(int slot)
{
    const int row = slot < 0 ? -1 : model_->rowOfSlot(slot);
    if (row < 0)
        return;
    selectRow(row);
    ListView1->scrollTo(model_->index(row, 0));
}

void TForm1::showSortDirection()
{
    QHeaderView* header = ListView1->header();
    const int direction = model_->shownSortDirection();
    header->setSortIndicatorShown(direction != 0);
    if (direction != 0) {
        header->setSortIndicator(model_->order().sortColumn(),
                                 direction > 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
    }
}

void TForm1::Menu_NewClick()
{
    if (!SaveChangesFirst())
        return;
    store_.clear();
    savedRevision_ = store_.revision();
    endFind();
    startedFrom({});
    ListView1Renew();
}

void TForm1::Menu_OpenClick()
{
    OpenDialog->setTitle(tr("Open"));
    if (SaveChangesFirst())
        ReadData(1);
}

void TForm1::Menu_MergeClick()
{
    OpenDialog->setTitle(tr("Merge"));
    ReadData(store_.slotCount());
}

namespace {

// What the refusal message adds beneath its fixed text: the refused lines are lost on the
// next save unless the user knows where they are.
QString refusedLinesDetail(const QString& file, const ParsedDataFile& parsed)
{
    const QString name = QFileInfo(file).fileName();
    QStringList numbers;
    for (std::int64_t number : parsed.refusedLineNumbers)
        numbers << QString::number(number);
    if (parsed.refusedLines == 1)
        return TForm1::tr("Line %1 of %2 is not an enemy record and will not be kept.")
            .arg(numbers[0], name);
    const QString listed =
        TForm1::tr("%1 and %2")
            .arg(numbers.mid(0, numbers.size() - 1).join(TForm1::tr(", ")), numbers.back());
    if (parsed.refusedLines == numbers.size())
        return TForm1::tr("Lines %1 of %2 are not enemy records and will not be kept.")
            .arg(listed, name);
    return TForm1::tr("%1 lines of %2 are not enemy records and will not be kept; the first %3 "
                      "are lines %4.")
        .arg(QString::number(parsed.refusedLines), name, QString::number(numbers.size()), listed);
}

QString unicodeFileDetail(const QString& file, std::string_view encoding)
{
    return TForm1::tr("%1 is %2 text (it begins with a byte-order mark), but enemy data files "
                      "are Shift-JIS text. Nothing was read from it.")
        .arg(QFileInfo(file).fileName(),
             QString::fromUtf8(encoding.data(), static_cast<qsizetype>(encoding.size())));
}

// A rewrite in place that was killed left the file's old content in a copy: the file may
// hold part of that save. The user chooses which to open; false when reading is to stop.
bool offerInterruptedSave(QWidget* window, const QString& file)
{
    std::optional<std::filesystem::path> copy;
    if (!runGuarded(window, [&] { copy = interruptedSaveCopy(toPath(file)); }))
        return false;
    if (!copy)
        return true;
    const QString question =
        TForm1::tr("An earlier save of %1 was interrupted. Its content from before that save is "
                   "kept in %2.\r\n\r\nPut that content back into %1?")
            .arg(QFileInfo(file).fileName(), fromPath(*copy));
    const QString detail = TForm1::tr("No opens the file as it is now; the copy stays until the "
                                      "file is saved again.");
    if (Dialogs::current().ask(window, question, MessageIcon::Question, MessageButtons::YesNo,
                               detail) != Answer::Yes)
        return true;
    return runGuarded(window, [&] { restoreInterruptedSave(toPath(file)); });
}

} // namespace

void TForm1::ReadData(int firstSlot)
{
    const std::uint64_t before = store_.revision();
    while (OpenDialog->execute(this)) {
        const QString fileName = OpenDialog->fileName();
        if (!offerInterruptedSave(this, fileName))
            break;
        ParsedDataFile parsed;
        const bool read = runGuarded(this, [&] {
            parsed = readDataFile(toPath(fileName));
            if (!parsed.hadLines)
                return;
            // Opening replaces the records the selection stood on; merging only adds.
            if (firstSlot == 1)
                ListView1->clearSelection();
            const StoreChange change = StoreChange::replacingFrom(store_, firstSlot);
            store_.replaceFrom(firstSlot, std::move(parsed.records));
            // The collection is now what the file holds, as far as it could be read.
            if (firstSlot == 1) {
                savedRevision_ = store_.revision();
                startedFrom({toPath(fileName), parsed.fingerprint});
            } else {
                journal(change);
            }
        });
        if (!read)
            break; // the store keeps what it held before this file
        QString detail;
        if (!parsed.unicodeEncoding.empty())
            detail = unicodeFileDetail(fileName, parsed.unicodeEncoding);
        else if (parsed.refusedLines > 0)
            detail = refusedLinesDetail(fileName, parsed);
        else
            break;
        Dialogs::current().ask(this, tr("敵データではありません。\r\n選択しなおしてください。"),
                               MessageIcon::Information, MessageButtons::Ok, detail);
    }
    if (store_.revision() != before)
        endFind();
    ListView1Renew();
}

TForm1::SaveResult TForm1::SaveAs()
{
    SaveDialog->setTitle(tr("Save as"));
    for (;;) {
        if (!SaveDialog->execute(this))
            return SaveResult::NotWritten;
        if (!mayOverwrite(this, SaveDialog->fileName()))
            return SaveResult::NotWritten;
        const Answer answer = mayWriteOverKnownFile(SaveDialog->fileName());
        if (answer == Answer::Yes)
            break;
        if (answer != Answer::No)
            return SaveResult::NotWritten;
    }
    const std::filesystem::path file = toPath(SaveDialog->fileName());
    FileFingerprint written;
    if (!runGuarded(this, [&] { written = saveDataFile(file, store_); }))
        return SaveResult::Failed;
    savedRevision_ = store_.revision();
    startedFrom({file, written});
    return SaveResult::Written;
}

Answer TForm1::mayWriteOverKnownFile(const QString& fileName)
{
    const std::filesystem::path file = toPath(fileName);
    if (knownFile_.file.empty() || !sameFile(file, knownFile_.file))
        return Answer::Yes;
    FileChange change = FileChange::None;
    // A file that cannot be read to compare is left to the save, which reports it.
    try {
        change = changeSince(file, knownFile_.fingerprint);
    } catch (const FileError&) {
        return Answer::Yes;
    }
    if (change == FileChange::None)
        return Answer::Yes;
    const QString question =
        tr("%1 was changed by another program since it was opened or saved.\r\n\r\n"
           "Write over it?")
            .arg(QFileInfo(fileName).fileName());
    const QString detail = change == FileChange::Removed
                               ? tr("It is no longer there. Yes saves the collection under this "
                                    "name again, No chooses another name, Cancel writes nothing.")
                               : tr("Yes writes over what the other program wrote, No chooses "
                                    "another name, Cancel writes nothing.");
    return Dialogs::current().ask(this, question, MessageIcon::Warning, MessageButtons::YesNoCancel,
                                  detail);
}

void TForm1::startedFrom(JournalBase base)
{
    knownFile_ = std::move(base);
    journalFailed_ = false;
    runGuarded(this, [&] { journal_.reset(knownFile_); });
}

void TForm1::journal(const StoreChange& change)
{
    if (journalFailed_)
        return;
    try {
        journal_.note(store_, change);
    } catch (const std::exception& error) {
        // Told once; the work goes on, but a crash would now lose it.
        journalFailed_ = true;
        try {
            journal_.discard();
        } catch (const std::exception&) {
        }
        Dialogs::current().ask(
            this,
            tr("Unsaved changes can no longer be kept for recovery after a crash: %1\r\n\r\n"
               "Save the collection to keep them.")
                .arg(errorText(error)),
            MessageIcon::Warning, MessageButtons::Ok);
    }
}

void TForm1::registerRecord(EnemyRecord record)
{
    const int slot = selectedSlot();
    if (slot >= 1 && slot < store_.slotCount()) {
        const StoreChange change = StoreChange::overwriting(store_, slot);
        store_.overwrite(slot, std::move(record));
        journal(change);
    } else {
        const StoreChange change = StoreChange::appending(store_); // the new-entry row
        store_.append(std::move(record));
        journal(change);
    }
    ListView1Renew();
}

namespace {

// What restoring did besides putting the changes back, for the one message after it.
QString restoreReport(const JournalRestore& restored)
{
    QStringList lines;
    const QString base = fromPath(restored.base.file.filename());
    if (restored.baseMissing) {
        lines << TForm1::tr("The file the changes were made to could not be read again (%1). "
                            "They were put back onto an empty collection.")
                     .arg(QString::fromStdString(restored.baseProblem));
    } else if (restored.baseChanged) {
        lines << TForm1::tr("%1 was changed by another program since the earlier run. The "
                            "unsaved changes were put back onto it as it is now.")
                     .arg(base);
    }
    if (restored.unmatched > 0) {
        lines << TForm1::tr("%n edited or deleted enemies were no longer found: edited ones were "
                            "added at the end, deletions were not repeated.",
                            nullptr, restored.unmatched);
    }
    if (restored.damaged) {
        lines << TForm1::tr("The record of the unsaved changes was damaged after %n changes; "
                            "those were restored.",
                            nullptr, restored.changes);
        if (!restored.keptAside.empty())
            lines << TForm1::tr("The damaged record is kept in %1.")
                         .arg(fromPath(restored.keptAside));
    }
    return lines.join(u"\r\n\r\n"_s);
}

} // namespace

void TForm1::offerRecovery()
{
    std::vector<std::filesystem::path> journals;
    runGuarded(this,
               [&] { journals = RecoveryJournal::leftBehind(std::filesystem::current_path()); });
    for (const std::filesystem::path& journal : journals) {
        const Answer answer = Dialogs::current().ask(
            this, tr("Unsaved changes from an earlier run were found. Restore them?"),
            MessageIcon::Question, MessageButtons::YesNo,
            tr("No keeps them in a file named grimtally-unsaved- and the date in the working "
               "folder."));
        if (answer != Answer::Yes) {
            runGuarded(this, [&] { RecoveryJournal::setAside(journal); });
            continue;
        }
        std::optional<JournalRestore> restored;
        if (!runGuarded(this, [&] { restored = journal_.restore(journal, store_); }) || !restored) {
            ListView1Renew();
            continue;
        }
        knownFile_ = restored->base;
        journalFailed_ = false;
        savedRevision_ = restored->baseRevision;
        ListView1Renew();
        const QString report = restoreReport(*restored);
        if (!report.isEmpty())
            Dialogs::current().ask(this, report, MessageIcon::Information, MessageButtons::Ok);
        return; // one collection at a time: any other journal waits for the next start
    }
}

bool TForm1::hasUnsavedChanges() const
{
    return store_.revision() != savedRevision_;
}

bool TForm1::SaveChangesFirst()
{
    // Without records there is nothing to lose, as on closing.
    if (store_.recordCount() == 0 || !hasUnsavedChanges())
        return true;
    switch (Dialogs::current().ask(this, tr("データを保存しますか？"), MessageIcon::Information,
                                   MessageButtons::YesNoCancel)) {
    case Answer::Yes:
        // Unlike closing, nothing ends here: a collection that was not saved stays.
        return SaveAs() == SaveResult::Written;
    case Answer::No:
        return true;
    default:
        return false;
    }
}

void TForm1::Menu_AnewClick()
{
    SaveAs();
}

void TForm1::Menu_AboutClick()
{
    if (aboutBox_)
        openSecondary(this, aboutBox_, aboutBox_);
}

void TForm1::ListView1DblClick()
{
    const int row = selectedRow();
    if (row < 0 || !editor_)
        return;
    setEnabled(false);
    if (row == 0)
        editor_->DataInitialized();
    else
        editor_->DataGot();
    openSecondary(this, editor_, editor_->Name_O);
}

void TForm1::Copy1Click()
{
    const int slot = selectedSlot();
    if (slot < 1)
        return;
    const StoreChange change = StoreChange::appending(store_);
    store_.append({std::string(store_.name(slot)), FieldList(store_.fields(slot))});
    journal(change);
    ListView1Renew();
}

void TForm1::Delete1Click()
{
    const int slot = selectedSlot();
    if (slot < 1)
        return;
    const QString question =
        tr("%1を削除します。\r\nよろしいですか？").arg(fromCp932(store_.name(slot)));
    if (Dialogs::current().ask(this, question, MessageIcon::Warning, MessageButtons::OkCancel) ==
        Answer::Ok) {
        const StoreChange change = StoreChange::removing(store_, slot);
        store_.remove(slot);
        journal(change);
    }
    ListView1Renew();
}

void TForm1::PopupMenu1Popup()
{
    enableRowCommands();
}

void TForm1::enableRowCommands()
{
    const int row = selectedRow();
    findChild<QAction*>(u"Edit1"_s)->setEnabled(row >= 0);
    findChild<QAction*>(u"Copy1"_s)->setEnabled(row > 0);
    findChild<QAction*>(u"Delete1"_s)->setEnabled(row > 0);
    const bool anyEnemy = store_.recordCount() > 0;
    findChild<QAction*>(u"Print1"_s)->setEnabled(anyEnemy);
    findChild<QAction*>(u"ExportPdf1"_s)->setEnabled(anyEnemy);
}

void TForm1::ListView1ColumnClick(int column)
{
    const int slot = selectedSlot();
    model_->sortByHeaderClick(column);
    showSortDirection();
    // The rows stay in place through a sort, so the selection is moved to its record here.
    if (slot < 0)
        ListView1->selectionModel()->clear();
    selectSlot(slot);
    enableRowCommands();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // While another window has the input, the main window cannot be closed.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    if (store_.recordCount() == 0) {
        closeJournal();
        event->accept();
        return;
    }
    switch (Dialogs::current().ask(this, tr("データを保存しますか？"), MessageIcon::Information,
                                   MessageButtons::YesNoCancel)) {
    case Answer::Yes:
        // Closes only once the collection is on disk: a cancelled save dialog, a declined
        // overwrite question or a failed save keep the window and every record, as Cancel does.
        if (SaveAs() == SaveResult::Written) {
            closeJournal();
            event->accept();
        } else
            event->ignore();
        return;
    case Answer::No:
        closeJournal();
        event->accept();
        return;
    default:
        event->ignore();
        return;
    }
}

void TForm1::closeJournal()
{
    // The user chose what happens to the collection: nothing is left to offer back.
    runGuarded(this, [&] { journal_.discard(); });
}

} // namespace grimtally::ui
