#include "onboarding/onboardingwindowcontroller.h"

#include "core/desktopextension.h"

#include "core/halvostore.h"
#include "onboarding/onboardingmodel.h"
#include "onboarding/onboardingqml.h"
#include "onboarding/relaunchmarker.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QQmlEngine>
#include <QQuickView>
#include <QScreen>
#include <QSettings>

#include <algorithm>

OnboardingWindowController::OnboardingWindowController(HalvoStore *store, QSettings *userDefaults,
                                                       std::function<void()> onComplete,
                                                       ProcessActions process, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_userDefaults(userDefaults)
    , m_onComplete(std::move(onComplete))
    , m_process(std::move(process))
{
}

OnboardingWindowController::~OnboardingWindowController()
{
    // The view goes before the model its bindings read.
    if (m_window)
        m_window->removeEventFilter(this);
    delete m_window;
    delete m_model;
}

QQuickWindow *OnboardingWindowController::window() const
{
    return m_window;
}

void OnboardingWindowController::show(int startStep)
{
    if (!m_window)
        buildWindow(startStep);
    bringToFront();
}

void OnboardingWindowController::finish()
{
    if (m_userDefaults)
        RelaunchMarker::remove(*m_userDefaults);
    if (m_store)
        m_store->setHasCompletedOnboarding(true);
    discardWindow();
    if (m_onComplete)
        m_onComplete();
}

bool OnboardingWindowController::eventFilter(QObject *watched, QEvent *event)
{
    // A close from the title bar (or the window manager): the user has seen
    // the introduction, so the next launch does not show it again. No popover
    // and the relaunch marker stays as it is.
    if (watched == m_window && event->type() == QEvent::Close) {
        if (m_store && !m_store->hasCompletedOnboarding())
            m_store->setHasCompletedOnboarding(true);
        discardWindow();
    }
    return QObject::eventFilter(watched, event);
}

void OnboardingWindowController::buildWindow(int startStep)
{
    QPointer<OnboardingWindowController> self(this);
    OnboardingModel::Actions actions;
    actions.onFinish = [self] {
        if (self)
            self->finish();
    };
    actions.launchNewInstance = m_process.launchNewInstance;
    actions.quit = m_process.quit;
    m_model = new OnboardingModel(m_store, m_userDefaults, startStep, std::move(actions), this);
    m_model->extension()->setExtension(m_process.desktopExtension);

    auto *view = new QQuickView;
    m_window = view;
    installOnboardingQml(*view->engine());
    view->setFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    view->setTitle(OnboardingModel::tr("Welcome to Halvoscope"));
    view->setColor(QGuiApplication::palette().color(QPalette::Active, QPalette::Window));
    view->setResizeMode(QQuickView::SizeRootObjectToView);
    view->setInitialProperties({{QStringLiteral("onboarding"), QVariant::fromValue(m_model.data())}});
    view->setSource(onboardingViewUrl());
    for (const QQmlError &error : view->errors())
        qWarning("Onboarding view: %s", qPrintable(error.toString()));

    // The designed size, unless the screen's free area is smaller (a large
    // scale factor): then the window keeps to that area, title bar included,
    // and its pages scroll. Centred in the area.
    QSize size = windowSize;
    QRect area;
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
        size = size.boundedTo(QSize(area.width(), area.height() - titleBarAllowance));
    }
    view->setMinimumSize(size);
    view->setMaximumSize(size);
    view->resize(size);
    if (area.isValid()) {
        const QPoint centred = area.center() - QPoint(size.width() / 2, size.height() / 2);
        view->setPosition(QPoint(std::max(centred.x(), area.left()),
                                 std::max(centred.y(), area.top() + titleBarAllowance)));
    }
    view->installEventFilter(this);
}

void OnboardingWindowController::bringToFront()
{
    if (!m_window)
        return;
    m_window->show();
    m_window->raise();
    m_window->requestActivate();
    if (m_model)
        m_model->viewAppeared();
}

void OnboardingWindowController::discardWindow()
{
    // Deferred: this can run inside the view's own event handling or a QML
    // handler of the model. The view goes first, so no binding outlives the
    // model it reads.
    if (m_window) {
        m_window->removeEventFilter(this);
        m_window->hide();
        m_window->deleteLater();
        m_window = nullptr;
    }
    if (m_model) {
        m_model->stop();
        m_model->deleteLater();
        m_model = nullptr;
    }
}
