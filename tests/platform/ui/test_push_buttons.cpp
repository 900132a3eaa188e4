// A button's picture and caption stand together in its middle, in either
// direction, whatever the button's width.

#include "platform/ui/push_buttons.h"

#include <QApplication>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QtTest>

class TestPushButtons : public QObject {
    Q_OBJECT

    // The blank columns inside the button's border left and right of what it shows.
    static std::pair<int, int> margins(QPushButton& button)
    {
        const QImage image = button.grab().toImage();
        const QRgb blank = image.pixel(image.width() / 2, 3);
        int first = -1, last = -1;
        for (int x = 3; x < image.width() - 3; ++x)
            for (int y = 4; y < image.height() - 4; ++y)
                if (qGray(image.pixel(x, y)) < qGray(blank) - 60) {
                    if (first < 0)
                        first = x;
                    last = x;
                }
        return {first, image.width() - 1 - last};
    }

private slots:
    void pictureAndCaptionStandInTheMiddle()
    {
        // As the program runs: a right-to-left application.
        QApplication::setLayoutDirection(Qt::RightToLeft);
        std::unique_ptr<QStyle> style(PushButtons::centredLabels(QStyleFactory::create(QStringLiteral("Fusion"))));
        for (Qt::LayoutDirection direction : {Qt::RightToLeft, Qt::LeftToRight}) {
            QPushButton button(QStringLiteral("تأييد"));
            button.setStyle(style.get());
            button.setLayoutDirection(direction);
            button.setIcon(style->standardIcon(QStyle::SP_DialogOkButton));
            button.resize(200, 30);
            const auto [left, right] = margins(button);
            QVERIFY2(left > 40 && std::abs(left - right) <= 6,
                     qPrintable(QStringLiteral("%1 and %2").arg(left).arg(right)));
        }
    }
};

QTEST_MAIN(TestPushButtons)
#include "test_push_buttons.moc"
