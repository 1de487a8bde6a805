#include "platform/desktop/kconfigtext.h"

#include "core/systemlog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// One line and what ends it: "\n", "\r\n", or nothing for a last line
// without a newline.
struct Line {
    QByteArray content;
    QByteArray end;
};

QList<Line> splitLines(const QByteArray &text)
{
    QList<Line> lines;
    for (qsizetype start = 0; start < text.size();) {
        const qsizetype newline = text.indexOf('\n', start);
        if (newline < 0) {
            lines.append({text.mid(start), {}});
            break;
        }
        const bool carriageReturn = newline > start && text.at(newline - 1) == '\r';
        lines.append({text.mid(start, newline - start - (carriageReturn ? 1 : 0)),
                      carriageReturn ? QByteArray("\r\n") : QByteArray("\n")});
        start = newline + 1;
    }
    return lines;
}

QByteArray joinLines(const QList<Line> &lines)
{
    QByteArray text;
    for (const Line &line : lines)
        text += line.content + line.end;
    return text;
}

bool isBlank(const Line &line)
{
    return line.content.trimmed().isEmpty();
}

// A trailing `[$…]` of a header or a key: KConfig's options, `i` for immutable.
bool splitOptions(QByteArray &name)
{
    if (!name.endsWith(']'))
        return false;
    const qsizetype options = name.lastIndexOf("[$");
    if (options < 0 || (options > 0 && name.at(options - 1) != ']' && name.at(0) == '['))
        return false;
    const bool immutable = name.mid(options + 2, name.size() - options - 3).contains('i');
    name.truncate(options);
    return immutable;
}

struct Header {
    QByteArray group; // empty for a file-wide `[$i]`
    bool immutable = false;
};

std::optional<Header> header(const Line &line)
{
    QByteArray text = line.content.trimmed();
    if (!text.startsWith('['))
        return std::nullopt;
    Header result;
    result.immutable = splitOptions(text);
    if (!text.isEmpty() && text.endsWith(']'))
        result.group = text.mid(1, text.size() - 2);
    return result;
}

struct Entry {
    QByteArray key;
    bool immutable = false;
    qsizetype valueStart = 0;
    qsizetype valueEnd = 0;
};

std::optional<Entry> entry(const Line &line)
{
    const QByteArray &text = line.content;
    const qsizetype equals = text.indexOf('=');
    if (equals <= 0 || text.trimmed().startsWith('#'))
        return std::nullopt;
    Entry result;
    result.key = text.left(equals).trimmed();
    if (result.key.endsWith(']') && result.key.contains("[$"))
        result.immutable = splitOptions(result.key);
    const auto isSpace = [&text](qsizetype i) { return text.at(i) == ' ' || text.at(i) == '\t'; };
    result.valueStart = equals + 1;
    while (result.valueStart < text.size() && isSpace(result.valueStart))
        ++result.valueStart;
    result.valueEnd = text.size();
    while (result.valueEnd > result.valueStart && isSpace(result.valueEnd - 1))
        --result.valueEnd;
    return result;
}

// Where a group stands in the file: every header of it with the lines up
// to the next header, and whether KConfig would change any of it.
struct Layout {
    struct Range {
        qsizetype header;
        qsizetype end;
    };
    QList<Range> ranges;
    bool immutable = false;
};

Layout layout(const QList<Line> &lines, const QByteArray &group)
{
    Layout result;
    bool beforeFirstGroup = true;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::optional<Header> found = header(lines.at(i));
        if (!found)
            continue;
        if (!result.ranges.isEmpty() && result.ranges.constLast().end < 0)
            result.ranges.last().end = i;
        if (found->group.isEmpty()) {
            result.immutable = result.immutable || (beforeFirstGroup && found->immutable);
            continue;
        }
        beforeFirstGroup = false;
        if (found->group == group) {
            result.ranges.append({i, -1});
            result.immutable = result.immutable || found->immutable;
        }
    }
    if (!result.ranges.isEmpty() && result.ranges.constLast().end < 0)
        result.ranges.last().end = lines.size();
    return result;
}

// The line of the entry KConfig reads for `key` (the last), or -1; marks
// `immutable` when any line of the key is.
qsizetype findKey(const QList<Line> &lines, const Layout &where, const QByteArray &key, bool *immutable = nullptr)
{
    qsizetype found = -1;
    for (const Layout::Range &range : where.ranges) {
        for (qsizetype i = range.header + 1; i < range.end; ++i) {
            const std::optional<Entry> line = entry(lines.at(i));
            if (!line || line->key != key)
                continue;
            found = i;
            if (immutable)
                *immutable = *immutable || line->immutable;
        }
    }
    return found;
}

QByteArray lineEnd(const QList<Line> &lines)
{
    for (const Line &line : lines) {
        if (!line.end.isEmpty())
            return line.end;
    }
    return QByteArrayLiteral("\n");
}

