// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/VectorPicture.h"

#include "core/BuildConfig.h"
#include "core/RuntimeError.h"
#include "input/LoadChecks.h"
#include "input/PictureLoader.h"
#include "input/VectorProtocol.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <cstring>
#include <mutex>

namespace plakatron {

using namespace vectorprotocol;

namespace {

// A helper whose drawing stops itself at the deadline still answers within this time; after it,
// the helper is ended.
constexpr qint64 reportGraceMs = 2'000;

QString helperForTesting;

QString formatName(Format format) { return format == Format::Pdf ? QStringLiteral("PDF") : QStringLiteral("SVG picture"); }
QString readerName(Format format) { return format == Format::Pdf ? QStringLiteral("poppler") : QStringLiteral("Qt SVG"); }

// One answer of the helper as it arrives: its header, then the rest it announces. The pixels of
// a drawing go straight into the picture made for them; anything the request did not ask for is
// refused.
class Answer {
public:
    explicit Answer(QImage *pixels = nullptr) : pixels_(pixels) {}

    bool take(QByteArrayView bytes)
    {
        while (!bytes.isEmpty()) {
            if (head_.size() < AnswerHeaderBytes) {
                const qsizetype n = std::min(bytes.size(), AnswerHeaderBytes - head_.size());
                head_.append(bytes.first(n));
                bytes = bytes.sliced(n);
                if (head_.size() == AnswerHeaderBytes && !announce())
                    return false;
                continue;
            }
            if (complete())
                return false;  // more than it announced
            const qsizetype n = std::min<qint64>(bytes.size(), needed_ - filled_);
            if (kind() == 'P')
                std::memcpy(pixels_->bits() + filled_, bytes.data(), std::size_t(n));
            else
                rest_.append(bytes.first(n));
            filled_ += n;
            bytes = bytes.sliced(n);
        }
        return true;
    }
    bool complete() const { return head_.size() == AnswerHeaderBytes && filled_ == needed_; }
    char kind() const { return head_.isEmpty() ? '\0' : head_[0]; }
    quint32 first() const { return qFromLittleEndian<quint32>(head_.constData() + 1); }
    quint32 second() const { return qFromLittleEndian<quint32>(head_.constData() + 5); }
    const QByteArray &rest() const { return rest_; }

private:
    bool announce()
    {
        switch (kind()) {
        case 'I':
            needed_ = InfoAnswerBytes - AnswerHeaderBytes;
            return true;
        case 'E':
            needed_ = second();
            return second() <= MaxDescriptionBytes;
        case 'P':
            needed_ = pixels_ ? pixels_->sizeInBytes() : 0;
            return pixels_ && first() == quint32(pixels_->width()) && second() == quint32(pixels_->height())
                   && pixels_->bytesPerLine() == qsizetype(pixels_->width()) * 4;
        default:
            return false;
        }
    }

    QImage *pixels_;
    QByteArray head_;
    QByteArray rest_;
    qint64 needed_ = 0;
    qint64 filled_ = 0;
};

// The numbers the helper may give for its errors; any other is taken for a damaged picture.
int knownErrorNumber(quint32 number)
{
    for (const int known : {err::InvalidCall, err::OutOfMemory, err::SubscriptOutOfRange, err::InvalidPicture})
        if (number == quint32(known))
            return known;
    return err::InvalidPicture;
}

// The document in its helper: one exchange at a time, from any thread.
class HelperDrawing final : public VectorDrawing {
public:
    explicit HelperDrawing(Format format) : format_(format) {}

    void start(QFile &file)
    {
        const QString program = vectorHelperProgram();
        if (!QFileInfo(program).isExecutable() || !helper_.start(program, {}, file.handle()))
            invalidPicture(QStringLiteral("PDF and SVG pictures cannot be loaded: the program's vector reader (%1) is "
                                          "missing or cannot be started.")
                               .arg(QDir::toNativeSeparators(program)));
    }

    Info open(const OpenRequest &request, const QDeadlineTimer &deadline, const IsolationWatch &watch)
    {
        Answer answer;
        ask(encode(request), answer, deadline, watch, QStringLiteral("open"));
        if (answer.kind() != 'I')
            invalidPicture(failedDescription(QStringLiteral("read")));
        const QByteArray &rest = answer.rest();
        const auto number = [&](qsizetype at) { return qFromLittleEndian<quint32>(rest.constData() + at); };
        Info info{answer.first(), answer.second(), QSize(int(std::min<quint32>(number(0), PictureLimits::maxVectorSide)),
                                                         int(std::min<quint32>(number(4), PictureLimits::maxVectorSide)))};
        if (info.nominalSize.isEmpty() || info.page < 1 || info.page > info.pageCount)
            invalidPicture(failedDescription(QStringLiteral("read")));
        return info;
    }

