#include "data_set.h"

#include <QAbstractProxyModel>
#include <QSqlQueryModel>
#include <QSqlRecord>

namespace {

// The query model under a chain of proxies that keep its columns, if any.
const QSqlQueryModel* queryModel(const QAbstractItemModel* model)
{
    while (model) {
        if (auto* q = qobject_cast<const QSqlQueryModel*>(model))
            return q;
        auto* proxy = qobject_cast<const QAbstractProxyModel*>(model);
        if (!proxy || !proxy->sourceModel()
            || proxy->sourceModel()->columnCount() != proxy->columnCount())
            return nullptr;
        model = proxy->sourceModel();
    }
    return nullptr;
}

} // namespace

ReportDataSet::ReportDataSet(QObject* parent) : QObject(parent) {}

ReportDataSet::ReportDataSet(QAbstractItemModel* model, QObject* parent)
    : QObject(parent), m_model(model)
{
}

void ReportDataSet::setModel(QAbstractItemModel* model)
{
    m_model = model;
    m_row = 0;
}

QStringList ReportDataSet::fieldNames() const
{
    QStringList names;
    if (!m_model)
        return names;
    if (const QSqlQueryModel* q = queryModel(m_model)) {
        const QSqlRecord record = q->record();
        for (int i = 0; i < record.count(); ++i)
            names << record.fieldName(i);
        return names;
    }
    for (int i = 0; i < m_model->columnCount(); ++i)
        names << m_model->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
    return names;
}

int ReportDataSet::fieldIndex(const QString& name) const
{
    const QStringList names = fieldNames();
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool ReportDataSet::hasRow(int row) const
{
    if (!m_model || row < 0)
        return false;
    while (row >= m_model->rowCount() && m_model->canFetchMore(QModelIndex()))
        m_model->fetchMore(QModelIndex());
    return row < m_model->rowCount();
}

void ReportDataSet::first() { m_row = 0; }

void ReportDataSet::next() { ++m_row; }

bool ReportDataSet::eof() const { return !hasRow(m_row); }

int ReportDataSet::recordCount() const
{
    if (!m_model)
        return 0;
    while (m_model->canFetchMore(QModelIndex()))
        m_model->fetchMore(QModelIndex());
    return m_model->rowCount();
}

QVariant ReportDataSet::value(int field) const
{
    if (field < 0 || !hasRow(m_row) || field >= m_model->columnCount())
        return {};
    return m_model->data(m_model->index(m_row, field), Qt::EditRole);
}

QString ReportDataSet::text(int field) const
{
    const QVariant v = value(field);
    return v.isNull() ? QString() : v.toString();
}
