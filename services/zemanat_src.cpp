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

using namespace Qt::StringLiterals;

const RequestDesc& zemanat_desc()
{
    using namespace ServiceText;
    static const RequestDesc desc{
        .table = u"zemanat"_s,
        .duplicateKeys = {u"bank"_s, u"shobe"_s, u"cmt"_s},
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
    r.contains(ui->CheckBox4, ui->lname, u"personel.lname"_s);
    r.dateRange(ui->CheckBox3, ui->taeed_dat1, ui->taeed_dat2, u"zemanat.taeed_dat"_s);
    r.dateRange(ui->CheckBox2, ui->ersal_dat1, ui->ersal_dat2, u"zemanat.ersal_dat"_s);
    r.contains(ui->CheckBox1, ui->bank, u"zemanat.bank"_s);
    r.connectCommands({.add = ui->N1, .approve = ui->N2, .remove = ui->N3, .exportRows = ui->N6, .exit = ui->N5,
                       .search = ui->src_btn},
                      [] { win<Tzemanat_ins>(u"zemanat_ins"_s)->openNew(); },
                      [](qint64 id) { win<Tzemanat_ins>(u"zemanat_ins"_s)->openApprove(id); });
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
    print_letter(u"zemanat_chap2"_s, m_requests->currentRow(),
                 {text(u"dat"_s, Shamsi::today()), column(u"loc"_s, u"loc"_s), column(u"bank"_s, u"bank"_s),
                  column(u"shobe"_s, u"shobe"_s), column(u"aghsat"_s, u"aghsat"_s), amount(u"mablagh"_s, u"mablagh"_s),
                  column(u"cmt"_s, u"cmt"_s), fullName(u"nam"_s)},
                 this);
}

void Tzemanat_src::N8Click()
{
    using namespace Letter;
    using namespace RequestText;
    print_letter(u"zemanat_chap"_s, m_requests->currentRow(),
                 {signatory(u"karshenas_tuvek"_s, SignatoryExpert), signatory(u"raeis_edari"_s, SignatoryAdministration),
                  signatory(u"raeis_mali"_s, SignatoryFinance), signatory(u"moaven_poshtibani"_s, SignatorySupport),
                  column(u"ostan"_s, u"ostan"_s), column(u"bank"_s, u"bank"_s), column(u"cmt"_s, u"cmt"_s),
                  column(u"father"_s, u"father"_s), fullName(u"nam"_s)},
                 this);
}
