// Cost of one keystroke in the editor: the cascade a change of the level runs through the
// change handlers (three attack rows, dodge, prevent, both resists and their bases).
#include "ui/app/tform1.h"
#include "ui/editor/teditor1.h"
#include "ui/toolkit/combobox.h"
#include "ui/toolkit/dialogs.h"
#include "ui/toolkit/spinedit.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace grimtally::ui;

namespace {

// The shipped choice file, found beside this source when the build does not name it.
QString shippedChoices()
{
#ifdef GRIMTALLY_SHIPPED_DATA
    const QString data = QString::fromUtf8(GRIMTALLY_SHIPPED_DATA);
#else
    const QString data =
        QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + QStringLiteral("/../data");
#endif
    return QDir(data).absoluteFilePath(QStringLiteral("Choices.txt"));
}

// Answers every question with its first button and the choice file dialog with the shipped
// file; nothing may block on a real dialog here.
class BenchDialogs : public Dialogs {
public:
    Answer ask(QWidget*, const QString&, MessageIcon, MessageButtons buttons) override
    {
        return buttons == MessageButtons::YesNoCancel ? Answer::Yes : Answer::Ok;
    }
    std::optional<QString> openFileName(QWidget*, const QString&, const QString&) override
    {
        return shippedChoices();
    }
    std::optional<QString> saveFileName(QWidget*, const QString&, const QString&,
                                        const QString&) override
    {
        return std::nullopt;
    }
};

struct Windows {
    QTemporaryDir workDir;
    BenchDialogs dialogs;
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TEditor1> editor1;

    Windows()
    {
        QDir::setCurrent(workDir.path()); // Language.txt is written here, not in the checkout
        Dialogs::install(&dialogs);
        form1 = std::make_unique<TForm1>();
        editor1 = std::make_unique<TEditor1>(*form1);
        form1->setEditor(editor1.get());
    }
    ~Windows()
    {
        editor1.reset();
        form1.reset();
        Dialogs::install(nullptr);
    }
};

Windows* windows = nullptr;

void levelCascade(benchmark::State& state, bool allRows)
{
    TEditor1& editor = *windows->editor1;
    editor.DataInitialized();
    if (allRows) {
        // Attack rows 2 and 3 on as well, the most a level change can recompute.
        editor.Attack_O21->selectIndex(2);
        editor.Attack_O21Change();
        editor.Attack_O31->selectIndex(3);
        editor.Attack_O31Change();
    }
    const QString levels[] = {QStringLiteral("7"), QStringLiteral("8")};
    int turn = 0;
    for (auto _ : state) {
        editor.Level_O->setText(levels[turn]);
        turn ^= 1;
    }
    benchmark::DoNotOptimize(editor.Attack_O12->text());
    if (editor.ruleTables()->attacks.empty())
        state.SkipWithError("the choice file gave no attack methods");
}

void BM_LevelCascadeNewRecord(benchmark::State& state)
{
    levelCascade(state, false);
}
BENCHMARK(BM_LevelCascadeNewRecord)->Unit(benchmark::kMicrosecond);

void BM_LevelCascadeAllAttackRows(benchmark::State& state)
{
    levelCascade(state, true);
}
BENCHMARK(BM_LevelCascadeAllAttackRows)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!QFileInfo::exists(shippedChoices())) {
        std::fprintf(stderr, "choice file not found: %s\n", qPrintable(shippedChoices()));
        return 1;
    }
    Windows created;
    windows = &created;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    windows = nullptr;
    return 0;
}
