#pragma once
// The list of leave and missions: one's own requests and those of the persons
// one approves in the hierarchy (every request for an administrator), the
// three confirmations behind their gates, the delete rules, the export and the
// printed slip of the current request.

#include "platform/ui/form.h"

class RequestList;
struct RequestDesc;

namespace Ui { class Tkargozini_src; }

// The table of leave and missions as the request pattern knows it.
const RequestDesc& kargozini_desc();

class Tkargozini_src : public Form {
    Q_OBJECT
public:
    explicit Tkargozini_src(QWidget* parent = nullptr);
    ~Tkargozini_src() override;

    Ui::Tkargozini_src* ui;

    RequestList* requests() const { return m_requests; }

public slots:
    void N8Click(); // the manager's confirmation, for an approver of the requester
    void N7Click(); // the guard's confirmation, for a user whose post is the guard's
    void N4Click(); // the slip of the current request's type

private:
    RequestList* m_requests = nullptr;
};
