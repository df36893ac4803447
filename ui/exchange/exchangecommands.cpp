#include "ui/exchange/exchangecommands.h"

#include "core/exchange/enemycsv.h"
#include "core/exchange/enemyjson.h"
#include "core/exchange/statblock.h"
#include "core/text/savefile.h"
#include "core/text/textfile.h"
#include "ui/toolkit/appearance.h"
#include "ui/toolkit/cp932text.h"
#include "ui/toolkit/dialogs.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

#include <sstream>

using namespace Qt::StringLiterals;

namespace grimtally::ui {

namespace {

// A wait cursor for as long as a long command runs.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A document for Qt's rich text, which takes it whole.
std::string statBlocksHtml(const RecordStore& store, const std::vector<int>& slots,
                           const Captions& captions, int perPage)
{
    std::ostringstream html;
    writeStatBlocksHtml(html, store, slots, captions, perPage);
    return std::move(html).str();
}

} // namespace

ExchangeCommands::ExchangeCommands(ExchangeHost host, QObject* parent)
    : QObject(parent), host_(std::move(host))
{}

QAction* ExchangeCommands::addItem(QMenu* menu, const QString& name, const QString& caption,
                                   void (ExchangeCommands::*handler)())
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    connect(item, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return item;
}

void ExchangeCommands::addToFilesMenu(QMenu* files)
{
    addItem(files, u"Menu_Print"_s, tr("&Print..."), &ExchangeCommands::Menu_PrintClick)
        ->setShortcut(QKeySequence::Print);
    addItem(files, u"Menu_ExportPdf"_s, tr("Export as P&DF..."),
            &ExchangeCommands::Menu_ExportPdfClick);
    twoPerPage_ = files->addAction(tr("&Two Enemies per Page"));
    twoPerPage_->setObjectName(u"Menu_TwoPerPage"_s);
    twoPerPage_->setCheckable(true);

    QMenu* exportMenu = files->addMenu(tr("&Export"));
    exportMenu->setObjectName(u"Menu_Export"_s);
    addItem(exportMenu, u"Menu_ExportJson"_s, tr("&JSON..."),
            &ExchangeCommands::Menu_ExportJsonClick);
    addItem(exportMenu, u"Menu_ExportCsv"_s, tr("&CSV..."), &ExchangeCommands::Menu_ExportCsvClick);
    addItem(exportMenu, u"Menu_ExportMarkdown"_s, tr("&Markdown..."),
            &ExchangeCommands::Menu_ExportMarkdownClick);
    addItem(files, u"Menu_ImportJson"_s, tr("&Import JSON..."),
            &ExchangeCommands::Menu_ImportJsonClick);
}

void ExchangeCommands::addToPopupMenu(QMenu* popup)
{
    addItem(popup, u"Print1"_s, tr("Print..."), &ExchangeCommands::Menu_PrintClick);
    addItem(popup, u"ExportPdf1"_s, tr("Export as PDF..."), &ExchangeCommands::Menu_ExportPdfClick);
}

int ExchangeCommands::blocksPerPage() const
{
    return twoPerPage_ && twoPerPage_->isChecked() ? 2 : 1;
}

void ExchangeCommands::printStatBlocks(QPrinter* printer, const std::vector<int>& slots) const
{
    BusyCursor busy;
    QTextDocument document;
    // The window font's substitutes hold the Japanese characters; the PDF embeds them.
    QFont font = windowFont();
    font.setPointSizeF(10);
    document.setDefaultFont(font);
    document.setHtml(
        fromUtf8(statBlocksHtml(*host_.store, slots, host_.captions(), blocksPerPage())));
    document.print(printer);
}

std::vector<int> ExchangeCommands::slotsOrSay() const
{
    std::vector<int> slots = host_.chosenSlots();
    if (slots.empty()) {
        const bool finding = host_.shownOnly && !host_.shownOnly().isEmpty();
        Dialogs::current().ask(host_.window,
                               finding ? tr("The find bar shows no enemies to print or export.")
                                       : tr("There are no enemies to print or export."),
                               MessageIcon::Information, MessageButtons::Ok);
    }
    return slots;
}

QString ExchangeCommands::titled(const QString& title) const
{
    const QString note = host_.shownOnly ? host_.shownOnly() : QString();
    return note.isEmpty() ? title : tr("%1 (%2)").arg(title, note);
}

std::optional<QString> ExchangeCommands::exportFileName(const QString& title, const QString& suffix)
{
    // Each kind proposes the file of its own kind chosen last, never one of another kind.
    QString& last = lastFiles_[suffix];
    const std::optional<QString> file =
        Dialogs::current().saveFileName(host_.window, titled(title), last, suffix);
    if (!file || !mayOverwrite(host_.window, *file))
        return std::nullopt;
    last = *file;
    return file;
}

void ExchangeCommands::Menu_PrintClick()
{
    const std::vector<int> slots = slotsOrSay();
    if (slots.empty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, host_.window);
    preview.setObjectName(u"PrintPreview"_s);
    if (const QString title = titled(preview.windowTitle()); title != preview.windowTitle())
        preview.setWindowTitle(title);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&](QPrinter* target) { printStatBlocks(target, slots); });
    preview.exec();
}

