#include "vam_src.h"
#include "ui_vam_src.h"

#include "core/list_behaviours.h"
#include "platform/ui/window_set.h"
#include "services/request/request_letter.h"
#include "services/request/request_list.h"
#include "services/request/texts.h"
#include "services/texts.h"
#include "services/vam_ins.h"

namespace {

using namespace Letter;

QString s(const char* text) { return QString::fromLatin1(text); }

} // namespace

const RequestDesc& vam_desc()
{
    using namespace RequestText;
    using namespace ServiceText;
    static const RequestDesc desc{
        .table = s("vam"),
        .duplicateKeys = {s("typ")},
        .duplicateMessage = VamDuplicate,
        .list = {.grid = {{s("fname"), TitleFname}, {s("lname"), TitleLname}, {s("loc"), TitleLoc},
                          {s("typ"), VamTitleTyp}, {s("mablagh"), VamTitleMablagh}, {s("aghsat"), VamTitleAghsat},
                          {s("ersal_dat"), TitleErsalDat}, {s("taeed_dat"), TitleTaeedDat},
                          {s("marhale"), VamTitleMarhale}, {s("status"), VamTitleStatus}, {s("bank"), VamTitleBank},
                          {s("cmt"), TitleCmt}},
                 .exportTitles = {{s("id"), TitleId}, {s("fname"), TitleFname}, {s("lname"), TitleLname},
                                  {s("loc"), TitleLoc}, {s("typ"), VamTitleTyp}, {s("mablagh"), VamExportMablagh},
                                  {s("aghsat"), VamExportAghsat}, {s("ersal_dat"), TitleErsalDat},
                                  {s("taeed_dat"), TitleTaeedDat}},
                 .titleSort = true},
    };
    return desc;
}

Tvam_src::Tvam_src(QWidget* parent) : Form(parent), ui(new Ui::Tvam_src)
{
    ui->setupUi(this);
    m_requests = new RequestList(vam_desc(), ui->DBGrid1, ui->cnt, this);
    RequestList& r = *m_requests;
    r.contains(ui->CheckBox4, ui->lname, s("personel.lname"));
    r.dateRange(ui->CheckBox3, ui->taeed_dat1, ui->taeed_dat2, s("vam.taeed_dat"));
    r.dateRange(ui->CheckBox2, ui->ersal_dat1, ui->ersal_dat2, s("vam.ersal_dat"));
    r.contains(ui->CheckBox1, ui->typ, s("vam.typ"));
    r.equals(ui->CheckBox5, ui->marhale, s("vam.marhale"));
    r.contains(ui->CheckBox6, ui->status, s("vam.status"));
    r.contains(ui->CheckBox7, ui->bank, s("vam.bank"));
    r.connectCommands({.add = ui->N1, .approve = ui->N2, .remove = ui->N3, .exportRows = ui->N6, .exit = ui->N5,
                       .search = ui->src_btn},
                      [] { win<Tvam_ins>(s("vam_ins"))->openNew(); },
                      [](qint64 id) { win<Tvam_ins>(s("vam_ins"))->openApprove(id); });
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
    print_letter(s("vam_chap"), m_requests->currentRow(),
                 {person(s("ostan"), s("ostan")), column(s("typ"), s("typ")), column(s("typ2"), s("typ")),
                  fullName(s("fname")), column(s("loc"), s("loc")),
                  signatory(s("karshenas_tuvek"), RequestText::SignatoryExpert),
                  signatory(s("raeis_edari"), RequestText::SignatoryAdministration)},
                 this);
}

void Tvam_src::A41Click()
{
    print_letter(s("vam_chap2"), m_requests->currentRow(),
                 {signatory(s("raeis_edari"), RequestText::SignatoryAdministration), person(s("ostan"), s("ostan")),
                  person(s("ostan2"), s("ostan")), person(s("ostan3"), s("ostan")), column(s("typ"), s("typ")),
                  column(s("typ2"), s("typ")), column(s("typ3"), s("typ")), column(s("typ4"), s("typ")),
                  fullName(s("fname")), fullName(s("fname2")), column(s("loc"), s("loc")), column(s("loc2"), s("loc"))},
                 this);
}

void Tvam_src::N7Click()
{
    QList<LetterCaption> captions = {
        text(s("ostan"), ServiceText::ReliefProvince), text(s("ostan2"), ServiceText::ReliefProvince),
        text(s("code"), ServiceText::ReliefDocumentCode), column(s("marhale"), s("marhale")),
        column(s("typ"), s("typ")), column(s("typ2"), s("typ")), column(s("typ3"), s("typ")),
        fullName(s("fname")), fullName(s("fname2")), column(s("semat"), s("semat")), column(s("loc2"), s("loc")),
        column(s("estekhdam"), s("estekhdam"))};
    // Amounts, cheques and banks are filled in by hand.
    for (const char* label : {"darsad", "mablagh", "mablagh2", "mablagh3", "mablagh4", "mablagh5", "chek", "bank",
                              "bank2", "tazmini", "fname3", "aghsat"})
        captions << text(s(label), ServiceText::HandFilled);
    print_letter(s("vam_chap_kargoshaei"), m_requests->currentRow(), captions, this);
}
