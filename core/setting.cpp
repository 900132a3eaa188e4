#include "setting.h"
#include "ui_setting.h"

#include "core/texts.h"

Tsetting::Tsetting(QWidget* parent) : SettingWindow(parent), ui(new Ui::Tsetting)
{
    ui->setupUi(this);
    using namespace CoreText;
    setUp({QStringLiteral("setting"),
           {{QStringLiteral("component"), ui->component}},
           {},
           {{QStringLiteral("component"), SettingTitleComponent},
            {QStringLiteral("cmt"), SettingTitleCmt},
            {QStringLiteral("def"), SettingTitleDef}}},
          ui->component, ui->cmt, ui->ins_btn, ui->DBGrid1, ui->N2, ui->N1);
}

Tsetting::~Tsetting() { delete ui; }

void Tsetting::prepareForOpening()
{
    ui->component->setCurrentIndex(-1);
    ui->cmt->clear();
    list()->showAll();
}
