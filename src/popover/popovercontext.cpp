#include "popover/popovercontext.h"

PopoverContext::PopoverContext(HalvoStore *store, PopoverNavigation *navigation,
                               Actions actions, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_navigation(navigation)
    , m_actions(std::move(actions))
{
}

void PopoverContext::close()
{
    if (m_actions.onClose)
        m_actions.onClose();
}

void PopoverContext::showOnboarding()
{
    if (m_actions.onShowOnboarding)
        m_actions.onShowOnboarding();
}

void PopoverContext::quit()
{
    if (m_actions.onQuit)
        m_actions.onQuit();
}

void PopoverContext::handleEscape()
{
    if (!m_navigation)
        return;
    if (m_navigation->page().kind() != PopoverPage::Kind::Main)
        m_navigation->goBack();
    else
        close();
}

std::function<void()> PopoverContext::goBackAction()
{
    return [weak = QPointer<PopoverContext>(this)] {
        if (weak && weak->navigation())
            weak->navigation()->goBack();
    };
}

std::function<void()> PopoverContext::showPageAction(const PopoverPage &page)
{
    return [weak = QPointer<PopoverContext>(this), page] {
        if (weak && weak->navigation())
            weak->navigation()->setPage(page);
    };
}

std::function<void(const QString &)> PopoverContext::editPresetAction(bool returnToSettings)
{
    return [weak = QPointer<PopoverContext>(this), returnToSettings](const QString &presetID) {
        if (weak && weak->navigation())
            weak->navigation()->setPage(PopoverPage::editPreset(presetID, returnToSettings));
    };
}

std::function<void()> PopoverContext::showOnboardingAction()
{
    return [weak = QPointer<PopoverContext>(this)] {
        if (weak)
            weak->showOnboarding();
    };
}

std::function<void()> PopoverContext::quitAction()
{
    return [weak = QPointer<PopoverContext>(this)] {
        if (weak)
            weak->quit();
    };
}

std::function<bool()> PopoverContext::launchNewInstanceAction()
{
    return [weak = QPointer<PopoverContext>(this)] {
        return weak && weak->m_actions.launchNewInstance && weak->m_actions.launchNewInstance();
    };
}

UpdateChecking *PopoverContext::makeUpdateChecking() const
{
    return m_actions.makeUpdateChecking ? m_actions.makeUpdateChecking() : nullptr;
}

std::optional<ScreenColorCapabilities> PopoverContext::screenCapabilities() const
{
    if (!m_actions.screenCapabilities)
        return std::nullopt;
    return m_actions.screenCapabilities();
}
