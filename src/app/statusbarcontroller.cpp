#include "app/statusbarcontroller.h"

#include "app/popoverplacement.h"
#include "app/popoverwindow.h"
#include "app/processservices.h"
#include "app/statusicon.h"
#include "core/desktopextension.h"
#include "core/halvostore.h"
#include "core/panelbutton.h"
#include "core/heaptrim.h"
#include "popover/popovercontext.h"
#include "popover/popovernavigation.h"
#include "popover/popoverqml.h"
#include "platform/x11/x11inputmonitor.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPalette>
#include <QQuickItem>
#include <QQmlEngine>
#include <QScreen>

namespace {

// A tray that appears after us (a panel started later) is noticed this fast.
constexpr int trayPollIntervalMs = 2000;
// How long after start a missing tray is reported.
constexpr int trayUnavailableNoticeMs = 5000;
// How often the panel behind an embedded icon is sampled, and how soon after
// the icon appears, once the tray has embedded and placed it.
constexpr int panelCheckIntervalMs = 5000;
constexpr int firstPanelCheckMs = 300;
// The ring of panel around the icon that is sampled, and the icon's corners
// the bulb leaves uncovered, in logical pixels.
constexpr int panelRing = 2;
constexpr int iconCornerSize = 2;
// How long a reopen request waits, so the launching process's focus
// change settles first.
constexpr int showPopoverDelayMs = 50;

QList<PopoverPlacement::Screen> currentScreens(int *primaryIndex)
{
    QList<PopoverPlacement::Screen> screens;
    const QList<QScreen *> all = QGuiApplication::screens();
    *primaryIndex = 0;
    for (int i = 0; i < all.size(); ++i) {
        screens.append({all[i]->geometry(), all[i]->availableGeometry()});
        if (all[i] == QGuiApplication::primaryScreen())
            *primaryIndex = i;
    }
    return screens;
}

// Qt scales each screen's pixels about the screen's own top-left corner.
QPoint logicalFromNative(const QPoint &native)
{
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect logical = screen->geometry();
        const qreal ratio = screen->devicePixelRatio();
        const QRect nativeRect(logical.topLeft(), (QSizeF(logical.size()) * ratio).toSize());
        if (nativeRect.contains(native))
            return logical.topLeft() + ((QPointF(native - logical.topLeft()) / ratio)).toPoint();
    }
    return native;
}

} // namespace

StatusBarController::StatusBarController(HalvoStore *store, Actions actions, PanelButton *panelButton,
                                         QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_actions(std::move(actions))
    , m_navigation(new PopoverNavigation(this))
    , m_panelButton(panelButton)
{
    m_trayIcon = new QSystemTrayIcon(this);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &StatusBarController::handleActivation);
    if (m_panelButton)
        connect(m_panelButton, &PanelButton::clicked, this, &StatusBarController::handlePanelClick);
    updateStatusIcon();

    if (m_store) {
        QPointer<StatusBarController> self(this);
        m_store->setRippleOriginProvider([self]() -> std::optional<QPointF> {
            return self ? self->statusButtonCenter() : std::nullopt;
        });
        connect(m_store, &HalvoStore::activeModeIDChanged, this, &StatusBarController::scheduleIconUpdate);
        connect(m_store, &HalvoStore::presetsChanged, this, &StatusBarController::scheduleIconUpdate);
        connect(m_store, &HalvoStore::keepAwakeEnabledChanged, this, &StatusBarController::scheduleIconUpdate);
    }
    qApp->installEventFilter(this);

    m_popoverRelease.setSingleShot(true);
    m_popoverRelease.setInterval(defaultPopoverReleaseDelay);
    connect(&m_popoverRelease, &QTimer::timeout, this, [this] {
        if (!isPopoverShown())
            releasePopover();
    });
    if (m_panelButton)
        return;

    m_trayPoll.setInterval(trayPollIntervalMs);
    connect(&m_trayPoll, &QTimer::timeout, this, &StatusBarController::showTrayIconWhenAvailable);
    showTrayIconWhenAvailable();

    m_panelCheck.setInterval(panelCheckIntervalMs);
    connect(&m_panelCheck, &QTimer::timeout, this, &StatusBarController::checkPanelColour);
    if (m_trayIcon->isVisible())
        QTimer::singleShot(firstPanelCheckMs, this, &StatusBarController::checkPanelColour);

    QTimer::singleShot(trayUnavailableNoticeMs, this, [this] {
        if (!m_trayIcon->isVisible())
            Q_EMIT trayUnavailable();
    });
}

