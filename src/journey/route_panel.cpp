#include "journey/route_panel.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

#include "journey/text_fit.h"
#include "journey/text_shadow.h"
#include "pictures.h"
#include "platform/fonts.h"
#include "resource_names.h"

namespace {

constexpr int kTextLeft = 16;
constexpr int kLevelTop = 79;
constexpr int kNameMinPixels = 12;
constexpr int kPositionPixels = 14;
constexpr int kPositionMinPixels = 10;
// The position text's band: padding inside it, and its gap to the edges and the character.
constexpr int kBandPadding = 6;
constexpr int kBandGap = 6;

QLabel* Picture(QWidget* parent, const QRect& geometry, const QString& resource) {
    auto* label = new QLabel(parent);
    label->setGeometry(geometry);
    label->setPixmap(assets::LoadPixmap(resource));
    label->setScaledContents(true);
    return label;
}

}  // namespace

TRoutePanel::TRoutePanel(QWidget* parent, const QRect& geometry) : QFrame(parent) {
    setFrameShape(QFrame::NoFrame);
    setGeometry(geometry);
    const int w = geometry.width();
    const int h = geometry.height();

    // The banner with the player's name, embossed: a grey copy one pixel off under the name.
    imUser_ = Picture(this, QRect(0, 0, w, kBannerHeight), assets::UserBanner());
    const QFont nameFont = fonts::PixelFont(fonts::kWindowFace, 22, true);
    userShadow_ = new TTextShadow(this, QColor(192, 192, 192), Qt::AlignCenter);
    userShadow_->setGeometry(1, 1, w, kBannerHeight);
    lbUser1_ = new QLabel(this);
    lbUser1_->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0);"));
    lbUser1_->setGeometry(0, 0, w, kBannerHeight);
    lbUser1_->setAlignment(Qt::AlignCenter);
    lbUser1_->setFont(nameFont);

    const QRect mapRect(0, kBannerHeight, w, h - kBannerHeight);
    imMap_ = Picture(this, mapRect, assets::MapPicture());

    // The level name: a greyed caption over a coloured shadow, the marks between the two.
    const QFont brush = fonts::PixelFont(fonts::kBrushFace, 32, true);
    levelShadow_ = new TTextShadow(this, QColor(0, 160, 192), Qt::AlignLeft | Qt::AlignVCenter);
    levelShadow_->move(kTextLeft + 4, kLevelTop + 3);

    overlay_ = new QLabel(this);
    overlay_->setGeometry(mapRect);
    overlay_->setAttribute(Qt::WA_TranslucentBackground);
    overlay_->setAttribute(Qt::WA_TransparentForMouseEvents);

    lbNokaviraMode1_ = new QLabel(this);
    lbNokaviraMode1_->setFont(brush);
    lbNokaviraMode1_->setStyleSheet(QStringLiteral("color: rgb(128, 128, 128);"));
    lbNokaviraMode1_->move(kTextLeft, kLevelTop);
    lbNokaviraMode1_->setEnabled(false);

    // The position text lies on a dark band, so it reads over land and sea alike.
    lbNokaviraPosition_ = new QLabel(this);
    lbNokaviraPosition_->setFont(fonts::PixelFont(fonts::kWindowFace, kPositionPixels, true));
    lbNokaviraPosition_->setStyleSheet(
        QStringLiteral("color: rgb(0, 224, 255); background: rgba(0, 24, 48, 170);"
                       "border-radius: 4px; padding: %1px;")
            .arg(kBandPadding));
    lbNokaviraPosition_->setAttribute(Qt::WA_TransparentForMouseEvents);

    imCharactor_ = new QLabel(this);
    imCharactor_->setGeometry(w - kCharacterSize, h - kCharacterSize, kCharacterSize,
                              kCharacterSize);
    imCharactor_->setAttribute(Qt::WA_TranslucentBackground);
    imCharactor_->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TRoutePanel::ShowUserName(const QString& name) {
    const QSize room = lbUser1_->size() - QSize(16, 0);
    QFont font =
        FittedFont(fonts::PixelFont(fonts::kWindowFace, 22, true), name, room, kNameMinPixels);
    const QString shown = QFontMetrics(font).elidedText(name, Qt::ElideRight, room.width());
    lbUser1_->setFont(font);
    lbUser1_->setText(shown);
    userShadow_->Show(shown, font);
    lbUser1_->setToolTip(shown == name ? QString() : name);
}

void TRoutePanel::ShowLevel(const QString& levelName) {
    // The level name may reach the map's vertical title, no further.
    const QSize room(width() - kTextLeft - 40, 48);
    const QFont font =
        FittedFont(fonts::PixelFont(fonts::kBrushFace, 32, true), levelName, room, kNameMinPixels);
    // A brush face inks past its advance: the label is as wide as the ink.
    const QFontMetrics metrics(font);
    const QSize size(
        std::max(metrics.horizontalAdvance(levelName), metrics.boundingRect(levelName).right() + 1),
        metrics.height());
    lbNokaviraMode1_->setFont(font);
    lbNokaviraMode1_->setText(levelName);
    lbNokaviraMode1_->resize(size);
    levelShadow_->Show(levelName, font);
    levelShadow_->resize(size);
}

void TRoutePanel::ShowPosition(int station) {
    const QString text = PositionText(station);
    // Left of the character, above the panel's bottom edge.
    const int room = width() - kCharacterSize - kTextLeft - kBandGap - 2 * kBandPadding;
    QFont font = fonts::PixelFont(fonts::kWindowFace, kPositionPixels, true);
    font = FittedFont(font, text, QSize(room, 3 * kPositionPixels * 2), kPositionMinPixels);
    lbNokaviraPosition_->setFont(font);
    lbNokaviraPosition_->setText(text);
    lbNokaviraPosition_->setVisible(!text.isEmpty());
    lbNokaviraPosition_->adjustSize();
    lbNokaviraPosition_->move(kTextLeft - kBandPadding,
                              height() - kBandGap - lbNokaviraPosition_->height());
}

void TRoutePanel::ShowMarks(const TRouteMarks& marks) {
    overlayImage_ =
        DrawStationMarks(overlay_->width(), overlay_->height(), marks, assets::ScreenRatio());
    overlay_->setPixmap(QPixmap::fromImage(overlayImage_));
}

void TRoutePanel::ShowCharacter(int character) {
    if (character < 0 || character > 8) {
        imCharactor_->clear();
        return;
    }
    imCharactor_->setPixmap(assets::LoadPixmap(assets::CharacterPicture(character)));
}

TCheckpointGallery::TCheckpointGallery(QWidget* parent, const QRect& geometry) : QLabel(parent) {
    setGeometry(geometry);
}

void TCheckpointGallery::Show(const TRouteMarks& marks, const QFont& font) {
    const qreal ratio = assets::ScreenRatio();
    image_ = DrawCheckpointGallery(
        width(), height(), marks,
        [ratio](int station) { return assets::LoadImage(assets::StationPicture(station), ratio); },
        font, ratio);
    setPixmap(QPixmap::fromImage(image_));
}
