#pragma once

#include "update/updatealert.h"
#include "update/updatecheckstate.h"
#include "core/updatechecking.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

// Asks the update feed, on request, whether a newer release exists. The
// outcome is kept in `state`; a user-initiated check also reports it in an alert.
class UpdateChecker : public UpdateChecking {
    Q_OBJECT
    Q_PROPERTY(QString stateKind READ stateKind NOTIFY stateChanged)
    Q_PROPERTY(bool checking READ isChecking NOTIFY stateChanged)
    Q_PROPERTY(QString currentVersion READ currentVersion CONSTANT)
    Q_PROPERTY(QUrl feedURL READ feedURL CONSTANT)

public:
    static constexpr qint64 maximumBodySize = 1024 * 1024;
    static constexpr std::chrono::milliseconds defaultTransferTimeout{12000};

    // Without a presenter nothing is shown, even for user-initiated checks.
    explicit UpdateChecker(std::shared_ptr<UpdateAlertPresenter> presenter = nullptr,
                           QObject *parent = nullptr);
    UpdateChecker(const QUrl &feedURL, std::shared_ptr<UpdateAlertPresenter> presenter,
                  QObject *parent = nullptr);
    ~UpdateChecker() override;

    static QUrl defaultFeedURL();
    // The version compiled in from the build; "1.0.0" when the build named none.
    static QString currentVersion();
    static bool isNewerVersion(const QString &candidate, const QString &current);

    QUrl feedURL() const { return m_feedURL; }
    const UpdateCheckState &state() const { return m_state; }
    // Stores the state; observers hear of it only when it differs from the current one.
    void setState(const UpdateCheckState &state);
    QString stateKind() const { return m_state.kindName(); }
    bool isChecking() const override { return m_state.kind() == UpdateCheckState::Kind::Checking; }

    // Deadline of the whole transfer, from the request to the last byte, so a
    // server that sends a byte now and then cannot keep a check running; tests shorten it.
    void setTransferTimeout(std::chrono::milliseconds timeout) { m_transferTimeout = timeout; }

    // The page that made this checker is going away: delete it now, or once the
    // running check has shown its outcome.
    void deleteWhenFinished() override;

    Q_INVOKABLE void checkForUpdates(bool userInitiated) override;

private:
    void readBody();
    void finishReply();
    void abandonReply();
    void complete(UpdateCheckState outcome);
    QString failureMessage() const;

    QUrl m_feedURL;
    std::shared_ptr<UpdateAlertPresenter> m_presenter;
    QNetworkAccessManager *m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    QTimer m_deadline;
    QByteArray m_body;
    UpdateCheckState m_state;
    std::chrono::milliseconds m_transferTimeout = defaultTransferTimeout;
    bool m_userInitiated = false;
    bool m_deleteWhenFinished = false;
};