StatusBarController::~StatusBarController()
{
    if (m_store)
        m_store->setRippleOriginProvider({});
    if (m_panelButton)
        m_panelButton->hide();
    releasePopover();
}

bool StatusBarController::isPopoverShown() const
{
    return m_popover && m_popover->isShown();
}

void StatusBarController::showPopover()
{
    if (!m_panelButton)
        showTrayIconWhenAvailable();
    updateStatusIcon();
    QTimer::singleShot(showPopoverDelayMs, this, &StatusBarController::openPopover);
}

void StatusBarController::openPopover()
{
    m_navigation->setPage(PopoverPage::main());
    if (m_store)
        m_store->refreshBrightness();
    ensurePopover();
    placePopover();
}

void StatusBarController::closePopover()
{
    if (m_popover)
        m_popover->dismiss();
}

void StatusBarController::handleActivation(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Context:
        returnToStandard();
        break;
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::DoubleClick:
        // On an XEmbed tray the activation is emitted while the button press
        // is delivered, so keyboardModifiers() holds the keys held at the
        // click even when the press waited in the queue. A D-Bus tray sends
        // no event; then only the keyboard's present state can tell.
        if ((QGuiApplication::keyboardModifiers() | QGuiApplication::queryKeyboardModifiers())
            & Qt::ControlModifier)
            returnToStandard();
        else if (std::exchange(m_closedByUnplacedPress, false))
            stopWatchingInputWhileClosed();
        else
            togglePopover();
        break;
    case QSystemTrayIcon::MiddleClick:
    case QSystemTrayIcon::Unknown:
        break;
    }
}

void StatusBarController::handlePanelClick(int button, const QRect &geometry)
{
    constexpr int leftButton = 1;
    constexpr int rightButton = 3;
    m_panelGeometry = geometry;
    if (button == rightButton)
        returnToStandard();
    else if (button == leftButton)
        togglePopover();
}

QRect StatusBarController::buttonGeometry() const
{
    if (m_panelButton)
        return m_panelGeometry;
    return m_trayIcon->isVisible() ? m_trayIcon->geometry() : QRect();
}

std::optional<QPointF> StatusBarController::statusButtonCenter() const
{
    int primary = 0;
    const QRect geometry = buttonGeometry();
    if (!PopoverPlacement::isStatusButtonVisible(geometry, currentScreens(&primary)))
        return std::nullopt;
    return QRectF(geometry).center();
}

bool StatusBarController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange) {
        checkPanelColour();
        scheduleIconUpdate();
    }
    return QObject::eventFilter(watched, event);
}

void StatusBarController::returnToStandard()
{
    closePopover();
    if (m_store)
        m_store->activatePreset(BuiltinPresetID::standard, true);
}

void StatusBarController::togglePopover()
{
    if (isPopoverShown()) {
        closePopover();
        return;
    }
    openPopover();
}

void StatusBarController::scheduleIconUpdate()
{
    if (m_iconUpdatePending)
        return;
    m_iconUpdatePending = true;
    QMetaObject::invokeMethod(
        this, [this] {
            m_iconUpdatePending = false;
            updateStatusIcon();
        },
        Qt::QueuedConnection);
}

void StatusBarController::updateStatusIcon()
{
    const QColor text = QGuiApplication::palette().color(QPalette::Active, QPalette::WindowText);
    const QColor colour = m_panelColour.isValid() ? StatusIcon::colourOn(m_panelColour, text) : text;
    if (colour != m_iconColour) {
        m_iconColour = colour;
        m_activeIcon = QIcon();
        m_inactiveIcon = QIcon();
    }
    if (!m_store)
        return;
    const HalvoPreset preset = m_store->activePreset();
    const bool keepAwake = m_store->keepAwakeEnabled();
    const bool active = StatusIcon::isActive(m_store->activeModeID(), preset, keepAwake);
    // Each state's icon is drawn the first time it is shown in this colour.
    if (m_panelButton) {
        m_panelButton->show(active, StatusIcon::toolTip(preset.name, keepAwake));
        return;
    }
    QIcon &icon = active ? m_activeIcon : m_inactiveIcon;
    if (icon.isNull())
        icon = StatusIcon::icon(active, colour);
    m_trayIcon->setIcon(icon);
    m_trayIcon->setToolTip(StatusIcon::toolTip(preset.displayName(), keepAwake));
}

