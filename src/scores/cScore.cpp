#include "scores/cScore.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "app/Context.h"
#include "appearance/mCustomize.h"
#include "core/AppError.h"
#include "core/Numbers.h"
#include "scores/ScoreLog.h"
#include "scores/mPlayers.h"
#include "store/cData.h"
#include "store/mFile.h"

QString ScoreRecord::ShortDate() const
{
    return HasDate() ? QDate::fromJulianDay(DayNo).toString(QStringLiteral("yyyy-MM-dd")) : DateText;
}

QString cScore::LogPath(Context &ctx, const QString &player)
{
    return ctx.data().AppDir() + player + QStringLiteral(".sre");
}

ScoreRecord cScore::gameInPlay(std::int16_t won) const
{
    const ISessionInfo &session = ctx_.session();
    ScoreRecord r;
    r.GameName = session.GameName();
    r.GameNo = session.GameNo();
    r.Time = session.Time();
    r.Moves = session.Moves();
    r.Score = session.Score();
    r.Won = won;
    r.Player = mCustomize::GetCurPlayer(ctx_);
    return r;
}

void cScore::AddScore(std::int16_t won)
{
    ScoreRecord r = gameInPlay(won);
    r.DateText = mFile::FormatDate(ctx_.clock().now());
    ScoreLog::AppendLine(LogPath(ctx_, r.Player), ScoreLog::FormatLine(r));
}

void cScore::AddSesGame(std::int16_t won)
{
    session_.push_back(gameInPlay(won));
}

void cScore::clearTop()
{
    for (int s = 1; s <= topFilled_; ++s)
        top_[s] = ScoreRecord();
    topFilled_ = 0;
}

void cScore::insertTop(int s, const ScoreRecord &record)
{
    const int last = std::min(topFilled_ + 1, kTopSlots);
    for (int t = last; t > s; --t)
        top_[t] = top_[t - 1];
    top_[s] = record;
    topFilled_ = last;
}

void cScore::Sort(const QString &game, const QString &player, std::int16_t wonOnly)
{
    clearTop();
    for (const ScoreRecord &r : records_) {
        if (r.Score <= 0 || (wonOnly == 1 && r.Won == 0))
            continue;
        if ((!game.isEmpty() && r.GameName != game) || (!player.isEmpty() && r.Player != player))
            continue;
        // A full list whose last score is higher takes nothing.
        if (topFilled_ == kTopSlots && r.Score < top_[kTopSlots].Score)
            continue;
        int s = 1;
        while (s <= topFilled_ && r.Score < top_[s].Score)
            ++s;
        insertTop(s, r);
    }
}

void cScore::FinSort(bool byTime, bool byMoves)
{
    clearTop();
    if (!byTime && !byMoves)
        return;
    const auto key = [byTime](const ScoreRecord &r) { return byTime ? r.Time : r.Moves; };
    for (const ScoreRecord &r : records_) {
        if (r.Won != 1 || key(r) < 1)
            continue;
        if (topFilled_ == kTopSlots && key(r) > key(top_[kTopSlots]))
            continue;
        int s = 1;
        while (s <= topFilled_ && key(r) > key(top_[s]))
            ++s;
        insertTop(s, r);
    }
}

void cScore::OpenScore(const QString &player)
{
    const QString path = LogPath(ctx_, player);
    // Looked at before reading: a log that changes meanwhile gets a new size or time and
    // is read again next time.
    const RegularFile::Stamp stamp = RegularFile::stampOf(path);
    const auto found = keptLogs_.constFind(path);
    if (found != keptLogs_.constEnd() && found->stamp.sameFile(stamp)) {
        records_.insert(records_.end(), found->records.begin(), found->records.end());
        return;
    }
    keptLogs_.remove(path);
    KeptLog read{stamp, {}};
    ScoreLog::ReadLog(path, player, read.records);
    records_.insert(records_.end(), read.records.begin(), read.records.end());
    if (stamp.regular)
        keptLogs_.emplace(path, std::move(read));
}

void cScore::CloseScore()
{
    std::vector<ScoreRecord>().swap(records_);
    clearTop();
}

void cScore::OpenAllScore()
{
    CloseScore();
    const QStringList players = mPlayers::PlayerList(ctx_);
    // Room for every line at once: a log line takes at least 40 bytes, so the list is
    // never copied while it grows. Only logs that will be read count.
    qint64 bytes = 0;
    for (const QString &player : players) {
        const QFileInfo log(LogPath(ctx_, player));
        if (log.isFile() && log.size() <= ScoreLog::kMaxLogBytes)
            bytes += log.size();
    }
    records_.reserve(static_cast<std::size_t>(bytes / 40));
    // A log that cannot be read is left out, so the others still show; the user is told
    // once which ones and why.
    QStringList leftOut;
    for (const QString &player : players) {
        try {
            OpenScore(player);
        } catch (const AppError &e) {
            leftOut << e.description();
        }
    }
    // The same logs left out for the same reasons are told once per run, not at every opening.
    const QString told = leftOut.join(QLatin1Char('\n'));
    if (leftOut.isEmpty() || toldLeftOut_.contains(told))
        return;
    toldLeftOut_.insert(told);
    ctx_.messages().show(QStringLiteral("The statistics show every score log but these, which could not be "
                                        "read:\n\n") +
                             told,
                         MsgButtons::Ok, MsgIcon::Exclamation);
}

