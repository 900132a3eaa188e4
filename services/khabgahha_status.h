#pragma once
// The day statuses of one suite: one per day ("free" or "reserved", or any
// typed word), only ever added.

#include "platform/ui/form.h"

#include <QVariant>

class ListWindow;

namespace Ui { class Tkhabgahha_status; }

class Tkhabgahha_status : public Form {
    Q_OBJECT
public:
    explicit Tkhabgahha_status(QWidget* parent = nullptr);
    ~Tkhabgahha_status() override;

    Ui::Tkhabgahha_status* ui;

    // Lists the suite's statuses and proposes today as free.
    void prepareForSuite(const QVariant& suiteId);
    ListWindow* list() const { return m_list; }

public slots:
    void ins_btnClick(); // adds the status; the window stays open for the next day

private:
    ListWindow* m_list;
    QVariant m_suite;
};

struct ListDescription;
// The list of one suite's day statuses (its suite bound by the list's scope).
ListDescription suite_status_list();
