#include "ticket_src.h"
#include "ui_ticket_src.h"

#include "core/list_behaviours.h"
#include "core/schema.h"
#include "platform/db/sql.h"
#include "platform/ui/window_set.h"
#include "services/request/attached_persons.h"
#include "services/request/request_letter.h"
#include "services/request/request_list.h"
#include "services/texts.h"
#include "services/ticket_ins.h"
#include "services/ticket_nafarat.h"

namespace {

QString s(const char* text) { return QString::fromLatin1(text); }

// The requester as the first traveller of a new request, from the owner's
// person record; names longer than the traveller's columns are cut to them.
void insert_first_traveller(qint64 ticketId, qint64 owner)
{
    const QVariantMap person = Sql::row(s("select * from personel where id=?"), {owner});
    Row traveller{{s("ticket_id"), ticketId}};
    for (const char* column : {"fname", "lname", "nation", "birthday"}) {
        const QString name = s(column);
        traveller.append({name, person.value(name).toString().left(Schema::columnWidth(s("ticket_nafarat"), name))});
    }
    Sql::insert(s("ticket_nafarat"), traveller);
}

} // namespace

const RequestDesc& ticket_desc()
{
    using namespace ServiceText;
    static const RequestDesc desc{
        .table = s("ticket"),
        .duplicateKeys = {s("typ")},
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
    r.list().model()->setTitleColour(s("taeed_dat"), QColor(0xC0, 0xDC, 0xC0)); // money green
    r.contains(ui->CheckBox4, ui->lname, s("personel.lname"));
    r.dateRange(ui->CheckBox3, ui->taeed_dat1, ui->taeed_dat2, s("ticket.taeed_dat"));
    r.dateRange(ui->CheckBox2, ui->ersal_dat1, ui->ersal_dat2, s("ticket.ersal_dat"));
    r.contains(ui->CheckBox1, ui->typ, s("ticket.typ"));
    r.connectCommands({.add = ui->N1, .approve = ui->N2, .remove = ui->N3, .exportRows = ui->N6, .exit = ui->N5,
                       .search = ui->src_btn},
                      [] { win<Tticket_ins>(s("ticket_ins"))->openNew(); },
                      [](qint64 id) { win<Tticket_ins>(s("ticket_ins"))->openApprove(id); });
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
        return AttachedPersons::rowsOf(s("ticket_nafarat"), s("ticket_id"), source.row().value(s("id")));
    };
    print_letter(s("ticket_chap"), m_requests->currentRow(),
                 {column(s("ostan"), s("ostan")), column(s("typ"), s("typ")), column(s("mabda"), s("mabda")),
                  column(s("maghsad"), s("maghsad")), column(s("cnt"), s("cnt")), column(s("dat1"), s("dat1")),
                  column(s("dat2"), s("dat2")), column(s("saat1"), s("saat1")), column(s("saat2"), s("saat2")),
                  fullName(s("nam"))},
                 travellers, this);
}

void Tticket_src::N7Click()
{
    const qint64 id = m_requests->currentId();
    if (id == 0)
        return;
    auto* travellers = win<Tticket_nafarat>(s("ticket_nafarat"));
    travellers->persons()->openFor(id);
    travellers->showModal();
}
