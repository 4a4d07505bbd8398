// Checks that every built-in resource is compiled in and has the size and format the game relies
// on: exact picture sizes, transparency where pictures are laid over others, the wave formats
// and lengths of the five sounds, and the help page copied beside the programs.
#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QStringDecoder>
#include <QtEndian>
#include <cstdint>
#include <optional>

#include "logic/technique_names.h"
#include "pictures.h"
#include "platform/wave.h"
#include "resource_names.h"

namespace {

QImage Load(const QString& path) {
    QImage image(path);
    EXPECT_FALSE(image.isNull()) << path.toStdString();
    return image;
}

void ExpectOpaque(const QString& path, int width, int height) {
    SCOPED_TRACE(path.toStdString());
    const QImage image = Load(path);
    EXPECT_EQ(image.size(), QSize(width, height));
    EXPECT_EQ(image.pixelColor(width / 2, height / 2).alpha(), 255);
}

// A picture laid over another: transparent corners, a visible figure.
void ExpectTransparent(const QString& path, int width, int height) {
    SCOPED_TRACE(path.toStdString());
    const QImage image = Load(path);
    ASSERT_EQ(image.size(), QSize(width, height));
    EXPECT_TRUE(image.hasAlphaChannel());
    for (const QPoint corner : {QPoint(0, 0), QPoint(width - 1, 0)})
        EXPECT_EQ(image.pixelColor(corner).alpha(), 0);
    int opaque = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (image.pixelColor(x, y).alpha() > 200) ++opaque;
    EXPECT_GT(opaque, width * height / 20);
}

TEST(Pictures, WindowAndDialogPicturesHaveTheirExactSizes) {
    ExpectOpaque(assets::MapPicture(), 437, 405);
    ExpectOpaque(assets::UserBanner(), 438, 78);
    ExpectOpaque(assets::PlayerDialogBackground(), 474, 254);
    ExpectOpaque(assets::CharacterPanel(), 407, 41);
    ExpectTransparent(assets::CirclePicture(), 64, 64);
}

TEST(Pictures, EveryStationHasItsOwnPicture) {
    std::vector<QImage> pictures;
    for (int station = 0; station < assets::kStationCount; ++station) {
        ExpectOpaque(assets::StationPicture(station), 274, 178);
        pictures.push_back(QImage(assets::StationPicture(station)));
    }
    EXPECT_FALSE(QFile::exists(assets::StationPicture(assets::kStationCount)));
    for (size_t a = 0; a < pictures.size(); ++a)
        for (size_t b = a + 1; b < pictures.size(); ++b)
            EXPECT_NE(pictures[a], pictures[b]) << "stations " << a << " and " << b;
}

TEST(Pictures, CharactersStandOnATransparentBackground) {
    for (int character = 0; character < assets::kCharacterCount; ++character)
        ExpectTransparent(assets::CharacterPicture(character), 128, 128);
    EXPECT_FALSE(QFile::exists(assets::CharacterPicture(assets::kCharacterCount)));
}

TEST(Pictures, ActionIconsComeInThreeSizesWithSlotNineEmpty) {
    for (int index = 0; index < assets::kIconCount; ++index) {
        for (const int size : {16, 32}) {
            const QImage icon = Load(assets::ActionIcon(index, size));
            EXPECT_EQ(icon.size(), QSize(size, size)) << index;
            EXPECT_TRUE(icon.hasAlphaChannel()) << index;
        }
        const QImage tool = Load(assets::ToolImage(index));
        EXPECT_EQ(tool.size(), QSize(64, 64)) << index;
        int visible = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                visible += tool.pixelColor(x, y).alpha() > 0;
        if (index == 9)
            EXPECT_EQ(visible, 0);
        else
            EXPECT_GT(visible, 64 * 64 / 8) << index;
    }
}

TEST(Pictures, PenCursorsHaveTheirTipAtTheHotSpot) {
    for (const QString& path : {assets::PenCursor(), assets::EraserCursor()}) {
        SCOPED_TRACE(path.toStdString());
        const QImage cursor = Load(path);
        ASSERT_EQ(cursor.size(), QSize(32, 32));
        EXPECT_TRUE(cursor.hasAlphaChannel());
        const QPoint tip = assets::kCursorHotSpot;
        int nearTip = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                nearTip = std::max(nearTip, cursor.pixelColor(tip + QPoint(dx, dy)).alpha());
        EXPECT_GT(nearTip, 128);
        // Nothing is drawn left of or below the tip.
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                if (y > tip.y() + 1 || x < tip.x() - 1) {
                    EXPECT_EQ(cursor.pixelColor(x, y).alpha(), 0) << x << "," << y;
                }
            }
        }
    }
}

