#pragma once

#include "core/halvopreset.h"
#include "popover/popovercontext.h"

#include <QObject>
#include <QPointer>
#include <QQmlParserStatus>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <optional>

// The preset editor: drafts that mirror one preset for smooth slider
// movement, and the rules that turn slider and switch changes into store
// updates. The store stays the owner of the preset; every change is written
// at once, so leaving the page never needs a save.
class PresetEditorModel : public QObject, public QQmlParserStatus {
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    QML_ELEMENT
    Q_PROPERTY(PopoverContext *context READ context WRITE setContext NOTIFY contextChanged)
    Q_PROPERTY(QString presetID READ presetID WRITE setPresetID NOTIFY presetIDChanged)

    Q_PROPERTY(bool presetExists READ presetExists NOTIFY presetChanged)
    Q_PROPERTY(bool isCustom READ isCustom NOTIFY presetChanged)
    Q_PROPERTY(QString title READ title NOTIFY presetChanged)

    Q_PROPERTY(QString nameDraft READ nameDraft WRITE setNameDraft NOTIFY nameDraftChanged)
    Q_PROPERTY(bool canSaveName READ canSaveName NOTIFY nameDraftChanged)
    Q_PROPERTY(double temperature READ temperature NOTIFY temperatureChanged)
    Q_PROPERTY(QString temperatureText READ temperatureText NOTIFY temperatureChanged)
    Q_PROPERTY(double saturation READ saturation NOTIFY saturationChanged)
    Q_PROPERTY(QString saturationText READ saturationText NOTIFY saturationChanged)
    Q_PROPERTY(QString capabilityText READ capabilityText NOTIFY capabilityTextChanged)
    Q_PROPERTY(bool brightnessAuto READ brightnessAuto NOTIFY brightnessAutoChanged)
    Q_PROPERTY(double brightness READ brightness NOTIFY brightnessChanged)
    Q_PROPERTY(bool brightnessAvailable READ brightnessAvailable NOTIFY brightnessAvailableChanged)
    Q_PROPERTY(QString brightnessText READ brightnessText NOTIFY brightnessTextChanged)
    Q_PROPERTY(QString autoBrightnessCaption READ autoBrightnessCaption NOTIFY brightnessAvailableChanged)

public:
    explicit PresetEditorModel(QObject *parent = nullptr);

    // Wires the store and a back action through the popover's navigation.
    PopoverContext *context() const { return m_context; }
    void setContext(PopoverContext *context);
    // The same without a popover around it.
    void setStore(HalvoStore *store, std::function<void()> onBack);

    QString presetID() const { return m_presetID; }
    // Reloads the drafts when the page is already on screen.
    void setPresetID(const QString &presetID);

    // The page came on screen: refresh the brightness, then load the drafts.
    Q_INVOKABLE void appear();

    bool presetExists() const { return preset().has_value(); }
    bool isCustom() const;
    QString title() const;

    QString nameDraft() const { return m_nameDraft; }
    void setNameDraft(const QString &name);
    bool canSaveName() const { return !m_nameDraft.trimmed().isEmpty(); }

    double temperature() const { return m_temperature; }
    QString temperatureText() const;
    double saturation() const { return m_saturation; }
    QString saturationText() const;
    // Under the saturation slider: the screens that cannot show the draft's saturation.
    QString capabilityText() const;
    bool brightnessAuto() const { return m_brightnessAuto; }
    double brightness() const { return m_brightness; }
    bool brightnessAvailable() const;
    QString brightnessText() const;
    QString autoBrightnessCaption() const;

    // Slider changes: the snapped value becomes the draft and is sent rounded.
    Q_INVOKABLE void moveTemperature(double value);
    Q_INVOKABLE void moveSaturation(double value);
    Q_INVOKABLE void moveBrightness(double value);
    Q_INVOKABLE void setBrightnessAuto(bool automatic);

    Q_INVOKABLE void reset();
    Q_INVOKABLE void rename();
    Q_INVOKABLE void deletePreset();
    Q_INVOKABLE void back();

    // Nearest whole number, halves away from zero.
    static qint64 roundToWhole(double value);

    void classBegin() override {}
    void componentComplete() override { appear(); }

Q_SIGNALS:
    void contextChanged();
    void presetIDChanged();
    void presetChanged();
    void nameDraftChanged();
    void temperatureChanged();
    void saturationChanged();
    void capabilityTextChanged();
    void brightnessAutoChanged();
    void brightnessChanged();
    void brightnessAvailableChanged();
    void brightnessTextChanged();

private:
    std::optional<HalvoPreset> preset() const;
    void load();
    void setTemperatureDraft(double value);
    void setSaturationDraft(double value);
    void setBrightnessAutoDraft(bool automatic);
    void setBrightnessDraft(double value);

    QPointer<PopoverContext> m_context;
    QPointer<HalvoStore> m_store;
    std::function<void()> m_onBack;
    QString m_presetID;
    bool m_onScreen = false;

    QString m_nameDraft;
    double m_temperature = 6500;
    double m_saturation = 100;
    bool m_brightnessAuto = true;
    double m_brightness = 65;
};
