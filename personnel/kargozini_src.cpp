#include "kargozini_src.h"
#include "ui_kargozini_src.h"

#include "core/list_window.h"
#include "core/session.h"
#include "personnel/kargozini_ins.h"
#include "personnel/kargozini_slips.h"
#include "personnel/texts.h"
#include "platform/ui/window_set.h"
#include "services/request/approval_gate.h"
#include "services/request/request_entry.h"
#include "services/request/request_list.h"
#include "services/request/texts.h"

using namespace Qt::StringLiterals;

namespace {

Tkargozini_ins* entry() { return win<Tkargozini_ins>(u"kargozini_ins"_s); }

} // namespace

const RequestDesc& kargozini_desc()
{
    using namespace PersonnelText;
    static const RequestDesc desc{
        .table = u"kargozini"_s,
        .duplicateKeys = {u"typ"_s},
        .duplicateMessage = KargoziniDuplicate,
        .list = {.grid = {{u"id"_s, u"id"_s}, {u"cartsaat_no"_s, TitleCartsaat}, {u"fname"_s, TitleFname},
                          {u"lname"_s, TitleLname}, {u"loc"_s, TitleLoc}, {u"typ"_s, TitleTyp}, {u"roz"_s, TitleRoz},
                          {u"dat1"_s, TitleDat1}, {u"dat2"_s, TitleDat2}, {u"exit_saat"_s, TitleExit},
                          {u"vorod_saat"_s, TitleVorod}, {u"cmt"_s, TitleCmt}, {u"ersal_dat"_s, TitleErsal},
                          {u"modir_dat"_s, TitleModirDat}, {u"modir_name"_s, TitleModirName},
                          {u"negahbani_dat"_s, TitleNegahbaniDat}, {u"negahbani_name"_s, TitleNegahbaniName},
                          {u"taeed_dat"_s, TitleTaeedDat}, {u"taeed_name"_s, TitleTaeedName}},
                 .exportTitles = {{u"id"_s, TitleId}, {u"fname"_s, TitleFname}, {u"lname"_s, TitleLname},
                                  {u"loc"_s, TitleLoc}, {u"typ"_s, TitleTyp}, {u"roz"_s, TitleRoz},
                                  {u"dat1"_s, TitleDat1}, {u"ersal_dat"_s, TitleErsal},
                                  {u"taeed_dat"_s, ExportTaeedDat}, {u"modir_dat"_s, TitleModirDat},
                                  {u"dat2"_s, TitleDat2}, {u"cmt"_s, TitleCmt}, {u"exit_saat"_s, TitleExit},
                                  {u"vorod_saat"_s, TitleVorod}, {u"negahbani_dat"_s, TitleNegahbaniDat}},
                 .titleSort = true},
    };
    return desc;
}

Tkargozini_src::Tkargozini_src(QWidget* parent) : Form(parent), ui(new Ui::Tkargozini_src)
{
    ui->setupUi(this);
    m_requests = new RequestList(kargozini_desc(), ui->DBGrid1, ui->cnt, this);
    RequestList& r = *m_requests;
    // The titles of the request date and of each confirmation on their colours.
    ListModel* rows = r.list().model();
    rows->setTitleColour(u"ersal_dat"_s, Qt::yellow);
    for (const char* column : {"modir_dat", "modir_name"})
        rows->setTitleColour(QLatin1String(column), QColor(0xA6, 0xCA, 0xF0)); // sky blue
    for (const char* column : {"negahbani_dat", "negahbani_name"})
        rows->setTitleColour(QLatin1String(column), QColor(0xFF, 0xFF, 0xE1)); // the info colour
    for (const char* column : {"taeed_dat", "taeed_name"})
        rows->setTitleColour(QLatin1String(column), QColor(0xC0, 0xDC, 0xC0)); // money green
    // One's own requests and those of the persons one approves; the filters narrow both.
    r.setScope([] { return hierarchy_scope(u"marateb_k"_s, u"personel.nation=?"_s, {Session::user().karbar}); });
    r.contains(ui->CheckBox4, ui->lname, u"personel.lname"_s);
    r.dateRange(ui->CheckBox3, ui->taeed_dat1, ui->taeed_dat2, u"kargozini.taeed_dat"_s);
    r.dateRange(ui->CheckBox2, ui->ersal_dat1, ui->ersal_dat2, u"kargozini.ersal_dat"_s);
    r.contains(ui->CheckBox1, ui->typ, u"kargozini.typ"_s);
    r.connectCommands({.add = ui->N1, .approve = ui->N2, .remove = ui->N3, .exportRows = ui->N6, .exit = ui->N5,
                       .search = ui->src_btn},
                      [] { entry()->openNew(); },
                      [](qint64 id) { entry()->openConfirm(id, Tkargozini_ins::Confirmation::Office); });
    connect(ui->N8, &QAction::triggered, this, &Tkargozini_src::N8Click);
    connect(ui->N7, &QAction::triggered, this, &Tkargozini_src::N7Click);
    connect(ui->N4, &QAction::triggered, this, &Tkargozini_src::N4Click);
}

Tkargozini_src::~Tkargozini_src() { delete ui; }

void Tkargozini_src::N8Click()
{
    const qint64 id = m_requests->currentId();
    if (id && approver_gate(u"marateb_k"_s, m_requests->currentRow().value(u"nation"_s).toString()))
        entry()->openConfirm(id, Tkargozini_ins::Confirmation::Manager);
}

void Tkargozini_src::N7Click()
{
    const qint64 id = m_requests->currentId();
    if (id && approval_gate(Session::user().semat == PersonnelText::GuardPost, PersonnelText::NotGuard))
        entry()->openConfirm(id, Tkargozini_ins::Confirmation::Guard);
}

void Tkargozini_src::N4Click() { print_kargozini_slip(m_requests->currentRow(), this); }
