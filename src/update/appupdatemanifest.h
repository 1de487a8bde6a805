#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

// The update feed's document: what the newest release is and where to get it.
struct AppUpdateManifest {
    QString version;
    std::optional<QString> build;
    std::optional<QString> releaseDate;
    QUrl downloadUrl;
    std::optional<QString> notes;

    // Decodes a feed body. Absent when the body is not a JSON object, a required
    // key is missing, a value has the wrong type, or downloadUrl is not an
    // absolute http(s) URL: whatever the network says, we only ever open web pages.
    static std::optional<AppUpdateManifest> fromJson(const QByteArray &body);

    friend bool operator==(const AppUpdateManifest &a, const AppUpdateManifest &b)
    {
        return a.version == b.version && a.build == b.build && a.releaseDate == b.releaseDate
               && a.downloadUrl.toEncoded() == b.downloadUrl.toEncoded() && a.notes == b.notes;
    }
};
