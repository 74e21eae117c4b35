#include "shell/info_box.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "core/version.h"

namespace qvt {
namespace {

// The picture of the box: a panel meter front with its red digits.
QPixmap MeterPicture() {
    QPixmap pixmap(193, 89);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(90, 90, 96));
    p.drawRoundedRect(QRectF(4, 4, 185, 81), 6, 6);
    p.setBrush(Qt::black);
    p.drawRect(QRectF(16, 14, 120, 46));
    QFont digits("Arial");
    digits.setPixelSize(36);
    digits.setBold(true);
    p.setFont(digits);
    p.setPen(Qt::red);
    p.drawText(QRectF(16, 14, 120, 46), Qt::AlignCenter, "410.0");
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 40, 40));
    p.drawEllipse(QPointF(156, 26), 6, 6);
    p.setBrush(QColor(60, 200, 60));
    p.drawEllipse(QPointF(156, 48), 6, 6);
    QFont small("Arial");
    small.setPixelSize(11);
    small.setBold(true);
    p.setFont(small);
    p.setPen(Qt::white);
    p.drawText(QRectF(16, 64, 160, 16), Qt::AlignLeft | Qt::AlignVCenter, "QVT410");
    return pixmap;
}

QLabel* BlueLine(QWidget* parent, const QString& text, int top, int pixelSize, bool bold) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    label->setStyleSheet("color: blue;");
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(8, top, 297, pixelSize + 6);
    return label;
}

}  // namespace

InfoBox::InfoBox(QWidget* parent) : QDialog(parent) {
    setObjectName("InfoBox");
    setWindowTitle("Programminfo");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(313, 215);
    setAutoFillBackground(true);
    // A type selector writes the namespace's "::" as "--".
    setStyleSheet("qvt--InfoBox { background: white; }");

    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::Box);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(4, 4, 305, 170);

    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setPixmap(MeterPicture());
    picture->setGeometry(60, 10, 193, 89);

    BlueLine(this, "Parametrieren eines QVT", 104, 16, true)->setObjectName("ProductName");
    BlueLine(this, QString::fromUtf8("Service-Werkzeug für QVT-Digitalanzeigen"), 128, 12, true)
        ->setObjectName("Copyright");
    BlueLine(this, QString("Version ") + qvt::kVersion, 150, 12, false)->setObjectName("Version");

    okButton_ = new QPushButton("OK", this);
    okButton_->setObjectName("OKBtn");
    okButton_->setDefault(true);
    okButton_->setGeometry(119, 182, 75, 25);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::close);
}

void InfoBox::showEvent(QShowEvent* event) {
    const QWidget* anchor = parentWidget() ? parentWidget() : this;
    const QRect screen = anchor->screen()->availableGeometry();
    move(QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, frameSize(), screen).topLeft());
    QDialog::showEvent(event);
}

}  // namespace qvt
