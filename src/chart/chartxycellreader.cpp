#include "chartxycellreader.h"

#include <typeinfo>

ChartXYCellReader::ChartXYCellReader(const QAbstractItemModel *model)
    : m_model(model)
{
    if (model && typeid(*model) == typeid(QStandardItemModel))
        m_root = static_cast<const QStandardItemModel *>(model)->invisibleRootItem();
}
