#pragma once

#include <QDBusMessage>
#include <QString>

#include <optional>

// What the session's inhibition services answer.

// The cookie of a granted Inhibit: a reply of one unsigned integer. Nothing
// for an error or a reply of any other shape.
inline std::optional<quint32> inhibitCookie(const QDBusMessage &reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
        return std::nullopt;
    bool ok = false;
    const quint32 cookie = reply.arguments().constFirst().toUInt(&ok);
    return ok ? std::optional<quint32>(cookie) : std::nullopt;
}

// Whether a call failed because nobody owns the service's name.
inline bool isMissingService(const QString &errorName)
{
    return errorName == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown")
           || errorName == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner");
}
