#include "app_setup.h"

#include "platform/ui/push_buttons.h"
#include "platform/ui/text_boxes.h"
#include "platform/ui/text_input.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace AppSetup {

void apply(QApplication& app)
{
    QApplication::setOrganizationName(QStringLiteral("kelvanotirsa"));
    QApplication::setApplicationName(QStringLiteral("tuvek"));
    QApplication::setApplicationDisplayName(QStringLiteral("تووک"));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    QLocale::setDefault(QLocale(QLocale::Persian, QLocale::Iran));
    // Every key typed into a box gives the character the database stores.
    TextInput::installTyping(app);
    // Persian text boxes and viewers read from the right edge.
    TextBoxes::installRightToLeft(app);
    // A button's picture and caption side by side in its middle.
    PushButtons::install();

    // Yes, No, Cancel, the file, colour, font and print dialogs in Persian: the
    // qtbase catalogue holds every Qt module the program uses (core, gui,
    // widgets, sql, network, print support).
    auto* qtbase = new QTranslator(&app);
    if (qtbase->load(QLocale(QLocale::Persian), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtbase);

    // Windows use a font that has Persian glyphs; the reports name theirs.
    const QStringList families = QFontDatabase::families();
    for (const QString& family : {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")}) {
        if (families.contains(family)) {
            QFont font(family);
            font.setPointSize(10);
            QApplication::setFont(font);
            break;
        }
    }
}

} // namespace AppSetup
