#include "platform/wayland/waylandcolorstage.h"

#include "core/systemlog.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QSocketNotifier>

#include <wayland-client.h>
#include <wlr-gamma-control-unstable-v1-client-protocol.h>
#include <xdg-output-unstable-v1-client-protocol.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// wl_output 4 names the output itself; before that xdg_output 2 does.
constexpr uint32_t outputVersion = 4;
constexpr uint32_t outputNameVersion = 4;
constexpr uint32_t xdgOutputVersion = 3;
constexpr uint32_t xdgOutputNameVersion = 2;

// A sealed memory file holding the ramp's three tables, red, green, blue,
// each gamma_size native 16-bit entries; -1 when it cannot be made.
int rampFile(const GammaRamp &ramp)
{
    const int fd = memfd_create("halvoscope-gamma", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (fd < 0)
        return -1;
    const auto bytes = static_cast<size_t>(ramp.size()) * sizeof(quint16);
    bool written = true;
    for (const QList<quint16> *table : {&ramp.red, &ramp.green, &ramp.blue}) {
        const char *data = reinterpret_cast<const char *>(table->constData());
        size_t done = 0;
        while (written && done < bytes) {
            const ssize_t n = write(fd, data + done, bytes - done);
            if (n < 0 && errno == EINTR)
                continue;
            written = n > 0;
            if (written)
                done += static_cast<size_t>(n);
        }
    }
    if (!written || lseek(fd, 0, SEEK_SET) != 0
        || fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Entry i = i × 65535 / (size − 1), rounded: the compositor's own ramp
// before any calibration.
GammaRamp linearRamp(int size)
{
    GammaRamp ramp;
    ramp.red.resize(size);
    for (int i = 0; i < size; ++i)
        ramp.red[i] = static_cast<quint16>((static_cast<qint64>(i) * 2 * 65535 + (size - 1)) / (2 * (size - 1)));
    ramp.green = ramp.red;
    ramp.blue = ramp.red;
    return ramp;
}

} // namespace

struct WaylandColorStage::Output {
    WaylandColorStage *stage = nullptr;
    uint32_t globalName = 0;
    uint32_t version = 0;
    wl_output *output = nullptr;
    zxdg_output_v1 *xdgOutput = nullptr;
    // Empty until the compositor has named it.
    QString name;
    // The compositor has sent its first description with a name.
    bool ready = false;
    bool doneSeen = false;
    zwlr_gamma_control_v1 *control = nullptr;
    int gammaSize = 0;
    // The compositor refused the current request for a control.
    bool failed = false;
    // Why, kept until the output takes a table again; each kind is told once.
    ScreenColorRefusal refusal = ScreenColorRefusal::None;
    int toldKinds = 0;
    // A ramp was sent through the current control.
    bool written = false;
};

struct WaylandColorStage::Events {
    static void geometry(void *, wl_output *, int32_t, int32_t, int32_t, int32_t, int32_t, const char *,
                         const char *, int32_t) {}
    static void mode(void *, wl_output *, uint32_t, int32_t, int32_t, int32_t) {}
    static void outputDone(void *data, wl_output *)
    {
        auto *self = static_cast<Output *>(data);
        self->doneSeen = true;
        // Without any name from the compositor, its global's number stands in.
        if (self->name.isEmpty() && (self->version >= outputNameVersion || !self->xdgOutput))
            self->name = QStringLiteral("output-%1").arg(self->globalName);
        self->stage->outputReady(*self);
    }
    static void scale(void *, wl_output *, int32_t) {}
    static void outputName(void *data, wl_output *, const char *text)
    {
        static_cast<Output *>(data)->name = QString::fromUtf8(text);
    }
    static void description(void *, wl_output *, const char *) {}

    static void xdgPosition(void *, zxdg_output_v1 *, int32_t, int32_t) {}
    static void xdgSize(void *, zxdg_output_v1 *, int32_t, int32_t) {}
    static void xdgDone(void *, zxdg_output_v1 *) {}
    static void xdgName(void *data, zxdg_output_v1 *, const char *text)
    {
        auto *self = static_cast<Output *>(data);
        if (self->name.isEmpty())
            self->name = QString::fromUtf8(text);
        if (self->doneSeen)
            self->stage->outputReady(*self);
    }
    static void xdgDescription(void *, zxdg_output_v1 *, const char *) {}

    static void gammaSizeEvent(void *data, zwlr_gamma_control_v1 *, uint32_t size)
    {
        auto *self = static_cast<Output *>(data);
        self->gammaSize = static_cast<int>(std::min<uint32_t>(size, 1u << 16));
        if (self->gammaSize > 1 && std::exchange(self->refusal, ScreenColorRefusal::None) != ScreenColorRefusal::None)
            self->stage->configurationChanged();
    }
    static void failedEvent(void *data, zwlr_gamma_control_v1 *)
    {
        auto *self = static_cast<Output *>(data);
        self->stage->controlFailed(*self);
    }
    static void registryGlobal(void *data, wl_registry *registry, uint32_t name, const char *interface,
                               uint32_t version);
    static void registryGlobalRemove(void *data, wl_registry *registry, uint32_t name);

    static constexpr wl_output_listener output = {&geometry, &mode, &outputDone, &scale, &outputName, &description};
    static constexpr zxdg_output_v1_listener xdgOutput = {&xdgPosition, &xdgSize, &xdgDone, &xdgName,
                                                          &xdgDescription};
    static constexpr zwlr_gamma_control_v1_listener gammaControl = {&gammaSizeEvent, &failedEvent};
    static constexpr wl_registry_listener registry = {&registryGlobal, &registryGlobalRemove};
};

WaylandColorStage::WaylandColorStage(const QByteArray &displayName, QObject *parent)
    : QObject(parent)
{
    m_display = wl_display_connect(displayName.isEmpty() ? nullptr : displayName.constData());
    if (!m_display)
        return;
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &Events::registry, this);
    // The globals, then what the outputs say about themselves.
    if (wl_display_roundtrip(m_display) < 0 || wl_display_roundtrip(m_display) < 0) {
        m_lost = true;
        return;
    }
    if (!m_gammaManager) {
        logSystemLine(QStringLiteral(
            "Halvo WaylandColorStage: the compositor offers no gamma control; screen colours stay as they are"));
    } else {
        logSystemLine(QStringLiteral("Halvo WaylandColorStage: colour through the compositor's gamma control; "
                                     "gamma tables cannot mix channels, so saturation other than 100 % is not shown"));
    }
    m_notifier = std::make_unique<QSocketNotifier>(wl_display_get_fd(m_display), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { handleEvents(); });
}

WaylandColorStage::~WaylandColorStage()
{
    m_notifier.reset();
    if (!m_display)
        return;
    const bool holding = std::any_of(m_outputs.cbegin(), m_outputs.cend(),
                                     [](const auto &output) { return output->control != nullptr; });
    restoreGamma();
    // A compositor drops what is still unread when a client hangs up, so the
    // controls go explicitly before the connection does.
    if (holding)
        sync();
    for (const auto &output : m_outputs) {
        if (output->xdgOutput)
            zxdg_output_v1_destroy(output->xdgOutput);
        if (output->version >= WL_OUTPUT_RELEASE_SINCE_VERSION)
            wl_output_release(output->output);
        else
            wl_output_destroy(output->output);
    }
    if (m_gammaManager)
        zwlr_gamma_control_manager_v1_destroy(m_gammaManager);
    if (m_xdgOutputManager)
        zxdg_output_manager_v1_destroy(m_xdgOutputManager);
    if (m_registry)
        wl_registry_destroy(m_registry);
    wl_display_flush(m_display);
    wl_display_disconnect(m_display);
}

void WaylandColorStage::Events::registryGlobal(void *data, wl_registry *registry, uint32_t name, const char *interface,
                                               uint32_t version)
{
    auto *self = static_cast<WaylandColorStage *>(data);
    if (std::strcmp(interface, wl_output_interface.name) == 0) {
        self->addOutput(name, version);
    } else if (std::strcmp(interface, zwlr_gamma_control_manager_v1_interface.name) == 0 && !self->m_gammaManager) {
        self->m_gammaManager = static_cast<zwlr_gamma_control_manager_v1 *>(
            wl_registry_bind(registry, name, &zwlr_gamma_control_manager_v1_interface, 1));
    } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0 && !self->m_xdgOutputManager
               && version >= xdgOutputNameVersion) {
        self->m_xdgOutputManager = static_cast<zxdg_output_manager_v1 *>(
            wl_registry_bind(registry, name, &zxdg_output_manager_v1_interface, std::min(version, xdgOutputVersion)));
        self->nameOutputsWithoutName();
    }
}

