#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

// The pointer handling of ControlCenterSlider: turns pointer positions into
// snapped values and reports the start and end of each drag. The control
// binds `value` to what it shows; `moved` fires only for a different value.
class SliderInteraction : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double value READ value WRITE setValue NOTIFY geometryChanged)
    Q_PROPERTY(double lower READ lower WRITE setLower NOTIFY geometryChanged)
    Q_PROPERTY(double upper READ upper WRITE setUpper NOTIFY geometryChanged)
    Q_PROPERTY(double step READ step WRITE setStep NOTIFY geometryChanged)
    Q_PROPERTY(double width READ width WRITE setWidth NOTIFY geometryChanged)
    Q_PROPERTY(bool enabled READ isEnabled WRITE setEnabled NOTIFY enabledChanged)
    Q_PROPERTY(bool dragging READ isDragging NOTIFY draggingChanged)
    Q_PROPERTY(double knobX READ knobX NOTIFY geometryChanged)
    Q_PROPERTY(double fillWidth READ fillWidth NOTIFY geometryChanged)

public:
    explicit SliderInteraction(QObject *parent = nullptr);

    double value() const { return m_value; }
    void setValue(double value);
    double lower() const { return m_lower; }
    void setLower(double lower);
    double upper() const { return m_upper; }
    void setUpper(double upper);
    double step() const { return m_step; }
    void setStep(double step);
    double width() const { return m_width; }
    void setWidth(double width);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    bool isDragging() const { return m_dragging; }

    double knobX() const;
    double fillWidth() const;

    // Every change of a drag, a press included, in the control's coordinates.
    Q_INVOKABLE void pointerMoved(double x);
    // The drag ended (released or cancelled).
    Q_INVOKABLE void pointerReleased();
    // Moves the value by whole steps from the nearest step at or below it,
    // clamped to the range: what arrow and page keys do.
    Q_INVOKABLE void stepBy(int steps);

Q_SIGNALS:
    void moved(double value);
    void editingChanged(bool editing);
    void geometryChanged();
    void enabledChanged();
    void draggingChanged();

private:
    void setDragging(bool dragging);
    void assign(double &field, double value);

    double m_value = 0;
    double m_lower = 0;
    double m_upper = 1;
    double m_step = 1;
    double m_width = 0;
    bool m_enabled = true;
    bool m_dragging = false;
};
