// Qt Quick Test of the onboarding pages: the QML test cases get an
// OnboardingRig that builds page states over a real store.

#include "onboardingrig.h"

#include "onboarding/onboardingmodel.h"
#include "onboarding/onboardingqml.h"

#include <QQmlEngine>
#include <QtQuickTest>

#include <memory>

class OnboardingTestRig : public QObject {
    Q_OBJECT
    Q_PROPERTY(int finishes READ finishes NOTIFY finishesChanged)
    Q_PROPERTY(int relaunches READ relaunches NOTIFY relaunchesChanged)

public:
    using QObject::QObject;

    // A page state at `startStep` over a fresh store, with the permission
    // granted or not, and grantable by anyone or not (a session without screen
    // capture); the counters start again.
    Q_INVOKABLE OnboardingModel *createModel(int startStep, bool granted, bool requestable = true)
    {
        delete m_model;
        m_finishes = 0;
        m_relaunches = 0;
        Q_EMIT finishesChanged();
        Q_EMIT relaunchesChanged();
        m_rig = std::make_unique<OnboardingRig>();
        m_rig->ripple->granted = granted;
        m_rig->ripple->requestable = requestable;
        m_rig->make();
        OnboardingModel::Actions actions;
        actions.onFinish = [this] {
            ++m_finishes;
            Q_EMIT finishesChanged();
        };
        actions.launchNewInstance = [this] {
            ++m_relaunches;
            Q_EMIT relaunchesChanged();
        };
        actions.quit = [] {};
        m_model = new OnboardingModel(m_rig->store.get(), m_rig->defaults.get(), startStep,
                                      std::move(actions), this);
        m_model->viewAppeared();
        return m_model;
    }

    Q_INVOKABLE void setGranted(bool granted) { m_rig->ripple->granted = granted; }

    int finishes() const { return m_finishes; }
    int relaunches() const { return m_relaunches; }

Q_SIGNALS:
    void finishesChanged();
    void relaunchesChanged();

private:
    std::unique_ptr<OnboardingRig> m_rig;
    QPointer<OnboardingModel> m_model;
    int m_finishes = 0;
    int m_relaunches = 0;
};

class Setup : public QObject {
    Q_OBJECT

public Q_SLOTS:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        installOnboardingQml(*engine);
        qmlRegisterType<OnboardingTestRig>("OnboardingTest", 1, 0, "OnboardingRig");
    }
};

QUICK_TEST_MAIN_WITH_SETUP(tst_onboardingpages, Setup)
#include "tst_onboardingpages.moc"
