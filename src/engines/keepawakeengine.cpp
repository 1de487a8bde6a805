#include "engines/keepawakeengine.h"

#include "platform/dbus/logindinhibitor.h"
#include "platform/dbus/screensaverinhibitor.h"
#include "platform/x11/xscreensaversuspender.h"

KeepAwakeEngine::KeepAwakeEngine(QDBusConnection sessionBus, QDBusConnection systemBus,
                                 QString xDisplayName)
    : m_screenSaver(std::make_unique<ScreenSaverInhibitor>(std::move(sessionBus)))
    , m_xScreenSaver(std::make_unique<XScreenSaverSuspender>(std::move(xDisplayName)))
    , m_logind(std::make_unique<LogindInhibitor>(std::move(systemBus)))
{
}

KeepAwakeEngine::~KeepAwakeEngine()
{
    releaseAll();
}

bool KeepAwakeEngine::holdsDisplayAssertion() const
{
    return m_screenSaver->isHeld() || m_xScreenSaver->isSuspended();
}

bool KeepAwakeEngine::holdsSystemAssertion() const
{
    return m_logind->isHeld();
}

bool KeepAwakeEngine::acquireDisplayAssertion()
{
    switch (m_screenSaver->inhibit(QString::fromLatin1(kApplicationName),
                                   QString::fromLatin1(kDisplayReason))) {
    case ScreenSaverInhibitor::Result::Granted:
        return true;
    case ScreenSaverInhibitor::Result::NoService:
        return m_xScreenSaver->suspend();
    case ScreenSaverInhibitor::Result::Refused:
        break;
    }
    return false;
}

void KeepAwakeEngine::releaseAll()
{
    m_screenSaver->release();
    m_xScreenSaver->resume();
    m_logind->release();
}

bool KeepAwakeEngine::setActive(bool active)
{
    if (active == m_isActive)
        return true;

    if (!active) {
        releaseAll();
        m_isActive = false;
        return true;
    }

    // Both are asked for before either answer is looked at.
    const bool displayHeld = acquireDisplayAssertion();
    m_logind->inhibit(QStringLiteral("idle:sleep"), QString::fromLatin1(kApplicationName),
                      QString::fromLatin1(kSystemReason), QStringLiteral("block"));

    if (!displayHeld) {
        releaseAll();
        return false;
    }
    m_isActive = true;
    return true;
}
