// What the editor needs of the window that opens it: the display words, the collection and
// the row being edited. The main window provides it, so the editor never needs its class.
#pragma once

#include "core/records/recordstore.h"
#include "core/words/languagefile.h"
#include "core/words/vocabulary.h"

class QWidget;

namespace grimtally::ui {

class EditorHost {
public:
    virtual ~EditorHost() = default;

    virtual QWidget* hostWindow() = 0; // disabled while the editor is up
    virtual const Vocabulary& vocabulary() const = 0;
    virtual LanguageFile& language() = 0; // read once at start, for every window
    virtual RecordStore& store() = 0;
    // Registering: the record goes into the selected row's slot, or after the others for the
    // new-entry row; the host keeps it safe and rebuilds its list.
    virtual void registerRecord(EnemyRecord record) = 0;
    // The selected row (0 is the new-entry row) and the slot it shows; -1 when none.
    virtual int selectedRow() const = 0;
    virtual int selectedSlot() const = 0;
    virtual void ListView1Renew() = 0;
};

} // namespace grimtally::ui
