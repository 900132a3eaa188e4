// Typed text in its stored form: the pure rewriting, the keys typed into boxes
// and the length limit of the boxes.

#include "platform/ui/masked_box.h"
#include "platform/ui/text_input.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestTextInput : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { TextInput::installTyping(*qApp); }

    void normalize_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("persian digits") << u"۱۴۰۵/۰۹/۰۱"_s << u"1405/09/01"_s;
        QTest::newRow("arabic-indic digits") << u"١٤٠٥٠٩٠١"_s << u"14050901"_s;
        QTest::newRow("mixed digits") << u"۰0١2"_s << u"0012"_s;
        QTest::newRow("persian and final yeh") << u"علی موسى"_s << u"علي موسي"_s;
        QTest::newRow("both kafs stay") << u"كاركنان کرج"_s << u"كاركنان کرج"_s;
        QTest::newRow("direction marks go") << u"\u200F+98 912\u200E \u202B345\u202C\u2067x\u2069"_s << u"+98 912 345x"_s;
        QTest::newRow("zero-width space and bom go") << u"\uFEFF12\u200B34"_s << u"1234"_s;
        QTest::newRow("non-joiner between letters stays") << u"مي\u200Cخواهم"_s << u"مي\u200Cخواهم"_s;
        QTest::newRow("a run of them becomes one") << u"مي\u200C\u200Cخواهم"_s << u"مي\u200Cخواهم"_s;
        QTest::newRow("non-joiner at the ends goes") << u"\u200Cعلي\u200C"_s << u"علي"_s;
        QTest::newRow("non-joiner by a space or digit goes") << u"علي \u200Cرضا ۱\u200C۲"_s << u"علي رضا 12"_s;
        QTest::newRow("control characters go") << u"a\u0000b\u0007c\u001Bd\u0085"_s << u"abcd"_s;
        QTest::newRow("tab and line ends stay") << u"a\tb\r\nc"_s << u"a\tb\r\nc"_s;
        QTest::newRow("a whole emoji stays") << u"a\U0001F600b"_s << u"a\U0001F600b"_s;
        QTest::newRow("halves of a character go")
            << u"a"_s + QChar(0xD83D) + u"b"_s + QChar(0xDE00) + QChar(0xD83D) << u"ab"_s;
        QTest::newRow("latin stays") << u"PC-1 .txt \"a\""_s << u"PC-1 .txt \"a\""_s;
    }
    void normalize()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QCOMPARE(TextInput::normalize(typed), stored);
    }

    // Pasted into a shown line edit, a text is on one line at once (a run of
    // tabs, line breaks and spaces is one space, none at the end) and is read
    // so; a password box and a many-line box keep their tabs and line breaks.
    void oneLineBoxes()
    {
        QWidget window;
        auto* line = new QLineEdit(u"علي "_s, &window);
        auto* password = new QLineEdit(&window);
        password->setEchoMode(QLineEdit::Password);
        auto* text = new QPlainTextEdit(u"a\tb\nc"_s, &window);
        window.show();
        QApplication::clipboard()->setText(u"\tرضا\u2028\r\n"_s);
        QTest::keyClick(line, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(line->text(), u"علي رضا"_s);
        const QLineEdit unshown(u"a\tb"_s); // set, never shown
        QCOMPARE(TextInput::boxText(&unshown), u"a b"_s);
        password->setText(u"a\tb"_s);
        QCOMPARE(password->text(), u"a\tb"_s);
        QCOMPARE(TextInput::boxText(text), u"a\tb\nc"_s);
    }

    void storedFormsOfACode()
    {
        QCOMPARE(TextInput::storedForms(u"۰۰۱۲"_s),
                 (QVariantList{u"0012"_s, u"۰۰۱۲"_s, u"٠٠١٢"_s}));
        QCOMPARE(TextInput::storedForms(u"admin"_s), QVariantList{u"admin"_s});
    }

    // Keys typed into a masked date box, an editable list and a text box reach
    // them in the stored form; a password box keeps what is typed.
    void typedKeys()
    {
        QLineEdit date;
        date.setInputMask(u"0000/00/00;_"_s);
        QComboBox list;
        list.setEditable(true);
        QPlainTextEdit text;
        QLineEdit password;
        password.setEchoMode(QLineEdit::Password);
        auto type = [](QWidget* box, const QString& keys) {
            for (const QChar c : keys)
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        };
        type(&date, u"۱۴۰۵٠٩٠١"_s);
        type(&list, u"یک۲"_s);
        type(&text, u"سلام ی۳"_s);
        type(&password, u"ی۳"_s);
        QCOMPARE(date.text(), u"1405/09/01"_s);
        QCOMPARE(list.currentText(), u"يک2"_s);
        QCOMPARE(text.toPlainText(), u"سلام ي3"_s);
        QCOMPARE(password.text(), u"ی۳"_s);
    }

    // Digits pasted in Persian or Arabic-Indic read as the same keys typed, in
    // a date box, a time box and a digits-only box.
    void pastedDigits()
    {
        DateBox date;
        TimeBox time;
        QLineEdit digits;
        TextInput::digitsOnly(&digits);
        const QList<std::tuple<QLineEdit*, QString, QString>> cases{{&date, u"۱۴۰۲/۰۵/۰۹"_s, u"1402/05/09"_s},
                                                                    {&time, u"٠٩:٣٠"_s, u"09:30"_s},
                                                                    {&digits, u"۰۹۱۲"_s, u"0912"_s}};
        for (const auto& [box, pasted, typed] : cases) {
            QGuiApplication::clipboard()->setText(pasted);
            QTest::keySequence(box, QKeySequence::Paste);
            QCOMPARE(box->text(), typed);
        }
        QCOMPARE(date.state(), MaskedBox::Complete);
    }

    // A click past the typed places of a date or time box puts the cursor on
    // its first blank, so digits typed after it go in.
    void clickLandsOnFirstBlank()
    {
        DateBox date;
        TimeBox time;
        const QList<std::tuple<MaskedBox*, QString, int, QString>> cases{
            {&date, QString(), 0, u"1405/09/01"_s},
            {&date, u"1405/0"_s, 6, u"1405/01/40"_s},
            {&time, QString(), 0, u"14:05"_s},
        };
        for (const auto& [box, before, blank, after] : cases) {
            box->resize(200, 30);
            box->setValue(before);
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 5, box->height() / 2));
            QCOMPARE(box->cursorPosition(), blank);
            for (const QChar c : QStringView(after).mid(blank))
                if (c.isDigit())
                    QTest::keyClick(box, c.toLatin1());
            QCOMPARE(box->value(), after);
        }
    }

    void lengthLimit()
    {
        QLineEdit line;
        QComboBox list;
        list.setEditable(true);
        QPlainTextEdit text;
        TextInput::limitLength(&line, 5);
        TextInput::limitLength(&list, 5);
        TextInput::limitLength(&text, 5);
        QCOMPARE(line.maxLength(), 5);
        QCOMPARE(list.lineEdit()->maxLength(), 5);
        text.setPlainText(u"123"_s);
        text.moveCursor(QTextCursor::End);
        text.insertPlainText(u"4567890"_s); // a paste
        QCOMPARE(text.toPlainText(), u"12345"_s);
        QCOMPARE(text.textCursor().position(), 5);
    }

    // A cut falls between characters and leaves no space at the end, in a
    // line edit (typed or pasted) as in a text box.
    void cutAtCharacters()
    {
        QLineEdit line;
        QPlainTextEdit text;
        TextInput::limitLength(&line, 5);
        TextInput::limitLength(&text, 5);
        const QString emojiAtLimit = u"abcd\U0001F600"_s; // the emoji's halves are the 5th and 6th units
        line.insert(emojiAtLimit);
        text.insertPlainText(emojiAtLimit);
        QCOMPARE(line.text(), u"abcd"_s);
        QCOMPARE(text.toPlainText(), u"abcd"_s);
        line.clear();
        line.insert(u"ab   cd"_s);
        QCOMPARE(line.text(), u"ab"_s);
        QCOMPARE(TextInput::cut(u"ab \U0001F600"_s, 4), u"ab"_s);
        QCOMPARE(TextInput::cut(u"ab  "_s, 10), u"ab  "_s);
    }
};

QTEST_MAIN(TestTextInput)
#include "test_text_input.moc"
