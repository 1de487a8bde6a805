#include "update/updatecheckstate.h"

UpdateCheckState UpdateCheckState::upToDate(const QString &version)
{
    UpdateCheckState state(Kind::UpToDate);
    state.m_text = version;
    return state;
}

UpdateCheckState UpdateCheckState::updateAvailable(const AppUpdateManifest &manifest)
{
    UpdateCheckState state(Kind::UpdateAvailable);
    state.m_manifest = manifest;
    return state;
}

UpdateCheckState UpdateCheckState::error(const QString &message)
{
    UpdateCheckState state(Kind::Error);
    state.m_text = message;
    return state;
}

QString UpdateCheckState::kindName() const
{
    switch (m_kind) {
    case Kind::Idle:
        return QStringLiteral("idle");
    case Kind::Checking:
        return QStringLiteral("checking");
    case Kind::UpToDate:
        return QStringLiteral("upToDate");
    case Kind::UpdateAvailable:
        return QStringLiteral("updateAvailable");
    case Kind::Error:
        return QStringLiteral("error");
    }
    return QString();
}
