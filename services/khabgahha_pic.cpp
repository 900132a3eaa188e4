#include "khabgahha_pic.h"
#include "ui_khabgahha_pic.h"

#include "core/entry.h"
#include "core/list_window.h"
#include "core/setting_values.h"
#include "core/stored_file.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/msg.h"
#include "platform/ui/text_input.h"
#include "services/texts.h"

#include <QLineEdit>
#include <QStyle>

namespace {

const QString Id = QStringLiteral("id");

// The list never reads the pictures themselves; one is read when its row is clicked.
ListDescription photo_list()
{
    ListDescription desc;
    desc.columns = QStringLiteral("id, khabgahha_id, cmt, ext");
    desc.from = QStringLiteral("khabgahha_pic where id<>-1");
    desc.grid = {{QStringLiteral("cmt"), ServiceText::PhotoCmt}, {QStringLiteral("ext"), ServiceText::PhotoExt}};
    return desc;
}

} // namespace

Tkhabgahha_pic::Tkhabgahha_pic(QWidget* parent) : Form(parent), ui(new Ui::Tkhabgahha_pic)
{
    ui->setupUi(this);
    ui->cmt->lineEdit()->setMaxLength(150);
    ui->cmt->model()->sort(0);
    ui->ins_btn->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    m_list = new ListWindow(photo_list(), ui->DBGrid1, nullptr, this);
    m_list->setScope([this] { return Condition{QStringLiteral(" and khabgahha_id=?"), {m_suite}}; });
    ui->DBGrid1->addAction(ui->N1);
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tkhabgahha_pic::ins_btnClick);
    connect(ui->DBGrid1, &QTableView::clicked, this, &Tkhabgahha_pic::DBGrid1CellClick);
    connect(ui->N1, &QAction::triggered, this, &Tkhabgahha_pic::N1Click);
    setStored(false);
}

Tkhabgahha_pic::~Tkhabgahha_pic() { delete ui; }

void Tkhabgahha_pic::setStored(bool stored)
{
    m_stored = stored;
    ui->Shape1->setStyleSheet(QStringLiteral("border: 1px solid gray; border-radius: 10px; background: %1;")
                                  .arg(stored ? QStringLiteral("#00c000") : QStringLiteral("white")));
}

void Tkhabgahha_pic::prepareForSuite(const QVariant& suiteId)
{
    m_suite = suiteId;
    m_list->search();
    setStored(false);
    ui->cmt->setCurrentIndex(-1);
    ui->cmt->clearEditText();
}

void Tkhabgahha_pic::ins_btnClick()
{
    setStored(false);
    if (!m_suite.isValid())
        return;
    const QString description = TextInput::normalize(ui->cmt->currentText());
    if (description.isEmpty()) {
        Msg::info(ServiceText::PhotoNoDescription);
        return;
    }
    const std::optional<StoredFile::Chosen> file = StoredFile::choose(QString(), ServiceText::PhotoNotStored);
    if (!file)
        return;
    // One transaction with the picture bound: the photograph lands on this
    // suite whatever other workstations upload at the same moment.
    try {
        if (!StoredFile::store(QStringLiteral("khabgahha_pic"), {{QStringLiteral("khabgahha_id"), m_suite},
                                                                 {QStringLiteral("cmt"), description},
                                                                 {QStringLiteral("ext"), file->extension.left(5)}},
                               *file, ServiceText::PhotoNotStored, QStringLiteral("pic"), {}, AddPhoto.right))
            return;
    } catch (const DbError&) {
        Msg::error(ServiceText::PhotoNotStored);
        return;
    }
    m_list->reload();
    setStored(true);
}

void Tkhabgahha_pic::DBGrid1CellClick(const QModelIndex& index)
{
    const QVariant id = m_list->model()->value(index.row(), Id);
    if (id.isValid())
        StoredFile::open({QStringLiteral("khabgahha_pic"), QStringLiteral("ext")}, id,
                         QStringLiteral("guesthouse-photo"), CoreText::AttachmentNotWritten);
}

void Tkhabgahha_pic::N1Click()
{
    const QVariant id = m_list->current(Id);
    if (!id.isValid())
        return;
    if (!ask_delete_password(CoreText::DeletePasswordList)) {
        Msg::info(CoreText::DeletePasswordWrong);
        return;
    }
    if (delete_record(QStringLiteral("khabgahha_pic"), id.toLongLong(), {}, DeletePhoto.right))
        Msg::info(CoreText::RowDeleted);
    m_list->reload();
}
