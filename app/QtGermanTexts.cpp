#include "app/QtGermanTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool QtGermanTexts::install()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    // qtbase carries every text a widget of this window can show.
    if (!translator->load(
            QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
