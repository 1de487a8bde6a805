#include "platform/x11/xrandrcolorstage.h"

#include "platform/x11/ctmencoding.h"
#include "platform/x11/xerrortrap.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QFileInfo>
#include <QSocketNotifier>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>

#include <unistd.h>

namespace {

// A fade writes a frame every few milliseconds; the record follows only once
// the writes have paused this long.
constexpr int settleIntervalMs = 400;

// Enough for the 18 items of a CTM (12 of a CscMatrix) and a little more, in 32-bit units.
constexpr long ctmReadLength = 64;

QString screenKey(const QString &name, int screen)
{
    return screen == 0 ? name : name + QLatin1Char('@') + QString::number(screen);
}

bool holdsItems(const QList<long> &items, const QList<quint32> &expected)
{
    if (items.size() != expected.size())
        return false;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        if (quint32(static_cast<unsigned long>(items[i]) & 0xffffffffu) != expected[i])
            return false;
    }
    return true;
}

QByteArray encodeRamp(const GammaRamp &ramp)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << ramp.red << ramp.green << ramp.blue;
    return bytes;
}

std::optional<GammaRamp> decodeRamp(const QByteArray &bytes)
{
    QDataStream stream(bytes);
    GammaRamp ramp;
    stream >> ramp.red >> ramp.green >> ramp.blue;
    if (stream.status() != QDataStream::Ok || !stream.atEnd() || ramp.green.size() != ramp.size()
        || ramp.blue.size() != ramp.size())
        return std::nullopt;
    return ramp;
}

} // namespace

XRandrColorStage::XRandrColorStage(const QByteArray &displayName, QObject *parent)
    : QObject(parent)
{
    m_display = XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
    if (!m_display)
        return;
    XErrorTrap::watch(m_display);

    // Asked through the core protocol first: libXrandr leaks its per-display
    // record when the server lacks the extension.
    int opcode = 0;
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XQueryExtension(m_display, "RANDR", &opcode, &eventBase, &errorBase)
        || !XRRQueryExtension(m_display, &m_eventBase, &errorBase) || !XRRQueryVersion(m_display, &major, &minor)
        || major < 1 || (major == 1 && minor < 3)) {
        XCloseDisplay(m_display);
        XErrorTrap::unwatch(m_display);
        m_display = nullptr;
        return;
    }

    m_ctmAtom = XInternAtom(m_display, "CTM", False);
    m_cscMatrixAtom = XInternAtom(m_display, "CscMatrix", False);
    m_edidAtom = XInternAtom(m_display, "EDID", True);
    for (int screen = 0; screen < ScreenCount(m_display); ++screen) {
        XRRSelectInput(m_display, RootWindow(m_display, screen),
                       RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
    }
    XFlush(m_display);

    m_notifier = std::make_unique<QSocketNotifier>(ConnectionNumber(m_display), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { handleEvents(); });

    m_settleTimer.setSingleShot(true);
    m_settleTimer.setInterval(settleIntervalMs);
    connect(&m_settleTimer, &QTimer::timeout, this, [this] { settle(); });
    m_recordPath = ColorStageRecord::pathFor(DisplayString(m_display));
    if (m_recordPath.isEmpty())
        return;
    ColorStageRecord::Contents leftBehind = ColorStageRecord::load(m_recordPath);
    if (anotherInstanceWrote(leftBehind.pid)) {
        // Its colour is on screen on purpose; two writers would only undo each other's record.
        m_recordPath.clear();
        return;
    }
    if (!leftBehind.isEmpty()) {
        m_leftBehind = std::move(leftBehind);
        refresh();
        m_leftBehind.reset();
        if (alive())
            XSync(m_display, False);
    }
    // Nothing is written yet: this drops what was left, unreadable or not.
    saveRecord();
}

