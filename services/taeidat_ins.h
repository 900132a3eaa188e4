#pragma once
// The approvals entry window: a new request of the current user, or the
// approval of one request, which saves the corrected boxes and stamps the
// day; the window stays open.

#include "platform/ui/form.h"

class RequestEntry;

namespace Ui { class Ttaeidat_ins; }

class Ttaeidat_ins : public Form {
    Q_OBJECT
public:
    explicit Ttaeidat_ins(QWidget* parent = nullptr);
    ~Ttaeidat_ins() override;

    Ui::Ttaeidat_ins* ui;
    RequestEntry& request() const { return *m_request; }

    void openNew();
    void openApprove(qint64 id);

public slots:
    void ins_btnClick();
    void edit_btnClick();

private:
    RequestEntry* m_request;
};