void WaylandColorStage::Events::registryGlobalRemove(void *data, wl_registry *, uint32_t name)
{
    auto *self = static_cast<WaylandColorStage *>(data);
    auto it = std::find_if(self->m_outputs.begin(), self->m_outputs.end(),
                           [name](const auto &output) { return output->globalName == name; });
    if (it == self->m_outputs.end())
        return;
    Output &output = **it;
    self->destroyControl(output);
    if (output.xdgOutput)
        zxdg_output_v1_destroy(output.xdgOutput);
    if (output.version >= WL_OUTPUT_RELEASE_SINCE_VERSION)
        wl_output_release(output.output);
    else
        wl_output_destroy(output.output);
    const bool wasReady = output.ready;
    self->m_outputs.erase(it);
    if (wasReady)
        self->configurationChanged();
}

void WaylandColorStage::addOutput(uint32_t name, uint32_t version)
{
    auto output = std::make_unique<Output>();
    output->stage = this;
    output->globalName = name;
    output->version = std::min(version, outputVersion);
    output->output = static_cast<wl_output *>(
        wl_registry_bind(m_registry, name, &wl_output_interface, output->version));
    wl_output_add_listener(output->output, &Events::output, output.get());
    m_outputs.push_back(std::move(output));
    nameOutputsWithoutName();
}

