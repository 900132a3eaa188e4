#include "desktop.h"

#include "platform/ui/msg.h"
#include "platform/ui/save_file.h"
#include "platform/ui/texts.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <memory>

namespace Desktop {
namespace {

Opener& opener()
{
    static Opener o;
    return o;
}

QString cleanName(const QString& text)
{
    QString out;
    for (QChar c : text)
        if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_'))
            out.append(c);
    return out.left(80);
}

// How long the desktop's helper is waited for: long enough for it to find
// no application and say so by its exit code, short enough not to be felt.
constexpr int HelperWaitMs = 2000;

// Hands a file to the desktop's opener. The helper (xdg-open) ends with a
// failing code when no application opens the file, so it is waited for, a
// short while, with the window still painted; a helper still running then is
// showing the file and is left to run.
bool launch(const QString& path)
{
    const QString helper = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (helper.isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    auto* process = new QProcess;
    process->setProgram(helper);
    process->setArguments({path});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QEventLoop wait;
    QObject::connect(process, &QProcess::finished, &wait, &QEventLoop::quit);
    QObject::connect(process, &QProcess::errorOccurred, &wait, &QEventLoop::quit);
    QTimer::singleShot(HelperWaitMs, &wait, &QEventLoop::quit);
    process->start();
    if (process->state() != QProcess::NotRunning)
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    if (process->state() != QProcess::NotRunning) {
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return true;
    }
    const bool opened = process->error() == QProcess::UnknownError && process->exitStatus() == QProcess::NormalExit &&
                        process->exitCode() == 0;
    process->deleteLater();
    return opened;
}

} // namespace

bool opensType(const QString& extension)
{
    // Documents, sheets, text, archives and pictures: types whose applications
    // show the file rather than run it.
    static const QStringList types = {
        QStringLiteral("pdf"), QStringLiteral("doc"), QStringLiteral("docx"), QStringLiteral("odt"),
        QStringLiteral("rtf"), QStringLiteral("xls"), QStringLiteral("xlsx"), QStringLiteral("ods"),
        QStringLiteral("csv"), QStringLiteral("txt"), QStringLiteral("zip"), QStringLiteral("rar"),
        QStringLiteral("7z"),  QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("png"),
        QStringLiteral("gif"), QStringLiteral("bmp"), QStringLiteral("tif"), QStringLiteral("tiff"),
    };
    const QString ext = cleanExtension(extension).mid(1).toLower();
    return types.contains(ext);
}

bool openFile(const QString& path)
{
    const QString where = Msg::filePath(path);
    if (!opensType(QFileInfo(path).suffix())) {
        Msg::info(UiText::FileNotOpened.arg(where));
        return false;
    }
    if (opener()) {
        opener()(path);
        return true;
    }
    if (!launch(path)) {
        Msg::info(UiText::FileOpenFailed.arg(where)); // the file is written: no failure of the command
        return false;
    }
    return true;
}

void setOpener(Opener o) { opener() = std::move(o); }

QString documentsFolder()
{
    // The environment's XDG_DOCUMENTS_DIR, as the desktop's user-dirs file
    // sets it for a session, comes first.
    QString folder = qEnvironmentVariable("XDG_DOCUMENTS_DIR");
    if (folder.isEmpty() || QDir::isRelativePath(folder))
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !folder.isEmpty() && QDir().mkpath(folder) ? folder : QString();
}

QString privateTempFolder()
{
    // QTemporaryDir makes the folder readable by its owner only (0700).
    static std::unique_ptr<QTemporaryDir> dir;
    if (!dir || !dir->isValid())
        dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tuvek-XXXXXX"));
    return dir->isValid() ? dir->path() : QString();
}

QString cleanExtension(const QString& extension)
{
    const QString tail = extension.section(QLatin1Char('.'), -1);
    const QString name = cleanName(tail).left(10);
    return name.isEmpty() ? QString() : QStringLiteral(".") + name;
}

QString privateFilePath(const QString& base, const QString& extension)
{
    const QString folder = privateTempFolder();
    if (folder.isEmpty())
        return QString();
    QString name = cleanName(base);
    if (name.isEmpty())
        name = QStringLiteral("file");
    const QString ext = cleanExtension(extension);
    QString path = folder + QLatin1Char('/') + name + ext;
    for (int n = 2; QFile::exists(path); ++n)
        path = folder + QLatin1Char('/') + name + QLatin1Char('-') + QString::number(n) + ext;
    return path;
}

QString writePrivateFile(const QString& base, const QString& extension, const QByteArray& bytes)
{
    const QString path = privateFilePath(base, extension);
    if (path.isEmpty())
        return QString();
    return SaveFile::write(path, bytes, QFile::ReadOwner | QFile::WriteOwner).ok() ? path : QString();
}

void switchToPersianKeyboard()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") || QStandardPaths::findExecutable(QStringLiteral("setxkbmap")).isEmpty())
        return;
    // Persian becomes the active group; Alt+Shift still toggles back to Latin.
    QProcess::startDetached(QStringLiteral("setxkbmap"),
                            {QStringLiteral("-layout"), QStringLiteral("ir,us"), QStringLiteral("-option"),
                             QStringLiteral("grp:alt_shift_toggle")});
}

} // namespace Desktop
