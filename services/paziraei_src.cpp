#include "paziraei_src.h"
#include "ui_paziraei_src.h"

#include "core/list_behaviours.h"
#include "core/rights.h"
#include "core/session.h"
#include "platform/db/sql.h"
#include "platform/ui/window_set.h"
#include "services/paziraei_ins.h"
#include "services/paziraei_nafarat.h"
#include "services/request/approval_gate.h"
#include "services/request/attached_persons.h"
#include "services/request/request_letter.h"
#include "services/request/request_list.h"
#include "services/texts.h"

using namespace Qt::StringLiterals;

namespace {

// The rows a user's list shows: everything for the administrator; for every
// other user the requesters in his scope and those he approves as the list's
// hierarchy has it.
ScopeClause order_scope()
{
    if (Session::user().isAdmin())
        return {};
    const ScopeClause own = scope_by_level();
    QString inScope = own.sql;
    inScope.remove(0, inScope.indexOf(QLatin1String("and ")) + 4); // the condition without its " and "
    return hierarchy_scope(u"marateb_v"_s, inScope, own.values);
}

} // namespace

const RequestDesc& paziraei_desc()
{
    using namespace ServiceText;
    static const RequestDesc desc{
        .table = u"paziraei"_s,
        .duplicateKeys = {u"typ"_s},
        .duplicateMessage = PaziraeiDuplicate,
        .list = {.grid = PaziraeiGrid, .exportTitles = PaziraeiExport, .titleSort = true},
    };
    return desc;
}

Tpaziraei_src::Tpaziraei_src(QWidget* parent) : Form(parent), ui(new Ui::Tpaziraei_src)
{
    ui->setupUi(this);
    m_requests = new RequestList(paziraei_desc(), ui->DBGrid1, ui->cnt, this);
    RequestList& r = *m_requests;
    r.setScope(order_scope);
    // The send date, the manager's approval and the office's, each on its own colour.
    ListModel* rows = r.list().model();
    rows->setTitleColour(u"ersal_dat"_s, Qt::yellow);
    for (const char* column : {"modir_dat", "modir_name"})
        rows->setTitleColour(QLatin1String(column), QColor(0xA6, 0xCA, 0xF0)); // sky blue
    for (const char* column : {"taeed_dat", "taeed_name"})
        rows->setTitleColour(QLatin1String(column), QColor(0xC0, 0xDC, 0xC0)); // money green
    r.contains(ui->CheckBox4, ui->lname, u"personel.lname"_s);
    r.dateRange(ui->CheckBox3, ui->taeed_dat1, ui->taeed_dat2, u"paziraei.taeed_dat"_s);
    r.dateRange(ui->CheckBox2, ui->ersal_dat1, ui->ersal_dat2, u"paziraei.ersal_dat"_s);
    r.contains(ui->CheckBox1, ui->typ, u"paziraei.typ"_s);
    r.connectCommands({.add = ui->N1, .approve = ui->N2, .remove = ui->N3, .exportRows = ui->N9, .exit = ui->N5,
                       .search = ui->src_btn},
                      [] { win<Tpaziraei_ins>(u"paziraei_ins"_s)->openNew(); },
                      [](qint64 id) { win<Tpaziraei_ins>(u"paziraei_ins"_s)->openApprove(id); });
    connect(&r.list(), &ListWindow::searched, this, &Tpaziraei_src::showSum);
    connect(ui->N8, &QAction::triggered, this, &Tpaziraei_src::N8Click);
    connect(ui->N7, &QAction::triggered, this, &Tpaziraei_src::N7Click);
    connect(ui->N4, &QAction::triggered, this, &Tpaziraei_src::N4Click);
    connect(ui->N10, &QAction::triggered, this, &Tpaziraei_src::N10Click);
}

Tpaziraei_src::~Tpaziraei_src() { delete ui; }

void Tpaziraei_src::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    fill_combo_from_setting(ui->typ, ServiceText::PaziraeiTypeList);
}

void Tpaziraei_src::showSum()
{
    QVariant sum;
    if (!Db::guard([&] { sum = m_requests->list().aggregate(u"sum(paziraei.cnt)"_s); }))
        return;
    // No order listed: no sum, an empty label.
    ui->sum->setText(sum.isNull() ? QString() : QString::number(sum.toLongLong()));
}

void Tpaziraei_src::N8Click()
{
    const qint64 id = m_requests->currentId();
    // The list shows the orders of the staff below a manager in marateb_v and
    // the approval once asked marateb alone: a pair in either lets him approve.
    if (id && approver_gate(QStringList{u"marateb"_s, u"marateb_v"_s},
                            m_requests->currentRow().value(u"nation"_s).toString()))
        win<Tpaziraei_ins>(u"paziraei_ins"_s)->openManagerApproval(id);
}

void Tpaziraei_src::N7Click()
{
    const qint64 id = m_requests->currentId();
    if (id == 0)
        return;
    auto* guests = win<Tpaziraei_nafarat>(u"paziraei_nafarat"_s);
    guests->persons()->openFor(id);
    guests->showModal();
}

void Tpaziraei_src::N4Click()
{
    using namespace Letter;
    const LetterDetails guests = [](const LetterSource& source) {
        QList<QVariantMap> rows =
            AttachedPersons::rowsOf(u"paziraei_nafarat"_s, u"paziraei_id"_s, source.row().value(u"id"_s));
        for (QVariantMap& guest : rows)
            guest.insert(u"nam"_s, guest.value(u"fname"_s).toString() + QLatin1Char(' ') +
                                       guest.value(u"lname"_s).toString());
        return rows;
    };
    print_letter(u"paziraei_chap"_s, m_requests->currentRow(),
                 {column(u"dat"_s, u"dat"_s), column(u"ostan"_s, u"ostan"_s), column(u"typ"_s, u"typ"_s),
                  column(u"loc"_s, u"loc"_s), column(u"onvan"_s, u"onvan"_s), column(u"cnt"_s, u"cnt"_s),
                  column(u"modir_name"_s, u"modir_name"_s), fullName(u"nam"_s)},
                 guests, this);
}

void Tpaziraei_src::N10Click()
{
    // One line per guest, and one with empty guest columns for an order
    // without guests; a user other than the administrator exports his own
    // orders only. The surname filter does not apply here.
    QString sql = u"select * from paziraei left join paziraei_nafarat on paziraei.id=paziraei_nafarat.paziraei_id "
                    "where paziraei.id<>-1"_s;
    QVariantList values;
    if (!Session::user().isAdmin()) {
        sql += u" and paziraei.personel_id=?"_s;
        values << Session::user().personel_id.toLongLong();
    }
    // The date and type filters as the list reads them, typed text folded alike.
    const Condition filters = m_requests->list().filterConditions({ui->CheckBox4});
    sql += filters.sql;
    values += filters.values;
    export_query_to_excel(sql, values, ServiceText::PaziraeiGuestsExport);
}
