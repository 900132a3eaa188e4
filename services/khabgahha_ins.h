#pragma once
// Entry and edit of a guesthouse suite. A suite number is unique within its
// province and county; an edit that keeps the number is saved without that test.

#include "core/entry.h"
#include "platform/ui/form.h"

#include <QString>
#include <QVariantMap>

class Entry;

namespace Ui { class Tkhabgahha_ins; }

class Tkhabgahha_ins : public Form {
    Q_OBJECT
public:
    explicit Tkhabgahha_ins(QWidget* parent = nullptr);
    ~Tkhabgahha_ins() override;

    Ui::Tkhabgahha_ins* ui;

    // Empty boxes, cost "0", only the insert button.
    void prepareNew();
    // The boxes from a suite's row, only the edit button; the edit saves that row.
    void prepareEdit(const QVariantMap& suite);

public slots:
    void ins_btnClick();  // a new suite, said saved; the window stays open
    void edit_btnClick(); // saves the suite being edited; the window closes

signals:
    // A suite was added or changed.
    void saved();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The rule of a suite's number: once a province and county.
    Entry::Unique suiteNumber() const;

    Entry* m_entry;
    QString m_storedNo; // the edited suite's number as stored
};
