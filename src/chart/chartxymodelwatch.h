#ifndef CHARTXYMODELWATCH_H
#define CHARTXYMODELWATCH_H

#include <QList>
#include <QMetaObject>
#include <QModelIndex>
#include <QObject>

class QAbstractItemModel;

// The one place where a chart listens to its model's signals, and says what they mean
// for it: cells whose values or colour changed, or a change of shape (rows or columns
// came, went or moved, a new layout, a reset, the model gone) after which nothing read
// from the model before can be trusted. Changes of roles the chart never shows (a tool
// tip, a font) are not passed on.
class ChartXYModelWatch : public QObject
{
    Q_OBJECT

public:
    explicit ChartXYModelWatch(QObject *parent = nullptr);

    // Follows model from now on (none for null); the same model again changes nothing.
    void watch(const QAbstractItemModel *model);
    const QAbstractItemModel *model() const { return m_model; }

    // Whether a change of these roles can move a point: the values are read through
    // the display role, which the edit role shares in most models. No roles means any.
    static bool changesValues(const QList<int> &roles);
    // Whether it can change a series' colour, the decoration of its first row.
    static bool changesColour(const QList<int> &roles);

signals:
    void cellsChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                      const QList<int> &roles);
    void shapeChanged();

private:
    const QAbstractItemModel *m_model = nullptr;
    QList<QMetaObject::Connection> m_connections;
};

#endif // CHARTXYMODELWATCH_H
