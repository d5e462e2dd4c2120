#include "ui/module/AccessNeededView.h"

#include <QPainter>
#include <QVBoxLayout>

#include "platform/PlatformWords.h"
#include "ui/design/ModuleTheme.h"
#include "ui/design/Palette.h"
#include "ui/design/PillButton.h"
#include "ui/design/SoftButton.h"
#include "ui/design/Symbols.h"
#include "ui/design/TextLabel.h"
#include "ui/design/Typography.h"
#include "ui/mascot/Mascot.h"
#include "ui/module/ModuleTexts.h"

namespace {

// A warm circle with a lock in it and the mascot peeking from its lower right.
class LockCluster : public QWidget {
public:
    static constexpr qreal circle = 150;
    static constexpr qreal mascotSize = 48;

    explicit LockCluster(QWidget* parent = nullptr) : QWidget(parent), mascot_(new Mascot(Mascot::Mood::happy, mascotSize, this))
    {
        // Room for the mascot, offset (+56, +50) from the centre, and its bounce.
        const QMargins overflow = mascot_->overflowMargins();
        const qreal reach = 56 + mascotSize / 2 + overflow.right();
        setFixedSize(int(std::ceil(2 * reach)), int(std::ceil(2 * std::max(circle / 2, 50 + mascotSize / 2 + overflow.bottom()))));
        const QPointF centre = QRectF(rect()).center() + QPointF(56, 50);
        mascot_->setGeometry(QRectF(centre - QPointF(mascotSize / 2, mascotSize / 2), QSizeF(mascotSize, mascotSize))
                                 .toAlignedRect()
                                 .marginsAdded(overflow));
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        const QPointF centre = QRectF(rect()).center();
        painter.setPen(Qt::NoPen);
        painter.setBrush(Palette::warningTint.current());
        painter.drawEllipse(centre, circle / 2, circle / 2);
        const qreal side = Symbols::sideForFontSize(52);
        Symbols::paint(painter, QRectF(centre - QPointF(side / 2, side / 2), QSizeF(side, side)),
                       QStringLiteral("lock.fill"), Palette::warning.current());
    }

private:
    Mascot* mascot_;
};

} // namespace

AccessNeededView::AccessNeededView(Module module, QWidget* parent) : QWidget(parent)
{
    const ModuleTheme theme = ModuleTheme::of(module);
    settings_ = new PillButton(ModuleTexts::platform(platform::platformWords().openAccessSettings), theme.strong,
                               theme.onStrong);
    tryAgain_ = new SoftButton(tr("Try again"));

    auto* column = new QVBoxLayout(this);
    column->setSpacing(20);
    column->addStretch();
    column->addWidget(new LockCluster, 0, Qt::AlignHCenter);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(10);
    auto* title = new TextLabel(ModuleTexts::accessTitle(module), Typography::display(), Palette::ink);
    title->setAlignment(Qt::AlignHCenter);
    texts->addWidget(title, 0, Qt::AlignHCenter);
    auto* message = new TextLabel(ModuleTexts::accessMessage(module), Typography::lead(), Palette::inkSecondary);
    message->setAlignment(Qt::AlignHCenter);
    message->setWordWrap(2, 480);
    message->setMaximumWidth(480);
    texts->addWidget(message, 0, Qt::AlignHCenter);
    column->addLayout(texts);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addStretch();
    buttons->addWidget(settings_);
    buttons->addWidget(tryAgain_);
    buttons->addStretch();
    column->addLayout(buttons);
    column->addStretch();
    connect(settings_, &QAbstractButton::clicked, this, &AccessNeededView::settingsClicked);
    connect(tryAgain_, &QAbstractButton::clicked, this, &AccessNeededView::tryAgainClicked);
}
