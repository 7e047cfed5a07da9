// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frmSplash.h"

#include "core/BuildConfig.h"
#include "core/ProgramWide.h"
#include "ui/Design.h"
#include "ui/LinkCursor.h"
#include "ui/LinkLabel.h"
#include "input/Toolbox.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QSysInfo>
#include <QTextLayout>
#include <QTimer>
#include <QtMath>
#include <qdrawutil.h>

namespace plakatron {
namespace {

// The fixed dialog border drawn around the client area (the window has no title bar).
constexpr int borderPixels = 3;

const QColor backColor(40, 40, 50);
const QColor textColor(192, 192, 255);
const QColor linkColor(128, 128, 255);
const QColor productColor(255, 68, 72);

QPointer<frmSplash> &instanceReference()
{
    static QPointer<frmSplash> reference;
    return reference;
}

struct LabelDesign {
    int left, top, width, height;  // twips, inside Frame1
    QColor color;
    double points;
    bool bold = false;
    bool underline = false;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool autoSize = true;  // short texts size themselves to their text
};

// Puts a label in its design box. Labels that size themselves keep their left edge, or their
// right edge when right-aligned, so the right-aligned column stays flush.
void place(QLabel *label, const LabelDesign &design)
{
    label->setFont(designFont(QStringLiteral("Arial"), design.points, design.bold, design.underline));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, design.color);
    palette.setColor(QPalette::Window, backColor);
    label->setPalette(palette);
    label->setAlignment(design.alignment | Qt::AlignTop);
    const QRect box = twipsRect(design.left, design.top, design.width, design.height);
    if (!design.autoSize) {
        label->setGeometry(box);
        return;
    }
    const QSize fit = label->sizeHint();
    if (design.alignment & Qt::AlignRight)
        label->setGeometry(box.x() + box.width() - fit.width(), box.y(), fit.width(), fit.height());
    else
        label->setGeometry(box.x(), box.y(), fit.width(), fit.height());
}

const LabelDesign versionDesign{5370, 2640, 1320, 285, textColor, 12, true, false, Qt::AlignRight};

QLabel *addLabel(QWidget *parent, const char *name, const QString &text, const LabelDesign &design)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAutoFillBackground(true);
    place(label, design);
    return label;
}

LinkLabel *addLink(QWidget *parent, const char *name, const QString &text, const LabelDesign &design)
{
    auto *label = new LinkLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAutoFillBackground(true);
    label->setCursor(linkCursor());
    place(label, design);
    return label;
}

}  // namespace

QPoint textFollowPosition(const QString &text, const QFont &font, int wrapWidth, int followerWidth, int maxRight)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    QTextLine last;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(wrapWidth);
        line.setPosition(QPointF(0, y));
        y += line.height();
        last = line;
    }
    layout.endLayout();
    if (!last.isValid())
        return {0, 0};
    const QFontMetrics metrics(font);
    const int x = qCeil(last.naturalTextWidth()) + metrics.horizontalAdvance(QLatin1Char(' '));
    if (x + followerWidth <= maxRight)
        return {x, qRound(last.y())};
    return {0, qRound(last.y() + last.height())};
}

QString systemName()
{
    const QString pretty = QSysInfo::prettyProductName();
    return pretty.isEmpty() || pretty.startsWith(QLatin1String("Unknown"))
               ? QSysInfo::kernelType() + u' ' + QSysInfo::kernelVersion()
               : pretty;
}

QString homepageLinkTarget() { return QString::fromUtf8(buildconfig::homepageUrl); }
QString galleryLinkTarget() { return QString::fromUtf8(buildconfig::galleryUrl); }

QString mailLinkTarget(const QString &address)
{
    return QStringLiteral("mailto:") + address + QStringLiteral("?Subject=") + frmSplash::tr("Sending cool poster-picture!");
}

QString mailLinkTarget() { return mailLinkTarget(QString::fromUtf8(buildconfig::authorEmail)); }

