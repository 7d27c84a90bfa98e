#include "desktop/app/AboutBox.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include "Version.h"

namespace {

// Three flags of a race: green, yellow and chequered.
QPixmap flagPicture(int picture) {
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(80, 60, 40), 3));
    p.drawLine(8, 4, 8, 46);
    const QRect cloth(10, 6, 32, 22);
    if (picture == 3) {
        for (int x = 0; x < 4; ++x) {
            for (int y = 0; y < 3; ++y)
                p.fillRect(cloth.x() + x * 8, cloth.y() + y * 7 + 1, 8, 7,
                           (x + y) % 2 ? Qt::white : Qt::black);
        }
    } else {
        p.fillRect(cloth, picture == 1 ? QColor(0, 170, 60) : QColor(250, 210, 0));
    }
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(cloth);
    return pixmap;
}

}  // namespace

std::array<int, 2> AboutBox::framePictures(int counter) {
    static constexpr int kFirst[] = {1, 2, 3, 2};
    static constexpr int kSecond[] = {3, 2, 1, 2};
    return {kFirst[counter & 3], kSecond[counter & 3]};
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About VELTRA4 Replay Analyser"));
    static std::array<QPixmap, 3> pictures = {flagPicture(1), flagPicture(2), flagPicture(3)};
    pictures_ = &pictures;
    auto* layout = new QGridLayout(this);
    for (int column = 0; column < 2; ++column) {
        columns_[static_cast<std::size_t>(column)] = new QLabel;
        layout->addWidget(columns_[static_cast<std::size_t>(column)], 0, column == 0 ? 0 : 2, 2, 1);
    }
    auto* title =
        new QLabel(QStringLiteral("%1 Version %2")
                       .arg(QString::fromLatin1(kProductName), QString::fromLatin1(kProductVersion)));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    title->setFont(bold);
    auto* credits = new QLabel(QStringLiteral(
        "Reports, track maps, telemetry graphs and lap analysis\nfor the replays of VELTRA Racing 4.\n\n"
        "Written by the VxRA team.\nThanks to every league organiser and sim racer who sent replays and "
        "ideas.\n\n"
        "<a href=\"mailto:vxra-support@example.org\">vxra-support@example.org</a><br>"
        "<a href=\"https://vxra.example.org/\">https://vxra.example.org/</a>"));
    credits->setTextFormat(Qt::RichText);
    credits->setText(credits->text().replace(QLatin1Char('\n'), QStringLiteral("<br>")));
    credits->setOpenExternalLinks(true);
    layout->addWidget(title, 0, 1, Qt::AlignHCenter);
    layout->addWidget(credits, 1, 1);
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &AboutBox::advance);
    timer_->start(133);
    advance();
}

void AboutBox::advance() {
    const auto shown = framePictures(counter_);
    for (int column = 0; column < 2; ++column)
        columns_[static_cast<std::size_t>(column)]->setPixmap(
            (*pictures_)[static_cast<std::size_t>(shown[static_cast<std::size_t>(column)] - 1)]);
    counter_ = counter_ >= 254 ? 0 : counter_ + 1;
}

void AboutBox::mousePressEvent(QMouseEvent*) {
    accept();
}
