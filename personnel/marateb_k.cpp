#include "marateb_k.h"
#include "ui_marateb_k.h"

#include "core/exclusive_save.h"
#include "core/list_window.h"
#include "personnel/texts.h"
#include "platform/db/persian_collation.h"
#include "platform/db/sql.h"
#include "platform/ui/msg.h"

#include <QHash>
#include <QSignalBlocker>
#include <algorithm>

namespace {

const QString Master = QStringLiteral("master");
const QString Slave = QStringLiteral("slave");
constexpr int CodeRole = Qt::UserRole;

ListDescription grid_description()
{
    using namespace PersonnelText;
    ListDescription desc;
    desc.columns = QStringLiteral("fname,lname,loc,nation,id");
    desc.from = QStringLiteral("personel where nation<>?");
    desc.values = {QString()};
    desc.grid = {{QStringLiteral("lname"), TitleLname},
                 {QStringLiteral("fname"), TitleFname},
                 {QStringLiteral("nation"), TitleNation},
                 {QStringLiteral("loc"), TitleLoc}};
    return desc;
}

QStringList codesOf(const QString& sql, const QString& code)
{
    QStringList codes;
    for (const QVariantMap& row : Sql::rows(sql, {code}))
        codes << row.first().toString();
    return codes;
}

void tickAll(QListWidget* list, bool ticked)
{
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

} // namespace

Tmarateb_k::Tmarateb_k(QWidget* parent) : Form(parent), ui(new Ui::Tmarateb_k)
{
    ui->setupUi(this);
    m_list = new ListWindow(grid_description(), ui->DBGrid1, nullptr, this);
    connect(this, &Form::shown, this, &Tmarateb_k::FormShow);
    connect(ui->master, &QComboBox::currentIndexChanged, this, &Tmarateb_k::masterChange);
    connect(ui->slave, &QComboBox::currentIndexChanged, this, &Tmarateb_k::slaveChange);
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tmarateb_k::ins_btnClick);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &Tmarateb_k::BitBtn1Click);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &Tmarateb_k::BitBtn2Click);
    connect(ui->BitBtn3, &QPushButton::clicked, this, &Tmarateb_k::BitBtn3Click);
    connect(ui->BitBtn4, &QPushButton::clicked, this, &Tmarateb_k::BitBtn4Click);
    connect(ui->CheckBox1, &QCheckBox::toggled, this, &Tmarateb_k::CheckBox1Click);
    connect(ui->CheckBox2, &QCheckBox::toggled, this, &Tmarateb_k::CheckBox2Click);
}

Tmarateb_k::~Tmarateb_k() { delete ui; }

void Tmarateb_k::enableCommands(bool darj)
{
    enable_commands(this, Commands, {darj, false, false, true});
}

void Tmarateb_k::setTable(const QString& table, const QString& caption)
{
    m_table = table;
    setWindowTitle(caption);
}

void Tmarateb_k::prepareForOpening()
{
    ui->master->setCurrentIndex(-1);
    ui->slave->setCurrentIndex(-1);
    ui->master_nation->clear();
    ui->slave_nation->clear();
}

QList<Tmarateb_k::Person> Tmarateb_k::listItems(const QList<Person>& persons)
{
    QHash<QString, int> named;
    for (const Person& p : persons)
        ++named[p.name];
    QList<Person> items;
    for (const Person& p : persons)
        items.append({named.value(p.name) > 1 ? p.name + QStringLiteral(" (") + p.nation + QLatin1Char(')') : p.name,
                      p.nation});
    std::stable_sort(items.begin(), items.end(), [](const Person& a, const Person& b) {
        return PersianCollation::compare(a.name, b.name) < 0;
    });
    return items;
}

