// The login: identifies the user, applies the version gate, records the login
// and hands over to the main window. Also the password change and font help links.

#include "core/login.h"
#include "ui_login.h"

#include "core/account_row.h"
#include "core/change_pass.h"
#include "core/connect_database.h"
#include "core/log_row.h"
#include "core/main_window.h"
#include "core/password_hash.h"
#include "core/session.h"
#include "core/shamsi_date.h"
#include "core/stamp.h"
#include "core/texts.h"
#include "platform/config/connection_settings.h"
#include "platform/db/sql.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msg.h"
#include "platform/ui/save_file.h"
#include "platform/ui/text_input.h"
#include "platform/ui/window_set.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QtDebug>
#include <optional>

namespace {

constexpr double ProgramVersion = 1.0;

// The user row whose password matches; nothing when there is none.
std::optional<QVariantMap> matchingUser(const QString& us, const QString& ps)
{
    const QVariantList forms = TextInput::storedForms(us);
    const QString sql = QStringLiteral("select * from users where us in (%1) order by id").arg(Sql::placeholders(forms.size()));
    for (const QVariantMap& row : Sql::rows(sql, forms))
        if (PasswordHash::verify(row.value(QStringLiteral("ps")).toString(), ps))
            return row;
    return std::nullopt;
}

// The desktop's keyboard layouts as the user had them before the first login
// of the run switched them to Persian: given back when the program ends.
// Best effort, like the switch itself: without X11 or setxkbmap nothing happens.
void keepUsersKeyboard()
{
    static bool kept = false;
    if (kept || qEnvironmentVariableIsEmpty("DISPLAY"))
        return;
    kept = true;
    QProcess query;
    query.start(QStringLiteral("setxkbmap"), {QStringLiteral("-query")});
    if (!query.waitForFinished(2000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) {
        query.kill();
        return;
    }
    // "layout:     us,de" and the like, one setting a line.
    QHash<QString, QString> had;
    for (const QString& line : QString::fromLocal8Bit(query.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon > 0)
            had.insert(line.left(colon).trimmed(), line.mid(colon + 1).trimmed());
    }
    if (had.value(QStringLiteral("layout")).isEmpty())
        return;
    QStringList restore;
    for (const char* setting : {"rules", "model", "layout", "variant"}) {
        const QString value = had.value(QLatin1String(setting));
        if (!value.isEmpty())
            restore << QLatin1Char('-') + QLatin1String(setting) << value;
    }
    // An empty -option first drops the options the switch added.
    restore << QStringLiteral("-option") << QString();
    const QString options = had.value(QStringLiteral("options"));
    if (!options.isEmpty())
        restore << QStringLiteral("-option") << options;
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, [restore] {
        QProcess back;
        back.start(QStringLiteral("setxkbmap"), restore);
        back.waitForFinished(2000);
    });
}

} // namespace

QString Tlogin::rememberedNamePath()
{
    const QString workingFolder = QDir::currentPath();
    if (QFileInfo(workingFolder).isWritable())
        return workingFolder + QStringLiteral("/Tuvek.txt");
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data + QStringLiteral("/Tuvek.txt");
}

void Tlogin::FormShow()
{
    // Read as a settings file is: a pipe or a device in its place is passed over.
    QByteArray bytes;
    if (Settings::readFile(rememberedNamePath(), &bytes) != Settings::FileState::Read)
        return;
    QString name = QString::fromUtf8(bytes.left(bytes.indexOf('\n')));
    if (name.endsWith(QLatin1Char('\r')))
        name.chop(1);
    ui->us->setText(name);
    ui->ps->setFocus();
}

void Tlogin::showKeepingName()
{
    const QString typed = ui->us->text();
    show();
    ui->us->setText(typed);
}

void Tlogin::rememberName(const QString& us)
{
    // A failure is not said: the name is only a convenience for the next
    // start. Written whole, so that a full disk never leaves half a name; a
    // pipe or a device in its place is never replaced or written to.
    const QString path = rememberedNamePath();
    QByteArray earlier;
    if (Settings::readFile(path, &earlier) != Settings::FileState::Wrong)
        SaveFile::write(path, us.toUtf8() + '\n');
}

void Tlogin::BitBtn1Click()
{
    // The workstation's name is looked up while the connection is made, for the login's log row.
    IPAddrToName(LocalIP());
    bool installed = false;
    if (!connect_database(connectionChoice(), EmptyDatabase::Install, &installed))
        return;
    if (installed) {
        // The administrator's password was set just now, and the administrator
        // is the database's only account: it logs in next, with that password
        // (a name remembered from another database would only be refused).
        ui->us->setText(QStringLiteral("admin"));
        if (ui->ps->text().isEmpty()) {
            ui->ps->setFocus();
            return;
        }
    }
    bool empty = false;
    if (!Db::guard([&] { empty = !Sql::tableExists(QStringLiteral("users")); }))
        return;
    if (empty) {
        // A server database nobody has installed yet.
        Msg::info(CoreText::DatabaseNotInstalled);
        return;
    }
    const QString us = ui->us->text();
    const QString ps = ui->ps->text();
    bool loggedIn = false;
    Db::guard([&] { loggedIn = logIn(us, ps); });
    // The password is not kept once it served.
    if (loggedIn)
        ui->ps->clear();
}

