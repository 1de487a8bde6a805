#include "core/systemlog.h"

#include <QByteArray>

#include <syslog.h>

#include <cstdio>

void logSystemLine(const QString &line)
{
    QString text = line;
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QByteArray bytes = text.toUtf8();
    openlog("halvoscope", LOG_PID, LOG_USER);
    syslog(LOG_ERR, "%s", bytes.constData());
    std::fprintf(stderr, "%s\n", bytes.constData());
    std::fflush(stderr);
}
