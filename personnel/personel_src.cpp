#include "personel_src.h"
#include "ui_personel_src.h"

#include "core/lock_keys.h"
#include "core/exclusive_save.h"
#include "core/list_window.h"
#include "core/log_row.h"
#include "core/main_window.h"
#include "core/places.h"
#include "core/rights.h"
#include "core/setting_values.h"
#include "core/texts.h"
#include "core/session.h"
#include "personnel/khanevade.h"
#include "personnel/personel_ins.h"
#include "personnel/personel_pic.h"
#include "personnel/takafol.h"
#include "personnel/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/entry_boxes.h"
#include "platform/ui/msg.h"
#include "platform/ui/window_set.h"
#include "ui_main.h"

namespace {

ListDescription list_description()
{
    ListDescription desc;
    desc.from = QStringLiteral("personel where id<>-1");
    desc.grid = PersonnelText::PersonGrid;
    desc.exportTitles = PersonnelText::PersonExport;
    desc.titleSort = true;
    return desc;
}

Tpersonel_ins* entry() { return win<Tpersonel_ins>(QStringLiteral("personel_ins")); }

// The server's date as the login left it on the main window.
QString today() { return win<Tmain>(QStringLiteral("main"))->ui->tarikh->text(); }

} // namespace

Tpersonel_src::Tpersonel_src(QWidget* parent) : Form(parent), ui(new Ui::Tpersonel_src)
{
    ui->setupUi(this);
    ui->list_loc->hide();
    ui->list_loc->addAction(ui->N19);

    m_list = new ListWindow(list_description(), ui->DBGrid1, ui->cnt, this);
    m_list->model()->setTitleColour(QStringLiteral("bime"), Qt::green);          // lime
    m_list->model()->setTitleColour(QStringLiteral("company"), QColor(0xA6, 0xCA, 0xF0)); // sky blue
    m_list->model()->setTitleColour(QStringLiteral("loc"), Qt::cyan);           // aqua
    m_list->model()->setTitleColour(QStringLiteral("semat"), Qt::cyan);
    // The row scope by the user's level, and the gender choice, at each search.
    m_list->setScope([this] {
        ScopeClause clause = scope_by_level(ScopeColumns::Unqualified);
        const QStringList& genders = PersonnelText::GenderChoice;
        if (ui->gender0->isChecked() || ui->gender1->isChecked()) {
            clause.sql += QStringLiteral(" and gender=?");
            clause.values << (ui->gender0->isChecked() ? genders.at(0) : genders.at(1));
        }
        return clause;
    });
    m_list->contains(ui->CheckBox1, ui->lname, QStringLiteral("lname"));
    m_list->contains(ui->CheckBox8, ui->ostan, QStringLiteral("ostan"));
    m_list->contains(ui->CheckBox9, ui->shahrestan, QStringLiteral("shahrestan"));
    // The service places: rows whose place contains any entry of the list; an
    // empty list finds no row.
    m_list->filter(ui->CheckBox2, {ui->loc}, [this](const QStringList&) {
        Condition c{QStringLiteral(" and (loc=?"), {PersonnelText::NoPlaceMatches}};
        const QString like = Database::current().dialect().likeInsensitive(QStringLiteral("loc"));
        for (int i = 0; i < ui->list_loc->count(); ++i) {
            c.sql += QStringLiteral(" or ") + like;
            c.values << QLatin1Char('%') + ui->list_loc->item(i)->text() + QLatin1Char('%');
        }
        c.sql += QStringLiteral(")");
        return c;
    });
    m_list->contains(ui->CheckBox3, ui->semat, QStringLiteral("semat"));
    m_list->contains(ui->CheckBox5, ui->nation, QStringLiteral("nation"));
    m_list->contains(ui->CheckBox4, ui->vahed, QStringLiteral("vahed"));
    m_list->contains(ui->CheckBox6, ui->hamkari, QStringLiteral("hamkari"));
    m_list->contains(ui->CheckBox7, ui->company, QStringLiteral("company"));

    connect(ui->CheckBox2, &QCheckBox::toggled, this, [this](bool on) {
        ui->add_loc->setEnabled(on);
        ui->show_list_loc->setEnabled(on);
        ui->list_loc->hide();
        ui->list_loc->clear();
    });
    connect(ui->show_list_loc, &QCheckBox::toggled, ui->list_loc, &QWidget::setVisible);
    connect(ui->add_loc, &QPushButton::clicked, this, &Tpersonel_src::add_locClick);
    connect(ui->N19, &QAction::triggered, this, &Tpersonel_src::N19Click);
    on_user_change(ui->ostan, [this] { ostanChange(); });
    connect(ui->src_btn, &QPushButton::clicked, this, &Tpersonel_src::src_btnClick);
    connect(ui->lname, &QLineEdit::returnPressed, this, &Tpersonel_src::src_btnClick);

    connect(ui->N1, &QAction::triggered, this, &Tpersonel_src::N1Click);
    connect(ui->N2, &QAction::triggered, this, &Tpersonel_src::N2Click);
    connect(ui->N3, &QAction::triggered, this, &Tpersonel_src::N3Click);
    connect(ui->N5, &QAction::triggered, this, &Tpersonel_src::N5Click);
    connect(ui->N8, &QAction::triggered, this, &QWidget::close);
    connectFamilyCommands();
}

