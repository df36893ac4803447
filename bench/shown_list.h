// The main list as the window has it, over a generated collection, for the benchmarks of the
// list: a model with a view that lays out and paints.
#pragma once

#include "core/records/datafile.h"
#include "core/words/vocabulary.h"
#include "generated_collection.h"
#include "ui/app/enemylistmodel.h"
#include "ui/toolkit/listview.h"

#include <QApplication>

#include <map>
#include <memory>

namespace grimtally::bench {

// The store of `records` generated enemies, made once for the whole run.
inline const RecordStore& storeOf(int records)
{
    static std::map<int, std::unique_ptr<RecordStore>> stores;
    std::unique_ptr<RecordStore>& store = stores[records];
    if (!store) {
        store = std::make_unique<RecordStore>();
        store->replaceFrom(1, parseDataFile(generatedDataFile(records)).records);
    }
    return *store;
}

struct ShownList {
    explicit ShownList(const RecordStore& store)
        : words(readVocabulary(IniFile())), model(store, words, nullptr)
    {
        view.setModel(&model);
        view.resize(696, 480);
        view.show();
        QApplication::processEvents();
    }

    Vocabulary words;
    ui::EnemyListModel model;
    ui::ListView view;
};

} // namespace grimtally::bench
