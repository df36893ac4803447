#include "ui/app/findbar.h"

#include "ui/toolkit/cp932text.h"
#include "ui/toolkit/cp932validator.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace grimtally::ui {

FindBar::FindBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"FindBar1"_s);
    Find_L = new QLabel(tr("&Find:"), this);
    Find_L->setObjectName(u"Find_L"_s);
    Find_O = new QLineEdit(this);
    Find_O->setObjectName(u"Find_O"_s);
    // What no record can hold cannot be typed, as in every other box of the program.
    Find_O->setValidator(new Cp932Validator(Find_O));
    Find_O->setPlaceholderText(tr("Words in any column, in any width or kana"));
    Find_O->installEventFilter(this);
    Find_L->setBuddy(Find_O);
    FindCount_L = new QLabel(this);
    FindCount_L->setObjectName(u"FindCount_L"_s);
    B_FindClose = new QToolButton(this);
    B_FindClose->setObjectName(u"B_FindClose"_s);
    B_FindClose->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    B_FindClose->setText(tr("Close"));
    B_FindClose->setToolTip(tr("Close the find bar and show every enemy (Esc)"));
    B_FindClose->setAutoRaise(true);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 2, 2);
    layout->addWidget(Find_L);
    layout->addWidget(Find_O, 1);
    layout->addWidget(FindCount_L);
    layout->addWidget(B_FindClose);

    connect(Find_O, &QLineEdit::textChanged, this, &FindBar::changed);
    connect(B_FindClose, &QToolButton::clicked, this, &FindBar::dismiss);
    // Escape ends the find from the rows too, where Enter or Down took the user; only while
    // the bar is shown, so that Escape means nothing new otherwise.
    escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape_->setObjectName(u"FindEscape"_s);
    escape_->setContext(Qt::WindowShortcut);
    connect(escape_, &QShortcut::activated, this, &FindBar::dismiss);
    hide();
}

void FindBar::dismiss()
{
    close();
    Q_EMIT closed();
}

void FindBar::open()
{
    show();
    escape_->setEnabled(true);
    Find_O->setFocus(Qt::ShortcutFocusReason);
    Find_O->selectAll();
}

void FindBar::close()
{
    Find_O->clear();
    hide();
    escape_->setEnabled(false);
}

void FindBar::showCount(int shown, int total)
{
    FindCount_L->setText(shown < 0 ? QString() : tr("%1 of %n enemies", nullptr, total).arg(shown));
}

std::string FindBar::typedBytes() const
{
    QString text = Find_O->text();
    text.replace(QChar(QChar::ReplacementCharacter), u' ');
    // The validator lets nothing else through that the code page cannot hold.
    return toCp932(text).value_or(std::string());
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Find_O && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Escape:
            dismiss();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Down:
            Q_EMIT toList();
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace grimtally::ui