XRandrColorStage::~XRandrColorStage()
{
    if (!m_display)
        return;
    m_settleTimer.stop();
    restoreMatrices();
    restoreGamma();
    m_notifier.reset();
    XCloseDisplay(m_display);
    XErrorTrap::unwatch(m_display);
}

bool XRandrColorStage::isAvailable() const
{
    return alive();
}

bool XRandrColorStage::alive() const
{
    return m_display && !XErrorTrap::connectionLost(m_display);
}

void XRandrColorStage::refresh()
{
    if (!alive()) {
        m_crtcs.clear();
        m_outputs.clear();
        return;
    }
    if (!m_stale)
        return;
    m_crtcs.clear();
    m_outputs.clear();
    for (int screen = 0; screen < ScreenCount(m_display) && alive(); ++screen)
        readScreen(screen);
    XErrorTrap::takeError(m_display);
    m_stale = !alive();

    // Originals of CRTCs and outputs the server no longer lists are of no use.
    QSet<XID> listed;
    for (const Crtc &crtc : std::as_const(m_crtcs))
        listed.insert(crtc.id);
    for (const Output &output : std::as_const(m_outputs))
        listed.insert(output.id);
    m_originalGamma.removeIf([&](auto it) { return !listed.contains(it.key()); });
    m_originalMatrix.removeIf([&](auto it) { return !listed.contains(it.key()); });
    m_writtenCrtcs.removeIf([&](XID id) { return !listed.contains(id); });
    m_writtenOutputs.removeIf([&](XID id) { return !listed.contains(id); });
    m_refusedOutputs.removeIf([&](XID id) { return !listed.contains(id); });
    m_settled.removeIf([&](auto it) { return !listed.contains(it.key()); });
    m_lastGamma.removeIf([&](auto it) { return !listed.contains(it.key()); });
    m_lastMatrix.removeIf([&](auto it) { return !listed.contains(it.key()); });
    m_identities.removeIf([&](auto it) { return !listed.contains(it.key()); });

    handleQueuedEventsLater();
}

