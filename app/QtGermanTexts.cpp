#include "app/QtGermanTexts.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

class FirstMenuWatch : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        // Application filters see the event before the control builds its menu.
        if (event->type() == QEvent::ContextMenu) {
            QCoreApplication::instance()->removeEventFilter(this);
            QtGermanTexts::install();
            deleteLater();
        }
        return false;
    }
};

} // namespace

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

void QtGermanTexts::installWithFirstMenu()
{
    QCoreApplication *app = QCoreApplication::instance();
    app->installEventFilter(new FirstMenuWatch(app));
}
