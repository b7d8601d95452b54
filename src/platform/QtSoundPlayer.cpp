#include "platform/QtSoundPlayer.h"

#include <QFile>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>

namespace {
// A sound whose header gives no length may play this long before it counts as ended.
constexpr qint64 kUnknownLengthMs = 10000;
// Time allowed beyond a sound's length for loading and the output's latency.
constexpr qint64 kMarginMs = 1000;

quint32 le32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}
} // namespace

QtSoundPlayer::QtSoundPlayer() = default;

QtSoundPlayer::~QtSoundPlayer() = default;

qint64 QtSoundPlayer::waveLength(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray head = file.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return -1;
    quint32 byteRate = 0;
    // Walk the chunks up to the samples; only the format and the data size matter.
    for (int guard = 0; guard < 64; ++guard) {
        const QByteArray chunk = file.read(8);
        if (chunk.size() < 8)
            return 0;
        const quint32 size = le32(chunk.constData() + 4);
        if (chunk.startsWith("fmt ")) {
            const QByteArray fmt = file.read(qMin<quint32>(size, 16));
            if (fmt.size() < 12)
                return 0;
            byteRate = le32(fmt.constData() + 8);
            if (!file.seek(file.pos() + (size - quint32(fmt.size())) + (size & 1)))
                return 0;
        } else if (chunk.startsWith("data")) {
            if (byteRate == 0)
                return 0;
            // A streamed file may carry a bogus size; the file itself bounds it.
            const qint64 bytes = qMin<qint64>(size, file.size() - file.pos());
            return bytes * 1000 / byteRate;
        } else if (!file.seek(file.pos() + size + (size & 1))) {
            return 0;
        }
    }
    return 0;
}

bool QtSoundPlayer::play(const QString &path)
{
    if (isPlaying())
        return false;
    if (!QFileInfo(path).isFile())
        return false;
    if (!hasAudioOutput()) {
        // No output to play on: drop the effect, so none is left waiting for one.
        effect_.reset();
        started_.invalidate();
        return false;
    }
    const qint64 length = waveLength(path);
    if (length < 0)
        return false;
    if (!effect_)
        effect_ = std::make_unique<QSoundEffect>();
    effect_->stop();
    const QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    if (effect_->source() != url)
        effect_->setSource(url);
    // Loading is asynchronous: the effect starts by itself once the file is read.
    effect_->play();
    started_.start();
    limitMs_ = (length > 0 ? length : kUnknownLengthMs) + kMarginMs;
    return true;
}

bool QtSoundPlayer::isPlaying() const
{
    if (!effect_ || !started_.isValid())
        return false;
    // A file the effect could not read never ends by itself.
    if (effect_->status() == QSoundEffect::Error)
        return false;
    if (started_.elapsed() > limitMs_)
        return false;
    return effect_->isPlaying();
}

void QtSoundPlayer::stop()
{
    if (effect_)
        effect_->stop();
    started_.invalidate();
}
