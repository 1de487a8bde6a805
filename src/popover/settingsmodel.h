#pragma once

#include "core/halvopreset.h"
#include "core/updatechecking.h"
#include "popover/extensionstatusmodel.h"
#include "popover/popovercontext.h"
#include "popover/presetrowsmodel.h"

#include <QList>
#include <QPointer>
#include <QQmlParserStatus>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <functional>

// The settings page: the new-preset field, the menu's preset list, the
// navigation rows, the update row and the three switches. The list model
// holds one row per preset, hidden ones included. The page's update check
// is made fresh for every entry and outlives the page while it checks.
class SettingsModel : public PresetRowsModel, public QQmlParserStatus {
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    QML_ELEMENT
    Q_PROPERTY(PopoverContext *context READ context WRITE setContext NOTIFY contextChanged)
    Q_PROPERTY(QString newPresetName READ newPresetName WRITE setNewPresetName NOTIFY newPresetNameChanged)
    Q_PROPERTY(bool canAddPreset READ canAddPreset NOTIFY newPresetNameChanged)
    Q_PROPERTY(QString scheduleDetail READ scheduleDetail NOTIFY scheduleDetailChanged)
    Q_PROPERTY(QString updateDetail READ updateDetail NOTIFY updateStateChanged)
    Q_PROPERTY(bool canCheckForUpdates READ canCheckForUpdates NOTIFY updateStateChanged)
    Q_PROPERTY(bool updateCheckAvailable READ updateCheckAvailable NOTIFY updateStateChanged)
    Q_PROPERTY(bool animationEnabled READ animationEnabled WRITE setAnimationEnabled NOTIFY animationEnabledChanged)
    Q_PROPERTY(bool opticalRefractionEnabled READ opticalRefractionEnabled WRITE setOpticalRefractionEnabled NOTIFY opticalRefractionEnabledChanged)
    Q_PROPERTY(bool refractionSwitchEnabled READ refractionSwitchEnabled NOTIFY animationEnabledChanged)
    Q_PROPERTY(QString refractionStatus READ refractionStatus NOTIFY refractionStatusChanged)
    Q_PROPERTY(bool launchAtLogin READ launchAtLogin WRITE setLaunchAtLogin NOTIFY launchAtLoginChanged)
    Q_PROPERTY(QStringList screenPathRows READ screenPathRows NOTIFY screenPathRowsChanged)
    // GNOME Shell's extension; its text is empty on other desktops.
    Q_PROPERTY(ExtensionStatusModel *extension READ extension CONSTANT)

public:
    enum Role {
        PresetIDRole = Qt::UserRole + 1,
        NameRole,
        SymbolNameRole,
        IsHiddenRole,
        IsLastVisibleRole,
        IsCustomRole,
    };

    struct Actions {
        std::function<void()> onBack;
        std::function<void()> onOpenSchedule;
        std::function<void()> onShowOnboarding;
        std::function<void(const QString &presetID)> onEditPreset;
        // The application's normal quit, used after a relaunch.
        std::function<void()> onQuit;
        // Starts a new instance of the application, detached from this one.
        std::function<bool()> launchNewInstance;
        // A check for this entry of the page, without a parent; unset or
        // null in a build that leaves updates to the system's package manager.
        std::function<UpdateChecking *()> makeUpdateChecking;
        // The running version, named on the update row.
        QString version;
    };

    explicit SettingsModel(QObject *parent = nullptr);
    ~SettingsModel() override;

    // Wires the store and the page callbacks through the popover's navigation.
    PopoverContext *context() const { return m_context; }
    void setContext(PopoverContext *context);
    // The same without a popover around it.
    void setStore(HalvoStore *store, Actions actions);

    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    QString newPresetName() const { return m_newPresetName; }
    void setNewPresetName(const QString &name);
    bool canAddPreset() const { return !m_newPresetName.trimmed().isEmpty(); }

    QString scheduleDetail() const;
    QString updateDetail() const;
    bool canCheckForUpdates() const;
    // False when there is no checker at all: the row then only names the version.
    bool updateCheckAvailable() const { return !m_updateChecker.isNull(); }
    UpdateChecking *updateChecker() const { return m_updateChecker; }

    bool animationEnabled() const;
    void setAnimationEnabled(bool enabled);
    bool opticalRefractionEnabled() const;
    // Asks for screen-capture access once when switched on without it, where
    // asking can help.
    void setOpticalRefractionEnabled(bool enabled);
    bool refractionSwitchEnabled() const { return animationEnabled(); }
    // "none" (refraction off), "active" (on, capture permitted),
    // "needsAccess" (on, without an engine or without permission that can be
    // asked for) or "unavailable" (on, capture impossible: changes fade).
    QString refractionStatus() const;

    bool launchAtLogin() const { return m_launchAtLogin; }
    // Asks the store, then shows the login item's real status.
    void setLaunchAtLogin(bool enabled);

    // Read-only: how each screen's colour is changed ("eDP-1 — colour matrix").
    QStringList screenPathRows() const;
    ExtensionStatusModel *extension() const { return m_extension; }

    // The page came on screen: read the login item's status and the permission.
    Q_INVOKABLE void appear();

    // The name field's Return and the "Add" button.
    Q_INVOKABLE void addPreset();
    Q_INVOKABLE void togglePresetHidden(const QString &presetID);
    Q_INVOKABLE void editPreset(const QString &presetID);
    Q_INVOKABLE void openSchedule();
    Q_INVOKABLE void showOnboarding();
    Q_INVOKABLE void checkForUpdates();
    Q_INVOKABLE void grantScreenRecording();
    Q_INVOKABLE void relaunch();
    Q_INVOKABLE void back();

    void classBegin() override {}
    void componentComplete() override { appear(); }

Q_SIGNALS:
    void contextChanged();
    void newPresetNameChanged();
    void scheduleDetailChanged();
    void updateStateChanged();
    void animationEnabledChanged();
    void opticalRefractionEnabledChanged();
    void refractionStatusChanged();
    void launchAtLoginChanged();
    void screenPathRowsChanged();

private:
    void reloadRows();
    void refreshLaunchAtLogin();
    void releaseUpdateChecker();

    QPointer<PopoverContext> m_context;
    ExtensionStatusModel *m_extension = new ExtensionStatusModel(this);
    QPointer<HalvoStore> m_store;
    Actions m_actions;
    QPointer<UpdateChecking> m_updateChecker;
    QString m_newPresetName;
    bool m_launchAtLogin = false;
};