void XRandrColorStage::readScreen(int screen)
{
    XRRScreenResources *resources = XRRGetScreenResourcesCurrent(m_display, RootWindow(m_display, screen));
    if (!resources)
        return;

    QHash<XID, QByteArray> outputIdentities;
    for (int i = 0; i < resources->noutput && !m_recordPath.isEmpty(); ++i) {
        if (XRROutputInfo *info = XRRGetOutputInfo(m_display, resources, resources->outputs[i])) {
            outputIdentities.insert(resources->outputs[i],
                                    outputIdentity(resources->outputs[i], QByteArray(info->name, info->nameLen)));
            XRRFreeOutputInfo(info);
        }
    }

    for (int i = 0; i < resources->ncrtc; ++i) {
        Crtc crtc;
        crtc.id = resources->crtcs[i];
        crtc.key = screenKey(QStringLiteral("crtc%1").arg(i), screen);
        if (XRRCrtcInfo *info = XRRGetCrtcInfo(m_display, resources, crtc.id)) {
            crtc.active = info->mode != None && info->noutput > 0;
            if (info->noutput > 0) {
                if (XRROutputInfo *first = XRRGetOutputInfo(m_display, resources, info->outputs[0])) {
                    crtc.output = screenKey(QString::fromUtf8(first->name, first->nameLen), screen);
                    XRRFreeOutputInfo(first);
                }
            }
            if (!m_recordPath.isEmpty())
                m_identities.insert(crtc.id,
                                    info->noutput > 0 ? outputIdentities.value(info->outputs[0]) : QByteArray());
            XRRFreeCrtcInfo(info);
        }
        crtc.gammaSize = XRRGetCrtcGammaSize(m_display, crtc.id);
        if (crtc.gammaSize > 1 && !m_originalGamma.contains(crtc.id)) {
            if (std::optional<GammaRamp> ramp = readGamma(crtc.id); ramp && ramp->size() == crtc.gammaSize) {
                if (m_leftBehind) {
                    // Each frame of a change is the original ramp scaled channel by channel.
                    const auto frame = [&ramp](const QByteArray &recorded) {
                        const std::optional<GammaRamp> original = decodeRamp(recorded);
                        return original && ramp->isScaledFrom(original->isBlank() ? GammaRamp::linear(original->size()) : *original);
                    };
                    const std::optional<QByteArray> original = takeLeftBehind(
                        m_leftBehind->crtcs, crtc.key, m_identities.value(crtc.id), encodeRamp(*ramp), frame);
                    const std::optional<GammaRamp> decoded = original ? decodeRamp(*original) : std::nullopt;
                    if (decoded && decoded->size() == crtc.gammaSize) {
                        writeGammaRamp(crtc.id, *decoded);
                        ramp = decoded;
                    }
                }
                m_originalGamma.insert(crtc.id, *ramp);
            }
        }
        m_crtcs.append(crtc);
    }

    for (int i = 0; i < resources->noutput; ++i) {
        Output output;
        output.id = resources->outputs[i];
        XRROutputInfo *info = XRRGetOutputInfo(m_display, resources, output.id);
        if (!info)
            continue;
        output.key = screenKey(QString::fromUtf8(info->name, info->nameLen), screen);
        output.active = info->crtc != None;
        XRRFreeOutputInfo(info);

        int count = 0;
        Atom *properties = XRRListOutputProperties(m_display, output.id, &count);
        // CTM where the output has it; NVIDIA's CscMatrix otherwise.
        const auto has = [&](XID atom) {
            return properties && std::find(properties, properties + count, atom) != properties + count;
        };
        const XID property = has(m_ctmAtom) ? m_ctmAtom : has(m_cscMatrixAtom) ? m_cscMatrixAtom
                                                                               : XID(None);
        const bool listed = property != None;
        if (properties)
            XFree(properties);
        if (!m_recordPath.isEmpty())
            m_identities.insert(output.id, outputIdentities.value(output.id));
        if (listed) {
            if (!m_originalMatrix.contains(output.id)) {
                if (std::optional<PropertyValue> value = readMatrixProperty(output.id, property)) {
                    if (m_leftBehind) {
                        const std::optional<QByteArray> original = takeLeftBehind(
                            m_leftBehind->outputs, output.key, m_identities.value(output.id), encodeMatrix(*value), [](const QByteArray &) { return true; });
                        if (std::optional<PropertyValue> decoded = original ? decodeMatrix(*original, property) : std::nullopt) {
                            writeProperty(output.id, *decoded);
                            value = decoded;
                        }
                    }
                    m_originalMatrix.insert(output.id, *value);
                }
            }
            // A matrix of another shape than we know (3×3 S31.32, 3×4 S15.16) is not one we can write.
            const auto original = m_originalMatrix.constFind(output.id);
            output.hasMatrix = original != m_originalMatrix.cend() && original->property == property
                               && knownMatrixShape(*original) && !m_refusedOutputs.contains(output.id);
            output.matrixProperty = property;
        }
        m_outputs.append(output);
    }
    XRRFreeScreenResources(resources);
}

void XRandrColorStage::invalidate()
{
    m_stale = true;
}

QStringList XRandrColorStage::activeOutputs() const
{
    QStringList keys;
    for (const Output &output : m_outputs) {
        if (output.active)
            keys.append(output.key);
    }
    return keys;
}

bool XRandrColorStage::hasMatrix(const QString &output) const
{
    const Output *found = findOutput(output);
    return found && found->hasMatrix;
}

QStringList XRandrColorStage::gammaCrtcs() const
{
    QStringList keys;
    for (const Crtc &crtc : m_crtcs) {
        if (crtc.active && crtc.gammaSize > 1)
            keys.append(crtc.key);
    }
    return keys;
}

