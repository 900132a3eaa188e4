#pragma once
// What a person does with the windows, as the tests do it: typing into boxes,
// choosing from drop-down lists, opening a window from a menu and working in
// it while it is shown modally.

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
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
