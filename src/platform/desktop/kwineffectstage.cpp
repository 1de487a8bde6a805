#include "platform/desktop/kwineffectstage.h"

#include "core/systemlog.h"
#include "platform/desktop/kconfigtext.h"
#include "platform/desktop/kwinnightlightstage.h"

#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

const QString KWinEffectStage::effectId = QStringLiteral("com.corvanta.halvoscope.colorfilter");
const QString KWinEffectStage::desktopOutput = QStringLiteral("KWin");

namespace {

// Loading compiles the shaders, which takes llvmpipe a while.
constexpr int kKWinCallTimeoutMs = 5000;

QString group()
{
    return QStringLiteral("Effect-") + KWinEffectStage::effectId;
}

const QStringList &ourKeys()
{
    static const QStringList keys = {
        QStringLiteral("Matrix"),
        QStringLiteral("FromMatrix"),
        QStringLiteral("TransitionMs"),
        QStringLiteral("Ripple"),
        QStringLiteral("OriginX"),
        QStringLiteral("OriginY"),
        QStringLiteral("Serial"),
    };
    return keys;
}

QString matrixText(const ColorMatrix3x3 &matrix)
{
    QStringList numbers;
    for (const double value : matrix)
        numbers.append(QString::number(value, 'g', 7));
    return numbers.join(QLatin1Char(','));
}

QByteArray readKwinrc()
{
    QFile file(KWinNightLightStage::configPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

NightLightStage::Settings currentValues()
{
    const QByteArray text = readKwinrc();
    NightLightStage::Settings values;
    for (const QString &key : ourKeys())
        values.insert(key, KConfigText::value(text, group(), key));
    return values;
}

bool groupExists()
{
    return KConfigText::hasGroup(readKwinrc(), group());
}

// Every other byte of the file stays; a file that held only our group goes,
// and so does the group unless it was there before (`keepGroup`).
bool writeKwinrc(const NightLightStage::Settings &entries, bool keepGroup)
{
    const QString path = KWinNightLightStage::configPath();
    const QByteArray text = readKwinrc();
    const QByteArray edited = KConfigText::withEntries(
        text, group(), entries, keepGroup ? KConfigText::EmptyGroup::Keep : KConfigText::EmptyGroup::Remove);
    if (edited == text)
        return true;
    if (edited.isEmpty())
        return QFile::remove(path) || !QFile::exists(path);
    return KConfigText::replaceFile(path, edited);
}

QJsonObject toJson(const NightLightStage::Settings &settings)
{
    QJsonObject object;
    for (auto it = settings.cbegin(); it != settings.cend(); ++it)
        object.insert(it.key(), it.value() ? QJsonValue(*it.value()) : QJsonValue());
    return object;
}

// Only our own keys, each a string or null; anything else is ignored.
NightLightStage::Settings fromJson(const QJsonObject &object)
{
    NightLightStage::Settings settings;
    for (const QString &key : ourKeys()) {
        const QJsonValue value = object.value(key);
        if (value.isString())
            settings.insert(key, value.toString());
        else if (value.isNull())
            settings.insert(key, std::nullopt);
    }
    return settings;
}

bool saveRecord(const NightLightStage::Settings &original, bool groupExisted)
{
    const QString path = KWinEffectStage::recordPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QJsonObject object;
    object.insert(QStringLiteral("effect"), KWinEffectStage::effectId);
    object.insert(QStringLiteral("original"), toJson(original));
    object.insert(QStringLiteral("groupExisted"), groupExisted);
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(QJsonDocument(object).toJson()) >= 0 && file.commit();
}

bool callEffects(const QDBusConnection &bus, const QString &method)
{
    QDBusMessage message = QDBusMessage::createMethodCall(QStringLiteral("org.kde.KWin"), QStringLiteral("/Effects"),
                                                          QStringLiteral("org.kde.kwin.Effects"), method);
    message << KWinEffectStage::effectId;
    const QDBusMessage reply = bus.call(message, QDBus::Block, kKWinCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return false;
    // loadEffect and isEffectLoaded answer a boolean, the others nothing.
    return reply.arguments().isEmpty() || reply.arguments().constFirst().toBool();
}

} // namespace

KWinEffectStage::KWinEffectStage(QDBusConnection sessionBus)
    : m_bus(std::move(sessionBus))
{
    recoverRecord(m_bus);
}

// Not restored here: quitting goes through restoreMatrices, and a stage
// that goes without it leaves the record for the next instance.
KWinEffectStage::~KWinEffectStage() = default;

QString KWinEffectStage::recordPath()
{
    return QFileInfo(NightLightStage::recordPath(QStringLiteral("kwin"))).absolutePath() + QStringLiteral("/kwin-effect.json");
}

void KWinEffectStage::recoverRecord(const QDBusConnection &sessionBus)
{
    QFile file(recordPath());
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonObject object = QJsonDocument::fromJson(file.read(64 * 1024)).object();
    file.close();
    callEffects(sessionBus, QStringLiteral("unloadEffect"));
    NightLightStage::Settings original = fromJson(object.value(QStringLiteral("original")).toObject());
    // A key the record does not name was not there before.
    for (const QString &key : ourKeys()) {
        if (!original.contains(key))
            original.insert(key, std::nullopt);
    }
    if (writeKwinrc(original, object.value(QStringLiteral("groupExisted")).toBool())) {
        QFile::remove(recordPath());
        logSystemLine(QStringLiteral("Halvo KWinEffectStage: removed the colour filter left by an earlier run"));
    }
}

KWinEffectStage::Probe KWinEffectStage::probe()
{
    if (!m_bus.isConnected())
        return Probe::NoAnswer;
    // Recorded first: a crash while it is loaded is undone too.
    saveRecord(currentValues(), groupExists());
    QDBusMessage message = QDBusMessage::createMethodCall(QStringLiteral("org.kde.KWin"), QStringLiteral("/Effects"),
                                                          QStringLiteral("org.kde.kwin.Effects"),
                                                          QStringLiteral("loadEffect"));
    message << effectId;
    const QDBusMessage reply = m_bus.call(message, QDBus::Block, kKWinCallTimeoutMs);
    const bool answered = reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 1;
    m_usable = answered && reply.arguments().constFirst().toBool();
    if (m_usable)
        callEffects(m_bus, QStringLiteral("unloadEffect"));
    QFile::remove(recordPath());
    return m_usable ? Probe::Loaded : answered ? Probe::Refused
                                               : Probe::NoAnswer;
}

QStringList KWinEffectStage::activeOutputs() const
{
    return m_usable ? QStringList{desktopOutput} : QStringList{};
}

bool KWinEffectStage::hasMatrix(const QString &output) const
{
    return m_usable && output == desktopOutput;
}

bool KWinEffectStage::writeMatrix(const QString &output, const ColorMatrix3x3 &matrix)
{
    if (!hasMatrix(output))
        return false;
    return show({matrix, matrix, QPointF(), 0, false});
}

// KWin draws the ripple as a ring that reveals the new colour under a crest;
// the screen is not refracted, so `refract` changes nothing.
bool KWinEffectStage::runTransition(const ColorMatrix3x3 &from, const ColorMatrix3x3 &to, QPointF origin,
                                    int durationMs, bool refract)
{
    Q_UNUSED(refract);
    if (!m_usable)
        return false;
    return show({from, to, origin, std::max(durationMs, 0), true});
}

// One write of kwinrc and one call per change, whatever it is: KWin runs a
// transition itself, at its own frame rate.
bool KWinEffectStage::show(const Transition &transition)
{
    if (!m_original) {
        m_original = currentValues();
        m_groupExisted = groupExists();
        // Recorded before the write, so that a crash right after it is undone too.
        if (!saveRecord(*m_original, m_groupExisted))
            logSystemLine(QStringLiteral("Halvo KWinEffectStage: cannot record the colour filter in ") + recordPath());
    }
    const NightLightStage::Settings entries = {
        {QStringLiteral("Matrix"), matrixText(transition.to)},
        {QStringLiteral("FromMatrix"), matrixText(transition.from)},
        {QStringLiteral("TransitionMs"), QString::number(transition.durationMs)},
        {QStringLiteral("Ripple"), transition.ripple ? QStringLiteral("true") : QStringLiteral("false")},
        {QStringLiteral("OriginX"), QString::number(transition.origin.x(), 'f', 1)},
        {QStringLiteral("OriginY"), QString::number(transition.origin.y(), 'f', 1)},
        {QStringLiteral("Serial"), QString::number(++m_serial)},
    };
    if (!writeKwinrc(entries, true))
        return false;
    if (m_loaded)
        return call(QStringLiteral("reconfigureEffect"));
    m_loaded = call(QStringLiteral("loadEffect"));
    if (!m_loaded) {
        // KWin refuses it now (compositing changed since the probe): the
        // engine moves on without a matrix.
        restoreMatrices();
        m_usable = false;
    }
    return m_loaded;
}

bool KWinEffectStage::call(const QString &method) const
{
    return callEffects(m_bus, method);
}

// KWin drops the effect when it restarts: then it is loaded again.
bool KWinEffectStage::matrixHolds(const QString &output, const ColorMatrix3x3 &matrix)
{
    Q_UNUSED(output);
    Q_UNUSED(matrix);
    if (m_loaded && !call(QStringLiteral("isEffectLoaded")))
        m_loaded = false;
    return m_loaded || !m_original;
}

void KWinEffectStage::restoreMatrices()
{
    if (!m_original)
        return;
    if (m_loaded)
        call(QStringLiteral("unloadEffect"));
    m_loaded = false;
    if (writeKwinrc(*m_original, m_groupExisted)) {
        QFile::remove(recordPath());
        m_original.reset();
    }
}
