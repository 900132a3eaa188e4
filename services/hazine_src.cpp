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

namespace {

QString s(const char* text) { return QString::fromLatin1(text); }

} // namespace

const RequestDesc& hazine_desc()
{
    using namespace ServiceText;
    static const RequestDesc desc{
        .table = s("hazine"),
        .duplicateKeys = {s("mabda"), s("maghsad")},
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
    r.contains(ui->CheckBox4, ui->lname, s("personel.lname"));
    r.dateRange(ui->CheckBox3, ui->taeed_dat1, ui->taeed_dat2, s("hazine.taeed_dat"));
    r.dateRange(ui->CheckBox2, ui->ersal_dat1, ui->ersal_dat2, s("hazine.ersal_dat"));
    r.contains(ui->CheckBox1, ui->typ, s("hazine.typ"));
    r.connectCommands({.add = ui->N1, .approve = ui->N2, .remove = ui->N3, .exportRows = ui->N6, .exit = ui->N5,
                       .search = ui->src_btn},
                      [] { win<Thazine_ins>(s("hazine_ins"))->openNew(); },
                      [](qint64 id) { win<Thazine_ins>(s("hazine_ins"))->openApprove(id); });
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
    const LetterCaption words{s("mablagh_horofi"), [](const LetterSource& source) {
                                  return AmountWords::GetNum(Money::fromDb(source.row().value(s("mablagh"))));
                              }};
    print_letter(s("hazine_chap"), m_requests->currentRow(),
                 {column(s("ostan"), s("ostan")), column(s("typ"), s("typ")), fullName(s("nam")),
                  column(s("mabda"), s("mabda")), column(s("maghsad"), s("maghsad")), column(s("MASIR"), s("masir")),
                  column(s("dat1"), s("dat1")), column(s("dat2"), s("dat2")), column(s("saat1"), s("saat1")),
                  column(s("saat2"), s("saat2")), column(s("cmt"), s("cmt")), amount(s("mablagh"), s("mablagh")), words},
                 this);
}
