#include "popoverfixture.h"

#include "popover/popoverqml.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

// Each QML test file gets its own engine, set up like the application's.
class PopoverQmlSetup : public QObject {
    Q_OBJECT

public Q_SLOTS:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        installPopoverQml(*engine);
        engine->rootContext()->setContextProperty(QStringLiteral("fixture"),
                                                  new PopoverFixture(engine));
    }
};

QUICK_TEST_MAIN_WITH_SETUP(popoverqml, PopoverQmlSetup)
#include "tst_popoverqml.moc"