GammaRamp XRandrColorStage::originalGamma(const QString &crtc) const
{
    const Crtc *found = findCrtc(crtc);
    return found ? m_originalGamma.value(found->id) : GammaRamp{};
}

bool XRandrColorStage::writeMatrix(const QString &output, const ColorMatrix3x3 &matrix)
{
    const Output *found = findOutput(output);
    if (!alive() || !found || !found->hasMatrix || !m_originalMatrix.contains(found->id))
        return false;
    const XID id = found->id;
    const QList<quint32> items = encodeItems(found->matrixProperty, matrix);
    PropertyValue value{found->matrixProperty, XA_INTEGER, 32, QList<long>(items.cbegin(), items.cend())};
    const bool first = noteChange(id, m_writtenOutputs);
    XErrorTrap::takeError(m_display);
    writeProperty(id, value);
    // The reply to the read comes after any error the write caused.
    const std::optional<PropertyValue> held = readMatrixProperty(id, found->matrixProperty);
    const int error = XErrorTrap::takeError(m_display);
    handleQueuedEventsLater();
    if (!alive())
        return false;
    if (error == BadValue || error == BadMatch || error == BadAccess || (held && !holdsItems(held->items, items))) {
        refuseMatrix(id);
        if (first) {
            m_writtenOutputs.remove(id);
            saveRecord();
        }
        return false;
    }
    m_lastMatrix.insert(id, value);
    return true;
}

// Whatever part of the refused value may have stuck (a pending value that the
// next mode set would apply) is put back to the original.
void XRandrColorStage::refuseMatrix(XID output)
{
    m_refusedOutputs.insert(output);
    for (Output &listed : m_outputs) {
        if (listed.id == output)
            listed.hasMatrix = false;
    }
    const auto original = m_originalMatrix.constFind(output);
    if (original != m_originalMatrix.cend())
        writeProperty(output, *original);
}

bool XRandrColorStage::writeGamma(const QString &crtc, const GammaRamp &ramp)
{
    const Crtc *found = findCrtc(crtc);
    if (!alive() || !found || ramp.size() != found->gammaSize || ramp.green.size() != ramp.size()
        || ramp.blue.size() != ramp.size() || !m_originalGamma.contains(found->id))
        return false;
    noteChange(found->id, m_writtenCrtcs);
    writeGammaRamp(found->id, ramp);
    m_lastGamma.insert(found->id, ramp);
    return true;
}

bool XRandrColorStage::matrixHolds(const QString &output, const ColorMatrix3x3 &matrix)
{
    const Output *found = findOutput(output);
    if (!alive() || !found || !found->hasMatrix)
        return true;
    const std::optional<PropertyValue> value = readMatrixProperty(found->id, found->matrixProperty);
    handleQueuedEventsLater();
    if (!value)
        return !alive();
    return value->format == 32 && holdsItems(value->items, encodeItems(found->matrixProperty, matrix));
}

bool XRandrColorStage::gammaHolds(const QString &crtc, const GammaRamp &ramp)
{
    const Crtc *found = findCrtc(crtc);
    if (!alive() || !found)
        return true;
    const std::optional<GammaRamp> current = readGamma(found->id);
    handleQueuedEventsLater();
    if (!current)
        return !alive();
    return *current == ramp;
}

void XRandrColorStage::restoreMatrices()
{
    if (m_writtenOutputs.isEmpty())
        return;
    if (alive()) {
        for (XID id : std::as_const(m_writtenOutputs)) {
            const auto original = m_originalMatrix.constFind(id);
            if (original != m_originalMatrix.cend())
                writeProperty(id, *original);
        }
        // The record may go only once the server holds the originals.
        XSync(m_display, False);
    }
    for (XID id : std::as_const(m_writtenOutputs)) {
        m_settled.remove(id);
        m_lastMatrix.remove(id);
    }
    m_writtenOutputs.clear();
    saveRecord();
}

