#pragma once

#include "core/halvopreset.h"
#include "popover/popovercontext.h"
#include "popover/presetrowsmodel.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <functional>

// The main page: one row per visible preset, the active preset's summary,
// keep-awake, the error line and the page's actions. Everything is read from
// the store; the only state of its own is which row the pointer is over.
class MainPresetsModel : public PresetRowsModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(PopoverContext *context READ context WRITE setContext NOTIFY contextChanged)
    Q_PROPERTY(QString summaryText READ summaryText NOTIFY summaryTextChanged)
    Q_PROPERTY(QString statusText READ statusText NOTIFY statusTextChanged)
    Q_PROPERTY(bool keepAwakeEnabled READ keepAwakeEnabled NOTIFY keepAwakeEnabledChanged)
    Q_PROPERTY(bool keepAwakeHovered READ keepAwakeHovered WRITE setKeepAwakeHovered NOTIFY keepAwakeHoveredChanged)
    Q_PROPERTY(QString errorText READ errorText NOTIFY errorTextChanged)
    Q_PROPERTY(bool showsError READ showsError NOTIFY errorTextChanged)
    Q_PROPERTY(QString hoveredPresetID READ hoveredPresetID NOTIFY hoveredPresetIDChanged)
    Q_PROPERTY(QString capabilityText READ capabilityText NOTIFY capabilityTextChanged)

public:
    enum Role {
        PresetIDRole = Qt::UserRole + 1,
        NameRole,
        SymbolNameRole,
        TintRole,
        IsActiveRole,
        IsHoveredRole,
        TrailingRole,
    };

    struct Actions {
        std::function<void(const QString &presetID)> onEditPreset;
        std::function<void()> onOpenSettings;
        std::function<void()> onQuit;
    };

    explicit MainPresetsModel(QObject *parent = nullptr);

    // Wires the store and the page callbacks of the popover's navigation.
    PopoverContext *context() const { return m_context; }
    void setContext(PopoverContext *context);
    // The same without a popover around it.
    void setStore(HalvoStore *store, Actions actions);

    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    QString summaryText() const;
    QString statusText() const;
    bool keepAwakeEnabled() const;
    bool keepAwakeHovered() const { return m_keepAwakeHovered; }
    void setKeepAwakeHovered(bool hovered);
    QString errorText() const;
    bool showsError() const { return !errorText().isEmpty(); }
    QString hoveredPresetID() const { return m_hoveredPresetID; }
    // Under the list: the screens that cannot show the active preset's saturation.
    QString capabilityText() const;

    Q_INVOKABLE void activate(const QString &presetID);
    Q_INVOKABLE void setKeepAwake(bool enabled);
    Q_INVOKABLE void toggleKeepAwake();
    Q_INVOKABLE void editPreset(const QString &presetID);
    Q_INVOKABLE void openSettings();
    Q_INVOKABLE void quit();

    // The pointer entered or left a preset row.
    Q_INVOKABLE void rowEntered(const QString &presetID);
    Q_INVOKABLE void rowExited(const QString &presetID);

Q_SIGNALS:
    void contextChanged();
    void summaryTextChanged();
    void statusTextChanged();
    void keepAwakeEnabledChanged();
    void keepAwakeHoveredChanged();
    void errorTextChanged();
    void hoveredPresetIDChanged();
    void capabilityTextChanged();

private:
    void reloadRows();
    void rowStateChanged();
    void setHoveredPresetID(const QString &presetID);
    QString trailing(const HalvoPreset &preset) const;
    void screenCapabilitiesChanged();

    QPointer<PopoverContext> m_context;
    QPointer<HalvoStore> m_store;
    Actions m_actions;
    QString m_hoveredPresetID;
    bool m_keepAwakeHovered = false;
};
