#pragma once
// Guarantees: a member of staff who stands guarantor for someone's bank loan
// asks the office for an introduction letter to the bank; the office approves
// the request (every approval moves its date to that day) and prints the
// employee's request for the letter or the draft letter to the bank. The
// guarantees list, on the request pattern.

#include "platform/ui/form.h"
#include "services/request/request.h"

class RequestList;

namespace Ui { class Tzemanat_src; }

// The guarantees as a request feature: table zemanat, rights page zemanat.
const RequestDesc& zemanat_desc();

class Tzemanat_src : public Form {
    Q_OBJECT
public:
    explicit Tzemanat_src(QWidget* parent = nullptr);
    ~Tzemanat_src() override;

    Ui::Tzemanat_src* ui;
    RequestList& requests() const { return *m_requests; }

public slots:
    void N7Click(); // the employee's request for the letter
    void N8Click(); // the draft letter to the bank

protected:
    void showEvent(QShowEvent* event) override;

private:
    RequestList* m_requests;
};