void StatusBarController::showTrayIconWhenAvailable()
{
    if (m_trayIcon->isVisible()) {
        m_trayPoll.stop();
        return;
    }
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        m_trayIcon->show();
        m_trayPoll.stop();
        QTimer::singleShot(firstPanelCheckMs, this, &StatusBarController::checkPanelColour);
    } else if (!m_trayPoll.isActive()) {
        m_trayPoll.start();
    }
}

void StatusBarController::checkPanelColour()
{
    // A transition's overlay covers the whole screen, panel included; the
    // next check after it sees the panel again.
    if (m_store && m_store->isTransitioning()) {
        if (!m_panelCheck.isActive())
            m_panelCheck.start();
        return;
    }
    const std::optional<QColor> panel = panelColourBehindIcon();
    if (!panel) {
        m_panelCheck.stop();
        return;
    }
    if (!m_panelCheck.isActive())
        m_panelCheck.start();
    if (*panel == m_panelColour)
        return;
    m_panelColour = *panel;
    scheduleIconUpdate();
}

std::optional<QColor> StatusBarController::panelColourBehindIcon() const
{
    // Only an embedded (XEmbed) icon sits in a window whose pixels we can
    // read; a StatusNotifierItem host draws the icon itself.
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !m_trayIcon->isVisible())
        return std::nullopt;
    const QRect icon = m_trayIcon->geometry();
    QScreen *screen = QGuiApplication::screenAt(icon.center());
    if (!screen || icon.width() <= 2 * iconCornerSize || icon.height() <= 2 * iconCornerSize)
        return std::nullopt;
    const QRect area = icon.adjusted(-panelRing, -panelRing, panelRing, panelRing)
                           .intersected(screen->geometry());
    const QPoint origin = area.topLeft() - screen->geometry().topLeft();
    const QImage image =
        screen->grabWindow(0, origin.x(), origin.y(), area.width(), area.height()).toImage();
    if (image.isNull())
        return std::nullopt;

    const qreal ratio = qreal(image.width()) / area.width();
    const QRectF iconLocal = QRectF(icon.translated(-area.topLeft()));
    const QRectF inner = iconLocal.adjusted(iconCornerSize, iconCornerSize, -iconCornerSize, -iconCornerSize);
    QList<QColor> samples;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QPointF p((x + 0.5) / ratio, (y + 0.5) / ratio);
            const bool ring = !iconLocal.contains(p);
            // A corner of the icon: outside the inner rectangle both across and down.
            const bool corner = iconLocal.contains(p) && (p.x() < inner.left() || p.x() > inner.right())
                                && (p.y() < inner.top() || p.y() > inner.bottom());
            if (ring || corner)
                samples.append(image.pixelColor(x, y));
        }
    }
    const QColor colour = StatusIcon::dominantColour(samples);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

void StatusBarController::ensurePopover()
{
    m_popoverRelease.stop();
    if (m_popover)
        return;
    m_qmlEngine = std::make_unique<QQmlEngine>();
    installPopoverQml(*m_qmlEngine);

    QPointer<StatusBarController> self(this);
    PopoverContext::Actions actions;
    actions.onClose = [self] {
        if (self)
            self->closePopover();
    };
    actions.onShowOnboarding = [self] {
        if (!self)
            return;
        self->closePopover();
        if (self->m_actions.showOnboarding)
            self->m_actions.showOnboarding();
    };
    actions.onQuit = [self] {
        if (self && self->m_actions.quit)
            self->m_actions.quit();
    };
    actions.launchNewInstance = &ProcessServices::launchNewInstance;
    actions.makeUpdateChecking = &ProcessServices::makeUpdateChecking;
    actions.version = ProcessServices::version();
    actions.screenCapabilities = m_actions.screenCapabilities;
    actions.desktopExtension = m_actions.desktopExtension;
    m_popoverContext = new PopoverContext(m_store, m_navigation, std::move(actions), this);

    m_popover = new PopoverWindow(
        m_qmlEngine.get(), popoverRootViewUrl(),
        {{QStringLiteral("context"), QVariant::fromValue(m_popoverContext)}});
    // Each page has its own height; keep the popover where it belongs.
    connect(m_popover, &QWindow::heightChanged, this, [this] {
        if (isPopoverShown())
            placePopover();
    });
    connect(m_popover, &PopoverWindow::focusLost, this, &StatusBarController::handlePopoverFocusLost);
    connect(m_popover, &PopoverWindow::dismissed, this, [this] {
        if (m_inputMonitor && !m_closedByUnplacedPress)
            m_inputMonitor->stop();
        m_popoverRelease.start();
    });
    watchInputWhileOpen();
}

