#pragma once
// tests/platform/sheet/workbook_tool.py run by the system's Python (which
// carries python3-openpyxl and python3-xlwt): makes workbooks as other
// programs write them, packs raw sheet XML, and reads workbooks back.

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

// The tool's standard output; a tool that fails stops the test program.
inline QByteArray runWorkbookTool(const QStringList& arguments, const QByteArray& input = {})
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"), {QStringLiteral("/usr/bin")});
    if (python.isEmpty())
        qFatal("python3 is missing (scripts/setup.sh installs it)");
    QProcess process;
    process.start(python, QStringList{qEnvironmentVariable("TUVEK_TEST_SOURCE_DIR") +
                                      QStringLiteral("/tests/platform/sheet/workbook_tool.py")} +
                              arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qFatal("workbook_tool.py failed: %s", process.readAllStandardError().constData());
    return process.readAllStandardOutput();
}

// A workbook kept with the sheet tests (tests/platform/sheet/data).
inline QString sheetTestFile(const QString& name)
{
    return qEnvironmentVariable("TUVEK_TEST_SOURCE_DIR") + QStringLiteral("/tests/platform/sheet/data/") + name;
}
