#include "popover/settingsmodel.h"

#include "core/halvostore.h"
#include "popover/screencapabilitytext.h"

SettingsModel::SettingsModel(QObject *parent)
    : PresetRowsModel(parent) {}

SettingsModel::~SettingsModel()
{
    releaseUpdateChecker();
}

void SettingsModel::releaseUpdateChecker()
{
    // A running check keeps its checker until it has shown its outcome.
    if (m_updateChecker) {
        m_updateChecker->disconnect(this);
        m_updateChecker->deleteWhenFinished();
    }
    m_updateChecker = nullptr;
}

void SettingsModel::setContext(PopoverContext *context)
{
    if (m_context == context)
        return;
    if (m_context)
        disconnect(m_context, nullptr, this, nullptr);
    m_context = context;
    if (context)
        connect(context, &PopoverContext::screenCapabilitiesChanged, this, &SettingsModel::screenPathRowsChanged);
    m_extension->setExtension(context ? context->desktopExtension() : nullptr);
    Q_EMIT contextChanged();
    Q_EMIT screenPathRowsChanged();
    if (!context) {
        setStore(nullptr, {});
        return;
    }
    Actions actions;
    actions.onBack = context->goBackAction();
    actions.onOpenSchedule = context->showPageAction(PopoverPage::schedule());
    actions.onShowOnboarding = context->showOnboardingAction();
    actions.onEditPreset = context->editPresetAction(true);
    actions.onQuit = context->quitAction();
    actions.launchNewInstance = context->launchNewInstanceAction();
    actions.makeUpdateChecking = [weak = QPointer<PopoverContext>(context)]() -> UpdateChecking * {
        return weak ? weak->makeUpdateChecking() : nullptr;
    };
    actions.version = context->version();
    setStore(context->store(), std::move(actions));
}

void SettingsModel::setStore(HalvoStore *store, Actions actions)
{
    if (m_store)
        disconnect(m_store, nullptr, this, nullptr);
    m_store = store;
    m_actions = std::move(actions);
    releaseUpdateChecker();
    if (m_actions.makeUpdateChecking)
        m_updateChecker = m_actions.makeUpdateChecking();
    if (m_updateChecker)
        connect(m_updateChecker, &UpdateChecking::stateChanged, this,
                &SettingsModel::updateStateChanged);
    Q_EMIT updateStateChanged();
    if (store) {
        connect(store, &HalvoStore::presetsChanged, this, &SettingsModel::reloadRows);
        connect(store, &HalvoStore::hiddenPresetIDsChanged, this, &SettingsModel::reloadRows);
        connect(store, &HalvoStore::scheduleChanged, this, &SettingsModel::scheduleDetailChanged);
        connect(store, &HalvoStore::animationEnabledChanged, this,
                &SettingsModel::animationEnabledChanged);
        connect(store, &HalvoStore::opticalRefractionEnabledChanged, this,
                &SettingsModel::opticalRefractionEnabledChanged);
        connect(store, &HalvoStore::opticalRefractionEnabledChanged, this,
                &SettingsModel::refractionStatusChanged);
    }
    reloadRows();
    Q_EMIT scheduleDetailChanged();
    Q_EMIT animationEnabledChanged();
    Q_EMIT opticalRefractionEnabledChanged();
    Q_EMIT refractionStatusChanged();
    refreshLaunchAtLogin();
}

QVariant SettingsModel::data(const QModelIndex &index, int role) const
{
    const HalvoPreset *row = presetAt(index);
    if (!row || !m_store)
        return {};
    const HalvoPreset &preset = *row;
    const bool hidden = m_store->hiddenPresetIDs().contains(preset.id);
    switch (role) {
    case PresetIDRole:
        return preset.id;
    case Qt::DisplayRole:
    case NameRole:
        return preset.displayName();
    case SymbolNameRole:
        return preset.symbolName();
    case IsHiddenRole:
        return hidden;
    case IsLastVisibleRole:
        return !hidden && m_store->visiblePresets().size() < 2;
    case IsCustomRole:
        return preset.isCustom;
    default:
        return {};
    }
}

QHash<int, QByteArray> SettingsModel::roleNames() const
{
    return {
        {PresetIDRole, "presetID"},
        {NameRole, "name"},
        {SymbolNameRole, "symbolName"},
        {IsHiddenRole, "isHidden"},
        {IsLastVisibleRole, "isLastVisible"},
        {IsCustomRole, "isCustom"},
    };
}

void SettingsModel::reloadRows()
{
    replaceRows(m_store ? m_store->presets() : QList<HalvoPreset>());
}

void SettingsModel::setNewPresetName(const QString &name)
{
    if (m_newPresetName == name)
        return;
    m_newPresetName = name;
    Q_EMIT newPresetNameChanged();
}

