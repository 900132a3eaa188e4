#include "khabghah_src.h"
#include "ui_khabghah_src.h"

#include "core/places.h"
#include "core/rights.h"
#include "core/session.h"
#include "platform/ui/entry_boxes.h"
#include "platform/ui/window_set.h"
#include "services/khabghah_hamrahan.h"
#include "services/khabghah_ins.h"
#include "services/khabghah_letters.h"
#include "services/request/request_list.h"
#include "services/request/texts.h"
#include "services/texts.h"

namespace {

QString s(const char* text) { return QString::fromLatin1(text); }

ScopeClause khabghah_scope();

} // namespace

const RequestDesc& khabghah_desc()
{
    using namespace ServiceText;
    static const RequestDesc desc{
        .table = s("khabghah"),
        .duplicateKeys = {s("ostan"), s("dat1")},
        .duplicateOnlyPending = false,
        .duplicateMessage = StayDuplicate,
        .list = {.grid = {{s("loc"), StayTitle_loc}, {s("semat"), StayTitle_semat}, {s("fname"), StayTitle_fname},
                          {s("lname"), StayTitle_lname}, {s("ostan"), StayTitle_ostan}, {s("city"), StayTitle_city},
                          {s("dat1"), StayTitle_dat1}, {s("dat2"), StayTitle_dat2}, {s("roz"), StayTitle_roz},
                          {s("shab"), StayTitle_shab}, {s("ersal_dat"), StayTitle_ersal_dat},
                          {s("taeed_dat"), StayTitle_taeed_dat}, {s("taeed2_dat"), StayTitle_taeed2_dat},
                          {s("cmt"), StayTitle_cmt}},
                 .exportTitles = {{s("id"), StayExport_id}, {s("fname"), StayExport_fname},
                                  {s("lname"), StayExport_lname}, {s("loc"), StayExport_loc},
                                  {s("semat"), StayExport_semat}, {s("ostan"), StayExport_ostan},
                                  {s("city"), StayExport_city}, {s("dat1"), StayExport_dat1},
                                  {s("dat2"), StayExport_dat2}, {s("roz"), StayExport_roz},
                                  {s("shab"), StayExport_shab}, {s("ersal_dat"), StayExport_ersal_dat},
                                  {s("taeed_dat"), StayExport_taeed_dat}},
                 .titleSort = true},
    };
    return desc;
}

namespace {

ScopeClause khabghah_scope()
{
    const CurrentUser& user = Session::user();
    const ScopeClause own = scope_by_level(user);
    if (own.sql.isEmpty())
        return own; // the administrator sees every request
    // The user's own scope, or a destination office's: the origin-approved
    // requests for a county of its scope. One group, so the filters that
    // follow narrow both.
    QString ownCondition = own.sql.trimmed();
    if (ownCondition.startsWith(s("and "), Qt::CaseInsensitive))
        ownCondition = ownCondition.mid(4);
    ScopeClause clause;
    clause.sql = s(" and ((") + ownCondition +
                 s(") or (khabghah.city in (select cmt from dastrasi2 where user_id=?)"
                   " and khabghah.taeed_dat is not null and khabghah.taeed_dat<>''))");
    clause.values = own.values;
    clause.values << user.prs_id;
    return clause;
}

} // namespace

Tkhabghah_src::Tkhabghah_src(QWidget* parent) : Form(parent), ui(new Ui::Tkhabghah_src)
{
    ui->setupUi(this);
    m_requests = new RequestList(khabghah_desc(), ui->DBGrid1, ui->cnt, this);
    RequestList& r = *m_requests;
    r.list().model()->setTitleColour(s("taeed_dat"), QColor(Qt::yellow));
    r.list().model()->setTitleColour(s("taeed2_dat"), QColor(0x00, 0xff, 0x00));
    r.setScope(khabghah_scope);
    r.contains(ui->CheckBox1, ui->lname, s("personel.lname"));
    r.dateRange(ui->CheckBox3, ui->taeed_dat1, ui->taeed_dat2, s("khabghah.taeed_dat"));
    r.dateRange(ui->CheckBox2, ui->ersal_dat1, ui->ersal_dat2, s("khabghah.ersal_dat"));
    r.contains(ui->CheckBox4, ui->ostan, s("khabghah.ostan"));
    r.contains(ui->CheckBox5, ui->city, s("khabghah.city"));
    r.connectCommands({.add = ui->N1, .approve = ui->N2, .remove = ui->N3, .exportRows = ui->N13, .exit = ui->N5,
                       .search = ui->src_btn},
                      [] { win<Tkhabghah_ins>(s("khabghah_ins"))->openNew(); },
                      [](qint64 id) { win<Tkhabghah_ins>(s("khabghah_ins"))->openApprove(id); });
    on_user_change(ui->ostan, [this] { Places::fillCounties(ui->city, ui->ostan->currentText()); });
    connect(ui->N10, &QAction::triggered, this, &Tkhabghah_src::N10Click);
    connect(ui->N6, &QAction::triggered, this, &Tkhabghah_src::N6Click);
    connect(ui->N7, &QAction::triggered, this, &Tkhabghah_src::N7Click);
    connect(ui->N8, &QAction::triggered, this, &Tkhabghah_src::N8Click);
    connect(ui->N9, &QAction::triggered, this, &Tkhabghah_src::N9Click);
    connect(ui->N11, &QAction::triggered, this, &Tkhabghah_src::N11Click);
    connect(ui->N12, &QAction::triggered, this, &Tkhabghah_src::N12Click);
}

Tkhabghah_src::~Tkhabghah_src() { delete ui; }

void Tkhabghah_src::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    Places::fillProvinces({ui->ostan});
}

void Tkhabghah_src::N10Click()
{
    const QVariantMap row = m_requests->currentRow();
    if (row.isEmpty())
        return;
    auto* companions = win<Tkhabghah_hamrahan>(s("khabghah_hamrahan"));
    companions->openFor(row.value(s("id")), row.value(s("personel_id")));
    companions->showModal();
}

void Tkhabghah_src::N6Click() { print_stay_letter(StayLetter::Markazi, m_requests->currentRow(), this); }
void Tkhabghah_src::N7Click() { print_stay_letter(StayLetter::Amirkola, m_requests->currentRow(), this); }
void Tkhabghah_src::N8Click() { print_stay_letter(StayLetter::Ramsar, m_requests->currentRow(), this); }
void Tkhabghah_src::N9Click() { print_stay_letter(StayLetter::Other, m_requests->currentRow(), this); }
void Tkhabghah_src::N11Click() { print_stay_letter(StayLetter::Mashad, m_requests->currentRow(), this); }
void Tkhabghah_src::N12Click() { print_stay_confirmation(this); }