Tpersonel_src::~Tpersonel_src() { delete ui; }

void Tpersonel_src::enableCommands(const PageRights& rights)
{
    enable_commands(this, Commands, rights);
}

void Tpersonel_src::prepareForOpening()
{
    ui->lname->clear();
    ui->nation->clear();
    for (QComboBox* box : {ui->loc, ui->semat, ui->vahed, ui->hamkari, ui->company, ui->ostan, ui->shahrestan}) {
        box->setCurrentIndex(-1);
        box->setEditText(QString());
    }
}

void Tpersonel_src::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    using namespace PersonnelText;
    Places::fillProvinces({ui->ostan});
    fill_combo_from_setting(ui->company, ListCompany);
    fill_combo_from_setting(ui->loc, ListPlace);
    fill_combo_from_setting(ui->semat, ListPost);
    fill_combo_from_setting(ui->vahed, ListUnit);
    fill_combo_from_setting(ui->hamkari, ListCooperation);
}

void Tpersonel_src::src_btnClick() { m_list->search(); }

void Tpersonel_src::ostanChange() { Places::provinceChanged(ui->shahrestan, ui->ostan->currentText()); }

void Tpersonel_src::add_locClick() { ui->list_loc->addItem(ui->loc->currentText()); }

void Tpersonel_src::N19Click()
{
    delete ui->list_loc->currentItem();
}

void Tpersonel_src::N1Click()
{
    Tpersonel_ins* person = entry();
    connect(person, &Tpersonel_ins::saved, m_list, &ListWindow::reload, Qt::UniqueConnection);
    person->openNew(today());
    person->showModal();
}

void Tpersonel_src::N2Click()
{
    const QVariantMap row = m_list->currentRow();
    if (row.isEmpty())
        return;
    Tpersonel_ins* person = entry();
    connect(person, &Tpersonel_ins::saved, m_list, &ListWindow::reload, Qt::UniqueConnection);
    person->openEdit(row, today());
    person->showModal();
}

PersonDelete delete_person(qint64 id)
{
    bool gone = false;
    // The person as the database holds it at this moment, not as the list
    // showed it: another workstation may have changed the code, or deleted
    // the person, since. With the keys of what it deletes too, a code change,
    // a new account of that code, a dependant added or the insurance switched
    // at the same moment waits until the delete is done. Under the keys of a
    // person's delete (core/lock_keys.h), which every write of what belongs to
    // a person holds too: a document, a dependant or a request written at the
    // same moment lands before the delete, or finds the person gone.
    const QList<LockKey> keys = Keys::deleteKeys(QStringLiteral("personel"), id) +
                                QList<LockKey>{Keys::accounts(), Keys::rights(), Keys::dependants(),
                                               Keys::table(QStringLiteral("personel_pic"))};
    const bool allowed = page_write(Tpersonel_src::DeletePerson.right, keys, [&] {
        const QVariantMap person = Sql::row(QStringLiteral("select lname, nation from personel where id=?"), {id});
        gone = person.isEmpty();
        if (gone)
            return;
        const QString nation = person.value(QStringLiteral("nation")).toString();
        // Accounts without a login belong to nobody in particular: they are never taken along.
        if (!nation.isEmpty())
            Sql::exec(QStringLiteral("delete from users where us=?"), {nation});
        Sql::exec(QStringLiteral("delete from takafol where personel_id=?"), {id});
        Sql::exec(QStringLiteral("delete from personel_pic where personel_id=?"), {id});
        write_log_row(PersonnelText::LogPersonDeleted + person.value(QStringLiteral("lname")).toString() +
                      QLatin1Char(' ') + nation);
        Sql::exec(QStringLiteral("delete from personel where id=?"), {id});
    });
    return !allowed ? PersonDelete::NoRight : gone ? PersonDelete::Gone : PersonDelete::Deleted;
}

void Tpersonel_src::N3Click()
{
    const QVariantMap row = m_list->currentRow();
    if (row.isEmpty())
        return;
    // A wrong password ends the command silently.
    if (!ask_delete_password(CoreText::DeletePasswordList))
        return;
    const qint64 id = row.value(QStringLiteral("id")).toLongLong();
    PersonDelete result = PersonDelete::Deleted;
    const bool done = Db::guard([&] { result = delete_person(id); });
    if (done)
        Msg::info(result == PersonDelete::NoRight ? CoreText::NoPageAccess
                  : result == PersonDelete::Gone  ? PersonnelText::PersonGone
                                                  : PersonnelText::Deleted);
    m_list->reload();
}

