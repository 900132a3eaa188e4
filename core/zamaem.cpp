#include "zamaem.h"
#include "ui_zamaem.h"

#include "core/list_window.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msg.h"
#include "platform/ui/text_input.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

namespace {

const QString Cmt = QStringLiteral("cmt");
const QString PicType = QStringLiteral("pictype");

// The list never reads the files themselves (nor the access codes, which are
// shown nowhere); a file is read when its row is clicked.
ListDescription list_description()
{
    ListDescription desc;
    desc.columns = QStringLiteral("id, cmt, pictype");
    desc.from = QStringLiteral("zamaem");
    desc.orderBy = QStringLiteral("id");
    desc.grid = {{Cmt, CoreText::AttachmentTitleDescription}, {PicType, CoreText::AttachmentTitleFormat}};
    return desc;
}

// The description proposed as the saved file's name, without the characters
// that would make it a path or that file systems refuse.
QString proposed_name(const QString& description)
{
    QString name;
    for (const QChar c : description)
        name += (c.unicode() < 32 || QStringLiteral("/\\:*?\"<>|").contains(c)) ? QChar(u'_') : c;
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    return name.trimmed();
}

bool write_file(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

Tzamaem::Tzamaem(QWidget* parent) : Form(parent), ui(new Ui::Tzamaem)
{
    ui->setupUi(this);
    ui->Combo_type->lineEdit()->setMaxLength(150);
    m_list = new ListWindow(list_description(), ui->DBGrid1, nullptr, this);
    ui->DBGrid1->addAction(ui->N1);
    ui->DBGrid1->addAction(ui->N2); // "view code": the code is shown nowhere
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tzamaem::ins_btnClick);
    connect(ui->DBGrid1, &QTableView::clicked, this, &Tzamaem::DBGrid1CellClick);
    connect(ui->N1, &QAction::triggered, this, &Tzamaem::N1Click);
}

Tzamaem::~Tzamaem() { delete ui; }

void Tzamaem::enableCommands(bool darj, bool hazf)
{
    ui->ins_btn->setEnabled(darj);
    ui->N1->setEnabled(hazf);
}

void Tzamaem::prepareForOpening()
{
    ui->Combo_type->setCurrentIndex(-1);
    ui->Combo_type->clearEditText();
    ui->ramz->clear();
    m_list->search();
}

void Tzamaem::ins_btnClick()
{
    // Typed in the stored form, so that the descriptions the program looks up are found.
    const QString description = TextInput::normalize(ui->Combo_type->currentText());
    bool duplicate = false;
    if (!Db::guard([&] { duplicate = Sql::exists(QStringLiteral("select id from zamaem where cmt=?"), {description}); }))
        return;
    if (duplicate)
        Msg::info(CoreText::AttachmentDuplicate);
    if (description.isEmpty())
        Msg::info(CoreText::AttachmentNoDescription);
    if (duplicate || description.isEmpty())
        return;

    // A cancelled dialog stores nothing.
    const std::optional<QString> path = Msg::openFileName(QString());
    if (!path || path->isEmpty())
        return;
    QFile file(*path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFile::NoError) {
        Msg::error(CoreText::AttachmentUnreadable);
        return;
    }
    // The extension with its dot (".pdf"), empty for a file without one.
    const QString suffix = QFileInfo(*path).suffix();
    const QString pictype = suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix;
    if (!Db::guard([&] {
            Sql::insert(QStringLiteral("zamaem"), {{Cmt, description},
                                                   {QStringLiteral("ramz"), ui->ramz->text()},
                                                   {PicType, pictype},
                                                   {QStringLiteral("pic"), bytes}});
        }))
        return;
    m_list->search();
}

void Tzamaem::DBGrid1CellClick(const QModelIndex& index)
{
    const QVariantMap row = m_list->model()->row(index.row());
    if (row.isEmpty())
        return;
    const QString ext = Desktop::cleanExtension(row.value(PicType).toString());
    const std::optional<QString> chosen =
        Msg::saveFileName(QString(), proposed_name(row.value(Cmt).toString()) + ext);
    if (!chosen || chosen->isEmpty())
        return; // a cancel does nothing
    QByteArray bytes;
    bool found = false;
    if (!Db::guard([&] {
            const QVariantMap file = Sql::row(QStringLiteral("select pic from zamaem where id=?"), {row.value(QStringLiteral("id"))});
            found = !file.isEmpty();
            bytes = file.value(QStringLiteral("pic")).toByteArray();
        }))
        return;
    if (!found) // deleted from another workstation meanwhile
        return;

    // The copy the user keeps, where the user said; the stored extension is
    // added unless the chosen name already ends with it.
    QString target = *chosen;
    if (!ext.isEmpty() && !target.endsWith(ext, Qt::CaseInsensitive))
        target += ext;
    // The copy the desktop opens: in the folder only this user can read, under
    // a name the program builds, so that no stored text decides where it goes.
    const QString opened = write_file(target, bytes)
        ? Desktop::writePrivateFile(QStringLiteral("attachment-") + row.value(QStringLiteral("id")).toString(), ext, bytes)
        : QString();
    if (opened.isEmpty()) {
        Msg::error(CoreText::AttachmentNotWritten);
        return;
    }
    Desktop::openFile(opened);
}

void Tzamaem::N1Click()
{
    const QVariantMap row = m_list->currentRow();
    if (row.isEmpty())
        return;
    if (!Db::guard([&] { Sql::exec(QStringLiteral("delete from zamaem where id=?"), {row.value(QStringLiteral("id"))}); }))
        return;
    Msg::info(CoreText::RowDeleted);
    m_list->search();
}
