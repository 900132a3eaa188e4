#include "setting_ost.h"
#include "ui_setting_ost.h"

#include "core/places.h"
#include "core/session.h"
#include "core/texts.h"

Tsetting_ost::Tsetting_ost(QWidget* parent) : SettingWindow(parent), ui(new Ui::Tsetting_ost)
{
    ui->setupUi(this);
    using namespace CoreText;
    setUp({QStringLiteral("setting_ost"),
           {{QStringLiteral("ostan"), ui->ostan}, {QStringLiteral("component"), ui->component}},
           {{QStringLiteral("def"), QString()}},
           {{QStringLiteral("ostan"), SettingTitleOstan},
            {QStringLiteral("component"), SettingTitleComponent},
            {QStringLiteral("cmt"), SettingTitleCmt},
            {QStringLiteral("def"), SettingTitleDef}}},
          ui->component, ui->cmt, ui->ins_btn, ui->DBGrid1, ui->N2, ui->N1);
}

Tsetting_ost::~Tsetting_ost() { delete ui; }

void Tsetting_ost::prepareForOpening()
{
    ui->component->setCurrentIndex(-1);
    ui->cmt->clear();
    ui->ostan->setCurrentIndex(-1);
    ui->ostan->setCurrentText(QString());
    const CurrentUser& user = Session::user();
    const bool ownProvinceOnly = user.level == QLatin1String("city") || user.level == QLatin1String("ostan");
    if (ownProvinceOnly)
        ui->ostan->setCurrentText(
            Sql::scalar(QStringLiteral("select ostan from users where id=?"), {user.prs_id.toLongLong()}).toString());
    ui->ostan->setEnabled(!ownProvinceOnly);
    list()->clear();
}

void Tsetting_ost::showEvent(QShowEvent* event)
{
    SettingWindow::showEvent(event);
    FormShow();
}

void Tsetting_ost::FormShow()
{
    if (ui->ostan->count() == 0)
        Places::fillProvinces({ui->ostan});
}
