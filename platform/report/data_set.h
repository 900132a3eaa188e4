#pragma once
// The data set a report runs over: the rows of a model (usually the query
// model of a window's grid) with a cursor that the report moves row by row.
// Fields are found by name, without regard to case; with a query model (or a
// proxy over one) the names are the columns of its query, whatever captions
// its grid shows; with any other model they are its column header texts.

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariant>

#include <QAbstractItemModel>

class ReportDataSet : public QObject {
    Q_OBJECT
public:
    explicit ReportDataSet(QObject* parent = nullptr);
    explicit ReportDataSet(QAbstractItemModel* model, QObject* parent = nullptr);

    // The rows (not owned). A data set without a model is not active.
    void setModel(QAbstractItemModel* model);
    QAbstractItemModel* model() const { return m_model; }
    bool isActive() const { return m_model != nullptr; }

    QStringList fieldNames() const;
    // The index of the field of that name, or -1.
    int fieldIndex(const QString& name) const;

    // The cursor. Rows a query model has not fetched yet are fetched as the
    // cursor reaches them.
    void first();
    void next();
    bool eof() const;
    // The current row, from 0.
    int recNo() const { return m_row; }
    // Every row, fetching what is left.
    int recordCount() const;

    // Values of the current row; an invalid QVariant off the rows or for an unknown field.
    QVariant value(int field) const;
    QVariant value(const QString& name) const { return value(fieldIndex(name)); }
    // The value as printed: empty for NULL.
    QString text(int field) const;
    QString text(const QString& name) const { return text(fieldIndex(name)); }

private:
    bool hasRow(int row) const;

    QPointer<QAbstractItemModel> m_model;
    int m_row = 0;
};