    QImage draw(const QRectF &area, QSize size, const DrawingAhead &ahead) const override
    {
        const QDeadlineTimer deadline(decodingDeadlineMs());
        return drawWithin(area, size, deadline, {}, ahead);
    }

    QImage drawWithin(const QRectF &area, QSize size, const QDeadlineTimer &deadline, const IsolationWatch &watch,
                      const DrawingAhead &ahead = {}) const
    {
        vectorprotocol::checkDrawingSize(size);
        QImage pixels(size, QImage::Format_RGB32);
        if (pixels.isNull())
            raise(err::OutOfMemory, QStringLiteral("There is not enough memory to draw the picture."));
        Answer answer(&pixels);
        const std::lock_guard lock(mutex_);
        const DrawRequest request{area, size, quint32(std::max<qint64>(1, deadline.remainingTime())),
                                  quint32(std::max(ahead.row, 0)), ahead.next, quint32(std::max(ahead.nextRow, 0)),
                                  ahead.keep};
        ask(encode(request), answer, deadline, watch, QStringLiteral("draw"));
        if (answer.kind() != 'P')
            invalidPicture(failedDescription(QStringLiteral("draw")));
        return pixels;
    }

private:
    // One exchange; the helper's own error is raised as it gave it.
    void ask(const QByteArray &request, Answer &answer, const QDeadlineTimer &deadline, const IsolationWatch &watch,
             const QString &verb) const
    {
        if (!helper_.running())
            invalidPicture(QStringLiteral("The %1 can no longer be drawn: its reader stopped earlier. Open it again.")
                               .arg(formatName(format_)));
        const QDeadlineTimer giveUp(deadline.remainingTime() < 0 ? -1 : deadline.remainingTime() + reportGraceMs);
        const IsolatedRun run = helper_.exchange(
            request, [&](QByteArrayView bytes) { return answer.take(bytes); }, [&] { return answer.complete(); },
            giveUp, watch);
        switch (run.outcome) {
        case IsolatedRun::Outcome::Finished:
            if (answer.kind() == 'E')
                raise(knownErrorNumber(answer.first()), QString::fromUtf8(answer.rest()));
            return;
        case IsolatedRun::Outcome::TimedOut:
            raise(err::OutOfMemory, tooSlowDescription(QStringLiteral("The %1").arg(formatName(format_)), verb));
        case IsolatedRun::Outcome::Stopped:
            stoppedFromOutside(run.signal, QStringLiteral("The reading of the %1").arg(formatName(format_)));
        case IsolatedRun::Outcome::Failed:
            break;
        }
        invalidPicture(failedDescription(verb));
    }

    QString failedDescription(const QString &verb) const
    {
        return QStringLiteral("The %1 could not be %2: its reader (%3) failed on it.")
            .arg(formatName(format_), verb == QLatin1String("draw") ? QStringLiteral("drawn") : QStringLiteral("read"),
                 readerName(format_));
    }

    const Format format_;
    mutable std::mutex mutex_;
    mutable HelperProcess helper_;
};

// The nominal size fitted into a square of `side` pixels, as large as fits, never distorted.
QSize overviewSize(QSize nominal, int side)
{
    const double scale = std::min(double(side) / nominal.width(), double(side) / nominal.height());
    return QSize(std::max(1, int(std::lround(nominal.width() * scale))), std::max(1, int(std::lround(nominal.height() * scale))));
}

}  // namespace

QString vectorHelperProgram()
{
    if (!helperForTesting.isEmpty())
        return helperForTesting;
    const QString name = QStringLiteral("plakatron-vector");
    const QString folder = QCoreApplication::applicationDirPath() + u'/';
    if (QFileInfo(folder + name).isExecutable())
        return folder + name;
    return QDir::cleanPath(folder + QLatin1String(buildconfig::helperFolderFromProgram)) + u'/' + name;
}

void setVectorHelperForTesting(const QString &program) { helperForTesting = program; }

Picture loadVectorPicture(QFile &file, PictureFormat format, int page, bool overview, const IsolationWatch &watch)
{
    const QDeadlineTimer deadline(decodingDeadlineMs());
    const Format kind = format == PictureFormat::Pdf ? Format::Pdf : Format::Svg;
    auto drawing = std::make_shared<HelperDrawing>(kind);
    drawing->start(file);
    const Info info = drawing->open(OpenRequest{kind, quint32(std::max(page, 1)), quint32(std::max<qint64>(1, deadline.remainingTime())),
                                                format == PictureFormat::Svgz ? Compressed : quint8(0)},
                                    deadline, watch);
    QImage screen;
    if (overview)
        screen = drawing->drawWithin(QRectF(QPointF(0, 0), QSizeF(info.nominalSize)),
                                     overviewSize(info.nominalSize, VectorOverviewSide), deadline, watch);
    return Picture(info.nominalSize, std::move(drawing), std::move(screen), DocumentPage{int(info.page), int(info.pageCount)});
}

}  // namespace plakatron
