#pragma once
// The guarantees entry window: a new request of the current user, or the
// approval of one request, which saves the corrected boxes and stamps the
// day; the window stays open.

#include "platform/ui/form.h"

class RequestEntry;

namespace Ui { class Tzemanat_ins; }

class Tzemanat_ins : public Form {
    Q_OBJECT
public:
    explicit Tzemanat_ins(QWidget* parent = nullptr);
    ~Tzemanat_ins() override;

    Ui::Tzemanat_ins* ui;
    RequestEntry& request() const { return *m_request; }

    // A new request (instalments and amount 0), or the approval of the request of that id.
    void openNew();
    void openApprove(qint64 id);

public slots:
    void ins_btnClick();
    void edit_btnClick();

private:
    RequestEntry* m_request;
};
