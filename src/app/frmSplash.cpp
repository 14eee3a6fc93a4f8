#include "app/frmSplash.h"

#include "app/Module1.h"
#include "app/SplashArt.h"
#include "app/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace {

// Client area and control rectangles, in twips.
constexpr int clientWidth = 6990;
constexpr int clientHeight = 4320;
constexpr int frameMargin = 180;
const QString sansFamily = QStringLiteral("MS Sans Serif");

QRect twipRect(int left, int top, int width, int height)
{
    return QRect(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width), Twips::toPixels(height));
}

QFont labelFont(const QString &family, qreal points, bool bold = false, bool italic = false)
{
    QFont font;
    // Where the named family is missing, a free look-alike stands in.
    const bool serif = family.startsWith(QLatin1String("Times"));
    font.setFamilies({family, serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans")});
    font.setStyleHint(serif ? QFont::Serif : QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QLabel *addLabel(QWidget *parent, const QString &text, const QFont &font, const QRect &rect)
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    // A text wider than its label grows the label rather than being cut,
    // and a grown label moves left to stay inside the frame.
    QRect fitted = rect;
    fitted.setWidth(std::max(rect.width(), label->sizeHint().width()));
    fitted.setHeight(std::max(rect.height(), label->sizeHint().height()));
    const int rightEdge = Twips::toPixels(clientWidth - frameMargin);
    if (fitted.right() > rightEdge)
        fitted.moveRight(rightEdge);
    label->setGeometry(fitted);
    return label;
}

} // namespace

frmSplash::frmSplash(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setWindowTitle(AppTitle());
    setFixedSize(Twips::toPixels(clientWidth), Twips::toPixels(clientHeight));
    setAutoFillBackground(true);

    auto *fraMainFrame = new QFrame(this);
    fraMainFrame->setFrameShape(QFrame::Box);
    fraMainFrame->setGeometry(twipRect(120, 60, clientWidth - 240, clientHeight - 180));

    auto *picLogo = new QLabel(this);
    picLogo->setPixmap(QPixmap::fromImage(SplashArt::logo()));
    picLogo->setFrameShape(QFrame::Panel);
    picLogo->setFrameShadow(QFrame::Sunken);
    picLogo->setAlignment(Qt::AlignCenter);
    picLogo->setGeometry(twipRect(510, 855, 1815, 2385));

    addLabel(this, QString(), labelFont(sansFamily, 18, true), twipRect(2505, 765, 3000, 435));
    lblProductName = addLabel(this, AppTitle(),
                              labelFont(QStringLiteral("Times New Roman"), 27.75, true, true),
                              twipRect(2550, 1200, 2970, 675));

    auto *image1 = new QLabel(this);
    image1->setPixmap(QPixmap::fromImage(SplashArt::chordPicture()));
    image1->setGeometry(twipRect(5760, 1080, 795, 900));

    const QFont small = labelFont(sansFamily, 8.25);
    addLabel(this, QStringLiteral("Copyright %1 2026 Hollowpine Software").arg(QChar(0x00A9)), small,
             twipRect(2655, 2040, 1695, 255));
    addLabel(this, QStringLiteral("Written by the Songloom team"), small, twipRect(2655, 2250, 1815, 255));
    lblCompany = addLabel(this, QStringLiteral("Hollowpine Software"), small, twipRect(2655, 2475, 1815, 255));
    lblVersion = addLabel(this, AppVersionText(), labelFont(sansFamily, 12, true), twipRect(5130, 2520, 1170, 300));
    addLabel(this, QStringLiteral("www.hollowpine.example"), small, twipRect(2655, 2700, 1815, 255));
    lblPlatform = addLabel(this, platformText(), small, twipRect(5670, 2880, 570, 195));

    cmdClose = new QPushButton(QStringLiteral("&OK"), this);
    cmdClose->setFont(small);
    cmdClose->setGeometry(twipRect(5490, 3375, 855, 390));
    cmdClose->setDefault(true);
    cmdClose->hide();
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    addLabel(this, QString(), small, twipRect(480, 3600, 4455, 195));
}

QString frmSplash::platformText()
{
#if defined(Q_OS_LINUX)
    return QStringLiteral("Linux (X11, Wayland)");
#elif defined(Q_OS_WIN)
    return QStringLiteral("Windows 10, 11");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("macOS");
#else
    return QStringLiteral("Unix (X11)");
#endif
}

void frmSplash::reject()
{
    // The splash cannot be closed by the user; the About box can, with Esc.
    if (!cmdClose->isHidden() || !isVisible())
        QDialog::reject();
}

frmSplash *frmSplash::createAbout(QWidget *owner)
{
    auto *about = new frmSplash(owner);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->cmdClose->setVisible(true);
    about->cmdClose->setFocus();
    return about;
}

void frmSplash::showAbout(QWidget *owner)
{
    createAbout(owner)->exec();
}
