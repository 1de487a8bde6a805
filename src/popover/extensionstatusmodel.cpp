#include "popover/extensionstatusmodel.h"

#include "popover/screencapabilitytext.h"

ExtensionStatusModel::ExtensionStatusModel(QObject *parent)
    : QObject(parent)
{
}

void ExtensionStatusModel::setExtension(DesktopExtension *extension)
{
    if (m_extension == extension)
        return;
    if (m_extension)
        disconnect(m_extension, nullptr, this, nullptr);
    m_extension = extension;
    if (extension)
        connect(extension, &DesktopExtension::stateChanged, this, &ExtensionStatusModel::changed);
    Q_EMIT changed();
}

QString ExtensionStatusModel::text() const
{
    return m_extension ? ScreenCapabilityText::extensionStatus(m_extension->state(), m_extension->error()) : QString();
}

bool ExtensionStatusModel::canEnable() const
{
    return m_extension && ScreenCapabilityText::canEnable(m_extension->state());
}

void ExtensionStatusModel::enable()
{
    if (m_extension)
        m_extension->enable();
}
