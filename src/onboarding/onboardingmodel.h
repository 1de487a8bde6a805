#pragma once

#include "popover/extensionstatusmodel.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

#include <functional>

class HalvoStore;
class QSettings;

// The state and actions of the onboarding window: the current step, what the
// three pages show and every button's effect on the store, the permission and
// the process. The QML pages only lay this out and bind to it.
class OnboardingModel : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(OnboardingModel)
    QML_UNCREATABLE("Created by the onboarding window controller")

    Q_PROPERTY(int step READ step NOTIFY stepChanged)
    Q_PROPERTY(bool hasScreenPermission READ hasScreenPermission NOTIFY hasScreenPermissionChanged)
    Q_PROPERTY(bool captureUnavailable READ captureUnavailable NOTIFY hasScreenPermissionChanged)
    Q_PROPERTY(bool requestedPermission READ requestedPermission NOTIFY requestedPermissionChanged)
    Q_PROPERTY(bool didWarmUpCapture READ didWarmUpCapture NOTIFY didWarmUpCaptureChanged)
    Q_PROPERTY(bool openAtLogin READ openAtLogin WRITE setOpenAtLogin NOTIFY openAtLoginChanged)
    Q_PROPERTY(bool previewWarm READ previewWarm NOTIFY previewWarmChanged)
    Q_PROPERTY(qreal rippleScale READ rippleScale NOTIFY rippleScaleChanged)
    Q_PROPERTY(qreal rippleOpacity READ rippleOpacity NOTIFY rippleOpacityChanged)

    Q_PROPERTY(QString title READ title NOTIFY stepChanged)
    Q_PROPERTY(QString counterText READ counterText NOTIFY stepChanged)
    Q_PROPERTY(QString primaryTitle READ primaryTitle NOTIFY stepChanged)
    Q_PROPERTY(bool backVisible READ backVisible NOTIFY stepChanged)
    Q_PROPERTY(bool skipVisible READ skipVisible NOTIFY skipVisibleChanged)
    Q_PROPERTY(bool relaunchVisible READ relaunchVisible NOTIFY relaunchVisibleChanged)
    Q_PROPERTY(QString loginStatusText READ loginStatusText NOTIFY openAtLoginChanged)
    Q_PROPERTY(QString previewLabel READ previewLabel NOTIFY previewWarmChanged)
    Q_PROPERTY(QString coolPreviewLabel READ coolPreviewLabel CONSTANT)
    Q_PROPERTY(QString warmPreviewLabel READ warmPreviewLabel CONSTANT)
    Q_PROPERTY(int rippleDuration READ rippleDuration CONSTANT)
    // GNOME Shell's extension; its text is empty on other desktops.
    Q_PROPERTY(ExtensionStatusModel *extension READ extension CONSTANT)

public:
    struct Actions {
        // Ends a completed onboarding (the window controller's finish).
        std::function<void()> onFinish;
        // Starts a fresh, independent instance of this program.
        std::function<void()> launchNewInstance;
        // The application's normal quit.
        std::function<void()> quit;
    };

    static constexpr int stepCount = 3;
    static constexpr int pollIntervalMs = 1000;
    static constexpr int previewDelayMs = 200;
    static constexpr qreal rippleStartScale = 0.12;
    static constexpr qreal rippleStartOpacity = 0.9;
    static constexpr qreal rippleEndScale = 4.4;
    static constexpr qreal rippleEndOpacity = 0.0;

    OnboardingModel(HalvoStore *store, QSettings *userDefaults, int startStep, Actions actions,
                    QObject *parent = nullptr);
    ~OnboardingModel() override;

    ExtensionStatusModel *extension() const { return m_extension; }

    int step() const { return m_step; }
    bool hasScreenPermission() const { return m_hasScreenPermission; }
    // No screen capture and no way to ask for it: the page offers no
    // request and says that the ripple fades instead.
    bool captureUnavailable() const;
    bool requestedPermission() const { return m_requestedPermission; }
    bool didWarmUpCapture() const { return m_didWarmUpCapture; }
    bool openAtLogin() const { return m_openAtLogin; }
    bool previewWarm() const { return m_previewWarm; }
    qreal rippleScale() const { return m_rippleScale; }
    qreal rippleOpacity() const { return m_rippleOpacity; }

    QString title() const;
    QString counterText() const;
    QString primaryTitle() const;
    bool backVisible() const { return m_step > 0; }
    bool skipVisible() const { return m_step == 2 && !m_hasScreenPermission; }
    bool relaunchVisible() const { return m_requestedPermission && !m_hasScreenPermission; }
    QString loginStatusText() const;
    QString previewLabel() const;
    // "Standard · 6,500 K" and "Red Light · 1,000 K", from the presets.
    QString coolPreviewLabel() const;
    QString warmPreviewLabel() const;
    int rippleDuration() const { return 1350; }

    void setOpenAtLogin(bool on);

    bool isPolling() const { return m_permissionTimer.isActive(); }

    // The window has been shown: starts the permission poll, and warms the
    // capture up when the window opens straight onto the ripple page.
    Q_INVOKABLE void viewAppeared();
    // The window is going away: no more polling or delayed preview.
    void stop();

    Q_INVOKABLE void back();
    // "Get Started →", "Continue →" or "Start Using Halvoscope"; also Return.
    Q_INVOKABLE void primaryAction();
    Q_INVOKABLE void skip();
    Q_INVOKABLE void requestPermission();
    Q_INVOKABLE void relaunchAndFinish();
    Q_INVOKABLE void playPreviewRipple();

Q_SIGNALS:
    void stepChanged();
    void hasScreenPermissionChanged();
    void requestedPermissionChanged();
    void didWarmUpCaptureChanged();
    void openAtLoginChanged();
    void previewWarmChanged();
    void rippleScaleChanged();
    void rippleOpacityChanged();
    void skipVisibleChanged();
    void relaunchVisibleChanged();
    // The preview's ring restarts from these values and grows, with the
    // ease-out of rippleDuration, to the current rippleScale and rippleOpacity.
    void previewRipplePlayed(qreal fromScale, qreal fromOpacity);

private:
    QString presetLabel(const QString &id) const;
    void setStep(int step);
    void setHasScreenPermission(bool granted);
    void setRequestedPermission(bool requested);
    void setPreviewWarm(bool warm);
    void setRipple(qreal scale, qreal opacity);
    void enteredRipplePage();
    void pollPermission();
    void warmUpOnce();
    bool engineHasAccess() const;
    void finish();

    QPointer<HalvoStore> m_store;
    QSettings *m_userDefaults;
    Actions m_actions;
    QTimer m_permissionTimer;
    bool m_appeared = false;
    bool m_stopped = false;

    int m_step = 0;
    bool m_hasScreenPermission = false;
    bool m_requestedPermission = false;
    bool m_didWarmUpCapture = false;
    bool m_openAtLogin = false;
    bool m_previewWarm = false;
    qreal m_rippleScale = 0.1;
    qreal m_rippleOpacity = 0.0;
    ExtensionStatusModel *m_extension = new ExtensionStatusModel(this);
};
