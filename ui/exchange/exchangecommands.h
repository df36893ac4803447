// The commands that take enemies out of the program (print, PDF, JSON, CSV, Markdown) and bring
// JSON back in as a merge. The main window adds them to its menus; the files are written by
// the core, this only asks for names and shows what went wrong.
#pragma once

#include "core/exchange/captions.h"
#include "core/records/recordstore.h"
#include "core/records/recoveryjournal.h"

#include <QObject>

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <vector>

class QAction;
class QMenu;
class QPrinter;
class QWidget;

namespace grimtally::ui {

// What the commands need of the main window.
struct ExchangeHost {
    QWidget* window = nullptr;
    RecordStore* store = nullptr;
    // The slots to print or export: the selected enemy, or every enemy in the list's order.
    std::function<std::vector<int>()> chosenSlots;
    std::function<Captions()> captions;
    std::function<void()> renewList;                    // after an import added records
    std::function<void(const StoreChange&)> noteChange; // the import, once made
    // While the find bar hides enemies and none is selected, how the commands say that they
    // take only the shown ones; else empty.
    std::function<QString()> shownOnly;
};

class ExchangeCommands : public QObject {
    Q_OBJECT
public:
    ExchangeCommands(ExchangeHost host, QObject* parent);

    // Adds Menu_Print, Menu_ExportPdf, the Menu_Export submenu (Menu_ExportJson,
    // Menu_ExportCsv, Menu_ExportMarkdown), Menu_ImportJson and Menu_TwoPerPage.
    void addToFilesMenu(QMenu* files);
    // Adds Print1 and ExportPdf1 to the list's popup menu.
    void addToPopupMenu(QMenu* popup);

    void Menu_PrintClick();
    void Menu_ExportPdfClick();
    void Menu_ExportJsonClick();
    void Menu_ExportCsvClick();
    void Menu_ExportMarkdownClick();
    void Menu_ImportJsonClick();

    // The stat blocks of `slots` printed onto `printer` (a PDF file, paper or a preview).
    void printStatBlocks(QPrinter* printer, const std::vector<int>& slots) const;

private:
    QAction* addItem(QMenu* menu, const QString& name, const QString& caption,
                     void (ExchangeCommands::*handler)());
    // Asks for a file name and writes `contents` to it whole; nothing when cancelled.
    void exportText(const QString& title, const QString& suffix,
                    const std::function<void(std::ostream&, const std::vector<int>&)>& contents);
    // The file an export writes: the user's choice, after the overwrite question if it
    // exists; nothing when either is cancelled.
    std::optional<QString> exportFileName(const QString& title, const QString& suffix);
    int blocksPerPage() const;
    // The chosen slots; when there are none the user is told so.
    std::vector<int> slotsOrSay() const;
    // A dialog's title, with the note that only the shown enemies are taken.
    QString titled(const QString& title) const;

    ExchangeHost host_;
    QAction* twoPerPage_ = nullptr;
    std::map<QString, QString> lastFiles_; // by suffix, proposed again by the next of its kind
};

} // namespace grimtally::ui
