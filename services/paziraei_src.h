#pragma once
// Hospitality orders: a member of staff orders catering for a meeting; the
// guests and what each wants are listed in the guests window. An order is
// approved twice, independently and in either order: by a manager above the
// requester in the approval hierarchy, and by the office; each approval takes
// the approver's surname and moves its date to the day. The list counts the
// orders and sums their persons, and a manager sees the orders of the staff
// below him besides his own scope. The orders list, on the request pattern.

#include "platform/ui/form.h"
#include "services/request/request.h"

class RequestList;

namespace Ui { class Tpaziraei_src; }

// The orders as a request feature: table paziraei, rights page paziraei.
const RequestDesc& paziraei_desc();

class Tpaziraei_src : public Form {
    Q_OBJECT
public:
    explicit Tpaziraei_src(QWidget* parent = nullptr);
    ~Tpaziraei_src() override;

    Ui::Tpaziraei_src* ui;
    RequestList& requests() const { return *m_requests; }

public slots:
    void N8Click();  // the manager's approval of the current order
    void N7Click();  // the guests of the current order
    void N4Click();  // the printed order
    void N10Click(); // the export of the orders with their guests, one line a guest

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The persons of the listed orders, after every search.
    void showSum();

    RequestList* m_requests;
};
