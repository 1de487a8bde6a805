#include "popoverfixture.h"

#include "popover/popoverqml.h"

#include <QLocale>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

// Each QML test file gets its own engine, set up like the application's.
class PopoverQmlSetup : public QObject {
    Q_OBJECT

public Q_SLOTS:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        // The value texts follow the locale; these tests read American English.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        installPopoverQml(*engine);
        engine->rootContext()->setContextProperty(QStringLiteral("fixture"),
                                                  new PopoverFixture(engine));
    }
};

QUICK_TEST_MAIN_WITH_SETUP(popoverqml, PopoverQmlSetup)
#include "tst_popoverqml.moc"
