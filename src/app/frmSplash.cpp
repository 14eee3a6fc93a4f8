#include "app/frmSplash.h"

#include "base/DataFolders.h"
#include "base/Module1.h"
#include "app/SplashArt.h"
#include "base/Twips.h"

#include <QDir>
#include <QFontMetrics>
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

// A folder as the user knows it: the home folder shortened to "~".
QString shownFolder(const QString &path)
{
    const QString home = QDir::homePath();
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
    if (clean == home || clean.startsWith(home + QLatin1Char('/')))
        return QDir::toNativeSeparators(QLatin1Char('~') + clean.mid(home.size()));
    return QDir::toNativeSeparators(clean);
}

// Where the user's chords, words and songs are kept, one line each.
QString dataFoldersText(const QFont &font, int width)
{
    const QFontMetrics metrics(font);
    const auto line = [&](const QString &label, const QString &path) {
        return metrics.elidedText(label + shownFolder(path), Qt::ElideMiddle, width);
    };
    return line(QStringLiteral("Chords and words: "), DataFolders::DataPath()) + QLatin1Char('\n')
           + line(QStringLiteral("Songs: "), DataFolders::SongsPath());
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
    fraMainFrame->setGeometry(Twips::Rect{120, 60, clientWidth - 240, clientHeight - 180}.pixels());

    auto *picLogo = new QLabel(this);
    picLogo->setPixmap(QPixmap::fromImage(SplashArt::logo()));
    picLogo->setFrameShape(QFrame::Panel);
    picLogo->setFrameShadow(QFrame::Sunken);
    picLogo->setAlignment(Qt::AlignCenter);
    picLogo->setGeometry(Twips::Rect{510, 855, 1815, 2385}.pixels());

    addLabel(this, QString(), labelFont(sansFamily, 18, true), Twips::Rect{2505, 765, 3000, 435}.pixels());
    lblProductName = addLabel(this, AppTitle(),
                              labelFont(QStringLiteral("Times New Roman"), 27.75, true, true),
                              Twips::Rect{2550, 1200, 2970, 675}.pixels());

    auto *image1 = new QLabel(this);
    image1->setPixmap(QPixmap::fromImage(SplashArt::chordPicture()));
    image1->setGeometry(Twips::Rect{5760, 1080, 795, 900}.pixels());

    const QFont small = labelFont(sansFamily, 8.25);
    addLabel(this, QStringLiteral("Copyright %1 2026 Hollowpine Software").arg(QChar(0x00A9)), small,
             Twips::Rect{2655, 2040, 1695, 255}.pixels());
    addLabel(this, QStringLiteral("Written by the Songloom team"), small, Twips::Rect{2655, 2250, 1815, 255}.pixels());
    lblCompany = addLabel(this, QStringLiteral("Hollowpine Software"), small,
                          Twips::Rect{2655, 2475, 1815, 255}.pixels());
    lblVersion = addLabel(this, AppVersionText(), labelFont(sansFamily, 12, true),
                          Twips::Rect{5130, 2520, 1170, 300}.pixels());
    addLabel(this, QStringLiteral("www.hollowpine.example"), small, Twips::Rect{2655, 2700, 1815, 255}.pixels());
    lblPlatform = addLabel(this, platformText(), small, Twips::Rect{5670, 2880, 570, 195}.pixels());

    cmdClose = new QPushButton(QStringLiteral("&OK"), this);
    cmdClose->setFont(small);
    cmdClose->setGeometry(Twips::Rect{5490, 3375, 855, 390}.pixels());
    cmdClose->setDefault(true);
    cmdClose->hide();
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    addLabel(this, QString(), small, Twips::Rect{480, 3600, 4455, 195}.pixels());

    const QRect dataRect = Twips::Rect{480, 3330, 4860, 480}.pixels();
    QLabel *dataFolders = addLabel(this, dataFoldersText(small, dataRect.width()), small, dataRect);
    dataFolders->setObjectName(QStringLiteral("lblDataFolders"));
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
