#include "zemanat_src.h"
#include "ui_zemanat_src.h"

#include "core/list_behaviours.h"
#include "core/shamsi_date.h"
#include "platform/ui/window_set.h"
#include "services/request/request_letter.h"
#include "services/request/request_list.h"
#include "services/request/texts.h"
#include "services/texts.h"
#include "services/zemanat_ins.h"

namespace {

QString s(const char* text) { return QString::fromLatin1(text); }

} // namespace

const RequestDesc& zemanat_desc()
{
    using namespace ServiceText;
    static const RequestDesc desc{
        .table = s("zemanat"),
        .duplicateKeys = {s("bank"), s("shobe"), s("cmt")},
        .duplicateMessage = ZemanatDuplicate,
        .list = {.grid = ZemanatGrid, .exportTitles = ZemanatExport},
    };
    return desc;
}

Tzemanat_src::Tzemanat_src(QWidget* parent) : Form(parent), ui(new Ui::Tzemanat_src)
{
    ui->setupUi(this);
    m_requests = new RequestList(zemanat_desc(), ui->DBGrid1, ui->cnt, this);
    RequestList& r = *m_requests;
    r.contains(ui->CheckBox4, ui->lname, s("personel.lname"));
    r.dateRange(ui->CheckBox3, ui->taeed_dat1, ui->taeed_dat2, s("zemanat.taeed_dat"));
    r.dateRange(ui->CheckBox2, ui->ersal_dat1, ui->ersal_dat2, s("zemanat.ersal_dat"));
    r.contains(ui->CheckBox1, ui->bank, s("zemanat.bank"));
    r.connectCommands({.add = ui->N1, .approve = ui->N2, .remove = ui->N3, .exportRows = ui->N6, .exit = ui->N5,
                       .search = ui->src_btn},
                      [] { win<Tzemanat_ins>(s("zemanat_ins"))->openNew(); },
                      [](qint64 id) { win<Tzemanat_ins>(s("zemanat_ins"))->openApprove(id); });
    connect(ui->N7, &QAction::triggered, this, &Tzemanat_src::N7Click);
    connect(ui->N8, &QAction::triggered, this, &Tzemanat_src::N8Click);
}

Tzemanat_src::~Tzemanat_src() { delete ui; }

void Tzemanat_src::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    fill_combo_from_setting(ui->bank, ServiceText::VamBankList);
}

void Tzemanat_src::N7Click()
{
    using namespace Letter;
    // Dated with the workstation's today, the day the letter is asked for.
    print_letter(s("zemanat_chap2"), m_requests->currentRow(),
                 {text(s("dat"), Shamsi::today()), column(s("loc"), s("loc")), column(s("bank"), s("bank")),
                  column(s("shobe"), s("shobe")), column(s("aghsat"), s("aghsat")), amount(s("mablagh"), s("mablagh")),
                  column(s("cmt"), s("cmt")), fullName(s("nam"))},
                 this);
}

void Tzemanat_src::N8Click()
{
    using namespace Letter;
    using namespace RequestText;
    print_letter(s("zemanat_chap"), m_requests->currentRow(),
                 {signatory(s("karshenas_tuvek"), SignatoryExpert), signatory(s("raeis_edari"), SignatoryAdministration),
                  signatory(s("raeis_mali"), SignatoryFinance), signatory(s("moaven_poshtibani"), SignatorySupport),
                  column(s("ostan"), s("ostan")), column(s("bank"), s("bank")), column(s("cmt"), s("cmt")),
                  column(s("father"), s("father")), fullName(s("nam"))},
                 this);
}