void cScore::ClearStat()
{
    IMessageBox &box = ctx_.messages();
    if (box.show(QStringLiteral("Are you sure you want to clear the Statistics, High Score and Log for all Players and "
                                "Games ?"),
                 MsgButtons::YesNo, MsgIcon::Question) != MsgResult::Yes)
        return;
    // Every log is tried; those that stay are named together.
    QStringList left;
    for (const QString &player : mPlayers::PlayerList(ctx_)) {
        QFile log(LogPath(ctx_, player));
        if (QFileInfo::exists(log.fileName()) && !log.remove())
            left << log.fileName() + QStringLiteral(": ") + log.errorString();
    }
    if (!left.isEmpty()) {
        box.show(QStringLiteral("These score logs could not be deleted and keep their games:\n\n") +
                     left.join(QLatin1Char('\n')) + QStringLiteral("\n\nEvery other score log has been cleared."),
                 MsgButtons::Ok, MsgIcon::Critical);
        return;
    }
    box.show(QStringLiteral("Statistics, High Score and Log have been Cleared."), MsgButtons::Ok, MsgIcon::Information);
}

namespace {
template <typename Filter> ScoreStat statOf(const std::vector<ScoreRecord> &records, Filter pass)
{
    ScoreStat st;
    for (const ScoreRecord &r : records) {
        if (!pass(r))
            continue;
        ++st.Played;
        if (r.Won == 1)
            ++st.Won;
        st.Score += r.Score;
        st.Moves += r.Moves;
        st.Time += r.Time;
    }
    st.Lost = st.Played - st.Won;
    return st;
}

const char *const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
} // namespace

ScoreStat cScore::GetGenStat() const
{
    return statOf(records_, [](const ScoreRecord &) { return true; });
}

ScoreStat cScore::GetGameStat(const QString &game) const
{
    return statOf(records_, [&](const ScoreRecord &r) { return r.GameName == game; });
}

ScoreStat cScore::GetPlayerStat(const QString &player) const
{
    return statOf(records_, [&](const ScoreRecord &r) { return r.Player == player; });
}

ScoreStat cScore::GetSesStat() const
{
    return statOf(session_, [](const ScoreRecord &) { return true; });
}

DateStat cScore::GetDateStat(const QString &date, const QString &interval) const
{
    QDate day;
    const QByteArray text = date.toUtf8();
    if (!ScoreLog::ReadDate(std::string_view(text.constData(), static_cast<std::size_t>(text.size())), day))
        raiseError(err::TypeMismatch);
    const std::int32_t dayNo = static_cast<std::int32_t>(day.toJulianDay());
    const std::int32_t monthNo = day.year() * 12 + day.month() - 1;
    const QString month = QString::fromLatin1(kMonths[day.month() - 1]);
    DateStat out;
    ScoreStat st;
    if (interval == QLatin1String("d")) {
        out.Label = month + QStringLiteral(" %1").arg(day.day(), 2, 10, QLatin1Char('0'));
        st = statOf(records_, [&](const ScoreRecord &r) { return r.HasDate() && r.DayNo == dayNo; });
    } else if (interval == QLatin1String("m")) {
        out.Label = month + QStringLiteral(" %1").arg(day.year() % 100, 2, 10, QLatin1Char('0'));
        st = statOf(records_, [&](const ScoreRecord &r) { return r.HasDate() && r.MonthNo == monthNo; });
    } else if (interval == QLatin1String("yyyy")) {
        out.Label = QString::number(day.year());
        st = statOf(records_, [&](const ScoreRecord &r) { return r.HasDate() && r.MonthNo / 12 == monthNo / 12; });
    }
    out.Played = st.Played;
    out.Won = st.Won;
    out.Lost = st.Lost;
    out.Score = st.Score;
    out.Moves = st.Moves;
    out.Time = st.Time;
    return out;
}

const ScoreRecord &cScore::GetScore(std::int32_t i) const
{
    checkIndex(i, 1, ScoreTop());
    return records_[static_cast<std::size_t>(i - 1)];
}

ScoreRecord cScore::GetGameScore(const QString &game, std::int32_t k) const
{
    std::int32_t seen = 0;
    for (const ScoreRecord &r : records_) {
        if (r.GameName == game && ++seen == k)
            return r;
    }
    return {};
}

const ScoreRecord &cScore::GetTopScore(std::int16_t slot) const
{
    checkIndex(slot, 0, kTopSlots);
    return top_[static_cast<std::size_t>(slot)];
}

const ScoreRecord &cScore::GetSesGame(std::int32_t i) const
{
    checkIndex(i, 1, SesTop());
    return session_[static_cast<std::size_t>(i - 1)];
}