// Outputs too old to name themselves ask the xdg output manager.
void WaylandColorStage::nameOutputsWithoutName()
{
    if (!m_xdgOutputManager)
        return;
    for (const auto &output : m_outputs) {
        if (output->version >= outputNameVersion || output->xdgOutput)
            continue;
        output->xdgOutput = zxdg_output_manager_v1_get_xdg_output(m_xdgOutputManager, output->output);
        zxdg_output_v1_add_listener(output->xdgOutput, &Events::xdgOutput, output.get());
    }
}

void WaylandColorStage::outputReady(Output &output)
{
    if (output.ready || output.name.isEmpty())
        return;
    output.ready = true;
    configurationChanged();
}

void WaylandColorStage::createControl(Output &output)
{
    output.control = zwlr_gamma_control_manager_v1_get_gamma_control(m_gammaManager, output.output);
    zwlr_gamma_control_v1_add_listener(output.control, &Events::gammaControl, &output);
}

void WaylandColorStage::destroyControl(Output &output)
{
    if (!output.control)
        return;
    zwlr_gamma_control_v1_destroy(output.control);
    output.control = nullptr;
    output.written = false;
}

// Refused at once when asked for the table size, or later when asked again
// for a write. wlroots sends the same event for an output without colour
// tables and for one another program holds; only an output that took a
// table before and is refused now is known to be taken by another program.
void WaylandColorStage::controlFailed(Output &output)
{
    const bool wasListed = output.gammaSize > 1;
    destroyControl(output);
    output.failed = true;
    const ScreenColorRefusal refusal =
        wasListed ? ScreenColorRefusal::TakenByAnotherProgram : ScreenColorRefusal::NotAccepted;
    const bool changed = output.refusal != refusal;
    output.refusal = refusal;
    const int kind = 1 << static_cast<int>(refusal);
    if (!(output.toldKinds & kind)) {
        output.toldKinds |= kind;
        const QString message =
            wasListed ? QCoreApplication::translate("WaylandColorStage",
                                                    "Another program controls the colors of %1, so Halvoscope "
                                                    "cannot change them.")
                            .arg(output.name)
                      : QCoreApplication::translate("WaylandColorStage",
                                                    "%1 does not accept color changes: it takes no color tables, "
                                                    "or another program holds them.")
                            .arg(output.name);
        logSystemLine(QStringLiteral("Halvo WaylandColorStage: ") + message);
        QMetaObject::invokeMethod(
            this,
            [this, message] {
                if (m_noticeHandler)
                    m_noticeHandler(message);
            },
            Qt::QueuedConnection);
    }
    // The screens' capability lines say it too.
    if (wasListed || changed)
        configurationChanged();
}

ScreenColorRefusal WaylandColorStage::refusal(const QString &output) const
{
    const Output *found = findOutput(output);
    return found ? found->refusal : ScreenColorRefusal::None;
}

bool WaylandColorStage::isConnected() const
{
    return alive();
}

bool WaylandColorStage::hasGammaControl() const
{
    return alive() && m_gammaManager;
}

bool WaylandColorStage::alive() const
{
    return m_display && !m_lost;
}

bool WaylandColorStage::isAvailable() const
{
    return hasGammaControl();
}

// Asks for a control on every output whose table size is not known yet (new,
// or refused before) and learns its size or refusal; those not written by the
// time the event loop runs again are handed back.
void WaylandColorStage::refresh()
{
    if (!hasGammaControl())
        return;
    dispatchPending();
    bool asked = false;
    for (const auto &output : m_outputs) {
        if (output->ready && !output->control && !output->failed && output->gammaSize == 0) {
            createControl(*output);
            asked = true;
        }
    }
    if (!asked)
        return;
    sync();
    // Kept for the writes that usually follow right away.
    QMetaObject::invokeMethod(
        this, [this] { handBackUnwritten(); }, Qt::QueuedConnection);
}

void WaylandColorStage::handBackUnwritten()
{
    bool handedBack = false;
    for (const auto &output : m_outputs) {
        if (output->control && !output->written) {
            destroyControl(*output);
            handedBack = true;
        }
    }
    if (handedBack && alive())
        wl_display_flush(m_display);
}

void WaylandColorStage::invalidate()
{
}

QStringList WaylandColorStage::activeOutputs() const
{
    QStringList names;
    for (const auto &output : m_outputs) {
        if (output->ready)
            names.append(output->name);
    }
    return names;
}

