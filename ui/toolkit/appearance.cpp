#include "ui/toolkit/appearance.h"

#include <QApplication>
#include <QPalette>
#include <QStringList>
#include <QWidget>

// Q_INIT_RESOURCE must be used outside any namespace; the resources live in a static
// library, whose unreferenced objects the linker would otherwise drop.
static void initToolkitResources()
{
    Q_INIT_RESOURCE(grimtally);
}

namespace grimtally::ui {

using namespace Qt::StringLiterals;

namespace {

const QString& windowFontFamily()
{
    static const QString family = u"ＭＳ Ｐゴシック"_s;
    return family;
}

} // namespace

void installFontSubstitutes()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QFont::insertSubstitutions(windowFontFamily(),
                               {u"IPAPGothic"_s, u"IPAPゴシック"_s, u"Noto Sans CJK JP"_s,
                                u"Noto Sans JP"_s, u"DejaVu Sans"_s});
}

QFont windowFont()
{
    QFont font(windowFontFamily());
    font.setPixelSize(12);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QIcon applicationIcon()
{
    static bool initialised = false;
    if (!initialised) {
        initToolkitResources();
        initialised = true;
    }
    return QIcon(u":/grimtally.png"_s);
}

void setInputEnabled(QWidget* input, bool enabled)
{
    input->setEnabled(enabled);
    const QPalette application = QApplication::palette();
    QPalette colours = input->palette();
    // Every colour group, or the disabled look would keep Qt's own base colour.
    colours.setColor(QPalette::Base,
                     application.color(enabled ? QPalette::Base : QPalette::Button));
    input->setPalette(colours);
}

} // namespace grimtally::ui
