#include "platform/desktop/gnomeshellextensionstage.h"

#include "core/systemlog.h"
#include "platform/dbus/dbuscalltimeout.h"
#include "shellextension_interface.h"

#include <QCoreApplication>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>

namespace {

const QString kShell = QStringLiteral("org.gnome.Shell");
const QString kPath = QStringLiteral("/com/corvanta/Halvoscope/ShellExtension");
constexpr unsigned kInterfaceVersion = 1;

QList<double> toList(const ColorMatrix3x3 &matrix)
{
    return QList<double>(matrix.cbegin(), matrix.cend());
}

// The extension answers at once; a call that fails is logged, since the
// screen then keeps what it showed.
void logFailure(const QDBusPendingCall &call, const char *what)
{
    auto *watcher = new QDBusPendingCallWatcher(call);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [watcher, what] {
        if (watcher->isError()) {
            logSystemLine(QStringLiteral("Halvo GnomeShellExtensionStage: %1 failed: %2")
                              .arg(QLatin1String(what), watcher->error().message()));
        }
        watcher->deleteLater();
    });
}

// What the capability lines call the one "screen" this stage colours.
QString shellName()
{
    return QCoreApplication::translate("ScreenColorPath", "GNOME Shell");
}

} // namespace

GnomeShellExtensionStage::GnomeShellExtensionStage(QDBusConnection sessionBus)
    : m_extension(std::make_unique<ComCorvantaHalvoscopeShellExtensionInterface>(kShell, kPath, sessionBus))
    , m_watcher(kShell, sessionBus, QDBusServiceWatcher::WatchForOwnerChange)
{
    qDBusRegisterMetaType<QList<double>>();
    m_extension->setTimeout(kDBusCallTimeoutMs);
    QObject::connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, &m_watcher,
                     [this](const QString &, const QString &, const QString &owner) { shellChanged(!owner.isEmpty()); });
}

GnomeShellExtensionStage::~GnomeShellExtensionStage() = default;

bool GnomeShellExtensionStage::isPresent(const QDBusConnection &sessionBus)
{
    if (!sessionBus.isConnected())
        return false;
    ComCorvantaHalvoscopeShellExtensionInterface extension(kShell, kPath, sessionBus);
    extension.setTimeout(kDBusCallTimeoutMs);
    const QVariant version = extension.property("Version");
    return version.isValid() && version.toUInt() == kInterfaceVersion;
}

QStringList GnomeShellExtensionStage::activeOutputs() const
{
    return m_present ? QStringList{shellName()} : QStringList{};
}

bool GnomeShellExtensionStage::hasMatrix(const QString &output) const
{
    return m_present && output == shellName();
}

bool GnomeShellExtensionStage::writeMatrix(const QString &output, const ColorMatrix3x3 &matrix)
{
    if (!hasMatrix(output))
        return false;
    logFailure(m_extension->SetColor(toList(matrix)), "SetColor");
    m_written = true;
    return true;
}

void GnomeShellExtensionStage::restoreMatrices()
{
    if (!m_written)
        return;
    m_written = false;
    logFailure(m_extension->Clear(), "Clear");
}

void GnomeShellExtensionStage::setConfigurationChangedHandler(std::function<void()> handler)
{
    m_configurationChanged = std::move(handler);
}

bool GnomeShellExtensionStage::runTransition(const ColorMatrix3x3 &from, const ColorMatrix3x3 &to, QPointF origin,
                                             int durationMs, bool refract)
{
    if (!m_present || durationMs < 0)
        return false;
    logFailure(m_extension->RunTransition(toList(from), toList(to), origin.x(), origin.y(), uint(durationMs),
                                          refract ? 2u : 1u),
               "RunTransition");
    m_written = true;
    return true;
}

// A shell that restarts (an X11 session's Alt+F2 r) starts without our
// filter: the engine writes the colour again once it is back.
void GnomeShellExtensionStage::shellChanged(bool present)
{
    m_present = present;
    m_written = false;
    if (m_configurationChanged)
        m_configurationChanged();
}
