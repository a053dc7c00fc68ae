#include "chartxymodelwatch.h"

#include <QAbstractItemModel>

ChartXYModelWatch::ChartXYModelWatch(QObject *parent)
    : QObject(parent)
{
}

void ChartXYModelWatch::watch(const QAbstractItemModel *model)
{
    if (model == m_model)
        return;
    for (const QMetaObject::Connection &connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    m_model = model;
    if (!model)
        return;
    const auto shape = [this] { emit shapeChanged(); };
    m_connections = {
        connect(model, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex &topLeft, const QModelIndex &bottomRight,
                       const QList<int> &roles) {
                    if (changesValues(roles) || changesColour(roles))
                        emit cellsChanged(topLeft, bottomRight, roles);
                }),
        connect(model, &QAbstractItemModel::rowsInserted, this, shape),
        connect(model, &QAbstractItemModel::rowsRemoved, this, shape),
        connect(model, &QAbstractItemModel::rowsMoved, this, shape),
        connect(model, &QAbstractItemModel::columnsInserted, this, shape),
        connect(model, &QAbstractItemModel::columnsRemoved, this, shape),
        connect(model, &QAbstractItemModel::columnsMoved, this, shape),
        connect(model, &QAbstractItemModel::layoutChanged, this, shape),
        connect(model, &QAbstractItemModel::modelReset, this, shape),
        connect(model, &QObject::destroyed, this,
                [this] {
                    m_model = nullptr;
                    m_connections.clear();
                    emit shapeChanged();
                }),
    };
}

bool ChartXYModelWatch::changesValues(const QList<int> &roles)
{
    return roles.isEmpty() || roles.contains(Qt::DisplayRole) || roles.contains(Qt::EditRole);
}

bool ChartXYModelWatch::changesColour(const QList<int> &roles)
{
    return roles.isEmpty() || roles.contains(Qt::DecorationRole);
}