void Tpersonel_src::N5Click() { m_list->exportRows(); }

Insurance::ListFilters Tpersonel_src::insurerFilters() const
{
    Insurance::ListFilters f;
    const auto on = [](QWidget* box, const QString& text) {
        return box->isEnabled() ? std::optional<QString>(text) : std::nullopt;
    };
    f.lname = on(ui->lname, ui->lname->text());
    if (ui->loc->isEnabled()) {
        QStringList places;
        for (int i = 0; i < ui->list_loc->count(); ++i)
            places << ui->list_loc->item(i)->text();
        f.places = places;
    }
    f.semat = on(ui->semat, ui->semat->currentText());
    if (ui->gender0->isChecked() || ui->gender1->isChecked())
        f.gender = PersonnelText::GenderChoice.at(ui->gender0->isChecked() ? 0 : 1);
    f.nation = on(ui->nation, ui->nation->text());
    f.vahed = on(ui->vahed, ui->vahed->currentText());
    f.hamkari = on(ui->hamkari, ui->hamkari->currentText());
    f.company = on(ui->company, ui->company->currentText());
    return f;
}

QList<QVariantMap> Tpersonel_src::listedRows() const
{
    ListModel* rows = m_list->model();
    rows->fetchAll();
    QList<QVariantMap> out;
    for (int r = 0; r < rows->rowCount(); ++r)
        out << rows->row(r);
    return out;
}

void Tpersonel_src::connectFamilyCommands()
{
    // The current person's windows, by the user's rights on their pages.
    connect(ui->N17, &QAction::triggered, this, [this] {
        const QVariant id = m_list->current(QStringLiteral("id"));
        if (!id.isValid())
            return;
        auto* file = win<Tpersonel_pic>(QStringLiteral("personel_pic"));
        check_page_rights({.page = QStringLiteral("e_pers"),
                           .prepare = [file, id] { file->openFor(id); },
                           .show = [file] { file->showModal(); },
                           .window = file,
                           .commands = Tpersonel_pic::Commands});
    });
    connect(ui->N4, &QAction::triggered, this, [this] {
        const FamilyHead head = FamilyHead::fromRow(m_list->currentRow());
        if (!head.isValid())
            return;
        auto* dependants = win<Ttakafol>(QStringLiteral("takafol"));
        check_page_rights({.page = QStringLiteral("takafol"),
                           .prepare = [dependants, head] { dependants->openFor(head); },
                           .show = [dependants] { dependants->showModal(); },
                           .window = dependants,
                           .commands = Ttakafol::Commands});
    });
    connect(ui->N15, &QAction::triggered, this,
            [this] { Insurance::printLetter(FamilyHead::fromRow(m_list->currentRow()), this); });

    // Insurance in and out: the list is read again to show it.
    const auto family = [this](bool insured) {
        if (Insurance::askSwitchFamily(FamilyHead::fromRow(m_list->currentRow()), insured))
            m_list->reload();
    };
    const auto everyone = [this](bool insured) {
        QVariantList ids;
        for (const QVariantMap& row : listedRows())
            ids << row.value(QStringLiteral("id"));
        if (Insurance::askSwitchFamilies(ids, insured))
            m_list->reload();
    };
    connect(ui->N13, &QAction::triggered, this, [family] { family(true); });
    connect(ui->N10, &QAction::triggered, this, [family] { family(false); });
    connect(ui->N18, &QAction::triggered, this, [everyone] { everyone(true); });
    connect(ui->N20, &QAction::triggered, this, [everyone] { everyone(false); });

    // The lists for the insurer and the bank.
    connect(ui->N9, &QAction::triggered, this, [this] {
        Insurance::exportInsurerList(Insurance::insurerSelection(Session::user(), insurerFilters()));
    });
    connect(ui->N12, &QAction::triggered, this, [this] {
        Insurance::writeNationalCodes(Insurance::insurerSelection(Session::user(), insurerFilters()));
    });
    connect(ui->N7, &QAction::triggered, this, [this] { Insurance::printChargeList(listedRows(), this); });

    // The family lists, for the administrator.
    const auto families = [this](Tkhanevade::View view) {
        if (!Insurance::adminOnly())
            return;
        auto* list = win<Tkhanevade>(QStringLiteral("khanevade"));
        list->resize(width() - 17, height() - 60);
        list->prepareForOpening(view);
        list->showModal();
    };
    connect(ui->N11, &QAction::triggered, this, [families] { families(Tkhanevade::View::Families); });
    connect(ui->N14, &QAction::triggered, this, [families] { families(Tkhanevade::View::DependantsOnly); });
}
