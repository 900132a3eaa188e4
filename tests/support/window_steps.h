#pragma once
// What a person does with the windows, as the tests do it: typing into boxes
// and choosing from drop-down lists.

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <QtTest>

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

} // namespace WindowSteps
