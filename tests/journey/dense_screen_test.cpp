// On a screen scaled to 200 % (run with QT_SCALE_FACTOR=2) the window draws its pictures from
// their twice-as-dense twins: every picture it shows carries ratio 2, and the map drawn on
// screen is the dense map pixel for pixel, not the 1x one blown up.
#include <gtest/gtest.h>

#include <QLabel>

#include "journey/fake_dialogs.h"
#include "journey/main_window.h"
#include "journey/window_test_support.h"
#include "pictures.h"
#include "resource_names.h"

namespace {

// The mean difference of two images of one size, per channel.
double MeanDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * x.width() * x.height());
}

}  // namespace

TEST(DenseScreen, TheWindowDrawsItsPicturesFromTheDenseTwins) {
    if (assets::ScreenRatio() < 2.0) GTEST_SKIP() << "run with QT_SCALE_FACTOR=2";
    TGameFolder folder;
    folder.WritePlayers({QStringLiteral("A=0,7,\"3,52\",\"2026/1/1 0:00:00\",0")});
    TFakeDialogs dialogs;
    TManualClock clock;
    TServices services;
    services.Dialogs = &dialogs;
    services.Clock = &clock;
    services.DataFile = folder.DataFile();
    TForm1 window(services);
    window.SetPaced(false);
    window.EventTimer().setInterval(3'600'000);
    window.show();
    Settle();

    QLabel* map = nullptr;
    int pictures = 0;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        const QPixmap shown = label->pixmap();
        if (shown.isNull()) continue;
        ++pictures;
        EXPECT_EQ(shown.devicePixelRatio(), 2.0) << label->objectName().toStdString();
        if (shown.deviceIndependentSize().toSize() == QSize(437, 405)) map = label;
    }
    EXPECT_GE(pictures, 4);  // banner, map, character, gallery
    EXPECT_EQ(window.GalleryImage().devicePixelRatio(), 2.0);
    EXPECT_EQ(window.Journey().OverlayImage().devicePixelRatio(), 2.0);

    ASSERT_NE(map, nullptr);
    const QImage drawn = map->grab().toImage();
    ASSERT_EQ(drawn.size(), map->size() * 2);
    // The label fits the picture to its size as it draws; so do the references.
    const auto fitted = [&](const QString& file) {
        return assets::LoadImage(file, 1.0).scaled(drawn.size(), Qt::IgnoreAspectRatio,
                                                   Qt::SmoothTransformation);
    };
    const QImage dense = fitted(assets::AtRatio(assets::MapPicture(), 2.0));
    const QImage blownUp = fitted(assets::MapPicture());
    EXPECT_LT(MeanDifference(drawn, dense), 2.0);
    EXPECT_GT(MeanDifference(drawn, blownUp), 2.0 * MeanDifference(drawn, dense) + 1.0);
}