// The page shown, and what it is about, live in the navigation and the
// store, so a popover built again opens as the released one would have.
void StatusBarController::releasePopover()
{
    m_popoverRelease.stop();
    if (!m_popover)
        return;
    // Qt Quick's software renderer frees image textures only when their
    // cached images go, and the image cache outlives the window: drop the
    // items, then the unused images, while the renderer still exists.
    m_popover->setSource(QUrl());
    m_popover->releaseResources();
    delete std::exchange(m_popover, nullptr);
    delete std::exchange(m_popoverContext, nullptr);
    m_qmlEngine.reset();
    returnFreeHeapToSystem();
}

void StatusBarController::watchInputWhileOpen()
{
    if (m_inputMonitor || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    m_inputMonitor = new X11InputMonitor(this);
    if (!m_inputMonitor->isAvailable()) {
        delete m_inputMonitor;
        m_inputMonitor = nullptr;
        return;
    }
    connect(m_inputMonitor, &X11InputMonitor::buttonPressed, this, &StatusBarController::handleOutsidePress);
    connect(m_inputMonitor, &X11InputMonitor::keyPressed, this, [this] { m_keyPressedSinceOpen = true; });
}

void StatusBarController::placePopover()
{
    int primary = 0;
    const QList<PopoverPlacement::Screen> screens = currentScreens(&primary);
    const QRect tray = buttonGeometry();
    // A page taller than the screen's free area scrolls inside a popover
    // that fits; the resize this causes comes back here through heightChanged.
    if (const std::optional<QSize> fits = PopoverPlacement::maximumSize(tray, screens, primary)) {
        if (QObject *root = m_popover->rootObject())
            root->setProperty("maximumHeight", fits->height());
    }
    const std::optional<QPoint> topLeft =
        PopoverPlacement::topLeft(tray, screens, primary, m_popover->size());
    if (!topLeft)
        return;
    // A Wayland window cannot place itself; the desktop's button can.
    if (m_panelButton && QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        m_panelButton->placeWindow(m_popover->title(), *topLeft);
    if (isPopoverShown()) {
        m_popover->setPosition(*topLeft);
        return;
    }
    m_popover->present(*topLeft);
    watchOutsideInput();
}

void StatusBarController::watchOutsideInput()
{
    m_keyPressedSinceOpen = false;
    m_closedByUnplacedPress = false;
    // From the next turn of the event loop, so the click that opened the
    // popover is not taken for one outside it.
    QMetaObject::invokeMethod(
        this, [this] {
            if (m_inputMonitor && isPopoverShown())
                m_inputMonitor->start();
        },
        Qt::QueuedConnection);
}

void StatusBarController::handleOutsidePress(int button, const QPoint &nativePosition)
{
    m_keyPressedSinceOpen = false;
    constexpr int leftButton = 1;
    constexpr int rightButton = 3;
    if (button != leftButton && button != rightButton)
        return;
    // Another click after the one that closed the popover: the icon's next
    // activation opens it again.
    if (std::exchange(m_closedByUnplacedPress, false) && !isPopoverShown())
        stopWatchingInputWhileClosed();
    if (!isPopoverShown())
        return;
    const QPoint position = logicalFromNative(nativePosition);
    // Presses on the icon are its own clicks: they toggle or return to Standard.
    if (m_popover->geometry().contains(position) || buttonGeometry().contains(position))
        return;
    m_closedByUnplacedPress = !statusButtonCenter();
    closePopover();
}

void StatusBarController::stopWatchingInputWhileClosed()
{
    if (m_inputMonitor && !isPopoverShown())
        m_inputMonitor->stop();
}

void StatusBarController::handlePopoverFocusLost()
{
    // A click elsewhere is handled as a click first, wherever it landed.
    if (m_inputMonitor)
        m_inputMonitor->readPending();
    if (!isPopoverShown())
        return;
    // Without a view of the user's presses, losing the focus is the only
    // sign of a click elsewhere; in a Wayland session the X server (if any)
    // sees only the presses on XWayland's windows. With a full view, clicks
    // are handled where they land, and the window manager moving the focus
    // on its own (after another window closed, say) leaves the popover open.
    if (m_actions.waylandSession || !m_inputMonitor || m_keyPressedSinceOpen)
        closePopover();
}

void StatusBarController::screenCapabilitiesChanged()
{
    if (m_popoverContext)
        m_popoverContext->notifyScreenCapabilitiesChanged();
}
