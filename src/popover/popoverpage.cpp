#include "popover/popoverpage.h"

PopoverPage PopoverPage::parent() const
{
    switch (m_kind) {
    case Kind::EditPreset:
        return m_returnToSettings ? settings() : main();
    case Kind::Settings:
        return main();
    case Kind::Schedule:
        return settings();
    case Kind::Main:
        break;
    }
    return main();
}

QString PopoverPage::kindName() const
{
    switch (m_kind) {
    case Kind::EditPreset:
        return QStringLiteral("editPreset");
    case Kind::Settings:
        return QStringLiteral("settings");
    case Kind::Schedule:
        return QStringLiteral("schedule");
    case Kind::Main:
        break;
    }
    return QStringLiteral("main");
}
