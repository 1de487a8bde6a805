#pragma once

#include "core/halvopreset.h"

#include <QAbstractListModel>
#include <QList>
#include <QtQml/qqmlregistration.h>

// A list model with one row per preset, rows keyed by preset id. Replacing
// the list with the same ids in the same order updates the rows in place, so
// delegates keep their hover and focus; any other list resets the model.
class PresetRowsModel : public QAbstractListModel {
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    int count() const { return static_cast<int>(m_rows.size()); }

Q_SIGNALS:
    void countChanged();

protected:
    const QList<HalvoPreset> &presetRows() const { return m_rows; }
    // The preset shown in a valid row of this model, else nullptr.
    const HalvoPreset *presetAt(const QModelIndex &index) const;
    void replaceRows(const QList<HalvoPreset> &rows);
    // Every row's data changed in the given roles (all roles when empty).
    void allRowsChanged(const QList<int> &roles = {});

private:
    QList<HalvoPreset> m_rows;
};
