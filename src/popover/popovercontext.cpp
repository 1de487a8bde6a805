#include "popover/popovercontext.h"

PopoverContext::PopoverContext(HalvoStore *store, PopoverNavigation *navigation,
                               Actions actions, QObject *parent)
    : QObject(parent), m_store(store), m_navigation(navigation), m_actions(std::move(actions))
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
