#include "ticket_nafarat.h"
#include "ui_ticket_nafarat.h"

#include "core/list_behaviours.h"
#include "services/request/attached_persons.h"
#include "services/texts.h"

Tticket_nafarat::Tticket_nafarat(QWidget* parent) : Form(parent), ui(new Ui::Tticket_nafarat)
{
    ui->setupUi(this);
    m_persons = new AttachedPersons({QStringLiteral("ticket_nafarat"), QStringLiteral("ticket_id"),
                                     ServiceText::TravellerGrid},
                                    ui->DBGrid1, nullptr, this);
    m_persons->bind({{ui->fname, QStringLiteral("fname")},
                     {ui->lname, QStringLiteral("lname")},
                     {ui->nation, QStringLiteral("nation")},
                     {ui->birthday, QStringLiteral("birthday")}});
    enter_to_next_field({ui->fname, ui->lname, ui->nation, ui->birthday});
    ui->DBGrid1->addAction(ui->N1);
    connect(ui->ins_btn, &QPushButton::clicked, m_persons, &AttachedPersons::add);
    connect(ui->N1, &QAction::triggered, m_persons, &AttachedPersons::deleteBack);
}

Tticket_nafarat::~Tticket_nafarat() { delete ui; }
