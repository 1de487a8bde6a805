#include "app/remotecontrol.h"

#include "app/apptranslations.h"
#include "app/halvobusservice.h"
#include "core/elidedtext.h"
#include "core/halvopreset.h"
#include "core/statepersistence.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QFileInfo>

#include <cstdio>

namespace {

// A preset change waits for its transition before the instance answers.
constexpr int callTimeoutMs = 25000;

QString tr(const char *text)
{
    return AppTranslations::text("RemoteControl", text);
}

void printError(const QString &line)
{
    std::fprintf(stderr, "halvoscope: %s\n", qPrintable(line));
}

} // namespace

RemoteControl::RemoteControl(QDBusConnection bus)
    : m_bus(std::move(bus))
{
}

bool RemoteControl::instanceRuns() const
{
    return m_bus.isConnected() && m_bus.interface()
           && m_bus.interface()->isServiceRegistered(HalvoBusService::serviceName).value();
}

QString RemoteControl::notRunningText() const
{
    if (!m_bus.isConnected())
        return tr("There is no D-Bus session bus here (DBUS_SESSION_BUS_ADDRESS), so no running "
                  "Halvoscope can be reached.");
    return tr("Halvoscope is not running on this session bus.");
}

std::optional<QDBusMessage> RemoteControl::call(const QString &method, const QVariantList &arguments) const
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        HalvoBusService::serviceName, HalvoBusService::objectPath, HalvoBusService::interfaceName, method);
    message.setArguments(arguments);
    // An instance that has just gone must not be started again by the bus.
    message.setAutoStartService(false);
    const QDBusMessage answer = m_bus.call(message, QDBus::Block, callTimeoutMs);
    if (answer.type() == QDBusMessage::ReplyMessage)
        return answer;
    if (answer.errorName() == QDBusError::errorString(QDBusError::InvalidArgs)
        || answer.errorName() == HalvoBusService::notShownError)
        printError(answer.errorMessage());
    else if (answer.errorName() == QDBusError::errorString(QDBusError::ServiceUnknown))
        printError(notRunningText());
    else
        printError(tr("Halvoscope is running but did not answer: %1").arg(answer.errorMessage()));
    return std::nullopt;
}

int RemoteControl::activatePreset(const QString &id) const
{
    return call(QStringLiteral("ActivatePreset"), {id}) ? succeeded : failed;
}

int RemoteControl::showPopover() const
{
    return call(QStringLiteral("ShowPopover"), {}) ? succeeded : failed;
}

int RemoteControl::quit() const
{
    return call(QStringLiteral("Quit"), {}) ? succeeded : failed;
}

int RemoteControl::listPresets() const
{
    const std::optional<QDBusMessage> answer = call(QStringLiteral("ListPresets"), {});
    if (!answer)
        return failed;
    const QStringList ids = answer->arguments().value(0).toStringList();
    const QStringList names = answer->arguments().value(1).toStringList();
    const QString active = answer->arguments().value(2).toString();
    for (qsizetype i = 0; i < ids.size(); ++i) {
        std::printf("%s %s\t%s\n", ids.at(i) == active ? "*" : " ", qPrintable(ids.at(i)),
                    qPrintable(names.value(i)));
    }
    return succeeded;
}

QList<HalvoPreset> presetsOnDisk()
{
    const StatePersistence standard;
    QString path = standard.fileURL();
    if (!QFileInfo::exists(path) && standard.legacyFileURL()
        && QFileInfo::exists(*standard.legacyFileURL()))
        path = *standard.legacyFileURL();
    return StatePersistence(path).load().presets;
}

QStringList presetIDs(const QList<HalvoPreset> &presets)
{
    QStringList ids;
    for (const HalvoPreset &preset : presets)
        ids.append(preset.id);
    return ids;
}

QString unknownPresetText(const QString &id, const QStringList &validIDs)
{
    // The id can be as long as a bus message; quoting a start is enough to recognise it.
    return AppTranslations::text("RemoteControl", QT_TRANSLATE_NOOP("RemoteControl", "No preset with id \u201C%1\u201D. Valid ids: %2"))
        .arg(elidedText(id, 64), validIDs.join(QStringLiteral(", ")));
}
