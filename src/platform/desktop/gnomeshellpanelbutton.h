#pragma once

#include "core/panelbutton.h"

#include <QDBusConnection>

#include <memory>

class ComCorvantaHalvoscopeShellExtensionInterface;

// The bulb that Halvoscope's GNOME Shell extension puts in the top bar.
class GnomeShellPanelButton final : public PanelButton {
    Q_OBJECT

public:
    explicit GnomeShellPanelButton(QDBusConnection sessionBus, QObject *parent = nullptr);
    ~GnomeShellPanelButton() override;

    void show(bool active, const QString &toolTip) override;
    void hide() override;
    void placeWindow(const QString &title, QPoint topLeft) override;

private:
    std::unique_ptr<ComCorvantaHalvoscopeShellExtensionInterface> m_extension;
    bool m_active = false;
    QString m_toolTip;
};
