#include "popover/mainpresetsmodel.h"

#include "core/halvostore.h"
#include "core/localeformat.h"
#include "popover/popovercontext.h"
#include "popover/presettintname.h"
#include "popover/screencapabilitytext.h"

MainPresetsModel::MainPresetsModel(QObject *parent)
    : PresetRowsModel(parent) {}

void MainPresetsModel::setContext(PopoverContext *context)
{
    if (m_context == context)
        return;
    if (m_context)
        disconnect(m_context, nullptr, this, nullptr);
    m_context = context;
    if (context)
        connect(context, &PopoverContext::screenCapabilitiesChanged, this,
                &MainPresetsModel::screenCapabilitiesChanged);
    Q_EMIT contextChanged();
    if (!context) {
        setStore(nullptr, {});
        return;
    }
    Actions actions;
    actions.onEditPreset = context->editPresetAction(false);
    actions.onOpenSettings = context->showPageAction(PopoverPage::settings());
    actions.onQuit = context->quitAction();
    setStore(context->store(), std::move(actions));
}

void MainPresetsModel::setStore(HalvoStore *store, Actions actions)
{
    if (m_store)
        disconnect(m_store, nullptr, this, nullptr);
    m_store = store;
    m_actions = std::move(actions);
    if (store) {
        connect(store, &HalvoStore::presetsChanged, this, &MainPresetsModel::reloadRows);
        connect(store, &HalvoStore::hiddenPresetIDsChanged, this, &MainPresetsModel::reloadRows);
        connect(store, &HalvoStore::activeModeIDChanged, this, &MainPresetsModel::rowStateChanged);
        connect(store, &HalvoStore::isTransitioningChanged, this,
                &MainPresetsModel::statusTextChanged);
        connect(store, &HalvoStore::keepAwakeEnabledChanged, this,
                &MainPresetsModel::keepAwakeEnabledChanged);
        connect(store, &HalvoStore::errorMessageChanged, this, &MainPresetsModel::errorTextChanged);
    }
    reloadRows();
    Q_EMIT statusTextChanged();
    Q_EMIT keepAwakeEnabledChanged();
    Q_EMIT errorTextChanged();
    Q_EMIT capabilityTextChanged();
}

void MainPresetsModel::screenCapabilitiesChanged()
{
    Q_EMIT capabilityTextChanged();
    Q_EMIT errorTextChanged();
}

QVariant MainPresetsModel::data(const QModelIndex &index, int role) const
{
    const HalvoPreset *row = presetAt(index);
    if (!row)
        return {};
    const HalvoPreset &preset = *row;
    switch (role) {
    case PresetIDRole:
        return preset.id;
    case Qt::DisplayRole:
    case NameRole:
        return preset.displayName();
    case SymbolNameRole:
        return preset.symbolName();
    case TintRole:
        return presetTintName(preset.tintColor());
    case IsActiveRole:
        return m_store && m_store->activeModeID() == preset.id;
    case IsHoveredRole:
        return m_hoveredPresetID == preset.id;
    case TrailingRole:
        return trailing(preset);
    default:
        return {};
    }
}

QHash<int, QByteArray> MainPresetsModel::roleNames() const
{
    return {
        {PresetIDRole, "presetID"},
        {NameRole, "name"},
        {SymbolNameRole, "symbolName"},
        {TintRole, "tint"},
        {IsActiveRole, "isActive"},
        {IsHoveredRole, "isHovered"},
        {TrailingRole, "trailing"},
    };
}

// The edit button wins over the active row's chevron while the row is hovered.
QString MainPresetsModel::trailing(const HalvoPreset &preset) const
{
    if (m_hoveredPresetID == preset.id)
        return QStringLiteral("edit");
    if (m_store && m_store->activeModeID() == preset.id)
        return QStringLiteral("chevron");
    return {};
}