// Every picture but the application icons (which come in sizes of their own) has a twin of
// twice its size beside it, the same picture: shrunk back it differs from the 1x one by little.
TEST(Pictures, EveryPictureHasATwiceAsDenseTwin) {
    int pictures = 0;
    for (const char* folder : {"pictures", "stations", "characters", "icons", "tools", "cursors"}) {
        QDirIterator it(QStringLiteral(":/") + QString::fromLatin1(folder),
                        {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path.contains(QStringLiteral("@2x"))) continue;
            SCOPED_TRACE(path.toStdString());
            ++pictures;
            const QString dense = assets::AtRatio(path, 2.0);
            ASSERT_NE(dense, path);
            const QImage one = Load(path).convertToFormat(QImage::Format_ARGB32);
            const QImage two = Load(dense).convertToFormat(QImage::Format_ARGB32);
            ASSERT_EQ(two.size(), one.size() * 2);
            EXPECT_EQ(two.hasAlphaChannel(), one.hasAlphaChannel());
            const QImage back =
                two.scaled(one.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            double difference = 0;
            for (int y = 0; y < one.height(); ++y)
                for (int x = 0; x < one.width(); ++x) {
                    const QColor a = one.pixelColor(x, y), b = back.pixelColor(x, y);
                    difference += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                                  std::abs(a.blue() - b.blue()) + std::abs(a.alpha() - b.alpha());
                }
            EXPECT_LT(difference / (one.width() * one.height() * 4), 12.0);
        }
    }
    EXPECT_EQ(pictures,
              5 + assets::kStationCount + assets::kCharacterCount + 3 * assets::kIconCount + 2);
}

TEST(Pictures, TheDenseTwinIsLoadedAboveOneHundredPercent) {
    EXPECT_EQ(assets::LoadImage(assets::MapPicture(), 1.0).devicePixelRatio(), 1.0);
    for (const qreal ratio : {1.5, 2.0}) {
        const QImage map = assets::LoadImage(assets::MapPicture(), ratio);
        EXPECT_EQ(map.devicePixelRatio(), 2.0);
        EXPECT_EQ(map.deviceIndependentSize().toSize(), QSize(437, 405));
    }
    EXPECT_EQ(assets::AtRatio(QStringLiteral(":/no/such.png"), 2.0),
              QStringLiteral(":/no/such.png"));
}

TEST(Pictures, ApplicationIconSizes) {
    for (const int size : {16, 32, 48, 256})
        EXPECT_EQ(Load(assets::AppIcon(size)).size(), QSize(size, size));
}

struct ExpectedSound {
    const char* name;
    int channels, rate, bits;
    double seconds;
};

TEST(Sounds, FiveUncompressedWavesOfTheirFormatAndLength) {
    const ExpectedSound expected[] = {{"Trumpet001", 1, 11025, 8, 3.07},
                                      {"fanfare001", 1, 11025, 8, 7.09},
                                      {"Trumpet0003", 1, 11025, 8, 2.68},
                                      {"Applause0001", 1, 11025, 8, 3.12},
                                      {"chimes", 2, 22050, 16, 0.63}};
    for (const ExpectedSound& e : expected) {
        SCOPED_TRACE(e.name);
        QFile file(assets::Sound(QString::fromLatin1(e.name)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const auto wave = ParseWave(file.readAll());
        ASSERT_TRUE(wave.has_value());
        EXPECT_EQ(wave->Tag, 1);  // PCM
        EXPECT_EQ(wave->Channels, e.channels);
        EXPECT_EQ(wave->Rate, e.rate);
        EXPECT_EQ(wave->Bits, e.bits);
        const int frameBytes = e.channels * e.bits / 8;
        ASSERT_EQ(wave->Samples.size() % frameBytes, 0);
        const double seconds = double(wave->Samples.size() / frameBytes) / e.rate;
        EXPECT_NEAR(seconds, e.seconds, 0.01);
        // Loud enough to hear, never at full scale.
        int peak = 0;
        if (e.bits == 8) {
            for (const char byte : wave->Samples)
                peak = std::max(peak, std::abs(int(static_cast<uchar>(byte)) - 128));
            EXPECT_LT(peak, 127);
            EXPECT_GT(peak, 64);
        } else {
            const auto* data = reinterpret_cast<const uchar*>(wave->Samples.constData());
            for (qsizetype i = 0; i + 1 < wave->Samples.size(); i += 2)
                peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(data + i))));
            EXPECT_LT(peak, 32767);
            EXPECT_GT(peak, 16384);
        }
    }
}

TEST(Sounds, ParserRejectsDamagedImages) {
    QFile file(assets::Sound(QStringLiteral("chimes")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    ASSERT_TRUE(ParseWave(good).has_value());
    EXPECT_FALSE(ParseWave(good.left(good.size() - 1)).has_value());
    QByteArray notWave = good;
    notWave.replace(8, 4, "AVI ");
    EXPECT_FALSE(ParseWave(notWave).has_value());
}

TEST(HelpPage, LiesBesideTheProgramsAsUtf8WithEveryTechnique) {
    QFile file(QStringLiteral(SENKARO_HELP_PAGE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << SENKARO_HELP_PAGE;
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    ASSERT_FALSE(decoder.hasError());
    EXPECT_TRUE(text.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    // The page names every technique exactly as the game's own table does.
    for (std::size_t level = 1; level < TechniqueLevelNames.size(); ++level) {
        const std::string_view name = TechniqueLevelNames[level];
        EXPECT_TRUE(
            text.contains(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))))
            << name;
    }
    EXPECT_TRUE(text.contains(QStringLiteral("senkaro.ini.damaged")));
    // Self-contained: pictures are embedded, nothing is fetched from elsewhere.
    EXPECT_FALSE(text.contains(QStringLiteral("src=\"http")));
}

}  // namespace