// A line after `index`; a last line without a newline gets one, and the new
// line goes without, so that removing it gives the same bytes back.
void insertAfter(QList<Line> &lines, qsizetype index, const QByteArray &content, const QByteArray &end)
{
    if (lines[index].end.isEmpty()) {
        lines[index].end = end;
        lines.insert(index + 1, {content, {}});
    } else {
        lines.insert(index + 1, {content, end});
    }
}

void removeLine(QList<Line> &lines, qsizetype index)
{
    if (lines.at(index).end.isEmpty() && index > 0)
        lines[index - 1].end.clear();
    lines.removeAt(index);
}

// The group goes at the end, after a blank line when the file ends in a
// newline; removeGroup takes exactly that away again.
void appendGroup(QList<Line> &lines, const QByteArray &group, const QByteArray &content, const QByteArray &end)
{
    if (!lines.isEmpty() && !lines.constLast().end.isEmpty())
        lines.append({{}, end});
    else if (!lines.isEmpty())
        lines.last().end = end;
    lines.append({'[' + group + ']', end});
    lines.append({content, end});
}

void removeGroup(QList<Line> &lines, const Layout::Range &range)
{
    const bool endsFile = range.end == lines.size();
    lines.remove(range.header, range.end - range.header);
    if (range.header == 0)
        return;
    if (isBlank(lines.at(range.header - 1)))
        lines.removeAt(range.header - 1);
    else if (endsFile)
        lines[range.header - 1].end.clear();
}

bool isEmptyGroup(const QList<Line> &lines, const Layout::Range &range)
{
    for (qsizetype i = range.header + 1; i < range.end; ++i) {
        if (!isBlank(lines.at(i)))
            return false;
    }
    return true;
}

} // namespace

namespace KConfigText {

std::optional<QString> value(const QByteArray &text, const QString &group, const QString &key)
{
    const QList<Line> lines = splitLines(text);
    const qsizetype index = findKey(lines, layout(lines, group.toUtf8()), key.toUtf8());
    if (index < 0)
        return std::nullopt;
    const std::optional<Entry> found = entry(lines.at(index));
    return QString::fromUtf8(lines.at(index).content.mid(found->valueStart, found->valueEnd - found->valueStart));
}

bool isImmutable(const QByteArray &text, const QString &group, const QString &key)
{
    const QList<Line> lines = splitLines(text);
    const Layout where = layout(lines, group.toUtf8());
    bool immutable = where.immutable;
    findKey(lines, where, key.toUtf8(), &immutable);
    return immutable;
}

bool hasGroup(const QByteArray &text, const QString &group)
{
    return !layout(splitLines(text), group.toUtf8()).ranges.isEmpty();
}

QByteArray withEntries(const QByteArray &text, const QString &group, const Entries &entries, EmptyGroup emptyGroup)
{
    QList<Line> lines = splitLines(text);
    const QByteArray name = group.toUtf8();
    const QByteArray end = lineEnd(lines);
    bool removed = false;
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        const Layout where = layout(lines, name);
        const QByteArray key = it.key().toUtf8();
        bool immutable = where.immutable;
        const qsizetype index = findKey(lines, where, key, &immutable);
        if (immutable)
            continue;
        if (index >= 0 && it.value()) {
            const std::optional<Entry> found = entry(lines.at(index));
            lines[index].content.replace(found->valueStart, found->valueEnd - found->valueStart,
                                         it.value()->toUtf8());
        } else if (index >= 0) {
            removeLine(lines, index);
            removed = true;
        } else if (it.value() && !where.ranges.isEmpty()) {
            const Layout::Range range = where.ranges.constLast();
            qsizetype last = range.end - 1;
            while (last > range.header && isBlank(lines.at(last)))
                --last;
            insertAfter(lines, last, key + '=' + it.value()->toUtf8(), end);
        } else if (it.value()) {
            appendGroup(lines, name, key + '=' + it.value()->toUtf8(), end);
        }
    }
    if (removed && emptyGroup == EmptyGroup::Remove) {
        const Layout where = layout(lines, name);
        if (!where.ranges.isEmpty() && isEmptyGroup(lines, where.ranges.constLast()))
            removeGroup(lines, where.ranges.constLast());
    }
    return joinLines(lines);
}

// QSaveFile puts a new file in place: it gets the old one's mode and owner,
// so a file the user made read-only, or shares with a group, stays so.
bool replaceFile(const QString &path, const QByteArray &bytes)
{
    struct stat info {};
    const bool existed = ::stat(QFile::encodeName(path).constData(), &info) == 0;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (existed && (::fchmod(file.handle(), info.st_mode & 07777) != 0 || (::fchown(file.handle(), info.st_uid, info.st_gid) != 0 && info.st_uid == ::geteuid()))) {
        logSystemLine(QStringLiteral("Halvo KConfigText: cannot keep the mode and owner of ") + path);
    }
    return file.write(bytes) == bytes.size() && file.commit();
}

} // namespace KConfigText