void XRandrColorStage::restoreGamma()
{
    if (m_writtenCrtcs.isEmpty())
        return;
    if (alive()) {
        for (XID id : std::as_const(m_writtenCrtcs)) {
            const auto original = m_originalGamma.constFind(id);
            if (original != m_originalGamma.cend())
                writeGammaRamp(id, *original);
        }
        XSync(m_display, False);
    }
    for (XID id : std::as_const(m_writtenCrtcs)) {
        m_settled.remove(id);
        m_lastGamma.remove(id);
    }
    m_writtenCrtcs.clear();
    saveRecord();
}

void XRandrColorStage::releaseOutput(const QString &output)
{
    const Output *found = findOutput(output);
    if (!found || !m_writtenOutputs.remove(found->id))
        return;
    m_settled.remove(found->id);
    m_lastMatrix.remove(found->id);
    saveRecord();
}

void XRandrColorStage::releaseCrtc(const QString &crtc)
{
    const Crtc *found = findCrtc(crtc);
    if (!found || !m_writtenCrtcs.remove(found->id))
        return;
    m_settled.remove(found->id);
    m_lastGamma.remove(found->id);
    saveRecord();
}

void XRandrColorStage::forgetOriginals()
{
    m_originalGamma.removeIf([this](auto it) { return !m_writtenCrtcs.contains(it.key()); });
    m_originalMatrix.removeIf([this](auto it) { return !m_writtenOutputs.contains(it.key()); });
    m_stale = true;
}

void XRandrColorStage::setConfigurationChangedHandler(std::function<void()> handler)
{
    m_changedHandler = std::move(handler);
}

QString XRandrColorStage::crtcScreen(const QString &crtc) const
{
    const Crtc *found = findCrtc(crtc);
    return found && !found->output.isEmpty() ? found->output : crtc;
}

void XRandrColorStage::sync()
{
    if (!alive())
        return;
    XSync(m_display, False);
    handleQueuedEventsLater();
}

const XRandrColorStage::Crtc *XRandrColorStage::findCrtc(const QString &key) const
{
    auto it = std::find_if(m_crtcs.cbegin(), m_crtcs.cend(), [&](const Crtc &c) { return c.key == key; });
    return it == m_crtcs.cend() ? nullptr : &*it;
}

const XRandrColorStage::Output *XRandrColorStage::findOutput(const QString &key) const
{
    auto it = std::find_if(m_outputs.cbegin(), m_outputs.cend(), [&](const Output &o) { return o.key == key; });
    return it == m_outputs.cend() ? nullptr : &*it;
}

std::optional<GammaRamp> XRandrColorStage::readGamma(XID crtc) const
{
    XRRCrtcGamma *gamma = XRRGetCrtcGamma(m_display, crtc);
    if (!gamma)
        return std::nullopt;
    std::optional<GammaRamp> ramp;
    if (gamma->size > 0) {
        ramp.emplace();
        ramp->red = QList<quint16>(gamma->red, gamma->red + gamma->size);
        ramp->green = QList<quint16>(gamma->green, gamma->green + gamma->size);
        ramp->blue = QList<quint16>(gamma->blue, gamma->blue + gamma->size);
    }
    XRRFreeGamma(gamma);
    return ramp;
}

std::optional<XRandrColorStage::PropertyValue> XRandrColorStage::readMatrixProperty(XID output, XID property) const
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    const int status = XRRGetOutputProperty(m_display, output, property, 0, ctmReadLength, False, False,
                                            AnyPropertyType, &type, &format, &count, &remaining, &data);
    std::optional<PropertyValue> value;
    if (status == Success && type != None && format == 32 && data) {
        // Xlib hands format-32 data over as an array of C long.
        const long *items = reinterpret_cast<const long *>(data);
        value = PropertyValue{property, type, format, QList<long>(items, items + count)};
    }
    if (data)
        XFree(data);
    return value;
}

