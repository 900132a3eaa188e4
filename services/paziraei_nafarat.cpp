#include "paziraei_nafarat.h"
#include "ui_paziraei_nafarat.h"

#include "core/entry.h"
#include "core/list_behaviours.h"
#include "services/request/attached_persons.h"
#include "services/texts.h"

Tpaziraei_nafarat::Tpaziraei_nafarat(QWidget* parent) : Form(parent), ui(new Ui::Tpaziraei_nafarat)
{
    ui->setupUi(this);
    using namespace ServiceText;
    m_persons = new AttachedPersons({QStringLiteral("paziraei_nafarat"), QStringLiteral("paziraei_id"), GuestGrid},
                                    ui->DBGrid1, ui->cnt, this);
    m_persons->bind({{ui->fname, QStringLiteral("fname")},
                     {ui->lname, QStringLiteral("lname")},
                     {ui->ghaza, QStringLiteral("ghaza")},
                     {ui->noshidani, QStringLiteral("noshidani")},
                     {ui->other, QStringLiteral("other")}});
    m_persons->entry()->settingList(ui->ghaza, GuestFoodList);
    m_persons->entry()->settingList(ui->noshidani, GuestDrinkList);
    m_persons->entry()->settingList(ui->other, GuestExtrasList);
    enter_to_next_field({ui->fname, ui->lname, ui->ghaza, ui->noshidani, ui->other});
    ui->DBGrid1->addAction(ui->N1);
    connect(ui->ins_btn, &QPushButton::clicked, m_persons, &AttachedPersons::add);
    connect(ui->N1, &QAction::triggered, m_persons, &AttachedPersons::deleteBack);
}

Tpaziraei_nafarat::~Tpaziraei_nafarat() { delete ui; }
