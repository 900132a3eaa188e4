#include "ticket_src.h"
#include "ui_ticket_src.h"

#include "core/list_behaviours.h"
#include "core/lock_keys.h"
#include "core/schema.h"
#include "platform/db/sql.h"
#include "platform/ui/window_set.h"
#include "services/request/attached_persons.h"
#include "services/request/request_letter.h"
#include "services/request/request_list.h"
#include "services/texts.h"
#include "services/ticket_ins.h"
#include "services/ticket_nafarat.h"

using namespace Qt::StringLiterals;

namespace {

// The requester as the first traveller of a new request, from the owner's
// person record; names longer than the traveller's columns are cut to them.
void insert_first_traveller(qint64 ticketId, qint64 owner)
{
    const QVariantMap person = Sql::row(u"select * from personel where id=?"_s, {owner});
    Row traveller{{u"ticket_id"_s, ticketId}};
    for (const char* column : {"fname", "lname", "nation", "birthday"}) {
        const QString name = QLatin1String(column);
        traveller.append({name, person.value(name).toString().left(Schema::columnWidth(u"ticket_nafarat"_s, name))});
    }
    // Inside the request's insert, which holds the request table's key: the
    // travellers' key comes after it in the one order.
    Sql::exclusive(Keys::table(u"ticket_nafarat"_s, true), [&] { Sql::insert(u"ticket_nafarat"_s, traveller); });
}

} // namespace

const RequestDesc& ticket_desc()
{
    using namespace ServiceText;
    static const RequestDesc desc{
        .table = u"ticket"_s,
        .duplicateKeys = {u"typ"_s},
        .duplicateMessage = TicketDuplicate,
        .list = {.grid = TicketGrid, .exportTitles = TicketExport},
        .insertDetails = insert_first_traveller,
    };
    return desc;
}

Tticket_src::Tticket_src(QWidget* parent) : Form(parent), ui(new Ui::Tticket_src)
{
    ui->setupUi(this);
    m_requests = new RequestList(ticket_desc(), ui->DBGrid1, ui->cnt, this);
    RequestList& r = *m_requests;
    r.list().model()->setTitleColour(u"taeed_dat"_s, QColor(0xC0, 0xDC, 0xC0)); // money green
    r.contains(ui->CheckBox4, ui->lname, u"personel.lname"_s);
    r.dateRange(ui->CheckBox3, ui->taeed_dat1, ui->taeed_dat2, u"ticket.taeed_dat"_s);
    r.dateRange(ui->CheckBox2, ui->ersal_dat1, ui->ersal_dat2, u"ticket.ersal_dat"_s);
    r.contains(ui->CheckBox1, ui->typ, u"ticket.typ"_s);
    r.connectCommands({.add = ui->N1, .approve = ui->N2, .remove = ui->N3, .exportRows = ui->N6, .exit = ui->N5,
                       .search = ui->src_btn},
                      [] { win<Tticket_ins>(u"ticket_ins"_s)->openNew(); },
                      [](qint64 id) { win<Tticket_ins>(u"ticket_ins"_s)->openApprove(id); });
    connect(ui->N4, &QAction::triggered, this, &Tticket_src::N4Click);
    connect(ui->N7, &QAction::triggered, this, &Tticket_src::N7Click);
}

Tticket_src::~Tticket_src() { delete ui; }

void Tticket_src::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    fill_combo_from_setting(ui->typ, ServiceText::TicketTypeList);
}

void Tticket_src::N4Click()
{
    using namespace Letter;
    const LetterDetails travellers = [](const LetterSource& source) {
        return AttachedPersons::rowsOf(u"ticket_nafarat"_s, u"ticket_id"_s, source.row().value(u"id"_s));
    };
    print_letter(u"ticket_chap"_s, m_requests->currentRow(),
                 {column(u"ostan"_s, u"ostan"_s), column(u"typ"_s, u"typ"_s), column(u"mabda"_s, u"mabda"_s),
                  column(u"maghsad"_s, u"maghsad"_s), column(u"cnt"_s, u"cnt"_s), column(u"dat1"_s, u"dat1"_s),
                  column(u"dat2"_s, u"dat2"_s), column(u"saat1"_s, u"saat1"_s), column(u"saat2"_s, u"saat2"_s),
                  fullName(u"nam"_s)},
                 travellers, this);
}

void Tticket_src::N7Click()
{
    const qint64 id = m_requests->currentId();
    if (id == 0)
        return;
    auto* travellers = win<Tticket_nafarat>(u"ticket_nafarat"_s);
    travellers->persons()->openFor(id);
    travellers->showModal();
}
