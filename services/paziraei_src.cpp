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

namespace {

QString s(const char* text) { return QString::fromLatin1(text); }

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
    return hierarchy_scope(s("marateb_v"), inScope, own.values);
}

} // namespace

const RequestDesc& paziraei_desc()
{
    using namespace ServiceText;
    static const RequestDesc desc{
        .table = s("paziraei"),
        .duplicateKeys = {s("typ")},
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
    rows->setTitleColour(s("ersal_dat"), Qt::yellow);
    for (const char* column : {"modir_dat", "modir_name"})
        rows->setTitleColour(s(column), QColor(0xA6, 0xCA, 0xF0)); // sky blue
    for (const char* column : {"taeed_dat", "taeed_name"})
        rows->setTitleColour(s(column), QColor(0xC0, 0xDC, 0xC0)); // money green
    r.contains(ui->CheckBox4, ui->lname, s("personel.lname"));
    r.dateRange(ui->CheckBox3, ui->taeed_dat1, ui->taeed_dat2, s("paziraei.taeed_dat"));
    r.dateRange(ui->CheckBox2, ui->ersal_dat1, ui->ersal_dat2, s("paziraei.ersal_dat"));
    r.contains(ui->CheckBox1, ui->typ, s("paziraei.typ"));
    r.connectCommands({.add = ui->N1, .approve = ui->N2, .remove = ui->N3, .exportRows = ui->N9, .exit = ui->N5,
                       .search = ui->src_btn},
                      [] { win<Tpaziraei_ins>(s("paziraei_ins"))->openNew(); },
                      [](qint64 id) { win<Tpaziraei_ins>(s("paziraei_ins"))->openApprove(id); });
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
    if (!Db::guard([&] { sum = m_requests->list().aggregate(s("sum(paziraei.cnt)")); }))
        return;
    // No order listed: no sum, an empty label.
    ui->sum->setText(sum.isNull() ? QString() : QString::number(sum.toLongLong()));
}

void Tpaziraei_src::N8Click()
{
    const qint64 id = m_requests->currentId();
    // The list shows the orders of the staff below a manager in marateb_v and
    // the approval once asked marateb alone: a pair in either lets him approve.
    if (id && approver_gate(QStringList{s("marateb"), s("marateb_v")},
                            m_requests->currentRow().value(s("nation")).toString()))
        win<Tpaziraei_ins>(s("paziraei_ins"))->openManagerApproval(id);
}

void Tpaziraei_src::N7Click()
{
    const qint64 id = m_requests->currentId();
    if (id == 0)
        return;
    auto* guests = win<Tpaziraei_nafarat>(s("paziraei_nafarat"));
    guests->persons()->openFor(id);
    guests->showModal();
}

void Tpaziraei_src::N4Click()
{
    using namespace Letter;
    const LetterDetails guests = [](const LetterSource& source) {
        QList<QVariantMap> rows =
            AttachedPersons::rowsOf(s("paziraei_nafarat"), s("paziraei_id"), source.row().value(s("id")));
        for (QVariantMap& guest : rows)
            guest.insert(s("nam"), guest.value(s("fname")).toString() + QLatin1Char(' ') +
                                       guest.value(s("lname")).toString());
        return rows;
    };
    print_letter(s("paziraei_chap"), m_requests->currentRow(),
                 {column(s("dat"), s("dat")), column(s("ostan"), s("ostan")), column(s("typ"), s("typ")),
                  column(s("loc"), s("loc")), column(s("onvan"), s("onvan")), column(s("cnt"), s("cnt")),
                  column(s("modir_name"), s("modir_name")), fullName(s("nam"))},
                 guests, this);
}

void Tpaziraei_src::N10Click()
{
    // One line per guest, and one with empty guest columns for an order
    // without guests; a user other than the administrator exports his own
    // orders only. The surname filter does not apply here.
    QString sql = s("select * from paziraei left join paziraei_nafarat on paziraei.id=paziraei_nafarat.paziraei_id "
                    "where paziraei.id<>-1");
    QVariantList values;
    if (!Session::user().isAdmin()) {
        sql += s(" and paziraei.personel_id=?");
        values << Session::user().personel_id.toLongLong();
    }
    // The date and type filters as the list reads them, typed text folded alike.
    const Condition filters = m_requests->list().filterConditions({ui->CheckBox4});
    sql += filters.sql;
    values += filters.values;
    export_query_to_excel(sql, values, ServiceText::PaziraeiGuestsExport);
}
