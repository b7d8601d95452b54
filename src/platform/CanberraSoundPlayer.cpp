#include "platform/CanberraSoundPlayer.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <canberra.h>

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

CanberraSoundPlayer::CanberraSoundPlayer() = default;

CanberraSoundPlayer::~CanberraSoundPlayer()
{
    // Destroying the context ends its thread; a last callback still finds this object.
    if (context_)
        ca_context_destroy(context_);
}

qint64 CanberraSoundPlayer::waveLength(const QString &path)
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

bool CanberraSoundPlayer::open()
{
    if (context_)
        return true;
    // A machine without a sound system stays without one for this run: asking again at
    // every event would only cost time.
    if (openFailed_)
        return false;
    ca_context *context = nullptr;
    if (ca_context_create(&context) != CA_SUCCESS) {
        openFailed_ = true;
        return false;
    }
    ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "Brackenfold", CA_PROP_APPLICATION_ID, "brackenfold",
                            CA_PROP_APPLICATION_ICON_NAME, "brackenfold", nullptr);
    if (ca_context_open(context) != CA_SUCCESS) {
        ca_context_destroy(context);
        openFailed_ = true;
        return false;
    }
    context_ = context;
    return true;
}

void CanberraSoundPlayer::finished(ca_context *, std::uint32_t id, int, void *self)
{
    auto *player = static_cast<CanberraSoundPlayer *>(self);
    std::uint32_t expected = id;
    player->soundingId_.compare_exchange_strong(expected, 0);
}

bool CanberraSoundPlayer::play(const QString &path)
{
    if (isPlaying())
        return false;
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    const qint64 length = waveLength(path);
    if (length < 0 || !open())
        return false;
    ca_proplist *props = nullptr;
    if (ca_proplist_create(&props) != CA_SUCCESS)
        return false;
    const QByteArray file = QFile::encodeName(info.absoluteFilePath());
    ca_proplist_sets(props, CA_PROP_MEDIA_FILENAME, file.constData());
    ca_proplist_sets(props, CA_PROP_MEDIA_ROLE, "event");
    // The user may replace a file under the same name: read it afresh every time.
    ca_proplist_sets(props, CA_PROP_CANBERRA_CACHE_CONTROL, "never");
    // Id 0 is kept for "nothing sounding".
    lastId_ = lastId_ == UINT32_MAX ? 1 : lastId_ + 1;
    soundingId_.store(lastId_);
    const int result = ca_context_play_full(context_, lastId_, props, &CanberraSoundPlayer::finished, this);
    ca_proplist_destroy(props);
    if (result != CA_SUCCESS) {
        soundingId_.store(0);
        return false;
    }
    started_.start();
    limitMs_ = (length > 0 ? length : kUnknownLengthMs) + kMarginMs;
    return true;
}

bool CanberraSoundPlayer::isPlaying() const
{
    if (!started_.isValid() || soundingId_.load() == 0)
        return false;
    return started_.elapsed() <= limitMs_;
}

void CanberraSoundPlayer::stop()
{
    const std::uint32_t id = soundingId_.exchange(0);
    if (context_ && id != 0)
        ca_context_cancel(context_, id);
    started_.invalidate();
}
