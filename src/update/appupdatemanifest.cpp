#include "update/appupdatemanifest.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>

namespace {

// Missing and null both mean absent; any other non-string makes the document invalid.
bool readOptionalString(const QJsonObject &object, const QString &key, std::optional<QString> *out)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull()) {
        out->reset();
        return true;
    }
    if (!value.isString())
        return false;
    *out = value.toString();
    return true;
}

bool isWebUrl(const QUrl &url)
{
    const QString scheme = url.scheme();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
           && !url.host().isEmpty();
}

} // namespace

std::optional<AppUpdateManifest> AppUpdateManifest::fromJson(const QByteArray &body)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();

    const QJsonValue version = object.value(QLatin1String("version"));
    const QJsonValue downloadUrl = object.value(QLatin1String("downloadUrl"));
    if (!version.isString() || !downloadUrl.isString())
        return std::nullopt;

    AppUpdateManifest manifest;
    manifest.version = version.toString();
    manifest.downloadUrl = QUrl(downloadUrl.toString(), QUrl::StrictMode);
    if (!isWebUrl(manifest.downloadUrl))
        return std::nullopt;

    if (!readOptionalString(object, QStringLiteral("build"), &manifest.build)
        || !readOptionalString(object, QStringLiteral("releaseDate"), &manifest.releaseDate)
        || !readOptionalString(object, QStringLiteral("notes"), &manifest.notes))
        return std::nullopt;
    return manifest;
}
