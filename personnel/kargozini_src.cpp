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

namespace {

QString s(const char* text) { return QString::fromLatin1(text); }

Tkargozini_ins* entry() { return win<Tkargozini_ins>(s("kargozini_ins")); }

} // namespace

const RequestDesc& kargozini_desc()
{
    using namespace PersonnelText;
    static const RequestDesc desc{
        .table = s("kargozini"),
        .duplicateKeys = {s("typ")},
        .duplicateMessage = KargoziniDuplicate,
        .list = {.grid = {{s("id"), s("id")}, {s("cartsaat_no"), TitleCartsaat}, {s("fname"), TitleFname},
                          {s("lname"), TitleLname}, {s("loc"), TitleLoc}, {s("typ"), TitleTyp}, {s("roz"), TitleRoz},
                          {s("dat1"), TitleDat1}, {s("dat2"), TitleDat2}, {s("exit_saat"), TitleExit},
                          {s("vorod_saat"), TitleVorod}, {s("cmt"), TitleCmt}, {s("ersal_dat"), TitleErsal},
                          {s("modir_dat"), TitleModirDat}, {s("modir_name"), TitleModirName},
                          {s("negahbani_dat"), TitleNegahbaniDat}, {s("negahbani_name"), TitleNegahbaniName},
                          {s("taeed_dat"), TitleTaeedDat}, {s("taeed_name"), TitleTaeedName}},
                 .exportTitles = {{s("id"), TitleId}, {s("fname"), TitleFname}, {s("lname"), TitleLname},
                                  {s("loc"), TitleLoc}, {s("typ"), TitleTyp}, {s("roz"), TitleRoz},
                                  {s("dat1"), TitleDat1}, {s("ersal_dat"), TitleErsal},
                                  {s("taeed_dat"), ExportTaeedDat}, {s("modir_dat"), TitleModirDat},
                                  {s("dat2"), TitleDat2}, {s("cmt"), TitleCmt}, {s("exit_saat"), TitleExit},
                                  {s("vorod_saat"), TitleVorod}, {s("negahbani_dat"), TitleNegahbaniDat}},
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
    rows->setTitleColour(s("ersal_dat"), Qt::yellow);
    for (const char* column : {"modir_dat", "modir_name"})
        rows->setTitleColour(s(column), QColor(0xA6, 0xCA, 0xF0)); // sky blue
    for (const char* column : {"negahbani_dat", "negahbani_name"})
        rows->setTitleColour(s(column), QColor(0xFF, 0xFF, 0xE1)); // the info colour
    for (const char* column : {"taeed_dat", "taeed_name"})
        rows->setTitleColour(s(column), QColor(0xC0, 0xDC, 0xC0)); // money green
    // One's own requests and those of the persons one approves; the filters narrow both.
    r.setScope([] { return hierarchy_scope(s("marateb_k"), s("personel.nation=?"), {Session::user().karbar}); });
    r.contains(ui->CheckBox4, ui->lname, s("personel.lname"));
    r.dateRange(ui->CheckBox3, ui->taeed_dat1, ui->taeed_dat2, s("kargozini.taeed_dat"));
    r.dateRange(ui->CheckBox2, ui->ersal_dat1, ui->ersal_dat2, s("kargozini.ersal_dat"));
    r.contains(ui->CheckBox1, ui->typ, s("kargozini.typ"));
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
    if (id && approver_gate(s("marateb_k"), m_requests->currentRow().value(s("nation")).toString()))
        entry()->openConfirm(id, Tkargozini_ins::Confirmation::Manager);
}

void Tkargozini_src::N7Click()
{
    const qint64 id = m_requests->currentId();
    if (id && approval_gate(Session::user().semat == PersonnelText::GuardPost, PersonnelText::NotGuard))
        entry()->openConfirm(id, Tkargozini_ins::Confirmation::Guard);
}

void Tkargozini_src::N4Click() { print_kargozini_slip(m_requests->currentRow(), this); }