void MainPresetsModel::reloadRows()
{
    replaceRows(m_store ? m_store->visiblePresets() : QList<HalvoPreset>());
    Q_EMIT summaryTextChanged();
    Q_EMIT capabilityTextChanged();
}

void MainPresetsModel::rowStateChanged()
{
    allRowsChanged({IsActiveRole, TrailingRole});
    Q_EMIT summaryTextChanged();
    Q_EMIT capabilityTextChanged();
}

QString MainPresetsModel::summaryText() const
{
    if (!m_store)
        return {};
    const HalvoPreset preset = m_store->activePreset();
    //: %1 is the colour temperature ("6,500 K"), %2 the saturation ("100%").
    return tr("%1 \u00B7 %2").arg(LocaleFormat::kelvin(preset.temperature), LocaleFormat::percent(preset.saturation));
}

QString MainPresetsModel::statusText() const
{
    if (m_store && m_store->isTransitioning())
        return tr("Applying\u2026");
    return tr("On");
}

bool MainPresetsModel::keepAwakeEnabled() const
{
    return m_store && m_store->keepAwakeEnabled();
}

void MainPresetsModel::setKeepAwakeHovered(bool hovered)
{
    if (m_keepAwakeHovered == hovered)
        return;
    m_keepAwakeHovered = hovered;
    Q_EMIT keepAwakeHoveredChanged();
}

QString MainPresetsModel::errorText() const
{
    if (!m_store)
        return {};
    if (const std::optional<QString> message = m_store->errorMessage())
        return *message;
    const std::optional<ScreenColorCapabilities> capabilities =
        m_context ? m_context->screenCapabilities() : std::nullopt;
    return capabilities && capabilities->isEmpty() ? ScreenCapabilityText::noColorPath() : QString();
}

QString MainPresetsModel::capabilityText() const
{
    if (!m_store || !m_context)
        return {};
    return ScreenCapabilityText::saturationUnavailable(m_context->screenCapabilities().value_or(ScreenColorCapabilities{}),
                                                       m_store->activePreset().saturation);
}

void MainPresetsModel::activate(const QString &presetID)
{
    if (m_store)
        m_store->activatePreset(presetID, true);
}

void MainPresetsModel::setKeepAwake(bool enabled)
{
    if (m_store)
        m_store->setKeepAwake(enabled);
}

void MainPresetsModel::toggleKeepAwake()
{
    setKeepAwake(!keepAwakeEnabled());
}

void MainPresetsModel::editPreset(const QString &presetID)
{
    if (m_actions.onEditPreset)
        m_actions.onEditPreset(presetID);
}

void MainPresetsModel::openSettings()
{
    if (m_actions.onOpenSettings)
        m_actions.onOpenSettings();
}

void MainPresetsModel::quit()
{
    if (m_actions.onQuit)
        m_actions.onQuit();
}

void MainPresetsModel::rowEntered(const QString &presetID)
{
    setHoveredPresetID(presetID);
    // A row about to be clicked: the graphics set-up of its transition
    // starts now rather than at the click. Only then, not when the popover
    // opens, so that a look at the popover leaves the driver unloaded.
    if (m_store && m_store->animationEnabled() && m_store->rippleEngine()
        && m_store->activeModeID() != presetID)
        m_store->rippleEngine()->prepare();
}

void MainPresetsModel::rowExited(const QString &presetID)
{
    // A row entered in the meantime keeps its hover.
    if (m_hoveredPresetID == presetID)
        setHoveredPresetID(QString());
}

void MainPresetsModel::setHoveredPresetID(const QString &presetID)
{
    if (m_hoveredPresetID == presetID)
        return;
    const QString previous = m_hoveredPresetID;
    m_hoveredPresetID = presetID;
    for (int row = 0; row < count(); ++row) {
        const QString &id = presetRows().at(row).id;
        if (id == previous || id == presetID)
            Q_EMIT dataChanged(index(row), index(row), {IsHoveredRole, TrailingRole});
    }
    Q_EMIT hoveredPresetIDChanged();
}
