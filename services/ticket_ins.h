#pragma once
// The tickets entry window: a new request of the current user (one traveller,
// outward date today), or the approval of one request, which saves the
// corrected boxes and stamps the day; the window stays open.

#include "platform/ui/form.h"

class RequestEntry;

namespace Ui { class Tticket_ins; }

class Tticket_ins : public Form {
    Q_OBJECT
public:
    explicit Tticket_ins(QWidget* parent = nullptr);
    ~Tticket_ins() override;

    Ui::Tticket_ins* ui;
    RequestEntry& request() const { return *m_request; }

    void openNew();
    void openApprove(qint64 id);

public slots:
    void ins_btnClick();
    void edit_btnClick();

private:
    RequestEntry* m_request;
};
