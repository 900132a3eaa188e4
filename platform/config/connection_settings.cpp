#include "connection_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>
#include <QTextStream>
#include <utility>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const kSection = "[kelvanotirsa]";

QString fromEnv(const char* name)
{
    return QString::fromLocal8Bit(qgetenv(name));
}

// One value per line, as it stands, so that a file written by hand reads
// naturally (C:\data\tuvek.db). A line break, which no box of the settings
// window can hold, is written as a space; the password is base64 anyway.
QString oneLine(QString v)
{
    return v.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

using Values = QList<std::pair<QString, QString>>;

bool isSmallRegularFile(const struct stat& st)
{
    return S_ISREG(st.st_mode) && st.st_size <= Settings::MaxFileSize;
}

Values parseValues(const QByteArray& bytes)
{
    Values values;
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('[')))
            continue;
        const int eq = int(line.indexOf(QLatin1Char('=')));
        if (eq <= 0)
            continue;
        values.append({line.left(eq).trimmed(), line.mid(eq + 1)});
    }
    return values;
}

QString valueOf(const Values& values, const QString& name)
{
    for (const auto& [key, value] : values)
        if (key == name)
            return value;
    return {};
}

void setValue(Values& values, const QString& name, const QString& value)
{
    for (auto& [key, v] : values) {
        if (key == name) {
            v = value;
            return;
        }
    }
    values.append({name, value});
}

} // namespace

namespace Settings {

FileState readFile(const QString& path, QByteArray* bytes)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? FileState::Missing : FileState::Wrong;
    // A device or a pipe is not even opened: opening one may wait, or act.
    if (!isSmallRegularFile(st))
        return FileState::Wrong;
    // Not blocking, and looked at again: what was opened is what is read.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return errno == ENOENT ? FileState::Missing : FileState::Wrong;
    FileState state = FileState::Wrong;
    if (::fstat(fd, &st) == 0 && isSmallRegularFile(st)) {
        // At most one byte past the bound, however the file grows meanwhile.
        QByteArray read(MaxFileSize + 1, Qt::Uninitialized);
        qsizetype done = 0;
        for (;;) {
            const ssize_t n = ::read(fd, read.data() + done, size_t(read.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                if (n == 0) {
                    read.truncate(done);
                    read.squeeze();
                    *bytes = std::move(read);
                    state = FileState::Read;
                }
                break;
            }
            done += n;
            if (done > MaxFileSize)
                break;
        }
    }
    ::close(fd);
    return state;
}

QString userFile()
{
    const QString env = fromEnv("TUVEK_USER_SETTINGS");
    if (!env.isEmpty())
        return env;
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/connection.ini");
}

QString installFile()
{
    const QString env = fromEnv("TUVEK_INSTALL_SETTINGS");
    return env.isEmpty() ? QStringLiteral("/etc/tuvek/connection.ini") : env;
}

QString dataDir()
{
    const QString env = fromEnv("TUVEK_DATA_DIR");
    return env.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) : env;
}

QString embeddedDatabase() { return dataDir() + QStringLiteral("/tuvek.sqlite"); }

Loaded load(const QString& file)
{
    Loaded loaded;
    QByteArray bytes;
    loaded.state = readFile(file, &bytes);
    if (loaded.state != FileState::Read)
        return loaded;
    const Values v = parseValues(bytes);
    ConnectionSettings& s = loaded.settings;
    s.sqlServerName = valueOf(v, QStringLiteral("TuvekSqlServerName"));
    s.dataBase = valueOf(v, QStringLiteral("TuvekDataBase"));
    s.userName = valueOf(v, QStringLiteral("TuvekUserName"));
    s.password = QString::fromUtf8(
        unscramble(QByteArray::fromBase64(valueOf(v, QStringLiteral("TuvekPassword")).toLatin1())));
    s.authentication = valueOf(v, QStringLiteral("TuvekAuthentication"));
    s.systemType = valueOf(v, QStringLiteral("TuvekSystemType"));
    s.serverType = valueOf(v, QStringLiteral("TuvekServerType"));
    return loaded;
}

std::optional<ConnectionSettings> read(const QString& file)
{
    Loaded loaded = load(file);
    if (loaded.state != FileState::Read)
        return std::nullopt;
    return std::move(loaded.settings);
}

bool write(const QString& file, const ConnectionSettings& s)
{
    // What the file holds besides stays; a path that holds no settings file
    // (a pipe, a device, a folder, a file too large) is not replaced.
    QByteArray bytes;
    const FileState state = readFile(file, &bytes);
    if (state == FileState::Wrong)
        return false;
    Values v = state == FileState::Read ? parseValues(bytes) : Values();
    setValue(v, QStringLiteral("TuvekSqlServerName"), s.sqlServerName);
    setValue(v, QStringLiteral("TuvekDataBase"), s.dataBase);
    setValue(v, QStringLiteral("TuvekAuthentication"), s.authentication);
    setValue(v, QStringLiteral("TuvekUserName"), s.userName);
    // The scrambled bytes are no text (a byte may become a control character or
    // break a UTF-8 sequence), so the file holds them in base64: every byte
    // comes back unchanged whatever the password.
    setValue(v, QStringLiteral("TuvekPassword"),
             QString::fromLatin1(scramble(s.password.toUtf8()).toBase64()));
    setValue(v, QStringLiteral("TuvekServerType"), s.serverType);

    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return false;
    QSaveFile out(file);
    // Unbuffered: a write the disk refuses fails at once (a buffered one is
    // refused only in the last flush, which commit does not check).
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    // Owner only, before anything is written.
    out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QByteArray text = "# Connection settings of this user. TuvekPassword is scrambled, in base64.\n";
    text += kSection;
    text += '\n';
    for (const auto& [key, value] : v)
        text += (key + QLatin1Char('=') + oneLine(value) + QLatin1Char('\n')).toUtf8();
    if (out.write(text) != text.size() || !out.commit())
        return false;
    return QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QByteArray scramble(const QByteArray& password)
{
    QByteArray out(password.size(), '\0');
    const int n = int(password.size());
    for (int i = 0; i < n; ++i)
        out[i] = char(uchar(password.at(n - 1 - i)) - 1);
    return out;
}

QByteArray unscramble(const QByteArray& stored)
{
    QByteArray out(stored.size(), '\0');
    const int n = int(stored.size());
    for (int i = 0; i < n; ++i)
        out[i] = char(uchar(stored.at(n - 1 - i)) + 1);
    return out;
}

} // namespace Settings