bool WaylandColorStage::hasMatrix(const QString &output) const
{
    Q_UNUSED(output);
    return false;
}

QStringList WaylandColorStage::gammaCrtcs() const
{
    QStringList names;
    if (!hasGammaControl())
        return names;
    for (const auto &output : m_outputs) {
        if (output->ready && !output->failed && output->gammaSize > 1)
            names.append(output->name);
    }
    return names;
}

GammaRamp WaylandColorStage::originalGamma(const QString &crtc) const
{
    const Output *output = findOutput(crtc);
    if (!output || output->gammaSize <= 1)
        return {};
    return linearRamp(output->gammaSize);
}

bool WaylandColorStage::writeMatrix(const QString &output, const ColorMatrix3x3 &matrix)
{
    Q_UNUSED(output);
    Q_UNUSED(matrix);
    return false;
}

bool WaylandColorStage::writeGamma(const QString &crtc, const GammaRamp &ramp)
{
    if (!hasGammaControl())
        return false;
    Output *output = findOutput(crtc);
    if (!output || output->failed || output->gammaSize <= 1 || ramp.size() != output->gammaSize
        || ramp.green.size() != ramp.size() || ramp.blue.size() != ramp.size())
        return false;
    const int fd = rampFile(ramp);
    if (fd < 0)
        return false;
    if (!output->control)
        createControl(*output);
    zwlr_gamma_control_v1_set_gamma(output->control, fd);
    close(fd);
    output->written = true;
    if (wl_display_flush(m_display) < 0 && errno != EAGAIN) {
        connectionLost();
        return false;
    }
    return true;
}

bool WaylandColorStage::matrixHolds(const QString &output, const ColorMatrix3x3 &matrix)
{
    Q_UNUSED(output);
    Q_UNUSED(matrix);
    return true;
}

// The compositor keeps our ramps while we hold the control; only a refusal
// takes it away.
bool WaylandColorStage::gammaHolds(const QString &crtc, const GammaRamp &ramp)
{
    Q_UNUSED(ramp);
    dispatchPending();
    const Output *output = findOutput(crtc);
    return !output || !output->failed;
}

void WaylandColorStage::restoreMatrices()
{
}

void WaylandColorStage::restoreGamma()
{
    bool any = false;
    for (const auto &output : m_outputs) {
        any = any || output->control;
        destroyControl(*output);
    }
    if (any && alive())
        wl_display_flush(m_display);
}

// The originals never change; but a program that held an output may have let
// go of it by now, so the next write asks for it again.
void WaylandColorStage::forgetOriginals()
{
    for (const auto &output : m_outputs)
        output->failed = false;
}

void WaylandColorStage::setConfigurationChangedHandler(std::function<void()> handler)
{
    m_changedHandler = std::move(handler);
}

ScreenColorPath WaylandColorStage::gammaPath() const
{
    return ScreenColorPath::CompositorGamma;
}

void WaylandColorStage::setNoticeHandler(std::function<void(const QString &message)> handler)
{
    m_noticeHandler = std::move(handler);
}

void WaylandColorStage::sync()
{
    if (alive() && wl_display_roundtrip(m_display) < 0)
        connectionLost();
}

WaylandColorStage::Output *WaylandColorStage::findOutput(const QString &key) const
{
    for (const auto &output : m_outputs) {
        if (output->ready && output->name == key)
            return output.get();
    }
    return nullptr;
}

void WaylandColorStage::handleEvents()
{
    dispatchPending();
}

// Reads whatever the compositor has sent without waiting, and handles it.
void WaylandColorStage::dispatchPending()
{
    if (!alive())
        return;
    while (wl_display_prepare_read(m_display) != 0) {
        if (wl_display_dispatch_pending(m_display) < 0) {
            connectionLost();
            return;
        }
    }
    wl_display_flush(m_display);
    pollfd descriptor{wl_display_get_fd(m_display), POLLIN, 0};
    if (poll(&descriptor, 1, 0) > 0) {
        if (wl_display_read_events(m_display) < 0) {
            connectionLost();
            return;
        }
    } else {
        wl_display_cancel_read(m_display);
    }
    if (wl_display_dispatch_pending(m_display) < 0)
        connectionLost();
}

// The compositor went away or closed the connection: nothing is held any more.
void WaylandColorStage::connectionLost()
{
    if (m_lost)
        return;
    m_lost = true;
    m_notifier.reset();
    logSystemLine(QStringLiteral("Halvo WaylandColorStage: the connection to the compositor was lost"));
    configurationChanged();
}

// The handler runs from the event loop, never inside a dispatch.
void WaylandColorStage::configurationChanged()
{
    if (m_changePending)
        return;
    m_changePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_changePending = false;
            if (m_changedHandler)
                m_changedHandler();
        },
        Qt::QueuedConnection);
}