bool XRandrColorStage::knownMatrixShape(const PropertyValue &value) const
{
    const qsizetype expected = value.property == m_ctmAtom ? CtmEncoding::itemCount : CscMatrixEncoding::itemCount;
    return value.format == 32 && value.items.size() == expected;
}

QList<quint32> XRandrColorStage::encodeItems(XID property, const ColorMatrix3x3 &matrix) const
{
    if (property == m_ctmAtom) {
        const auto items = CtmEncoding::encode(matrix);
        return QList<quint32>(items.cbegin(), items.cend());
    }
    const auto items = CscMatrixEncoding::encode(matrix);
    return QList<quint32>(items.cbegin(), items.cend());
}

void XRandrColorStage::writeGammaRamp(XID crtc, const GammaRamp &ramp)
{
    XRRCrtcGamma *gamma = XRRAllocGamma(int(ramp.size()));
    if (!gamma)
        return;
    std::copy(ramp.red.cbegin(), ramp.red.cend(), gamma->red);
    std::copy(ramp.green.cbegin(), ramp.green.cend(), gamma->green);
    std::copy(ramp.blue.cbegin(), ramp.blue.cend(), gamma->blue);
    XRRSetCrtcGamma(m_display, crtc, gamma);
    XRRFreeGamma(gamma);
    XFlush(m_display);
}

void XRandrColorStage::writeProperty(XID output, const PropertyValue &value)
{
    XRRChangeOutputProperty(m_display, output, value.property, value.type, value.format, PropModeReplace,
                            reinterpret_cast<const unsigned char *>(value.items.constData()),
                            int(value.items.size()));
    XFlush(m_display);
}

void XRandrColorStage::handleEvents()
{
    bool changed = false;
    while (alive() && XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type == m_eventBase + RRScreenChangeNotify || event.type == m_eventBase + RRNotify) {
            XRRUpdateConfiguration(&event);
            changed = true;
        }
    }
    if (!alive()) {
        // The socket now reads as closed forever; stop listening to it.
        if (m_notifier)
            m_notifier->setEnabled(false);
        changed = true;
    }
    if (!changed)
        return;
    m_stale = true;
    if (m_changedHandler)
        m_changedHandler();
}

// Replies may have pulled events off the socket into Xlib's queue, where the
// socket notifier cannot see them.
void XRandrColorStage::handleQueuedEventsLater()
{
    if (alive() && XEventsQueued(m_display, QueuedAlready) > 0)
        QMetaObject::invokeMethod(
            this, [this] { handleEvents(); }, Qt::QueuedConnection);
}

// Name and EDID: a CRTC or output whose monitor was swapped since is not the
// one the record speaks of.
QByteArray XRandrColorStage::outputIdentity(XID output, const QByteArray &name) const
{
    QByteArray identity = name;
    if (m_edidAtom == None)
        return identity;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    const int status = XRRGetOutputProperty(m_display, output, m_edidAtom, 0, 1024, False, False, AnyPropertyType,
                                            &type, &format, &count, &remaining, &data);
    if (status == Success && format == 8 && data && count > 0) {
        identity += '/';
        identity += QCryptographicHash::hash(QByteArrayView(data, qsizetype(count)), QCryptographicHash::Sha1)
                        .toHex();
    }
    if (data)
        XFree(data);
    return identity;
}

QByteArray XRandrColorStage::encodeMatrix(const PropertyValue &value)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << quint64(value.type) << qint32(value.format) << qint32(value.items.size());
    // Xlib sign-extends what it reads and we write zero-extended; the server keeps 32 bits.
    for (long item : value.items)
        stream << quint32(static_cast<unsigned long>(item) & 0xffffffffu);
    return bytes;
}

