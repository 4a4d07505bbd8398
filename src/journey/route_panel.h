// The journey's side of the main window, below its tool band: the player's name on the banner,
// the route map with the station marks over it, the level's name, the position text and the
// travel character. It shows what it is told and keeps every text whole: a text that does not
// fit its place is set in a smaller face, and a name that still does not fit is elided, with
// the whole name as its tooltip.
#pragma once

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QString>

#include "journey/route_map.h"

class TTextShadow;

class TRoutePanel final : public QFrame {
  public:
    static constexpr int kBannerHeight = 78;
    // The character stands in the bottom right corner.
    static constexpr int kCharacterSize = 128;

    TRoutePanel(QWidget* parent, const QRect& geometry);

    void ShowUserName(const QString& name);
    void ShowLevel(const QString& levelName);
    void ShowPosition(int station);
    void ShowMarks(const TRouteMarks& marks);
    // 0-8; anything else shows no character.
    void ShowCharacter(int character);

    QLabel& UserLabel() { return *lbUser1_; }
    QLabel& LevelLabel() { return *lbNokaviraMode1_; }
    QLabel& PositionLabel() { return *lbNokaviraPosition_; }
    QLabel& CharacterPicture() { return *imCharactor_; }
    const QImage& OverlayImage() const { return overlayImage_; }

  private:
    QLabel* imUser_ = nullptr;
    QLabel* lbUser1_ = nullptr;
    TTextShadow* userShadow_ = nullptr;
    QLabel* imMap_ = nullptr;
    QLabel* overlay_ = nullptr;
    QImage overlayImage_;
    QLabel* lbNokaviraMode1_ = nullptr;
    TTextShadow* levelShadow_ = nullptr;
    QLabel* lbNokaviraPosition_ = nullptr;
    QLabel* imCharactor_ = nullptr;
};

// The gallery of the journey's checkpoint stations along the bottom of the window.
class TCheckpointGallery final : public QLabel {
  public:
    TCheckpointGallery(QWidget* parent, const QRect& geometry);
    void Show(const TRouteMarks& marks, const QFont& font);
    const QImage& Image() const { return image_; }

  private:
    QImage image_;
};
