#include "pagesfixture.h"

#include "popover/popoverqml.h"

#include <QLocale>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

// Each QML test file gets its own engine, set up like the application's.
class PagesQmlSetup : public QObject {
    Q_OBJECT

public Q_SLOTS:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        // Times follow the locale; these tests read a 24-hour clock.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        installPopoverQml(*engine);
        engine->rootContext()->setContextProperty(QStringLiteral("fixture"), new PagesFixture(engine));
    }
};

QUICK_TEST_MAIN_WITH_SETUP(pagesqml, PagesQmlSetup)
#include "tst_pagesqml.moc"