bool Tlogin::logIn(const QString& typed, const QString& ps)
{
    const std::optional<QVariantMap> found = matchingUser(typed, ps);
    if (!found) {
        Msg::info(CoreText::WrongUserOrPassword);
        return false;
    }
    const QVariantMap& user = *found;
    // The session and the log know the user by its stored form (ASCII
    // digits), whatever the keyboard typed or an older row holds.
    const QString us = TextInput::normalize(user.value(QStringLiteral("us")).toString());
    const qint64 id = user.value(QStringLiteral("id")).toLongLong();
    if (user.value(QStringLiteral("status")).toString() != CoreText::ActiveStatus) {
        Msg::info(CoreText::UserInactive);
        return false;
    }
    // This account now runs version 1. An account carried over with a
    // plain-text password gets its hash now, and so does one whose hash was
    // made from Persian digits as they were typed: only while it still holds
    // the password just verified.
    if (!AccountRow::afterLogin(id, user.value(QStringLiteral("ps")).toString(), ps, QStringLiteral("1"))) {
        Msg::info(CoreText::UserGone);
        return false;
    }

    rememberName(us);

    CurrentUser current;
    current.karbar = us;
    current.prs_id = QString::number(id);
    current.level = user.value(QStringLiteral("lev")).toString();
    Session::setUser(current);
    auto* main = win<Tmain>(QStringLiteral("main"));

    // Version gate: the admin row names the newest.
    const QString newest = Sql::scalar(QStringLiteral("select ver from users where us = ?"), {QStringLiteral("admin")}).toString();
    bool numeric = false;
    const double newestVersion = newest.trimmed().toDouble(&numeric);
    if (numeric && newestVersion > ProgramVersion) {
        refuseOldVersion(us, newest);
        return false;
    }

    const qint64 unread = Sql::scalar(QStringLiteral("select count(*) from payamha where rec_prs_id = ? and show_dat = ?"),
                                      {id, QString()}).toLongLong();
    if (unread != 0)
        main->setMessagesWaiting(true);

    const QVariantMap person = Sql::row(QStringLiteral("select id, semat from personel where nation = ? order by id"), {us});
    current.personel_id = person.isEmpty() ? QString() : person.value(QStringLiteral("id")).toString();
    current.semat = person.isEmpty() ? QString() : person.value(QStringLiteral("semat")).toString();
    Session::setUser(current);

    main->setServerDate(Stamp::serverShamsiDate());
    main->setWorkstation(LocalIP());

    // Written once everything the login reads was read: a login that fails
    // on the way leaves no row saying it succeeded.
    write_log_row_for(us, CoreText::LoginSucceeded + us + QLatin1Char(' ') + user.value(QStringLiteral("nam")).toString());

    main->showMaximized();
    hide();
    keepUsersKeyboard();
    Desktop::switchToPersianKeyboard();
    return true;
}

void Tlogin::refuseOldVersion(const QString& us, const QString& newest)
{
    Msg::info(CoreText::OldVersion + newest + CoreText::OldVersionTail);
    write_log_row_for(us, CoreText::LoginOldVersion + newest + QLatin1Char(' ') + us);
    const QVariantMap file = Sql::row(QStringLiteral("select pic, pictype from zamaem where cmt = ? order by id"),
                                      {CoreText::NewestProgramFile});
    if (!file.isEmpty()) {
        // The proposed name is built by the program: Tuvek + today's date + the stored extension, cleaned.
        const QString today = Shamsi::today();
        const QString name = QStringLiteral("Tuvek") + today.mid(0, 4) + QLatin1Char('_') + today.mid(5, 2)
            + QLatin1Char('_') + today.mid(8, 2) + Desktop::cleanExtension(file.value(QStringLiteral("pictype")).toString());
        if (const auto path = Msg::saveFileName(QString(), name)) {
            SaveFile::write(*path, file.value(QStringLiteral("pic")).toByteArray())
                .said(CoreText::NewestProgramNotSaved.arg(Msg::filePath(*path)));
        }
    }
    close();
}

void Tlogin::Label3Click()
{
    if (!connect_database(connectionChoice()))
        return;
    std::optional<QVariantMap> found;
    if (!Db::guard([&] { found = matchingUser(ui->us->text(), ui->ps->text()); }))
        return;
    if (!found) {
        Msg::info(CoreText::ChangePassWrongPair);
        return;
    }
    hide();
    auto* window = win<Tchange_pass>(QStringLiteral("change_pass"));
    window->setAccount(found->value(QStringLiteral("id")).toLongLong(), ui->ps->text());
    ui->ps->clear();
    window->show();
}

void Tlogin::Label9Click()
{
    if (!connect_database(connectionChoice()))
        return;
    QVariantMap file;
    if (!Db::guard([&] {
            file = Sql::row(QStringLiteral("select pic, pictype from zamaem where cmt = ? order by id"),
                            {CoreText::FontHelpFile});
        }))
        return;
    if (file.isEmpty())
        return;
    const QString path = Desktop::writePrivateFile(QStringLiteral("font-help"), file.value(QStringLiteral("pictype")).toString(),
                                                   file.value(QStringLiteral("pic")).toByteArray());
    if (!path.isEmpty())
        Desktop::openFile(path);
}