std::optional<XRandrColorStage::PropertyValue> XRandrColorStage::decodeMatrix(const QByteArray &bytes, XID property)
{
    QDataStream stream(bytes);
    quint64 type = 0;
    qint32 format = 0;
    qint32 count = 0;
    stream >> type >> format >> count;
    if (stream.status() != QDataStream::Ok || format != 32 || count <= 0 || count > ctmReadLength)
        return std::nullopt;
    PropertyValue value{property, XID(type), format, {}};
    for (qint32 i = 0; i < count; ++i) {
        quint32 item = 0;
        stream >> item;
        value.items.append(long(item));
    }
    if (stream.status() != QDataStream::Ok || !stream.atEnd())
        return std::nullopt;
    return value;
}

// A record whose writer still runs (and is this program) belongs to it, not
// to the stage just created.
bool XRandrColorStage::anotherInstanceWrote(qint64 pid)
{
    if (pid <= 0 || pid == qint64(::getpid()))
        return false;
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return !program.isEmpty()
           && QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget() == program;
}

// Ours, so the recorded original goes back, when the server shows the value the dead writer settled on,
// or, if it died mid-change, a value such a change writes (`midChange`): a calibration loaded since
// (colord, xcalib) is not one, and stays. Restoring an original never stacks tint on tint.
std::optional<QByteArray> XRandrColorStage::takeLeftBehind(QList<ColorStageRecord::Entry> &entries,
                                                           const QString &key, const QByteArray &identity,
                                                           const QByteArray &current,
                                                           const std::function<bool(const QByteArray &)> &midChange)
{
    const auto entry = std::find_if(entries.begin(), entries.end(), [&](const ColorStageRecord::Entry &e) {
        return e.key == key && e.identity == identity;
    });
    if (entry == entries.end())
        return std::nullopt;
    const ColorStageRecord::Entry found = *entry;
    entries.erase(entry);
    if (current == found.original)
        return std::nullopt;
    if (current == found.written || (m_leftBehind->changing && midChange(found.original)))
        return found.original;
    return std::nullopt;
}

// Before a write: the record learns of a CRTC or output written for the first
// time, or of a change beginning, before the server does. True for a first write.
bool XRandrColorStage::noteChange(XID id, QSet<XID> &written)
{
    const bool first = !written.contains(id);
    written.insert(id);
    if (m_recordPath.isEmpty())
        return first;
    m_settleTimer.start();
    if (first || !m_changing) {
        m_changing = true;
        saveRecord();
    }
    return first;
}

void XRandrColorStage::settle()
{
    m_changing = false;
    for (auto it = m_lastGamma.cbegin(); it != m_lastGamma.cend(); ++it)
        m_settled.insert(it.key(), encodeRamp(it.value()));
    for (auto it = m_lastMatrix.cbegin(); it != m_lastMatrix.cend(); ++it)
        m_settled.insert(it.key(), encodeMatrix(it.value()));
    saveRecord();
}

void XRandrColorStage::saveRecord()
{
    if (m_recordPath.isEmpty())
        return;
    ColorStageRecord::Contents contents;
    contents.pid = ::getpid();
    contents.changing = m_changing;
    for (const Crtc &crtc : std::as_const(m_crtcs)) {
        const auto original = m_originalGamma.constFind(crtc.id);
        if (m_writtenCrtcs.contains(crtc.id) && original != m_originalGamma.cend())
            contents.crtcs.append({crtc.key, m_identities.value(crtc.id), encodeRamp(*original),
                                   m_settled.value(crtc.id)});
    }
    for (const Output &output : std::as_const(m_outputs)) {
        const auto original = m_originalMatrix.constFind(output.id);
        if (m_writtenOutputs.contains(output.id) && original != m_originalMatrix.cend())
            contents.outputs.append({output.key, m_identities.value(output.id), encodeMatrix(*original),
                                     m_settled.value(output.id)});
    }
    if (contents.isEmpty()) {
        m_changing = false;
        m_settleTimer.stop();
    }
    if (!ColorStageRecord::save(m_recordPath, contents))
        qWarning("halvoscope: cannot write %s", qPrintable(m_recordPath));
}
