#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// What a colour stage has written to one X display, kept in a file so that
// the next instance can undo it when this one dies without restoring.
//
// The file lives in $XDG_RUNTIME_DIR, which goes at logout as the X server's
// state does; without that directory nothing is recorded. Values are opaque
// bytes to this file: the stage encodes and compares them.
namespace ColorStageRecord {

struct Entry {
    // The CRTC or output key, and what says which monitor it drove.
    QString key;
    QByteArray identity;
    QByteArray original;
    // The value the writer last settled on; empty when it never settled.
    QByteArray written;
};

struct Contents {
    qint64 pid = 0;
    // True while the writer was in the middle of a change (a fade).
    bool changing = false;
    QList<Entry> crtcs;
    QList<Entry> outputs;

    bool isEmpty() const { return crtcs.isEmpty() && outputs.isEmpty(); }
};

// Empty when $XDG_RUNTIME_DIR is not set; the same for every name of one
// display (":1", ":1.0").
QString pathFor(const QByteArray &displayName);

// Empty contents for a missing, unreadable or malformed file.
Contents load(const QString &path);

// Atomic: a reader sees the old or the new file, never part of one. Empty
// contents remove the file. False when the file could not be written.
bool save(const QString &path, const Contents &contents);

} // namespace ColorStageRecord
