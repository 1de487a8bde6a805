#pragma once

#include "core/localeformat.h"
#include "popover/popovercontext.h"

#include <QAbstractListModel>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QQmlParserStatus>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <functional>

// The daily schedule page: local copies of the switch, the two times and the
// two presets. Only turning the switch off reaches the store before saving;
// saving writes the whole schedule as enabled. As a list model it holds the
// entries of both preset pickers: every preset, hidden ones too, by name.
class ScheduleModel : public QAbstractListModel, public QQmlParserStatus {
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    QML_ELEMENT
    Q_PROPERTY(PopoverContext *context READ context WRITE setContext NOTIFY contextChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(bool enabled READ enabled WRITE setEnabled NOTIFY enabledChanged)
    Q_PROPERTY(int hour1 READ hour1 WRITE setHour1 NOTIFY time1Changed)
    Q_PROPERTY(int minute1 READ minute1 WRITE setMinute1 NOTIFY time1Changed)
    Q_PROPERTY(int hour2 READ hour2 WRITE setHour2 NOTIFY time2Changed)
    Q_PROPERTY(int minute2 READ minute2 WRITE setMinute2 NOTIFY time2Changed)
    Q_PROPERTY(QString preset1ID READ preset1ID WRITE setPreset1ID NOTIFY preset1IDChanged)
    Q_PROPERTY(QString preset2ID READ preset2ID WRITE setPreset2ID NOTIFY preset2IDChanged)
    Q_PROPERTY(int preset1Index READ preset1Index NOTIFY preset1IDChanged)
    Q_PROPERTY(int preset2Index READ preset2Index NOTIFY preset2IDChanged)
    // How the locale's clock reads: 12 or 24 hours, where the AM/PM marker
    // goes, and what separates hours from minutes.
    // The page differs from the stored schedule: Back would drop it.
    Q_PROPERTY(bool unsavedChanges READ unsavedChanges NOTIFY draftChanged)
    Q_PROPERTY(bool twelveHourClock READ twelveHourClock CONSTANT)
    Q_PROPERTY(bool meridiemFirst READ meridiemFirst CONSTANT)
    Q_PROPERTY(QString timeSeparator READ timeSeparator CONSTANT)
    Q_PROPERTY(QString amText READ amText CONSTANT)
    Q_PROPERTY(QString pmText READ pmText CONSTANT)

public:
    enum Role { PresetIDRole = Qt::UserRole + 1,
                NameRole };

    explicit ScheduleModel(QObject *parent = nullptr);

    // Wires the store and the back action through the popover's navigation.
    PopoverContext *context() const { return m_context; }
    void setContext(PopoverContext *context);
    // The same without a popover around it.
    void setStore(HalvoStore *store, std::function<void()> onBack);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;
    int count() const { return static_cast<int>(m_entries.size()); }

    bool enabled() const { return m_enabled; }
    // Turning the switch off disables the stored schedule at once; turning it
    // on only changes the page until the schedule is saved.
    void setEnabled(bool enabled);

    int hour1() const { return m_minutes1 / 60; }
    int minute1() const { return m_minutes1 % 60; }
    int hour2() const { return m_minutes2 / 60; }
    int minute2() const { return m_minutes2 % 60; }
    // Out-of-range values are clamped to 0…23 and 0…59.
    void setHour1(int hour);
    void setMinute1(int minute);
    void setHour2(int hour);
    void setMinute2(int minute);

    QString preset1ID() const { return m_preset1ID; }
    QString preset2ID() const { return m_preset2ID; }
    void setPreset1ID(const QString &id);
    void setPreset2ID(const QString &id);
    // The picker entry of each slot, -1 when the id is not among the entries.
    int preset1Index() const { return indexOf(m_preset1ID); }
    int preset2Index() const { return indexOf(m_preset2ID); }

    bool unsavedChanges() const;
    bool twelveHourClock() const { return m_clock.twelveHour; }
    bool meridiemFirst() const { return m_clock.meridiemFirst; }
    QString timeSeparator() const { return m_clock.separator; }
    QString amText() const { return m_clock.amText; }
    QString pmText() const { return m_clock.pmText; }
    // The parts of a time field as the locale writes them.
    Q_INVOKABLE QString hourText(int hour) const;
    Q_INVOKABLE QString minuteText(int minute) const;
    // A number typed in the locale's digits (or ASCII ones), -1 when none.
    Q_INVOKABLE int parseNumber(const QString &text) const;
    // The 24-hour hour for an hour typed into a field that shows `currentHour`.
    Q_INVOKABLE int hourFromTyped(int typed, int currentHour) const;
    // The AM/PM part: the same time twelve hours later or earlier.
    Q_INVOKABLE void toggleMeridiem(int slot);

    // The two texts saving would store, "HH:MM".
    QString time1Text() const { return timeText(m_minutes1); }
    QString time2Text() const { return timeText(m_minutes2); }

    // The page came on screen: copy the stored schedule.
    Q_INVOKABLE void appear();
    // "Save Schedule": store the page's schedule, enabled.
    Q_INVOKABLE void save();
    Q_INVOKABLE void back();
    // The stepper arrows: one step up or down, wrapping around the clock.
    // `slot` is 1 or 2.
    Q_INVOKABLE void stepHour(int slot, int delta);
    Q_INVOKABLE void stepMinute(int slot, int delta);

    void classBegin() override {}
    void componentComplete() override { appear(); }

Q_SIGNALS:
    void contextChanged();
    void countChanged();
    void enabledChanged();
    void time1Changed();
    void time2Changed();
    void preset1IDChanged();
    void preset2IDChanged();
    void draftChanged();

private:
    static QString timeText(int minutes);
    static int minutesFor(const QString &text);
    int indexOf(const QString &id) const;
    void reloadEntries();
    void setMinutes(int slot, int minutes);
    void setEnabledDraft(bool enabled);

    LocaleFormat::ClockStyle m_clock = LocaleFormat::clockStyle();
    QPointer<PopoverContext> m_context;
    QPointer<HalvoStore> m_store;
    std::function<void()> m_onBack;
    QList<QPair<QString, QString>> m_entries; // id, name

    bool m_enabled = false;
    int m_minutes1 = 8 * 60;
    QString m_preset1ID = QStringLiteral("standard");
    int m_minutes2 = 20 * 60;
    QString m_preset2ID = QStringLiteral("red-light");
};
