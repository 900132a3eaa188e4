#include "takafol.h"
#include "ui_takafol.h"

#include "core/entry.h"
#include "core/exclusive_save.h"
#include "core/list_behaviours.h"
#include "core/list_window.h"
#include "core/log_row.h"
#include "core/main_window.h"
#include "personnel/national_code.h"
#include "personnel/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/entry_boxes.h"
#include "platform/ui/msg.h"
#include "platform/ui/window_set.h"
#include "ui_main.h"

#include <QHeaderView>

namespace {

ListDescription list_description()
{
    ListDescription desc;
    desc.from = QStringLiteral("takafol where id<>-1");
    desc.orderBy = QStringLiteral("id");
    desc.grid = PersonnelText::DependantsGrid;
    return desc;
}

} // namespace

Ttakafol::Ttakafol(QWidget* parent) : Form(parent), ui(new Ui::Ttakafol)
{
    ui->setupUi(this);
    m_list = new ListWindow(list_description(), ui->DBGrid1, nullptr, this);
    m_list->setScope([this] { return Condition{QStringLiteral(" and personel_id=?"), {m_head.id}}; });
    m_entry = new Entry(QStringLiteral("takafol"), this);
    const QList<QWidget*> boxes = {ui->fname,    ui->lname, ui->father, ui->gender, ui->cmt,  ui->nation, ui->sodor,
                                   ui->nesbat,   ui->birthday, ui->sh_no, ui->mobile, ui->bime, ui->tak};
    QList<QPair<QWidget*, QString>> bound;
    for (QWidget* box : boxes)
        bound.append({box, box->objectName()});
    m_entry->bind(bound);
    m_entry->settingList(ui->nesbat, PersonnelText::RelationList);
    digits_only_key(ui->nation);
    warn_national_code_on_exit(ui->nation);
    enter_to_next_field(boxes);
    yellow_while_focused(boxes);
    // A short list: every title and value shown whole.
    ui->DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ui->DBGrid1->addAction(ui->N1);
    connect(ui->ins_btn, &QPushButton::clicked, this, &Ttakafol::ins_btnClick);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &Ttakafol::BitBtn1Click);
    connect(ui->N1, &QAction::triggered, this, &Ttakafol::N1Click);
}

Ttakafol::~Ttakafol() { delete ui; }

void Ttakafol::enableCommands(bool darj, bool hazf)
{
    enable_commands(this, Commands, {darj, false, hazf, true});
}

void Ttakafol::openFor(const FamilyHead& head)
{
    m_head = head;
    m_list->search();
    m_entry->openNew();
}

void Ttakafol::ins_btnClick()
{
    if (!m_head.isValid())
        return;
    std::optional<Row> values = m_entry->values();
    if (!values)
        return;
    // The head as it was when the window opened, and the day of the last
    // change: the server's date read at login.
    values->append({QStringLiteral("personel_id"), m_head.id});
    values->append({QStringLiteral("bime_no"), m_head.bime_no});
    values->append({QStringLiteral("taghir"), win<Tmain>(QStringLiteral("main"))->ui->tarikh->text()});
    const QString fname = column_value(*values, QStringLiteral("fname")).toString();

    bool duplicate = false;
    bool headGone = false;
    // Checked and written as one: the same dependant added at once from
    // another workstation waits, and then is found; the head deleted at the
    // same moment is deleted before (and then found gone) or after (and takes
    // the dependant along).
    const Keys::Belonging& head = Keys::belonging(QStringLiteral("takafol"), QStringLiteral("personel_id"));
    if (!exclusive_save(AddDependant.right, Keys::ownerKeys(head, m_head.id.toLongLong()) + QList<LockKey>{Keys::dependants()},
                        PersonnelText::DependantDuplicate, [&] {
            headGone = !Keys::ownerThere(head, m_head.id);
            if (headGone)
                return;
            // The same surname and national code anywhere in the table is the same person.
            duplicate = Sql::exists(QStringLiteral("select id from takafol where lname=? and nation=?"),
                                    {column_value(*values, QStringLiteral("lname")),
                                     column_value(*values, QStringLiteral("nation"))});
            if (duplicate)
                return;
            Sql::insert(QStringLiteral("takafol"), *values);
            write_log_row(PersonnelText::DependantAddedLog + m_head.lname + QLatin1Char(' ') + fname);
        }))
        return;
    if (headGone) {
        Msg::info(head.gone);
        return;
    }
    if (duplicate) {
        Msg::info(PersonnelText::DependantDuplicate);
        return;
    }
    Msg::info(PersonnelText::Saved);
    m_list->reload();
}

void Ttakafol::N1Click()
{
    const QVariantMap row = m_list->currentRow();
    if (row.isEmpty())
        return;
    // The values stay in the boxes, to be corrected and added again.
    m_entry->fill(row);
    const QString log = PersonnelText::DependantDeletedLog + m_head.lname + QLatin1Char(' ') + ui->fname->text();
    // Deleted from another workstation meanwhile: that is said, and no log row is written.
    const bool deleted = delete_record(QStringLiteral("takafol"), row.value(QStringLiteral("id")).toLongLong(),
                                       [&] { write_log_row(log); }, DeleteDependant.right);
    m_list->reload();
    if (deleted)
        Msg::info(PersonnelText::Deleted);
}

void Ttakafol::BitBtn1Click()
{
    Insurance::printLetter(m_head, this);
}
