#include "ui/app/programerrors.h"

#include "core/rules/choicetables.h"
#include "core/rules/combat.h"
#include "ui/toolkit/dialogs.h"

#include <QCoreApplication>

namespace grimtally::ui {

namespace {

QString utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

QString ruleErrorText(const RuleError& error)
{
    // Each text is written out where it is used, so that lupdate finds it.
    switch (error.kind()) {
    case RuleError::Kind::NoTableRow:
        return QCoreApplication::translate("RuleError",
                                           "The %1 table has no row \"%2\" for the attack \"%3\".")
            .arg(utf8(error.arguments().at(0)), utf8(error.arguments().at(1)),
                 utf8(error.arguments().at(2)));
    case RuleError::Kind::NoAttackRow:
        return QCoreApplication::translate(
                   "RuleError", "There is no attack method number %1 in the choice file.")
            .arg(utf8(error.arguments().at(0)));
    case RuleError::Kind::CriticalNotWhole:
        return QCoreApplication::translate(
                   "RuleError",
                   "The critical value \"%1\" of the attack \"%2\" is not a whole number.")
            .arg(utf8(error.arguments().at(0)), utf8(error.arguments().at(1)));
    case RuleError::Kind::CriticalIs36:
        return QCoreApplication::translate(
                   "RuleError",
                   "The critical value of the attack \"%1\" is 36, which would divide by zero.")
            .arg(utf8(error.arguments().at(0)));
    case RuleError::Kind::Critical36:
        return QCoreApplication::translate("RuleError",
                                           "A critical value of 36 would divide by zero.");
    case RuleError::Kind::Critical72:
        return QCoreApplication::translate("RuleError",
                                           "A critical value of 72 would divide by zero.");
    case RuleError::Kind::CriticalTableGives72:
        return QCoreApplication::translate("RuleError",
                                           "The critical table gives \"%1\" of the attack \"%2\" "
                                           "the value 72, which would divide by zero.")
            .arg(utf8(error.arguments().at(0)), utf8(error.arguments().at(1)));
    }
    return utf8(error.what());
}

QString choiceFileErrorText(const ChoiceFileError& error)
{
    QString problem;
    switch (error.problem()) {
    case ChoiceFileError::Problem::NeedsTextAndNumber:
        problem = QCoreApplication::translate(
            "ChoiceFileError", "the row needs a text and a whole number, separated by a comma.");
        break;
    case ChoiceFileError::Problem::NeedsKeyAndValue:
        problem = QCoreApplication::translate(
            "ChoiceFileError", "the row needs a key and a value, separated by a comma.");
        break;
    case ChoiceFileError::Problem::NeedsFourItems:
        problem = QCoreApplication::translate(
            "ChoiceFileError",
            "the row needs four items: name, hit key, damage key and critical key.");
        break;
    case ChoiceFileError::Problem::NotWhole:
        problem = QCoreApplication::translate("ChoiceFileError",
                                              "the second item must be a whole number.");
        break;
    case ChoiceFileError::Problem::TooLarge:
        problem = QCoreApplication::translate("ChoiceFileError", "the number is too large.");
        break;
    }
    return QCoreApplication::translate("ChoiceFileError", "%1, section [%2], row %3 \"%4\": %5")
        .arg(utf8(error.fileName()), utf8(error.section()), QString::number(error.row()),
             utf8(error.shownRow()), problem);
}

} // namespace

std::optional<QString> programErrorText(const std::exception& error)
{
    if (const auto* rule = dynamic_cast<const RuleError*>(&error))
        return ruleErrorText(*rule);
    if (const auto* choices = dynamic_cast<const ChoiceFileError*>(&error))
        return choiceFileErrorText(*choices);
    return std::nullopt;
}

void installProgramErrorWording()
{
    installErrorWording(&programErrorText);
}

} // namespace grimtally::ui
