#include "request_list.h"

#include "core/shamsi_date.h"
#include "platform/ui/form.h"
#include "services/request/request_sql.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

namespace {

ListDescription withJoin(const RequestDesc& desc)
{
    ListDescription list = desc.list;
    if (list.from.isEmpty())
        list.from = QStringLiteral("%1 left join personel on %1.personel_id=personel.id where %1.id<>-1").arg(desc.table);
    return list;
}

void setText(QWidget* box, const QString& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(box))
        edit->setText(text);
    else
        box->setProperty("text", text);
}

} // namespace

RequestList::RequestList(RequestDesc desc, QTableView* grid, QLabel* countLabel, Form* window)
    : QObject(window), m_desc(std::move(desc)), m_window(window),
      m_list(new ListWindow(withJoin(m_desc), grid, countLabel, this))
{
    m_scope = [this] {
        const ScopeClause scope = scope_by_level(ScopeColumns::Unqualified);
        return scope.sql.isEmpty() ? scope : ScopeClause{ownerCondition(scope.sql), scope.values};
    };
    m_list->setScope([this] { return m_scope(); });
}

QString RequestList::ownerCondition(const QString& personCondition) const
{
    return QStringLiteral(" and %1.personel_id in (select id from personel where id is not null%2)")
        .arg(m_desc.table, personCondition);
}

void RequestList::contains(QCheckBox* check, QWidget* box, const QString& expression)
{
    const QString person = QStringLiteral("personel.");
    if (!expression.startsWith(person)) {
        m_list->contains(check, box, expression);
        return;
    }
    // A column of the owner: the requests of the persons whose column holds
    // the text, which an index on the owner finds without reading every request.
    const QString column = expression.mid(person.size());
    m_list->filter(check, {box}, [this, column](const QStringList& texts) {
        const Condition c = ListWindow::containsCondition(column, texts[0]);
        return Condition{ownerCondition(c.sql), c.values};
    });
}

void RequestList::equals(QCheckBox* check, QWidget* box, const QString& expression)
{
    m_list->equals(check, box, expression);
}

void RequestList::dateRange(QCheckBox* check, QWidget* from, QWidget* to, const QString& expression)
{
    m_list->range(check, from, to, expression);
    m_dateBoxes << from << to;
}

void RequestList::setScope(std::function<ScopeClause()> scope)
{
    m_scope = std::move(scope);
}

void RequestList::connectCommands(const Actions& commands, std::function<void()> add,
                                  std::function<void(qint64)> approve)
{
    m_commands = commands;
    if (commands.add)
        connect(commands.add, &QAction::triggered, this, [add] { add(); });
    if (commands.approve)
        connect(commands.approve, &QAction::triggered, this, [this, approve] {
            if (const qint64 id = currentId())
                approve(id);
        });
    if (commands.remove)
        connect(commands.remove, &QAction::triggered, this, [this] {
            if (delete_request_rules(m_desc, currentId()))
                reload();
        });
    if (commands.exportRows)
        connect(commands.exportRows, &QAction::triggered, this, [this] { m_list->exportRows(); });
    if (commands.exit)
        connect(commands.exit, &QAction::triggered, m_window, &QWidget::close);
    if (commands.search)
        connect(commands.search, &QPushButton::clicked, this, [this] { m_list->search(); });
}

qint64 RequestList::currentId() const
{
    return m_list->current(QStringLiteral("id")).toLongLong();
}

void RequestList::enable(const PageRights& rights)
{
    enable_commands(m_window, Commands, rights);
}

void RequestList::prepareForOpening()
{
    m_list->emptyFilterBoxes();
    const QString today = Shamsi::today();
    for (QWidget* box : std::as_const(m_dateBoxes))
        setText(box, today);
    m_list->search();
}

PageOpener RequestList::opener()
{
    return {
        .page = m_desc.pageName(),
        .prepare = [this] { prepareForOpening(); },
        .show = [this] { m_window->showModal(); },
        .window = m_window,
        .commands = Commands,
    };
}
