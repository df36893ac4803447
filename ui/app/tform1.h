// The main window: the enemy list over the record store, and the commands on the collection.
#pragma once

#include "core/records/recoveryjournal.h"
#include "ui/editor/editorhost.h"

#include <QMainWindow>

class QAction;
class QMenu;
class QTreeView;

namespace grimtally::ui {

class EnemyListModel;
class ExchangeCommands;
class FileDialog;
class FindBar;
class TEditor1;

enum class Answer;

class TForm1 : public QMainWindow, public EditorHost {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr); // reads "Language.txt" itself; runs FormCreate
    // With "Language.txt" as the program read it at start, before any window.
    explicit TForm1(LanguageFile language, QWidget* parent = nullptr);
    ~TForm1() override;

    // The windows the list opens; set once after they are created.
    void setEditor(TEditor1* editor) { editor_ = editor; }
    void setAboutBox(QWidget* aboutBox) { aboutBox_ = aboutBox; }

    QWidget* hostWindow() override { return this; }
    const Vocabulary& vocabulary() const override { return vocabulary_; }
    // "Language.txt" as read at start; the editor takes its own words from it.
    LanguageFile& language() override { return language_; }
    RecordStore& store() override { return store_; }
    const RecordStore& store() const { return store_; }
    void registerRecord(EnemyRecord record) override;

    // The selected row (0 is the new-entry row) and the slot it shows; -1 when none.
    int selectedRow() const override;
    int selectedSlot() const override;
    void selectRow(int row);
    // What printing and exporting take: the selected enemy, or with the new-entry row or no
    // row selected every enemy the list shows, in its order.
    std::vector<int> chosenSlots() const;

    void ListView1Renew() override;

    // Commands, named after the controls that run them.
    void FormCreate();
    void Menu_NewClick();
    void Menu_OpenClick();
    void Menu_MergeClick();
    void Menu_AnewClick();
    void Menu_AboutClick();
    void ListView1DblClick();
    void Copy1Click();
    void Delete1Click();
    void PopupMenu1Popup();
    void ListView1ColumnClick(int column);
    void Find1Click();   // shows the find bar
    void Find_OChange(); // the list keeps the rows of the words typed

    // Reads a data file chosen by the user into the store from `firstSlot` on.
    void ReadData(int firstSlot);
    // Save as. Failed means the file could not be written (the error box was shown).
    enum class SaveResult { Written, NotWritten, Failed };
    SaveResult SaveAs();

    // True when records were added, changed or removed since the collection was last
    // opened, saved or started anew.
    bool hasUnsavedChanges() const;

    // At start, once the choice file is loaded: offers the unsaved changes that a program
    // which ended without closing left in the working folder.
    void offerRecovery();
    // The recovery journal being written while there are unsaved changes, if any.
    std::optional<std::filesystem::path> recoveryJournal() const { return journal_.file(); }

    QTreeView* ListView1 = nullptr;
    FindBar* FindBar1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    FileDialog* OpenDialog = nullptr;
    FileDialog* SaveDialog = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override; // FormClose: the save question

private:
    void buildMenus();
    // Edit for any selected row, Copy and Delete for a record row; their keys follow.
    void enableRowCommands();
    // The arrow on the sorted column's header, none while the rows are in slot order.
    void showSortDirection();
    // Selects the row showing `slot` and scrolls it into view; nothing for -1.
    void selectSlot(int slot);
    // Closes the find bar, so that every enemy shows: the commands that bring in or drop
    // records end a find.
    void endFind();
    // "N of M enemies" beside the find bar while words are typed.
    void showFindCount();
    // What printing and exporting say when they take only the enemies the find bar shows.
    QString findNote() const;
    // Before New and Open drop the records: asks to save unsaved changes. False when the
    // user cancels or the collection was not saved after all.
    bool SaveChangesFirst();
    QAction* addMenuItem(QMenu* menu, const QString& name, const QString& caption,
                         void (TForm1::*handler)());
    // Asks before Save as writes over the file last opened or saved when another program
    // changed it since. Answer::Yes writes, No chooses another name, Cancel writes nothing.
    Answer mayWriteOverKnownFile(const QString& file);
    // The collection now is `base`, with nothing unsaved; the journal starts anew.
    void startedFrom(JournalBase base);
    // Keeps a change just made to the store in the recovery journal.
    void journal(const StoreChange& change);
    // An orderly close: the journal goes.
    void closeJournal();

    LanguageFile language_;
    Vocabulary vocabulary_;
    RecordStore store_;
    std::uint64_t savedRevision_ = 0; // the store's revision when it was last read or written
    JournalBase knownFile_;           // the file last opened or saved, as it was then
    RecoveryJournal journal_;
    bool journalFailed_ = false; // until the next save, New or Open
    EnemyListModel* model_ = nullptr;
    TEditor1* editor_ = nullptr;
    QWidget* aboutBox_ = nullptr;
    ExchangeCommands* exchange_ = nullptr;
};

} // namespace grimtally::ui
