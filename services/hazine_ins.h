#pragma once
// The expenditures entry window: a new claim of the current user (the
// departure date preset to today), or the approval of one claim, which saves
// the corrected boxes and stamps the day; the window stays open.

#include "platform/ui/form.h"

class RequestEntry;

namespace Ui { class Thazine_ins; }

class Thazine_ins : public Form {
    Q_OBJECT
public:
    explicit Thazine_ins(QWidget* parent = nullptr);
    ~Thazine_ins() override;

    Ui::Thazine_ins* ui;
    RequestEntry& request() const { return *m_request; }

    void openNew();
    void openApprove(qint64 id);

public slots:
    void ins_btnClick();
    void edit_btnClick();

private:
    RequestEntry* m_request;
};
