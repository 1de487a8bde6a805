#include "platform/desktop/gnomeshellpanelbutton.h"

#include "platform/dbus/dbuscalltimeout.h"
#include "shellextension_interface.h"

GnomeShellPanelButton::GnomeShellPanelButton(QDBusConnection sessionBus, QObject *parent)
    : PanelButton(parent)
    , m_extension(std::make_unique<ComCorvantaHalvoscopeShellExtensionInterface>(
          QStringLiteral("org.gnome.Shell"), QStringLiteral("/com/corvanta/Halvoscope/ShellExtension"),
          sessionBus))
{
    m_extension->setTimeout(kDBusCallTimeoutMs);
    connect(m_extension.get(), &ComCorvantaHalvoscopeShellExtensionInterface::ButtonClicked, this,
            [this](uint button, int x, int y, int width, int height) {
                Q_EMIT clicked(int(button), QRect(x, y, width, height));
            });
}

GnomeShellPanelButton::~GnomeShellPanelButton() = default;

void GnomeShellPanelButton::show(bool active, const QString &toolTip)
{
    m_extension->SetButton(true, active, toolTip);
}

void GnomeShellPanelButton::hide()
{
    m_extension->SetButton(false, false, QString());
}

void GnomeShellPanelButton::placeWindow(const QString &title, QPoint topLeft)
{
    m_extension->PlaceWindow(title, topLeft.x(), topLeft.y());
}