QString fillVersion(QString caption, const QString &version)
{
    return caption.replace(QStringLiteral("%v"), version, Qt::CaseSensitive);
}

bool keyClosesSplash(int key, const QString &text)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)
        return true;
    return !text.isEmpty();
}

frmSplash::frmSplash(QWidget *owner) : QDialog(owner, Qt::Tool | Qt::FramelessWindowHint)
{
    setFocusPolicy(Qt::StrongFocus);  // keys come to the window itself, whatever is under the pointer
    buildDesign();

    tmrUnload_ = new QTimer(this);
    tmrUnload_->setInterval(1000);
    tmrUnload_->setSingleShot(false);
    connect(tmrUnload_, &QTimer::timeout, this, &frmSplash::tmrUnload_Timer);

    connect(Label2_, &LinkLabel::clicked, this, [this] { openLink(homepageLinkTarget()); });
    connect(Label5_, &LinkLabel::clicked, this, [this] { openLink(mailLinkTarget()); });
    connect(lbGallery_, &LinkLabel::clicked, this, [this] { openLink(galleryLinkTarget()); });
    connect(Label6_, &LinkLabel::clicked, this, &frmSplash::unload);

    instanceReference() = this;
    Form_Load();
}

frmSplash::~frmSplash()
{
    // Unloading drops the program-wide reference: every showing loads a fresh window.
    if (instanceReference() == this)
        instanceReference() = nullptr;
}

frmSplash *frmSplash::current() { return instanceReference(); }

