#include "hazine_src.h"
#include "ui_hazine_src.h"

#include "core/list_behaviours.h"
#include "platform/db/money.h"
#include "platform/ui/window_set.h"
#include "services/amount_words.h"
#include "services/hazine_ins.h"
#include "services/request/request_letter.h"
#include "services/request/request_list.h"
#include "services/texts.h"

using namespace Qt::StringLiterals;

const RequestDesc& hazine_desc()
{
    using namespace ServiceText;
    static const RequestDesc desc{
        .table = u"hazine"_s,
        .duplicateKeys = {u"mabda"_s, u"maghsad"_s},
        .duplicateMessage = HazineDuplicate,
        .list = {.grid = HazineGrid, .exportTitles = HazineExport},
    };
    return desc;
}

Thazine_src::Thazine_src(QWidget* parent) : Form(parent), ui(new Ui::Thazine_src)
{
    ui->setupUi(this);
    m_requests = new RequestList(hazine_desc(), ui->DBGrid1, ui->cnt, this);
    RequestList& r = *m_requests;
    r.contains(ui->CheckBox4, ui->lname, u"personel.lname"_s);
    r.dateRange(ui->CheckBox3, ui->taeed_dat1, ui->taeed_dat2, u"hazine.taeed_dat"_s);
    r.dateRange(ui->CheckBox2, ui->ersal_dat1, ui->ersal_dat2, u"hazine.ersal_dat"_s);
    r.contains(ui->CheckBox1, ui->typ, u"hazine.typ"_s);
    r.connectCommands({.add = ui->N1, .approve = ui->N2, .remove = ui->N3, .exportRows = ui->N6, .exit = ui->N5,
                       .search = ui->src_btn},
                      [] { win<Thazine_ins>(u"hazine_ins"_s)->openNew(); },
                      [](qint64 id) { win<Thazine_ins>(u"hazine_ins"_s)->openApprove(id); });
    connect(ui->N4, &QAction::triggered, this, &Thazine_src::N4Click);
}

Thazine_src::~Thazine_src() { delete ui; }

void Thazine_src::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    fill_combo_from_setting(ui->typ, ServiceText::HazineTypeList);
}

void Thazine_src::N4Click()
{
    using namespace Letter;
    const LetterCaption words{u"mablagh_horofi"_s, [](const LetterSource& source) {
                                  return AmountWords::GetNum(Money::fromDb(source.row().value(u"mablagh"_s)));
                              }};
    print_letter(u"hazine_chap"_s, m_requests->currentRow(),
                 {column(u"ostan"_s, u"ostan"_s), column(u"typ"_s, u"typ"_s), fullName(u"nam"_s),
                  column(u"mabda"_s, u"mabda"_s), column(u"maghsad"_s, u"maghsad"_s), column(u"MASIR"_s, u"masir"_s),
                  column(u"dat1"_s, u"dat1"_s), column(u"dat2"_s, u"dat2"_s), column(u"saat1"_s, u"saat1"_s),
                  column(u"saat2"_s, u"saat2"_s), column(u"cmt"_s, u"cmt"_s), amount(u"mablagh"_s, u"mablagh"_s), words},
                 this);
}
