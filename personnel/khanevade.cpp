#include "khanevade.h"
#include "ui_khanevade.h"

#include "core/list_window.h"
#include "personnel/texts.h"
#include "platform/db/sql.h"

#include <QLineEdit>

namespace {

// A person without dependants is one row with empty dependant columns; the
// rows of a family come together, the person's dependants in the order added.
ListDescription families()
{
    ListDescription desc;
    desc.from = QStringLiteral("personel left join takafol on personel.id=takafol.personel_id where personel.id<>-1");
    desc.orderBy = QStringLiteral("personel.id");
    desc.key = QStringLiteral("takafol.id");
    desc.grid = PersonnelText::FamilyGrid;
    desc.exportTitles = PersonnelText::FamilyExportTitles;
    return desc;
}

ListDescription dependants()
{
    ListDescription desc;
    desc.from = QStringLiteral("takafol where personel_id<>-1");
    desc.orderBy = QStringLiteral("id");
    desc.grid = PersonnelText::FamilyGrid;
    desc.exportTitles = PersonnelText::FamilyExportTitles;
    return desc;
}

} // namespace

Tkhanevade::Tkhanevade(QWidget* parent) : Form(parent), ui(new Ui::Tkhanevade)
{
    ui->setupUi(this);
    ListDescription searched = families();
    searched.titleSort = true; // one list sorts, whichever the grid shows
    m_all = new ListWindow(families(), ui->DBGrid1, ui->cnt, this);
    m_dependants = new ListWindow(dependants(), ui->DBGrid1, ui->cnt, this);
    m_families = new ListWindow(searched, ui->DBGrid1, ui->cnt, this);
    m_shown = m_families;

    m_families->contains(ui->CheckBox1, ui->lname, QStringLiteral("personel.lname"));
    m_families->contains(ui->CheckBox2, ui->lname2, QStringLiteral("takafol.lname"));
    m_families->contains(ui->CheckBox5, ui->nation, QStringLiteral("takafol.nation"));
    m_families->contains(ui->CheckBox3, ui->nesbat, QStringLiteral("takafol.nesbat"));
    // The insurance is one of two words, compared whole: a containment would
    // find the one in the other.
    m_families->filter(ui->CheckBox4, {ui->bime},
                       QStringLiteral(" and (case when ?=1 then takafol.bime else personel.bime end)=?"),
                       [this](const QStringList& texts) {
                           return QVariantList{ui->RadioButton1->isChecked() ? 1 : 0, texts.value(0)};
                       });
    ui->RadioGroup1->setEnabled(ui->CheckBox4->isChecked());
    connect(ui->CheckBox4, &QCheckBox::toggled, ui->RadioGroup1, &QWidget::setEnabled);

    ui->DBGrid1->addAction(ui->N1);
    connect(ui->src_btn, &QPushButton::clicked, this, &Tkhanevade::src_btnClick);
    connect(ui->N1, &QAction::triggered, this, &Tkhanevade::N1Click);
}

Tkhanevade::~Tkhanevade() { delete ui; }

void Tkhanevade::showList(ListWindow* list)
{
    m_shown = list;
    ui->DBGrid1->setModel(list->model());
}

void Tkhanevade::prepareForOpening(View view)
{
    fill_combo_from_setting(ui->nesbat, PersonnelText::RelationList);
    ListWindow* list = view == View::Families ? m_all : m_dependants;
    showList(list);
    list->search();
    for (QLineEdit* box : {ui->lname, ui->nation, ui->lname2})
        box->clear();
    ui->nesbat->setCurrentIndex(-1);
    ui->nesbat->clearEditText();
    ui->bime->setCurrentIndex(-1);
    ui->cnt->clear();
}

void Tkhanevade::src_btnClick()
{
    showList(m_families);
    m_families->search();
}

void Tkhanevade::N1Click()
{
    m_shown->exportRows();
}
