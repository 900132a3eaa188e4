#include "zamaem.h"
#include "ui_zamaem.h"

#include "core/entry.h"
#include "core/list_window.h"
#include "core/stored_file.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msg.h"
#include "platform/ui/text_input.h"

#include <QFile>
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

} // namespace

Tzamaem::Tzamaem(QWidget* parent) : Form(parent), ui(new Ui::Tzamaem)
{
    ui->setupUi(this);
    limit_to_column(ui->Combo_type, QStringLiteral("zamaem"), QStringLiteral("cmt"));
    limit_to_column(ui->ramz, QStringLiteral("zamaem"), QStringLiteral("ramz"));
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
    enable_commands(this, Commands, {darj, false, hazf, true});
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
    const StoredFile::DescriptionRule rule{.emptyText = CoreText::AttachmentNoDescription,
                                           .uniqueIn = QStringLiteral("zamaem"),
                                           .duplicateText = CoreText::AttachmentDuplicate};
    if (!StoredFile::descriptionAllowed(description, rule))
        return;
    // A cancelled dialog stores nothing.
    const std::optional<StoredFile::Chosen> file = StoredFile::choose();
    if (!file)
        return;
    bool stored = false;
    if (!Db::guard([&] {
            stored = StoredFile::store(QStringLiteral("zamaem"), {{Cmt, description},
                                                                  {QStringLiteral("ramz"), ui->ramz->text()},
                                                                  {PicType, file->extension}},
                                       *file, QString(), QStringLiteral("pic"), rule, AddFile.right);
        }) || !stored)
        return;
    m_list->search();
}

void Tzamaem::DBGrid1CellClick(const QModelIndex& index)
{
    const QVariantMap row = m_list->model()->row(index.row());
    if (row.isEmpty())
        return;
    const QVariant id = row.value(QStringLiteral("id"));
    const QString ext = Desktop::cleanExtension(row.value(PicType).toString());
    // Proposed where the user's documents go, under the attachment's description.
    const QString folder = Desktop::documentsFolder();
    const QString proposed = proposed_name(row.value(Cmt).toString()) + ext;
    const std::optional<QString> chosen =
        Msg::saveFileName(QString(), folder.isEmpty() ? proposed : folder + QLatin1Char('/') + proposed);
    if (!chosen || chosen->isEmpty())
        return; // a cancel does nothing

    // The copy the user keeps, where the user said, is the one opened: what
    // is changed in it stays. The stored extension is added unless the chosen
    // name already ends with it.
    QString target = *chosen;
    if (!ext.isEmpty() && !target.endsWith(ext, Qt::CaseInsensitive))
        target += ext;
    if (StoredFile::saveTo({QStringLiteral("zamaem"), PicType}, id, target))
        Desktop::openFile(target);
}

void Tzamaem::N1Click()
{
    const QVariantMap row = m_list->currentRow();
    if (row.isEmpty())
        return;
    if (delete_record(QStringLiteral("zamaem"), row.value(QStringLiteral("id")).toLongLong(), {}, DeleteFile.right))
        Msg::info(CoreText::RowDeleted);
    m_list->search();
}
