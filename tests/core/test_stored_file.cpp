// The stored-file helper that the attachments, the electronic file, the
// office's documents and the guesthouse photographs share: the description
// rule, the chosen file and its extension, and opening a stored file from the
// private folder under a name the program builds.

#include "core/stored_file.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/desktop.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/second_workstation.h"
#include "tests/support/test_db.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestStoredFile : public QObject {
    Q_OBJECT

    TestDb m_db;
    QTemporaryDir m_files;
    QStringList opened;

    static QByteArray read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Bytes of every value, no two pieces alike.
    static QByteArray pattern(qint64 size)
    {
        QByteArray bytes(size, Qt::Uninitialized);
        for (qint64 i = 0; i < size; ++i)
            bytes[i] = char((i * 7919) >> 3);
        return bytes;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_files.isValid());
        Desktop::setOpener([this](const QString& path) { opened << path; });
    }

    void init()
    {
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed);
        opened.clear();
    }

    void cleanup() { m_db.reset(); }

    void extensionAsTheNameHasIt_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("extension");
        QTest::newRow("plain") << u"/x/scan.pdf"_s << u".pdf"_s;
        QTest::newRow("upper") << u"/x/SIGN.JPG"_s << u".JPG"_s;
        QTest::newRow("last suffix") << u"/x/a.tar.gz"_s << u".gz"_s;
        QTest::newRow("four letters") << u"/x/photo.jpeg"_s << u".jpeg"_s;
        QTest::newRow("none") << u"/x/README"_s << QString();
        QTest::newRow("dotted folder") << u"/x.y/README"_s << QString();
    }
    void extensionAsTheNameHasIt()
    {
        QFETCH(QString, name);
        QFETCH(QString, extension);
        QCOMPARE(StoredFile::extensionOf(name), extension);
    }

    // Duplicate first, then empty, both said when both hold; a repeatable
    // description passes however often it is stored; without a table only
    // emptiness counts.
    void descriptionRule()
    {
        const StoredFile::DescriptionRule rule{u"empty"_s, u"mostanadat"_s, u"taken"_s, {u"امضاء"_s}};
        Sql::insert(u"mostanadat"_s, {{u"cmt"_s, u"فرم"_s}});
        Sql::insert(u"mostanadat"_s, {{u"cmt"_s, u"امضاء"_s}});
        Sql::insert(u"mostanadat"_s, {{u"cmt"_s, QString()}});
        MsgRecorder msgs;
        QVERIFY(StoredFile::descriptionAllowed(u"فرم دوم"_s, rule));
        QVERIFY(StoredFile::descriptionAllowed(u"امضاء"_s, rule));
        QVERIFY(msgs.texts().isEmpty());
        QVERIFY(!StoredFile::descriptionAllowed(u"فرم"_s, rule));
        QCOMPARE(msgs.texts(), QStringList{u"taken"_s});
        msgs.clear();
        QVERIFY(!StoredFile::descriptionAllowed(QString(), rule));
        QCOMPARE(msgs.texts(), (QStringList{u"taken"_s, u"empty"_s}));
        msgs.clear();
        QVERIFY(!StoredFile::descriptionAllowed(QString(), {.emptyText = u"empty"_s}));
        QVERIFY(StoredFile::descriptionAllowed(u"فرم"_s, {.emptyText = u"empty"_s}));
        QCOMPARE(msgs.texts(), QStringList{u"empty"_s});
    }

    // The chosen file comes with its extension and size; a cancel gives
    // nothing, an unreadable file the caller's message.
    void chosenFile()
    {
        const QString path = m_files.filePath(u"scan.PDF"_s);
        const QByteArray bytes("%PDF\x00\xff", 6);
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        }
        MsgRecorder msgs;
        msgs.answerInput(path);
        const std::optional<StoredFile::Chosen> chosen = StoredFile::choose(u"Bitmap Files(*.bmp)"_s);
        QVERIFY(chosen);
        QCOMPARE(chosen->extension, u".PDF"_s);
        QCOMPARE(chosen->size, bytes.size());
        QCOMPARE(msgs.requests.last().filter, u"Bitmap Files(*.bmp)"_s);
        msgs.answerInput(std::nullopt);
        QVERIFY(!StoredFile::choose());
        msgs.answerInput(m_files.filePath(u"gone.pdf"_s));
        QVERIFY(!StoredFile::choose(QString(), u"unreadable"_s));
        QCOMPARE(msgs.texts(), QStringList{u"unreadable"_s});
    }

    // What is not a regular file, or is larger than the largest file stored,
    // is refused before a byte is read.
    void refusedBeforeReading()
    {
        const QString large = m_files.filePath(u"large.pdf"_s);
        QFile f(large);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(StoredFile::LargestFile + 1)); // sparse
        f.close();
        MsgRecorder msgs;
        for (const QString& path : {u"/dev/zero"_s, m_files.path(), large}) {
            msgs.answerInput(path);
            QVERIFY(!StoredFile::choose());
        }
        QCOMPARE(msgs.texts(), (QStringList{CoreText::AttachmentNotAFile, CoreText::AttachmentNotAFile,
                                            CoreText::AttachmentTooLarge.arg(50)}));
    }

    // A file of several pieces is stored and saved back the same, byte for
    // byte; an empty file is stored empty.
    void storedAndSavedPieceByPiece_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::newRow("empty") << qint64(0);
        QTest::newRow("two pieces and a part") << 2 * StoredFile::Piece + 1234;
    }
    void storedAndSavedPieceByPiece()
    {
        QFETCH(qint64, size);
        const QByteArray bytes = pattern(size);
        const QString path = m_files.filePath(u"scan.pdf"_s);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == size);
        f.close();
        MsgRecorder msgs;
        msgs.answerInput(path);
        const std::optional<StoredFile::Chosen> chosen = StoredFile::choose();
        QVERIFY(chosen);
        QVERIFY(StoredFile::store(u"mostanadat"_s, {{u"cmt"_s, u"فرم"_s}, {u"pictype"_s, chosen->extension}}, *chosen));
        const QVariant id = Sql::scalar(u"select id from mostanadat"_s);
        QCOMPARE(Sql::scalar(u"select pic from mostanadat"_s).toByteArray(), bytes);
        const QString back = m_files.filePath(u"back.pdf"_s);
        QVERIFY(StoredFile::saveTo({u"mostanadat"_s, u"pictype"_s}, id, back));
        QCOMPARE(read(back), bytes);
        QVERIFY(msgs.texts().isEmpty());
    }

    // Another workstation deletes or shortens the row while its file is read
    // a piece at a time: the copy is the whole file as it was when the read
    // began, or nothing with the message; never a part saved as the whole.
    void savedWholeOrNotAtAll_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("deleted") << u"delete from mostanadat where id=?"_s;
        QTest::newRow("shortened") << u"update mostanadat set pic=substring(pic, 1, 10) where id=?"_s;
    }
    void savedWholeOrNotAtAll()
    {
        QFETCH(QString, change);
        const QByteArray bytes = pattern(2 * StoredFile::Piece + 1234);
        const qint64 id = Sql::insert(u"mostanadat"_s, {{u"cmt"_s, u"فرم"_s}, {u"pictype"_s, u".pdf"_s}, {u"pic"_s, bytes}});
        SecondWorkstation other(m_db.options());
        Meeting changed;
        // The read lets the windows paint after its first piece: the other
        // workstation changes the row then, and the read goes on once it has
        // (or after a second, where the change must wait for the read's end).
        QTimer::singleShot(0, [&] {
            other.start([&] {
                Sql::exec(change, {id});
                changed.arrive();
            });
            changed.awaitArrival(1000);
        });
        MsgRecorder msgs;
        const QString back = m_files.filePath(u"back-%1.pdf"_s.arg(QTest::currentDataTag()));
        const bool saved = StoredFile::saveTo({u"mostanadat"_s, u"pictype"_s}, id, back);
        QVERIFY2(other.wait(), qPrintable(other.error()));
        if (saved) {
            QCOMPARE(read(back), bytes);
            QVERIFY(msgs.texts().isEmpty());
        } else {
            QVERIFY(!QFile::exists(back));
            QCOMPARE(msgs.texts(), QStringList{CoreText::AttachmentReadShort});
        }
    }

    // A file that fails while it is read in (here a read the system refuses)
    // is said once the command has ended: no message while the table's key
    // (on the embedded file, its write lock) is held; nothing is stored.
    void unreadableSaidAfterTheCommand()
    {
        // The test build stops a test that shows a message while keys are held.
        MsgRecorder msgs;
        QVERIFY(!StoredFile::store(u"mostanadat"_s, {{u"cmt"_s, u"فرم"_s}, {u"pictype"_s, u".bin"_s}},
                                   {u"/proc/self/mem"_s, u".bin"_s, 0}));
        QCOMPARE(msgs.texts(), QStringList{CoreText::AttachmentUnreadable});
        QCOMPARE(Sql::scalar(u"select count(*) from mostanadat"_s).toInt(), 0);
    }

    // A read that comes back short of the row's length (what a backend
    // without a snapshot gives when the row is deleted meanwhile) keeps
    // nothing: the stream is cut after its first piece.
    void aShortReadKeepsNothing()
    {
        const QByteArray bytes = pattern(2 * StoredFile::Piece + 1234);
        const qint64 id = Sql::insert(u"mostanadat"_s, {{u"cmt"_s, u"فرم"_s}, {u"pictype"_s, u".pdf"_s}, {u"pic"_s, bytes}});
        int pieces = 0;
        StoredFile::setPieceRead([&](const QByteArray& piece) { return ++pieces == 1 ? piece : QByteArray(); });
        const auto restore = qScopeGuard([] { StoredFile::setPieceRead(nullptr); });
        MsgRecorder msgs;
        const QString back = m_files.filePath(u"cut.pdf"_s);
        QVERIFY(!StoredFile::saveTo({u"mostanadat"_s, u"pictype"_s}, id, back));
        QVERIFY(!QFile::exists(back));
        QCOMPARE(msgs.texts(), QStringList{CoreText::AttachmentReadShort});
    }

    // Whatever the stored extension says, the copy lands in the private folder
    // under the program's word and the row's id; opening twice never writes
    // over a copy the viewer may still hold; a row gone opens nothing and is
    // said.
    void openedFromThePrivateFolder()
    {
        const qint64 id = Sql::insert(u"personel_pic"_s, {{u"personel_id"_s, 1}, {u"cmt"_s, u"../../x"_s},
                                                          {u"pictyp"_s, u"/../.p/df"_s}, {u"pic"_s, QByteArray("doc")}});
        QVERIFY(StoredFile::open({u"personel_pic"_s, u"pictyp"_s}, id, u"document"_s));
        QVERIFY(StoredFile::open({u"personel_pic"_s, u"pictyp"_s}, id, u"document"_s));
        QCOMPARE(opened.size(), 2);
        const QString folder = QFileInfo(Desktop::privateTempFolder()).absoluteFilePath();
        QCOMPARE(QFileInfo(opened[0]).absolutePath(), folder);
        QCOMPARE(QFileInfo(opened[0]).fileName(), u"document-%1.pdf"_s.arg(id));
        QCOMPARE(QFileInfo(opened[1]).absolutePath(), folder);
        QVERIFY(opened[1] != opened[0]);
        QCOMPARE(read(opened[0]), QByteArray("doc"));
        QCOMPARE(read(opened[1]), QByteArray("doc"));

        MsgRecorder msgs;
        QVERIFY(!StoredFile::open({u"personel_pic"_s, u"pictyp"_s}, id + 1, u"document"_s));
        QCOMPARE(opened.size(), 2);
        QCOMPARE(msgs.texts(), QStringList{CoreText::StoredFileGone});
    }
};

QTEST_MAIN(TestStoredFile)
#include "test_stored_file.moc"