void frmSplash::buildDesign()
{
    const QSize clientSize = twipsSize(7830, 5385);
    setFixedSize(clientSize.width() + 2 * borderPixels, clientSize.height() + 2 * borderPixels);

    client_ = new QWidget(this);
    client_->setGeometry(borderPixels, borderPixels, clientSize.width(), clientSize.height());
    client_->setAutoFillBackground(true);
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, backColor);
    client_->setPalette(palette);

    // A caption-less frame: an etched outline in the desktop's three-dimensional colours.
    Frame1_ = new QFrame(client_);
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    Frame1_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Frame1_->setGeometry(twipsRect(150, 60, 7515, 5160));
    QPalette framePalette = QGuiApplication::palette();
    framePalette.setColor(QPalette::Window, backColor);
    Frame1_->setPalette(framePalette);
    Frame1_->setAutoFillBackground(true);

    QWidget *f = Frame1_;
    addLabel(f, "lblCompanyProduct", tr("Make your walls sing with"),
             {840, 840, 3570, 330, textColor, 14.25, true});
    addLabel(f, "lblProductName", QStringLiteral("Plakatron"), {840, 1200, 4845, 765, productColor, 32.25, true});
    addLabel(f, "Label1", tr("Poster printer software that simply kicks ass"),
             {840, 1920, 3735, 255, textColor, 8.25});
    // The system the program runs on, in the right-aligned column; a long name takes a smaller
    // font rather than run past the column of texts on the left.
    const LabelDesign platformDesign{3990, 2280, 2700, 360, textColor, 15.75, true, false, Qt::AlignRight};
    QLabel *platform = addLabel(f, "lblPlatform", systemName(), platformDesign);
    for (LabelDesign smaller = platformDesign; platform->x() < twipsToPixels(840) && smaller.points > 8;) {
        smaller.points -= 0.75;
        place(platform, smaller);
    }
    lblVersion_ = addLabel(f, "lblVersion", tr("Version %v"), versionDesign);
    addLabel(f, "Label4", tr("Let us know!"), {840, 3000, 1755, 330, textColor, 14.25, true});

    // The invitation wraps in its box; the frame's colour shows through it.
    auto *invitation = addLabel(f, "Label3",
                                tr("If you create a cool poster, please take a picture of it, and submit it "
                                               "to our gallery! - Send the attached picture to this email:"),
                                {840, 3285, 5850, 645, textColor, 8.25, false, false, Qt::AlignLeft, false});
    invitation->setWordWrap(true);
    invitation->setAutoFillBackground(false);
    // A longer language takes more lines: the box grows and the rows under it move down.
    const int extra = std::max(0, invitation->heightForWidth(invitation->width()) - invitation->height());
    invitation->resize(invitation->width(), invitation->height() + extra);

    Label5_ = addLink(f, "Label5", QString::fromUtf8(buildconfig::authorEmail) + QStringLiteral("."),
                      {3825, 3480, 1665, 210, linkColor, 8.25, false, true});
    // The address continues the invitation's last line. Where the text wraps differently from
    // the design (other font metrics, a longer address), follow the text rather than cover it.
    const QPoint follow = textFollowPosition(invitation->text(), invitation->font(), invitation->width(),
                                             Label5_->width(), f->contentsRect().right() - invitation->x());
    Label5_->move(invitation->pos() + follow);
    QLabel *copyright = addLabel(f, "lblCopyright", QString::fromUtf8(buildconfig::copyrightLine),
                                 {1650, 3945, 5025, 255, textColor, 8.25, false, false, Qt::AlignRight});
    lbGallery_ = addLink(f, "lbGallery", tr("Visit the Gallery"),
                         {3495, 4185, 1140, 210, linkColor, 8.25, false, true});
    Label2_ = addLink(f, "Label2", tr("Visit software homepage"),
                      {4845, 4185, 1830, 210, linkColor, 8.25, false, true});
    for (QWidget *below : std::initializer_list<QWidget *>{copyright, lbGallery_, Label2_})
        below->move(below->x(), below->y() + extra);
    // The two links side by side: a longer gallery link moves left, clear of the other.
    if (const int over = lbGallery_->geometry().right() + twipsToPixels(150) - Label2_->x(); over > 0)
        lbGallery_->move(lbGallery_->x() - over, lbGallery_->y());
    Label6_ = addLink(f, "Label6", tr("Close this window"),
                      {5235, 255, 2100, 285, linkColor, 12, true, true});
    // A longer caption (another language) grows to the left, inside the frame.
    if (const int right = twipsRect(5235, 255, 2100, 285).right(); Label6_->geometry().right() > right)
        Label6_->move(right + 1 - Label6_->width(), Label6_->y());
}

void frmSplash::Form_Load()
{
    lblVersion_->setText(fillVersion(lblVersion_->text(), versionText()));
    place(lblVersion_, versionDesign);  // the longer text keeps the right edge

    startupRole_ = programWide().SplashAtStartup;
    Label6_->setVisible(!startupRole_);
    if (startupRole_)
        tmrUnload_->start();
}

void frmSplash::tmrUnload_Timer()
{
    tmrUnload_->stop();
    unload();
}

void frmSplash::openLink(const QString &target)
{
    // The window stays as it is whatever the desktop makes of the link; the timer runs on.
    modToolbox::ShellOpen(target, modToolbox::AppFolder(), this);
}

void frmSplash::unload() { done(QDialog::Accepted); }

void frmSplash::keyPressEvent(QKeyEvent *event)
{
    if (keyClosesSplash(event->key(), event->text())) {
        event->accept();
        unload();
        return;
    }
    event->ignore();
}

void frmSplash::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

void frmSplash::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), QGuiApplication::palette(), false);
}

void frmSplash::placeCentred()
{
    QRect area;
    if (const QWidget *owner = parentWidget())
        area = owner->window()->frameGeometry();
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        move(centredTopLeft(area, size()));
}

void showSplash(QWidget *owner)
{
    QPointer<frmSplash> window = frmSplash::current();
    if (!window)
        window = new frmSplash(owner);
    window->placeCentred();
    window->exec();
    delete window.data();  // unload; null when the owner already took it down
}

}  // namespace plakatron
