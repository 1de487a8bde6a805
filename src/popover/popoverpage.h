#pragma once

#include <QMetaType>
#include <QString>

// One page of the popover. A value compared field by field; only editPreset
// carries a payload (the edited preset's id and where its back action leads).
class PopoverPage {
    Q_GADGET
    Q_PROPERTY(Kind kind READ kind)
    Q_PROPERTY(QString presetID READ presetID)
    Q_PROPERTY(bool returnToSettings READ returnToSettings)

public:
    enum class Kind { Main,
                      EditPreset,
                      Settings,
                      Schedule };
    Q_ENUM(Kind)

    PopoverPage() = default;

    static PopoverPage main() { return PopoverPage(Kind::Main, {}, false); }
    static PopoverPage editPreset(const QString &id, bool returnToSettings)
    {
        return PopoverPage(Kind::EditPreset, id, returnToSettings);
    }
    static PopoverPage settings() { return PopoverPage(Kind::Settings, {}, false); }
    static PopoverPage schedule() { return PopoverPage(Kind::Schedule, {}, false); }

    Kind kind() const { return m_kind; }
    QString presetID() const { return m_presetID; }
    bool returnToSettings() const { return m_returnToSettings; }

    // The page its back action leads to; main is its own parent.
    PopoverPage parent() const;

    // "main", "editPreset", "settings" or "schedule".
    QString kindName() const;

    bool operator==(const PopoverPage &) const = default;

private:
    PopoverPage(Kind kind, QString presetID, bool returnToSettings)
        : m_kind(kind)
        , m_presetID(std::move(presetID))
        , m_returnToSettings(returnToSettings)
    {
    }

    Kind m_kind = Kind::Main;
    QString m_presetID;
    bool m_returnToSettings = false;
};

Q_DECLARE_METATYPE(PopoverPage)
