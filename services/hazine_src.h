#pragma once
// Expenditures: a member of staff who paid an expense on duty asks the office
// to pay it back; the office approves the request (every approval moves its
// date to that day) and prints the payment request form, which gives the
// amount in figures and in words. The expenditures list, on the request pattern.

#include "platform/ui/form.h"
#include "services/request/request.h"

class RequestList;

namespace Ui { class Thazine_src; }

// The expenditures as a request feature: table hazine, rights page hazine.
const RequestDesc& hazine_desc();

class Thazine_src : public Form {
    Q_OBJECT
public:
    explicit Thazine_src(QWidget* parent = nullptr);
    ~Thazine_src() override;

    Ui::Thazine_src* ui;
    RequestList& requests() const { return *m_requests; }

public slots:
    void N4Click(); // the payment request form

protected:
    void showEvent(QShowEvent* event) override;

private:
    RequestList* m_requests;
};
