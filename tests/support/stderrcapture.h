#pragma once

#include <QStringList>
#include <QTemporaryFile>

#include <cstdio>

#include <unistd.h>

// Everything written to stderr between construction and `take`, where the
// system log's lines are repeated.
class StderrCapture {
public:
    StderrCapture()
    {
        m_file.open();
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        dup2(m_file.handle(), STDERR_FILENO);
    }
    ~StderrCapture() { restore(); }

    QStringList take()
    {
        restore();
        m_file.seek(0);
        return QString::fromUtf8(m_file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        dup2(m_saved, STDERR_FILENO);
        close(m_saved);
        m_saved = -1;
    }

    QTemporaryFile m_file;
    int m_saved = -1;
};