void ExchangeCommands::Menu_ExportPdfClick()
{
    const std::vector<int> slots = slotsOrSay();
    if (slots.empty())
        return;
    const std::optional<QString> file = exportFileName(tr("Export as PDF"), u"pdf"_s);
    if (!file)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(*file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QFileInfo(*file).completeBaseName());
    printStatBlocks(&printer, slots);
    if (printer.printerState() == QPrinter::Error)
        showError(host_.window, tr("%1: the PDF could not be written.").arg(*file));
}

void ExchangeCommands::exportText(
    const QString& title, const QString& suffix,
    const std::function<void(std::ostream&, const std::vector<int>&)>& contents)
{
    const std::vector<int> slots = slotsOrSay();
    if (slots.empty())
        return;
    const std::optional<QString> file = exportFileName(title, suffix);
    if (!file)
        return;
    BusyCursor busy;
    runGuarded(host_.window, [&] {
        writeFileAtomically(toPath(*file), [&](std::ostream& out) { contents(out, slots); });
    });
}

void ExchangeCommands::Menu_ExportJsonClick()
{
    exportText(tr("Export as JSON"), u"json"_s,
               [this](std::ostream& out, const std::vector<int>& slots) {
                   writeEnemiesJson(out, *host_.store, slots);
               });
}

void ExchangeCommands::Menu_ExportCsvClick()
{
    exportText(tr("Export as CSV"), u"csv"_s,
               [this](std::ostream& out, const std::vector<int>& slots) {
                   writeEnemiesCsv(out, *host_.store, slots, host_.captions());
               });
}

void ExchangeCommands::Menu_ExportMarkdownClick()
{
    exportText(tr("Export as Markdown"), u"md"_s,
               [this](std::ostream& out, const std::vector<int>& slots) {
                   writeStatBlocksMarkdown(out, *host_.store, slots, host_.captions());
               });
}

void ExchangeCommands::Menu_ImportJsonClick()
{
    QString& last = lastFiles_[u"json"_s];
    const std::optional<QString> file =
        Dialogs::current().openFileName(host_.window, tr("Import JSON"), last);
    if (!file)
        return;
    last = *file;
    BusyCursor busy;
    // Nothing is added from a file with any error in it.
    if (runGuarded(host_.window, [&] {
            const std::vector<EnemyRecord> records = readEnemiesJson(readWholeFile(toPath(*file)));
            const StoreChange change =
                StoreChange::replacingFrom(*host_.store, host_.store->slotCount());
            mergeEnemies(*host_.store, records);
            host_.noteChange(change);
        }))
        host_.renewList();
}

} // namespace grimtally::ui
