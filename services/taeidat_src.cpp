#include "taeidat_src.h"
#include "ui_taeidat_src.h"

#include "core/list_behaviours.h"
#include "platform/ui/window_set.h"
#include "services/request/request_list.h"
#include "services/taeidat_ins.h"
#include "services/texts.h"

const RequestDesc& taeidat_desc()
{
    using namespace ServiceText;
    static const RequestDesc desc{
        .table = QStringLiteral("taeidat"),
        .duplicateKeys = {QStringLiteral("mozo")},
        .duplicateMessage = TaeidatDuplicate,
        .list = {.grid = TaeidatGrid, .exportTitles = TaeidatExport},
    };
    return desc;
}

Ttaeidat_src::Ttaeidat_src(QWidget* parent) : Form(parent), ui(new Ui::Ttaeidat_src)
{
    ui->setupUi(this);
    m_requests = new RequestList(taeidat_desc(), ui->DBGrid1, ui->cnt, this);
    RequestList& r = *m_requests;
    r.contains(ui->CheckBox4, ui->lname, QStringLiteral("personel.lname"));
    r.dateRange(ui->CheckBox3, ui->taeed_dat1, ui->taeed_dat2, QStringLiteral("taeidat.taeed_dat"));
    r.dateRange(ui->CheckBox2, ui->ersal_dat1, ui->ersal_dat2, QStringLiteral("taeidat.ersal_dat"));
    r.contains(ui->CheckBox1, ui->mozo, QStringLiteral("taeidat.mozo"));
    r.connectCommands({.add = ui->N1, .approve = ui->N2, .remove = ui->N3, .exportRows = ui->N6, .exit = ui->N5,
                       .search = ui->src_btn},
                      [] { win<Ttaeidat_ins>(QStringLiteral("taeidat_ins"))->openNew(); },
                      [](qint64 id) { win<Ttaeidat_ins>(QStringLiteral("taeidat_ins"))->openApprove(id); });
}

Ttaeidat_src::~Ttaeidat_src() { delete ui; }

void Ttaeidat_src::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    fill_combo_from_setting(ui->mozo, ServiceText::TaeidatList);
}
