#pragma once

#include <QPointer>
#include <QWidget>

class Motion;

// Room at the top of a screen for one banner, which slides down from the top edge while fading
// in and slides back up fading out when it goes; what lies below moves with the room it takes.
class BannerSlot : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal open READ open WRITE setOpen)

public:
    // The banner is kept `sideMargin` in from each side.
    explicit BannerSlot(int sideMargin, QWidget* parent = nullptr);

    QWidget* banner() const { return banner_; }
    // Takes `banner`, replacing any other; null closes the slot.
    void setBanner(QWidget* banner);

    // 0 → 1 as the banner comes in.
    qreal open() const { return open_; }
    void setOpen(qreal open);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int bannerHeight() const;
    void place();

    int sideMargin_;
    QPointer<QWidget> banner_;
    QPointer<QWidget> leaving_;
    qreal open_ = 0;
    Motion* motion_;
};
