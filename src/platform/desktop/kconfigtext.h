#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

#include <optional>

// The entries of one group of a KConfig file (kwinrc), read and edited as
// bytes, so that every byte not meant to change stays as it was: other
// groups (in any encoding), comments, blank lines, CRLF line ends, spaces or
// tabs around `=`, a missing final newline.
//
// KConfig's reading rules apply: a group may appear more than once and the
// last entry of a key wins; `[$i]` before the first group, `[Group][$i]` and
// `Key[$i]=` make entries immutable. An entry KConfig would keep is never
// changed here.
namespace KConfigText {

// Key → value; nullopt: the key is not set (KConfig's default applies).
using Entries = QMap<QString, std::optional<QString>>;

enum class EmptyGroup {
    // A group left without entries goes, with the blank line that set it apart.
    Remove,
    // The header stays: the group was there before anything was added.
    Keep,
};

// The value KConfig reads for `key` (the last one in the file), trimmed;
// nullopt when the key is not set.
std::optional<QString> value(const QByteArray &text, const QString &group, const QString &key);

// Whether KConfig keeps `key` of `group` as it is: the file, the group or the
// entry is marked immutable.
bool isImmutable(const QByteArray &text, const QString &group, const QString &key);

bool hasGroup(const QByteArray &text, const QString &group);

// The text with every entry set (nullopt removes it): the value bytes of the
// entry KConfig reads are replaced, a missing key goes after the last entry
// of the group's last header, a missing group at the end of the file; the
// file's own line end is used. Adding an entry and removing it again gives
// back the same bytes. Immutable entries are left unchanged.
QByteArray withEntries(const QByteArray &text, const QString &group, const Entries &entries,
                       EmptyGroup emptyGroup = EmptyGroup::Remove);

// Puts `bytes` in place of the file at `path` atomically, keeping the old
// file's mode and owner, so a file the user made read-only, or shares with a
// group, stays so.
bool replaceFile(const QString &path, const QByteArray &bytes);

} // namespace KConfigText