void Tmarateb_k::FormShow()
{
    QList<Person> persons;
    if (!Db::guard([&] {
            // Only persons with a national code can stand in a pair.
            for (const QVariantMap& row :
                 Sql::rows(QStringLiteral("select lname,fname,nation from personel where nation<>? order by nation"),
                           {QString()}))
                persons.append({row.value(QStringLiteral("lname")).toString() + QLatin1Char(' ')
                                    + row.value(QStringLiteral("fname")).toString(),
                                row.value(QStringLiteral("nation")).toString()});
        }))
        return;
    const QList<Person> items = listItems(persons);
    const QSignalBlocker quietMaster(ui->master);
    const QSignalBlocker quietSlave(ui->slave);
    ui->master->clear();
    ui->slave->clear();
    ui->master_list->clear();
    ui->slave_list->clear();
    for (const Person& p : items) {
        ui->master->addItem(p.name, p.nation);
        ui->slave->addItem(p.name, p.nation);
        for (QListWidget* list : {ui->master_list, ui->slave_list}) {
            auto* item = new QListWidgetItem(p.name, list);
            item->setData(CodeRole, p.nation);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
    }
    ui->master->setCurrentIndex(-1);
    ui->slave->setCurrentIndex(-1);
    ui->master_nation->clear();
    ui->slave_nation->clear();
    // The fresh lists are unticked, and so are their "Select All" boxes.
    for (QCheckBox* all : {ui->CheckBox1, ui->CheckBox2}) {
        const QSignalBlocker quiet(all);
        all->setChecked(false);
    }
}

QString Tmarateb_k::chosenCode(const QComboBox* box)
{
    return box->currentIndex() < 0 ? QString() : box->currentData().toString();
}

void Tmarateb_k::showPersons(const QString& codeColumn, const QString& keyColumn, const QString& code)
{
    m_list->setScope([codeColumn, keyColumn, code, table = m_table] {
        return Condition{QStringLiteral(" and nation in (select %1 from %3 where %2=?)").arg(codeColumn, keyColumn, table),
                         {code}};
    });
    m_list->search();
}

void Tmarateb_k::masterChange()
{
    ui->master_nation->setText(chosenCode(ui->master));
    showPersons(Slave, Master, ui->master_nation->text());
}

void Tmarateb_k::slaveChange()
{
    ui->slave_nation->setText(chosenCode(ui->slave));
    showPersons(Master, Slave, ui->slave_nation->text());
}

void Tmarateb_k::ins_btnClick()
{
    const QString master = ui->master_nation->text();
    const QString slave = ui->slave_nation->text();
    if (master.isEmpty()) {
        Msg::info(PersonnelText::ChooseApprover);
        return;
    }
    if (slave.isEmpty()) {
        Msg::info(PersonnelText::ChooseRequester);
        return;
    }
    bool duplicate = false;
    if (!exclusive_save(AddPair.right, {Keys::hierarchies()}, PersonnelText::Duplicate, [&] {
            duplicate = Sql::exists(QStringLiteral("select master from %1 where master=? and slave=?").arg(m_table),
                                    {master, slave});
            if (!duplicate)
                Sql::insert(m_table, {{Master, master}, {Slave, slave}});
        }))
        return;
    Msg::info(duplicate ? PersonnelText::Duplicate : PersonnelText::Saved);
}

void Tmarateb_k::tickCodes(QListWidget* list, QProgressBar* progress, const QStringList& codes)
{
    progress->setRange(0, list->count());
    for (int i = 0; i < list->count(); ++i) {
        progress->setValue(i);
        QListWidgetItem* item = list->item(i);
        item->setCheckState(codes.contains(item->data(CodeRole).toString()) ? Qt::Checked : Qt::Unchecked);
    }
}

void Tmarateb_k::BitBtn1Click()
{
    masterChange();
    QStringList codes;
    if (Db::guard([&] {
            codes = codesOf(QStringLiteral("select slave from %1 where master=?").arg(m_table), ui->master_nation->text());
        }))
        tickCodes(ui->slave_list, ui->ProgressBar2, codes);
}

void Tmarateb_k::BitBtn2Click()
{
    slaveChange();
    QStringList codes;
    if (Db::guard([&] {
            codes = codesOf(QStringLiteral("select master from %1 where slave=?").arg(m_table), ui->slave_nation->text());
        }))
        tickCodes(ui->master_list, ui->ProgressBar1, codes);
}

void Tmarateb_k::replacePairs(const PageCommand& command, const QString& column, const QString& code, QListWidget* list, QProgressBar* progress)
{
    const QString other = column == Master ? Slave : Master;
    progress->setRange(0, list->count());
    // A replace by another workstation at the same moment waits until this
    // one is done: the pairs end as the one or the other ticked them, whole.
    // Both hierarchies' writes take the one hierarchy key.
    exclusive_save(command.right, {Keys::hierarchies()}, QString(), [&] {
        Sql::exec(QStringLiteral("delete from %1 where %2=?").arg(m_table, column), {code});
        for (int i = 0; i < list->count(); ++i) {
            progress->setValue(i);
            const QListWidgetItem* item = list->item(i);
            if (item->checkState() == Qt::Checked)
                Sql::insert(m_table, {{column, code}, {other, item->data(CodeRole).toString()}});
        }
    });
}

void Tmarateb_k::BitBtn3Click()
{
    const QString slave = ui->slave_nation->text();
    if (slave.isEmpty()) {
        Msg::info(PersonnelText::ChooseRequester);
        return;
    }
    replacePairs(ReplaceMasters, Slave, slave, ui->master_list, ui->ProgressBar1);
}

void Tmarateb_k::BitBtn4Click()
{
    const QString master = ui->master_nation->text();
    if (master.isEmpty()) {
        Msg::info(PersonnelText::ChooseApprover);
        return;
    }
    replacePairs(ReplaceSlaves, Master, master, ui->slave_list, ui->ProgressBar2);
}

void Tmarateb_k::CheckBox1Click() { tickAll(ui->master_list, ui->CheckBox1->isChecked()); }

void Tmarateb_k::CheckBox2Click() { tickAll(ui->slave_list, ui->CheckBox2->isChecked()); }
