#pragma once

#include "update/appupdatemanifest.h"

#include <QString>

#include <optional>

// Where an update check stands; cases carry their payload and compare by case and payload.
class UpdateCheckState {
public:
    enum class Kind { Idle,
                      Checking,
                      UpToDate,
                      UpdateAvailable,
                      Error };

    UpdateCheckState() = default;

    static UpdateCheckState idle() { return UpdateCheckState(Kind::Idle); }
    static UpdateCheckState checking() { return UpdateCheckState(Kind::Checking); }
    static UpdateCheckState upToDate(const QString &version);
    static UpdateCheckState updateAvailable(const AppUpdateManifest &manifest);
    static UpdateCheckState error(const QString &message);

    Kind kind() const { return m_kind; }
    // "idle", "checking", "upToDate", "updateAvailable" or "error", for QML.
    QString kindName() const;

    // The running version of upToDate; empty for the other cases.
    QString version() const { return m_kind == Kind::UpToDate ? m_text : QString(); }
    // The user-facing message of error; empty for the other cases.
    QString message() const { return m_kind == Kind::Error ? m_text : QString(); }
    // Present exactly for updateAvailable.
    const std::optional<AppUpdateManifest> &manifest() const { return m_manifest; }

    friend bool operator==(const UpdateCheckState &a, const UpdateCheckState &b)
    {
        return a.m_kind == b.m_kind && a.m_text == b.m_text && a.m_manifest == b.m_manifest;
    }

private:
    explicit UpdateCheckState(Kind kind)
        : m_kind(kind) {}

    Kind m_kind = Kind::Idle;
    QString m_text;
    std::optional<AppUpdateManifest> m_manifest;
};
