#pragma once

// A store with recording engines for QML: the popover context to hand to
// PopoverRootView and a few levers to change the store from a test.

#include "popoverrig.h"

#include <QObject>
#include <QQuickItem>
#include <QQuickWindow>
#include <QVariantMap>

#include <list>
#include <memory>

class PopoverFixture : public QObject {
    Q_OBJECT
    Q_PROPERTY(PopoverContext *context READ context NOTIFY contextChanged)
    Q_PROPERTY(PopoverNavigation *navigation READ navigation NOTIFY contextChanged)
    Q_PROPERTY(QString customID READ customID CONSTANT)
    Q_PROPERTY(int closes READ closes)
    Q_PROPERTY(int quits READ quits)

public:
    explicit PopoverFixture(QObject *parent = nullptr)
        : QObject(parent) { reset({}); }

    PopoverContext *context() const { return m_rig->context.get(); }
    PopoverNavigation *navigation() const { return m_rig->navigation.get(); }
    QString customID() const { return kCustomID; }
    int closes() const { return m_rig->closes; }
    int quits() const { return m_rig->quits; }
    PopoverRig &rig() { return *m_rig; }

    // A fresh store. Options: "brightness" (display level; absent or
    // negative = unreadable), "custom" (add the custom preset "Reading"),
    // "customTemperature" (its temperature, 5000 when absent), "keepAwakeRefuses".
    Q_INVOKABLE void reset(const QVariantMap &options)
    {
        // Views of the previous store may still be alive until the event
        // loop deletes them, so the old rig is kept, not destroyed.
        if (m_rig)
            m_retired.push_back(std::move(m_rig));
        m_rig = std::make_unique<PopoverRig>();
        const int level = options.value(QStringLiteral("brightness"), -1).toInt();
        m_rig->brightness->level = level >= 0 ? std::optional<qint64>(level) : std::nullopt;
        m_rig->keepAwake->refuses = options.value(QStringLiteral("keepAwakeRefuses")).toBool();
        if (options.value(QStringLiteral("custom")).toBool()) {
            HalvoPersistedState state = stateWithCustom(std::nullopt);
            if (options.contains(QStringLiteral("customTemperature")))
                state.presets.last().temperature = options.value(QStringLiteral("customTemperature")).toLongLong();
            m_rig->seed(state);
        }
        m_rig->make();
        Q_EMIT contextChanged();
    }

    Q_INVOKABLE void activate(const QString &id, bool animated)
    {
        m_rig->store->activatePreset(id, animated);
    }
    Q_INVOKABLE void finishTransition() { m_rig->ripple->finish(); }
    Q_INVOKABLE void hide(const QString &id) { m_rig->store->togglePresetHidden(id); }
    Q_INVOKABLE void setKeepAwake(bool on) { m_rig->store->setKeepAwake(on); }
    Q_INVOKABLE QString activeModeID() const { return m_rig->store->activeModeID(); }
    Q_INVOKABLE bool isTransitioning() const { return m_rig->store->isTransitioning(); }
    Q_INVOKABLE int colorApplications() const
    {
        return m_rig->countCalls(QStringLiteral("color.apply"));
    }

    // The stored preset: name, temperature, saturation, brightness (-1 = auto);
    // an empty map when there is none.
    Q_INVOKABLE QVariantMap preset(const QString &id) const
    {
        const std::optional<HalvoPreset> found = m_rig->store->findPreset(id);
        if (!found)
            return {};
        return {{QStringLiteral("name"), found->name},
                {QStringLiteral("temperature"), found->temperature},
                {QStringLiteral("saturation"), found->saturation},
                {QStringLiteral("brightness"), found->brightness.value_or(-1)}};
    }

    // Lets the window drop its cached images while its renderer still runs.
    // Qt 6.4 otherwise frees an image's texture only after the renderer is
    // gone at exit, which the leak checker reports.
    Q_INVOKABLE void releaseWindowResources(QQuickItem *item)
    {
        if (item && item->window()) {
            item->window()->releaseResources();
            item->window()->update();
        }
    }

Q_SIGNALS:
    void contextChanged();

private:
    std::unique_ptr<PopoverRig> m_rig;
    std::list<std::unique_ptr<PopoverRig>> m_retired;
};
