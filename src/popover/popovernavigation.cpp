#include "popover/popovernavigation.h"

PopoverNavigation::PopoverNavigation(QObject *parent)
    : QObject(parent) {}

void PopoverNavigation::setPage(const PopoverPage &page)
{
    if (page == m_page)
        return;
    m_page = page;
    Q_EMIT pageChanged();
}

void PopoverNavigation::goBack()
{
    setPage(m_page.parent());
}
