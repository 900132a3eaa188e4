#include "kargozini_ins.h"
#include "ui_kargozini_ins.h"

#include "core/account_now.h"
#include "core/entry.h"
#include "core/list_behaviours.h"
#include "core/session.h"
#include "core/shamsi_date.h"
#include "personnel/kargozini_src.h"
#include "personnel/texts.h"
#include "platform/ui/entry_boxes.h"
#include "platform/ui/window_set.h"
#include "services/request/request_entry.h"
#include "services/request/request_list.h"

#include <QEvent>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace {

// A box the type does not use is red and disabled; one it uses has the window's colour.
void use(QWidget* box, bool used)
{
    box->setEnabled(used);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, used ? box->style()->standardPalette().color(QPalette::Base) : QColor(Qt::red));
    box->setPalette(palette);
}

} // namespace

Tkargozini_ins::Tkargozini_ins(QWidget* parent) : Form(parent), ui(new Ui::Tkargozini_ins)
{
    ui->setupUi(this);
    auto* entry = new Entry(u"kargozini"_s, this);
    entry->bind({{ui->typ, u"typ"_s},
                 {ui->roz, u"roz"_s},
                 {ui->dat1, u"dat1"_s},
                 {ui->dat2, u"dat2"_s},
                 {ui->exit_saat, u"exit_saat"_s},
                 {ui->vorod_saat, u"vorod_saat"_s},
                 {ui->cmt, u"cmt"_s}});
    entry->settingList(ui->typ, PersonnelText::KargoziniTypeList);
    digits_only_key(ui->roz);
    m_request = new RequestEntry(kargozini_desc(), entry, this, ui->ins_btn, ui->edit_btn);
    m_request->addApproveButtons({ui->modir_btn, ui->negahbani_btn});
    // The list (made before this window) shows its rows again after every write.
    connect(m_request, &RequestEntry::changed, this,
            [] { win<Tkargozini_src>(u"kargozini_src"_s)->requests()->reload(); });
    m_request->setAdjust([](Row& values) {
        // No number of days is 0 days.
        for (auto& [column, value] : values)
            if (column == QLatin1String("roz"))
                value = value.toString().toLongLong();
    });

    // The buttons carry pictures only.
    ui->ins_btn->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    for (QPushButton* b : {ui->modir_btn, ui->negahbani_btn, ui->edit_btn})
        b->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    on_user_change(ui->typ, [this] { typChange(); });
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tkargozini_ins::ins_btnClick);
    connect(ui->modir_btn, &QPushButton::clicked, this, &Tkargozini_ins::modir_btnClick);
    connect(ui->negahbani_btn, &QPushButton::clicked, this, &Tkargozini_ins::negahbani_btnClick);
    connect(ui->edit_btn, &QPushButton::clicked, this, &Tkargozini_ins::edit_btnClick);
    for (QLabel* label : {ui->Label2, ui->Label3, ui->Label7, ui->Label8})
        label->installEventFilter(this);
}

Tkargozini_ins::~Tkargozini_ins() { delete ui; }

QString Tkargozini_ins::clockText(const QTime& time) { return time.toString(u"HH:mm"_s); }

void Tkargozini_ins::openNew()
{
    m_request->openNew([this] {
        const QString today = Shamsi::today();
        ui->dat1->setValue(today);
        ui->dat2->setValue(today);
        ui->typ->setFocus();
    });
}

void Tkargozini_ins::openConfirm(qint64 id, Confirmation confirmation)
{
    QPushButton* button = confirmation == Confirmation::Manager ? ui->modir_btn
        : confirmation == Confirmation::Guard                   ? ui->negahbani_btn
                                                                : ui->edit_btn;
    if (!m_request->prepareApprove(id, button))
        return;
    typChange();
    showModal();
}

void Tkargozini_ins::typChange()
{
    using namespace PersonnelText;
    const QString typ = ui->typ->currentText();
    const bool daily = typ == DailyLeave;
    if (!daily && typ != HourlyLeave && typ != HourlyMission)
        return;
    if (!daily) {
        ui->roz->setText(u"0"_s);
        ui->dat2->setValue(QString());
    }
    if (typ != HourlyMission)
        ui->cmt->clear();
    use(ui->roz, daily);
    use(ui->dat2, daily);
    use(ui->exit_saat, !daily);
    use(ui->vorod_saat, !daily);
    use(ui->cmt, typ == HourlyMission);
    ui->Label5->setText(daily ? FromDate : OneDate);
}

void Tkargozini_ins::ins_btnClick() { m_request->insertForUser(); }

void Tkargozini_ins::confirm(const QString& dateColumn, const QString& nameColumn, bool saveFields,
                             const QStringList& approverIn)
{
    // The day and the confirming user's surname, on the request the window was opened on.
    m_request->approve({.stamp = {.column = dateColumn,
                                  .saveFields = saveFields,
                                  .nameColumn = nameColumn,
                                  .approverIn = approverIn},
                        .closeWindow = true});
}

// The manager still approves the requester when the confirmation is written.
void Tkargozini_ins::modir_btnClick() { confirm(u"modir_dat"_s, u"modir_name"_s, true, {u"marateb_k"_s}); }

// The guard confirms the times as they were requested: the boxes are not saved.
// Anyone else passed the guard's gate as an administrator, which the level
// stored at the write must still say.
void Tkargozini_ins::negahbani_btnClick()
{
    std::optional<AccountNow::ForLevels> admin;
    if (Session::user().semat != PersonnelText::GuardPost)
        admin.emplace();
    confirm(u"negahbani_dat"_s, u"negahbani_name"_s, false);
}

void Tkargozini_ins::edit_btnClick() { confirm(u"taeed_dat"_s, u"taeed_name"_s, true); }

bool Tkargozini_ins::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        // The captions of the time boxes put the clock's time in; "---" empties.
        if (watched == ui->Label2)
            ui->exit_saat->setValue(clockText(QTime::currentTime()));
        else if (watched == ui->Label3)
            ui->vorod_saat->setValue(clockText(QTime::currentTime()));
        else if (watched == ui->Label7)
            ui->exit_saat->setValue(QString());
        else if (watched == ui->Label8)
            ui->vorod_saat->setValue(QString());
    }
    return Form::eventFilter(watched, event);
}
