#include "ui/toolkit/memo.h"

#include "ui/toolkit/cp932validator.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

namespace grimtally::ui {

using namespace Qt::StringLiterals;

namespace {

// A newline ends a line; the empty rest after the last newline is no line of its own.
QStringList splitLines(const QString& text)
{
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(u'\n');
    if (lines.size() > 1 && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

Memo::Memo(QWidget* parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(NoWrap);
    setTabChangesFocus(true);
}

void Memo::setLines(const std::vector<std::string>& lines)
{
    loaded_.clear();
    QStringList texts;
    for (const std::string& line : lines) {
        loaded_.emplace_back();
        texts.push_back(loaded_.back().set(line));
    }
    QString text = texts.join(u'\n');
    // A last line that is empty needs its newline, or it would not count as a line.
    if (!texts.isEmpty() && texts.back().isEmpty())
        text += u'\n';
    setPlainText(text);
}

std::vector<std::string> Memo::lines() const
{
    const QStringList texts = splitLines(toPlainText());
    std::vector<bool> used(loaded_.size(), false);
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(texts.size()));
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const QString& text = texts[i];
        // The loaded line at the same place, else any unused loaded line with this text (the
        // user may have inserted or removed lines above it).
        std::size_t match = loaded_.size();
        const auto position = static_cast<std::size_t>(i);
        if (position < loaded_.size() && !used[position] && loaded_[position].text() == text) {
            match = position;
        } else {
            for (std::size_t j = 0; j < loaded_.size(); ++j) {
                if (!used[j] && loaded_[j].text() == text) {
                    match = j;
                    break;
                }
            }
        }
        if (match < loaded_.size()) {
            used[match] = true;
            result.push_back(loaded_[match].bytesFor(text));
        } else {
            result.push_back(ByteText().bytesFor(text));
        }
    }
    return result;
}

void Memo::appendLine(std::string_view line)
{
    ByteText added;
    const QString text = added.set(line);
    const QString current = toPlainText();
    QString insertion = current.isEmpty() || current.endsWith(u'\n') ? text : u'\n' + text;
    if (text.isEmpty())
        insertion += u'\n';
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(insertion);
    loaded_.push_back(added);
}

void Memo::keyPressEvent(QKeyEvent* event)
{
    QString typed = event->text();
    if (typed.isEmpty()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    const QString original = typed;
    if (checkCp932(typed) != QValidator::Acceptable) {
        event->accept(); // refused
        return;
    }
    if (typed == original) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent mapped(event->type(), event->key(), event->modifiers(), typed, event->isAutoRepeat(),
                     static_cast<ushort>(event->count()));
    QPlainTextEdit::keyPressEvent(&mapped);
    event->setAccepted(mapped.isAccepted());
}

void Memo::inputMethodEvent(QInputMethodEvent* event)
{
    QString commit = event->commitString();
    if (commit.isEmpty()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    if (checkCp932(commit) != QValidator::Acceptable)
        commit.clear();
    QInputMethodEvent checked(event->preeditString(), event->attributes());
    checked.setCommitString(commit, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&checked);
    event->setAccepted(checked.isAccepted());
}

void Memo::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    // Text copied from Windows programs ends its lines with CR LF; a CR would make a line of
    // its own here.
    QString text = source->text();
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    if (checkCp932(text) != QValidator::Acceptable)
        return;
    insertPlainText(text);
}

} // namespace grimtally::ui
