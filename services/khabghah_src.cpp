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

using namespace Qt::StringLiterals;

namespace {

ScopeClause khabghah_scope();

} // namespace

const RequestDesc& khabghah_desc()
{
    using namespace ServiceText;
    static const RequestDesc desc{
        .table = u"khabghah"_s,
        .duplicateKeys = {u"ostan"_s, u"dat1"_s},
        .duplicateOnlyPending = false,
        .duplicateMessage = StayDuplicate,
        .list = {.grid = {{u"loc"_s, StayTitle_loc}, {u"semat"_s, StayTitle_semat}, {u"fname"_s, StayTitle_fname},
                          {u"lname"_s, StayTitle_lname}, {u"ostan"_s, StayTitle_ostan}, {u"city"_s, StayTitle_city},
                          {u"dat1"_s, StayTitle_dat1}, {u"dat2"_s, StayTitle_dat2}, {u"roz"_s, StayTitle_roz},
                          {u"shab"_s, StayTitle_shab}, {u"ersal_dat"_s, StayTitle_ersal_dat},
                          {u"taeed_dat"_s, StayTitle_taeed_dat}, {u"taeed2_dat"_s, StayTitle_taeed2_dat},
                          {u"cmt"_s, StayTitle_cmt}},
                 .exportTitles = {{u"id"_s, StayExport_id}, {u"fname"_s, StayExport_fname},
                                  {u"lname"_s, StayExport_lname}, {u"loc"_s, StayExport_loc},
                                  {u"semat"_s, StayExport_semat}, {u"ostan"_s, StayExport_ostan},
                                  {u"city"_s, StayExport_city}, {u"dat1"_s, StayExport_dat1},
                                  {u"dat2"_s, StayExport_dat2}, {u"roz"_s, StayExport_roz},
                                  {u"shab"_s, StayExport_shab}, {u"ersal_dat"_s, StayExport_ersal_dat},
                                  {u"taeed_dat"_s, StayExport_taeed_dat}},
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
    if (ownCondition.startsWith(u"and "_s, Qt::CaseInsensitive))
        ownCondition = ownCondition.mid(4);
    ScopeClause clause;
    clause.sql = u" and (("_s + ownCondition +
                 u") or (khabghah.city in (select cmt from dastrasi2 where user_id=?)"
                   " and khabghah.taeed_dat is not null and khabghah.taeed_dat<>''))"_s;
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
    r.list().model()->setTitleColour(u"taeed_dat"_s, QColor(Qt::yellow));
    r.list().model()->setTitleColour(u"taeed2_dat"_s, QColor(0x00, 0xff, 0x00));
    r.setScope(khabghah_scope);
    r.contains(ui->CheckBox1, ui->lname, u"personel.lname"_s);
    r.dateRange(ui->CheckBox3, ui->taeed_dat1, ui->taeed_dat2, u"khabghah.taeed_dat"_s);
    r.dateRange(ui->CheckBox2, ui->ersal_dat1, ui->ersal_dat2, u"khabghah.ersal_dat"_s);
    r.contains(ui->CheckBox4, ui->ostan, u"khabghah.ostan"_s);
    r.contains(ui->CheckBox5, ui->city, u"khabghah.city"_s);
    r.connectCommands({.add = ui->N1, .approve = ui->N2, .remove = ui->N3, .exportRows = ui->N13, .exit = ui->N5,
                       .search = ui->src_btn},
                      [] { win<Tkhabghah_ins>(u"khabghah_ins"_s)->openNew(); },
                      [](qint64 id) { win<Tkhabghah_ins>(u"khabghah_ins"_s)->openApprove(id); });
    on_user_change(ui->ostan, [this] { Places::provinceChanged(ui->city, ui->ostan->currentText()); });
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
    auto* companions = win<Tkhabghah_hamrahan>(u"khabghah_hamrahan"_s);
    companions->openFor(row.value(u"id"_s), row.value(u"personel_id"_s));
    companions->showModal();
}

void Tkhabghah_src::N6Click() { print_stay_letter(StayLetter::Markazi, m_requests->currentRow(), this); }
void Tkhabghah_src::N7Click() { print_stay_letter(StayLetter::Amirkola, m_requests->currentRow(), this); }
void Tkhabghah_src::N8Click() { print_stay_letter(StayLetter::Ramsar, m_requests->currentRow(), this); }
void Tkhabghah_src::N9Click() { print_stay_letter(StayLetter::Other, m_requests->currentRow(), this); }
void Tkhabghah_src::N11Click() { print_stay_letter(StayLetter::Mashad, m_requests->currentRow(), this); }
void Tkhabghah_src::N12Click() { print_stay_confirmation(this); }
