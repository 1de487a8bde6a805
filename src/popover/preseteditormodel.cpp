#include "popover/preseteditormodel.h"

#include "core/halvostore.h"
#include "core/localeformat.h"
#include "popover/popovercontext.h"
#include "popover/screencapabilitytext.h"

#include <algorithm>
#include <cmath>

PresetEditorModel::PresetEditorModel(QObject *parent)
    : QObject(parent)
{
    connect(this, &PresetEditorModel::saturationChanged, this, &PresetEditorModel::capabilityTextChanged);
}

void PresetEditorModel::setContext(PopoverContext *context)
{
    if (m_context == context)
        return;
    if (m_context)
        disconnect(m_context, nullptr, this, nullptr);
    m_context = context;
    if (context)
        connect(context, &PopoverContext::screenCapabilitiesChanged, this, &PresetEditorModel::capabilityTextChanged);
    Q_EMIT contextChanged();
    if (!context) {
        setStore(nullptr, {});
        return;
    }
    setStore(context->store(), context->goBackAction());
}

void PresetEditorModel::setStore(HalvoStore *store, std::function<void()> onBack)
{
    if (m_store)
        disconnect(m_store, nullptr, this, nullptr);
    m_store = store;
    m_onBack = std::move(onBack);
    if (store) {
        connect(store, &HalvoStore::presetsChanged, this, &PresetEditorModel::presetChanged);
        connect(store, &HalvoStore::currentBrightnessChanged, this,
                &PresetEditorModel::brightnessAvailableChanged);
        connect(store, &HalvoStore::currentBrightnessChanged, this,
                &PresetEditorModel::brightnessTextChanged);
    }
    Q_EMIT presetChanged();
    Q_EMIT brightnessAvailableChanged();
    Q_EMIT brightnessTextChanged();
}

void PresetEditorModel::setPresetID(const QString &presetID)
{
    if (m_presetID == presetID)
        return;
    m_presetID = presetID;
    Q_EMIT presetIDChanged();
    Q_EMIT presetChanged();
    if (m_onScreen)
        load();
}

void PresetEditorModel::appear()
{
    m_onScreen = true;
    if (m_store)
        m_store->refreshBrightness();
    load();
}

std::optional<HalvoPreset> PresetEditorModel::preset() const
{
    if (!m_store)
        return std::nullopt;
    return m_store->findPreset(m_presetID);
}

bool PresetEditorModel::isCustom() const
{
    const std::optional<HalvoPreset> found = preset();
    return found && found->isCustom;
}

QString PresetEditorModel::title() const
{
    const std::optional<HalvoPreset> found = preset();
    return found ? found->displayName() : tr("Preset");
}

void PresetEditorModel::load()
{
    const std::optional<HalvoPreset> found = preset();
    if (!found)
        return;
    setNameDraft(found->name);
    setTemperatureDraft(static_cast<double>(found->temperature));
    setSaturationDraft(static_cast<double>(found->saturation));
    if (found->brightness) {
        setBrightnessAutoDraft(false);
        setBrightnessDraft(static_cast<double>(*found->brightness));
    } else {
        setBrightnessAutoDraft(true);
        setBrightnessDraft(static_cast<double>(m_store->currentBrightness().value_or(65)));
    }
}

void PresetEditorModel::setNameDraft(const QString &name)
{
    if (m_nameDraft == name)
        return;
    m_nameDraft = name;
    Q_EMIT nameDraftChanged();
}

void PresetEditorModel::setTemperatureDraft(double value)
{
    if (m_temperature == value)
        return;
    m_temperature = value;
    Q_EMIT temperatureChanged();
}

void PresetEditorModel::setSaturationDraft(double value)
{
    if (m_saturation == value)
        return;
    m_saturation = value;
    Q_EMIT saturationChanged();
}

void PresetEditorModel::setBrightnessAutoDraft(bool automatic)
{
    if (m_brightnessAuto == automatic)
        return;
    m_brightnessAuto = automatic;
    Q_EMIT brightnessAutoChanged();
}

void PresetEditorModel::setBrightnessDraft(double value)
{
    if (m_brightness == value)
        return;
    m_brightness = value;
    Q_EMIT brightnessChanged();
    Q_EMIT brightnessTextChanged();
}

qint64 PresetEditorModel::roundToWhole(double value)
{
    if (!std::isfinite(value))
        return 0;
    // Far beyond every slider range; keeps llround defined.
    constexpr double limit = 1e15;
    return std::llround(std::clamp(value, -limit, limit));
}

QString PresetEditorModel::temperatureText() const
{
    return LocaleFormat::kelvin(roundToWhole(m_temperature));
}

QString PresetEditorModel::saturationText() const
{
    return LocaleFormat::percent(roundToWhole(m_saturation));
}

QString PresetEditorModel::capabilityText() const
{
    if (!m_context)
        return {};
    return ScreenCapabilityText::saturationUnavailable(
        m_context->screenCapabilities().value_or(ScreenColorCapabilities{}), roundToWhole(m_saturation));
}

bool PresetEditorModel::brightnessAvailable() const
{
    return m_store && m_store->currentBrightness().has_value();
}

QString PresetEditorModel::brightnessText() const
{
    if (!brightnessAvailable())
        return tr("Unavailable");
    return LocaleFormat::percent(roundToWhole(m_brightness));
}

QString PresetEditorModel::autoBrightnessCaption() const
{
    return brightnessAvailable() ? tr("Keep system display level")
                                 : tr("Unavailable on this display");
}

void PresetEditorModel::moveTemperature(double value)
{
    setTemperatureDraft(value);
    if (m_store)
        m_store->updatePreset(m_presetID, roundToWhole(value), std::nullopt,
                              BrightnessChange::leaveAlone());
}

void PresetEditorModel::moveSaturation(double value)
{
    setSaturationDraft(value);
    if (m_store)
        m_store->updatePreset(m_presetID, std::nullopt, roundToWhole(value),
                              BrightnessChange::leaveAlone());
}

void PresetEditorModel::moveBrightness(double value)
{
    // The slider is disabled while the display's brightness cannot be read.
    if (!brightnessAvailable())
        return;
    setBrightnessAutoDraft(false);
    setBrightnessDraft(value);
    m_store->updatePreset(m_presetID, std::nullopt, std::nullopt,
                          BrightnessChange::setLevel(roundToWhole(value)));
}

void PresetEditorModel::setBrightnessAuto(bool automatic)
{
    // The switch is disabled while the display's brightness cannot be read.
    if (!brightnessAvailable() || automatic == m_brightnessAuto)
        return;
    setBrightnessAutoDraft(automatic);
    if (automatic) {
        m_store->updatePreset(m_presetID, std::nullopt, std::nullopt,
                              BrightnessChange::keepSystemLevel());
        if (const std::optional<qint64> current = m_store->currentBrightness())
            setBrightnessDraft(static_cast<double>(*current));
    } else {
        m_store->updatePreset(m_presetID, std::nullopt, std::nullopt,
                              BrightnessChange::setLevel(roundToWhole(m_brightness)));
    }
}

void PresetEditorModel::reset()
{
    if (!m_store)
        return;
    m_store->resetPreset(m_presetID);
    load();
}

void PresetEditorModel::rename()
{
    const QString name = m_nameDraft.trimmed();
    if (name.isEmpty() || !m_store)
        return;
    m_store->renamePreset(m_presetID, name);
    load();
}

void PresetEditorModel::deletePreset()
{
    if (m_store)
        m_store->deleteCustomPreset(m_presetID);
    back();
}

void PresetEditorModel::back()
{
    if (m_onBack)
        m_onBack();
}