void SettingsModel::addPreset()
{
    const QString name = m_newPresetName.trimmed();
    if (name.isEmpty() || !m_store)
        return;
    const HalvoPreset preset = m_store->addCustomPreset(name);
    setNewPresetName(QString());
    editPreset(preset.id);
}

void SettingsModel::togglePresetHidden(const QString &presetID)
{
    if (m_store)
        m_store->togglePresetHidden(presetID);
}

void SettingsModel::editPreset(const QString &presetID)
{
    if (m_actions.onEditPreset)
        m_actions.onEditPreset(presetID);
}

void SettingsModel::openSchedule()
{
    if (m_actions.onOpenSchedule)
        m_actions.onOpenSchedule();
}

void SettingsModel::showOnboarding()
{
    if (m_actions.onShowOnboarding)
        m_actions.onShowOnboarding();
}

void SettingsModel::back()
{
    if (m_actions.onBack)
        m_actions.onBack();
}

QString SettingsModel::scheduleDetail() const
{
    return m_store && m_store->schedule().enabled ? tr("On") : tr("Off");
}

QString SettingsModel::updateDetail() const
{
    if (m_updateChecker && m_updateChecker->isChecking())
        return tr("Checking\u2026");
    //: %1 is the version number.
    return tr("v%1").arg(m_actions.version);
}

bool SettingsModel::canCheckForUpdates() const
{
    return m_updateChecker && !m_updateChecker->isChecking();
}

void SettingsModel::checkForUpdates()
{
    if (!canCheckForUpdates())
        return;
    // The check ends in a modal alert, so it starts on the next turn of the
    // event loop rather than inside the click.
    QMetaObject::invokeMethod(
        m_updateChecker.data(), [checker = m_updateChecker] {
            if (checker)
                checker->checkForUpdates(true);
        },
        Qt::QueuedConnection);
}

bool SettingsModel::animationEnabled() const
{
    return m_store && m_store->animationEnabled();
}

void SettingsModel::setAnimationEnabled(bool enabled)
{
    if (m_store)
        m_store->setAnimationEnabled(enabled);
}

bool SettingsModel::opticalRefractionEnabled() const
{
    return m_store && m_store->opticalRefractionEnabled();
}

void SettingsModel::setOpticalRefractionEnabled(bool enabled)
{
    // The switch is disabled while the animation is off.
    if (!m_store || !m_store->animationEnabled())
        return;
    m_store->setOpticalRefractionEnabled(enabled);
    RippleTransitioning *engine = m_store->rippleEngine();
    if (enabled && engine && !engine->hasScreenCaptureAccess() && engine->canRequestScreenCaptureAccess())
        engine->requestScreenCaptureAccess();
    Q_EMIT refractionStatusChanged();
}

QString SettingsModel::refractionStatus() const
{
    if (!m_store || !m_store->opticalRefractionEnabled())
        return QStringLiteral("none");
    const RippleTransitioning *engine = m_store->rippleEngine();
    if (!engine)
        return QStringLiteral("needsAccess");
    if (engine->hasScreenCaptureAccess())
        return QStringLiteral("active");
    return engine->canRequestScreenCaptureAccess() ? QStringLiteral("needsAccess")
                                                   : QStringLiteral("unavailable");
}

void SettingsModel::grantScreenRecording()
{
    if (!m_store)
        return;
    RippleTransitioning *engine = m_store->rippleEngine();
    if (engine && engine->canRequestScreenCaptureAccess())
        engine->requestScreenCaptureAccess();
    Q_EMIT refractionStatusChanged();
}

void SettingsModel::relaunch()
{
    // A failed launch still quits, as the user asked for a fresh start.
    if (m_actions.launchNewInstance)
        m_actions.launchNewInstance();
    if (m_actions.onQuit)
        m_actions.onQuit();
}

void SettingsModel::setLaunchAtLogin(bool enabled)
{
    if (m_store)
        m_store->setLaunchAtLogin(enabled);
    refreshLaunchAtLogin();
}

void SettingsModel::refreshLaunchAtLogin()
{
    const LoginItemService *loginItems = m_store ? m_store->loginItemService() : nullptr;
    const bool enabled = loginItems && loginItems->isEnabled();
    if (m_launchAtLogin == enabled)
        return;
    m_launchAtLogin = enabled;
    Q_EMIT launchAtLoginChanged();
}

void SettingsModel::appear()
{
    refreshLaunchAtLogin();
    Q_EMIT refractionStatusChanged();
}

QStringList SettingsModel::screenPathRows() const
{
    QStringList rows;
    if (!m_context)
        return rows;
    for (const ScreenColorCapability &capability : m_context->screenCapabilities().value_or(ScreenColorCapabilities{}))
        rows.append(ScreenCapabilityText::pathRow(capability));
    return rows;
}
