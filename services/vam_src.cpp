#include "vam_src.h"
#include "ui_vam_src.h"

#include "core/list_behaviours.h"
#include "platform/ui/window_set.h"
#include "services/request/request_letter.h"
#include "services/request/request_list.h"
#include "services/request/texts.h"
#include "services/texts.h"
#include "services/vam_ins.h"

using namespace Qt::StringLiterals;

namespace {

using namespace Letter;


} // namespace

const RequestDesc& vam_desc()
{
    using namespace RequestText;
    using namespace ServiceText;
    static const RequestDesc desc{
        .table = u"vam"_s,
        .duplicateKeys = {u"typ"_s},
        .duplicateMessage = VamDuplicate,
        .list = {.grid = {{u"fname"_s, TitleFname}, {u"lname"_s, TitleLname}, {u"loc"_s, TitleLoc},
                          {u"typ"_s, VamTitleTyp}, {u"mablagh"_s, VamTitleMablagh}, {u"aghsat"_s, VamTitleAghsat},
                          {u"ersal_dat"_s, TitleErsalDat}, {u"taeed_dat"_s, TitleTaeedDat},
                          {u"marhale"_s, VamTitleMarhale}, {u"status"_s, VamTitleStatus}, {u"bank"_s, VamTitleBank},
                          {u"cmt"_s, TitleCmt}},
                 .exportTitles = {{u"id"_s, TitleId}, {u"fname"_s, TitleFname}, {u"lname"_s, TitleLname},
                                  {u"loc"_s, TitleLoc}, {u"typ"_s, VamTitleTyp}, {u"mablagh"_s, VamExportMablagh},
                                  {u"aghsat"_s, VamExportAghsat}, {u"ersal_dat"_s, TitleErsalDat},
                                  {u"taeed_dat"_s, TitleTaeedDat}},
                 .titleSort = true},
    };
    return desc;
}

Tvam_src::Tvam_src(QWidget* parent) : Form(parent), ui(new Ui::Tvam_src)
{
    ui->setupUi(this);
    m_requests = new RequestList(vam_desc(), ui->DBGrid1, ui->cnt, this);
    RequestList& r = *m_requests;
    r.contains(ui->CheckBox4, ui->lname, u"personel.lname"_s);
    r.dateRange(ui->CheckBox3, ui->taeed_dat1, ui->taeed_dat2, u"vam.taeed_dat"_s);
    r.dateRange(ui->CheckBox2, ui->ersal_dat1, ui->ersal_dat2, u"vam.ersal_dat"_s);
    r.contains(ui->CheckBox1, ui->typ, u"vam.typ"_s);
    r.equals(ui->CheckBox5, ui->marhale, u"vam.marhale"_s);
    r.contains(ui->CheckBox6, ui->status, u"vam.status"_s);
    r.contains(ui->CheckBox7, ui->bank, u"vam.bank"_s);
    r.connectCommands({.add = ui->N1, .approve = ui->N2, .remove = ui->N3, .exportRows = ui->N6, .exit = ui->N5,
                       .search = ui->src_btn},
                      [] { win<Tvam_ins>(u"vam_ins"_s)->openNew(); },
                      [](qint64 id) { win<Tvam_ins>(u"vam_ins"_s)->openApprove(id); });
    connect(ui->A51, &QAction::triggered, this, &Tvam_src::A51Click);
    connect(ui->A41, &QAction::triggered, this, &Tvam_src::A41Click);
    connect(ui->N7, &QAction::triggered, this, &Tvam_src::N7Click);
}

Tvam_src::~Tvam_src() { delete ui; }

void Tvam_src::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    using namespace ServiceText;
    fill_combo_from_setting(ui->typ, VamTypeList);
    fill_combo_from_setting(ui->marhale, VamStageList, SettingOrder::Table);
    fill_combo_from_setting(ui->status, VamStatusList, SettingOrder::Table);
    fill_combo_from_setting(ui->bank, VamBankList, SettingOrder::Table);
}

void Tvam_src::A51Click()
{
    print_letter(u"vam_chap"_s, m_requests->currentRow(),
                 {person(u"ostan"_s, u"ostan"_s), column(u"typ"_s, u"typ"_s), column(u"typ2"_s, u"typ"_s),
                  fullName(u"fname"_s), column(u"loc"_s, u"loc"_s),
                  signatory(u"karshenas_tuvek"_s, RequestText::SignatoryExpert),
                  signatory(u"raeis_edari"_s, RequestText::SignatoryAdministration)},
                 this);
}

void Tvam_src::A41Click()
{
    print_letter(u"vam_chap2"_s, m_requests->currentRow(),
                 {signatory(u"raeis_edari"_s, RequestText::SignatoryAdministration), person(u"ostan"_s, u"ostan"_s),
                  person(u"ostan2"_s, u"ostan"_s), person(u"ostan3"_s, u"ostan"_s), column(u"typ"_s, u"typ"_s),
                  column(u"typ2"_s, u"typ"_s), column(u"typ3"_s, u"typ"_s), column(u"typ4"_s, u"typ"_s),
                  fullName(u"fname"_s), fullName(u"fname2"_s), column(u"loc"_s, u"loc"_s), column(u"loc2"_s, u"loc"_s)},
                 this);
}

void Tvam_src::N7Click()
{
    QList<LetterCaption> captions = {
        person(u"ostan"_s, u"ostan"_s), person(u"ostan2"_s, u"ostan"_s),
        provincial(u"code"_s, ServiceText::ReliefDocumentCodeList, ServiceText::HandFilled),
        column(u"marhale"_s, u"marhale"_s),
        column(u"typ"_s, u"typ"_s), column(u"typ2"_s, u"typ"_s), column(u"typ3"_s, u"typ"_s),
        fullName(u"fname"_s), fullName(u"fname2"_s), column(u"semat"_s, u"semat"_s), column(u"loc2"_s, u"loc"_s),
        column(u"estekhdam"_s, u"estekhdam"_s)};
    // Amounts, cheques and banks are filled in by hand.
    for (const char* label : {"darsad", "mablagh", "mablagh2", "mablagh3", "mablagh4", "mablagh5", "chek", "bank",
                              "bank2", "tazmini", "fname3", "aghsat"})
        captions << text(QLatin1String(label), ServiceText::HandFilled);
    print_letter(u"vam_chap_kargoshaei"_s, m_requests->currentRow(), captions, this);
}
