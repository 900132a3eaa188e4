#pragma once
// What a person does with the windows, as the tests do it: typing into boxes,
// choosing from drop-down lists, clicking a row of a list's grid, opening a
// window from a menu and working in it while it is shown modally.

#include "core/list_window.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <functional>

namespace WindowSteps {

// Types text at the caret: key clicks for ASCII text; Persian text arrives
// whole, as an input method hands it to the box.
inline void typeText(QLineEdit* box, const QString& text)
{
    if (text.toLatin1() == text.toUtf8())
        QTest::keyClicks(box, text);
    else
        box->insert(text);
}

// Types text key by key, each character a key press that carries it, Persian
// letters too: every letter reaches the box as a typed key.
inline void typeKeys(QWidget* box, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Chooses an item of a drop-down list by its text, as a click on it does.
inline void choose(QComboBox* box, const QString& text)
{
    const int at = box->findText(text);
    QVERIFY2(at >= 0, qPrintable(text));
    box->setCurrentIndex(at);
    emit box->activated(at);
}

// Clicks a row of the grid with the mouse, in the first column shown (a list
// may hide some of its columns and order the others), scrolled into view first.
inline void clickRow(QTableView* grid, int row)
{
    const QHeaderView* header = grid->horizontalHeader();
    int column = 0;
    while (column < header->count() - 1 && header->isSectionHidden(header->logicalIndex(column)))
        ++column;
    const QModelIndex cell = grid->model()->index(row, header->logicalIndex(column));
    grid->scrollTo(cell);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
}

// Clicks the first row of a list's grid whose column holds value (compared
// as text); that row must become the current one.
inline void clickRow(QTableView* grid, const QString& column, const QVariant& value)
{
    auto* rows = qobject_cast<ListModel*>(grid->model());
    QVERIFY2(rows, "the grid shows no list");
    for (int r = 0; r < rows->rowCount(); ++r)
        if (rows->value(r, column).toString() == value.toString()) {
            clickRow(grid, r);
            QCOMPARE(grid->currentIndex().row(), r);
            return;
        }
    QFAIL(qPrintable(QStringLiteral("no row with %1 %2").arg(column, value.toString())));
}

// Triggers a menu item that shows window modally; the steps run while it is
// shown, then it is closed. Returns whether the window was shown.
inline bool openFromMenu(QAction* item, QWidget* window, const std::function<void()>& steps = {})
{
    bool shown = false;
    QTimer::singleShot(0, window, [&] {
        shown = window->isVisible();
        if (shown && steps)
            steps();
        window->close();
    });
    item->trigger();
    // When the window did not open, the timer is still waiting: let it go by.
    QCoreApplication::processEvents();
    return shown;
}

} // namespace WindowSteps
