// Labels as the form layouts place them: auto-sized to the caption and anchored at their
// left or right edge, or fixed in size with the text centred. Labels are drawn beneath the
// inputs they share room with.
#pragma once

#include <QLabel>

namespace grimtally::ui {

class Label : public QLabel {
    Q_OBJECT
public:
    enum class Anchor { Left, Right, FixedCentred };
    // For Anchor::Right, `x` is the right edge; otherwise the left edge.
    Label(QWidget* parent, const QString& objectName, Anchor anchor, int x, int top,
          int fixedWidth = 0, int fixedHeight = 12);

    void setCaption(const QString& caption); // re-sizes and keeps the anchored edge
    QString caption() const { return caption_; }

    // The widest an auto-sized label may grow. A caption wider than that in the font at
    // hand is narrowed (font stretch, then letter spacing) and, if still too wide, elided
    // with the whole caption as its tooltip, rather than running past its room. Without a
    // room given here, the window's caption fitting gives it the room up to its neighbours;
    // a fixed label's room is its width.
    void setRoom(int room);
    // For a label laid out by hand in a font of its own: never narrowed.
    void keepOwnFont();
    bool takesNeighbourRoom() const { return roomKind_ == RoomKind::Neighbours; }
    void setNeighbourRoom(int room); // from the window's caption fitting

    Anchor anchor() const { return anchor_; }
    int anchorEdge() const { return x_; } // the right edge of a right-anchored label

protected:
    void changeEvent(QEvent* event) override;

private:
    void place();
    void fitIntoRoom();

    enum class RoomKind { Neighbours, Given, OwnFont };

    QString caption_;
    int room_ = 0; // 0: as wide as the caption
    RoomKind roomKind_ = RoomKind::Neighbours;
    bool fitting_ = false;
    Anchor anchor_;
    int x_;
    int top_;
    int fixedWidth_;
    int fixedHeight_;
};

} // namespace grimtally::ui
