// The file dialogs in Persian: Qt's own texts from its Persian translation,
// loaded at start-up, and the types, sizes and dates of the listed files from ours.

#include "platform/ui/app_setup.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/texts.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestFileDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { AppSetup::apply(*qApp); }

    void sizeText_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("nothing") << qint64(0) << u"۰ بايت"_s;
        QTest::newRow("bytes, grouped") << qint64(1023) << u"۱\u066C۰۲۳ بايت"_s;
        QTest::newRow("kilobytes") << qint64(2048 + 1000) << u"۲ کيلوبايت"_s;
        QTest::newRow("megabytes") << qint64(1536) * 1024 << u"۱٫۵ مگابايت"_s;
        QTest::newRow("gigabytes") << qint64(5) * 1024 * 1024 * 1024 << u"۵٫۰۰ گيگابايت"_s;
    }
    void sizeText()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, shown);
        QCOMPARE(FileDialog::sizeText(bytes), shown);
    }

    // Qt's own texts of the dialog come from its Persian translation.
    void qtTextsTranslated()
    {
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), u"جستجو در:"_s);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"انصراف"_s);
    }

    // The dialog's list shows a folder, a file with and without an extension
    // with Persian types and sizes.
    void listedInPersian()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkdir(u"اسناد"_s));
        for (const auto& [name, size] : {std::pair{u"نامه.pdf"_s, 3000}, std::pair{u"README"_s, 10}}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(size, 'x'));
        }
        FileDialog::NameIcons icons;
        QFileDialog dialog(nullptr, QString(), dir.path());
        dialog.setViewMode(QFileDialog::Detail);
        FileDialog::persianList(dialog, icons);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* view = dialog.findChild<QAbstractItemView*>(u"treeView"_s);
        QVERIFY(view);
        QAbstractItemModel* model = view->model();
        const QModelIndex root = view->rootIndex();
        QTRY_COMPARE(model->rowCount(root), 3);
        QMap<QString, QStringList> shown;
        for (int r = 0; r < model->rowCount(root); ++r)
            shown[model->index(r, 0, root).data().toString()] = {model->index(r, 1, root).data().toString(),
                                                                model->index(r, 2, root).data().toString()};
        QCOMPARE(shown.value(u"اسناد"_s), (QStringList{QString(), UiText::FolderType}));
        QCOMPARE(shown.value(u"نامه.pdf"_s), (QStringList{u"۲ کيلوبايت"_s, u"پرونده pdf"_s}));
        QCOMPARE(shown.value(u"README"_s), (QStringList{u"۱۰ بايت"_s, UiText::FileType}));
        QCOMPARE(FileDialog::typeText(QFileInfo(u"/"_s)), UiText::DriveType);
        // Changed on 1 Farvardin 1404 (21 March 2025), at 09:05.
        QCOMPARE(FileDialog::dateText(QDateTime(QDate(2025, 3, 21), QTime(9, 5))), u"۱۴۰۴/۱/۱ ۹:۰۵"_s);
    }
};

QTEST_MAIN(TestFileDialog)
#include "test_file_dialog.moc"
