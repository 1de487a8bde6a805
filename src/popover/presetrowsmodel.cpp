#include "popover/presetrowsmodel.h"

int PresetRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

const HalvoPreset *PresetRowsModel::presetAt(const QModelIndex &index) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_rows.size())
        return nullptr;
    return &m_rows.at(index.row());
}

void PresetRowsModel::replaceRows(const QList<HalvoPreset> &rows)
{
    bool sameIDs = rows.size() == m_rows.size();
    for (qsizetype i = 0; sameIDs && i < rows.size(); ++i)
        sameIDs = rows.at(i).id == m_rows.at(i).id;

    if (sameIDs) {
        // A changed preset, or a flag of another row (hiding one preset can
        // change which row is the last visible one).
        m_rows = rows;
        allRowsChanged();
        return;
    }
    const int before = count();
    beginResetModel();
    m_rows = rows;
    endResetModel();
    if (before != count())
        Q_EMIT countChanged();
}

void PresetRowsModel::allRowsChanged(const QList<int> &roles)
{
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(index(0), index(count() - 1), roles);
}
