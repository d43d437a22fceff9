// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pool.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>

#include <atomic>

namespace classroom {

namespace {

const char* experimentName(classthrows::Experiment experiment)
{
    return experiment == classthrows::Experiment::Points ? "points" : "needles";
}

QString now()
{
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
}

const char* const schema[] = {
    "CREATE TABLE IF NOT EXISTS sessions ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT, experiment TEXT NOT NULL, code TEXT NOT NULL,"
    " started TEXT NOT NULL, finished INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE IF NOT EXISTS pupils ("
    " session INTEGER NOT NULL REFERENCES sessions(id), id INTEGER NOT NULL, token TEXT NOT NULL,"
    " pseudonym TEXT NOT NULL, nickname TEXT NOT NULL, removed INTEGER NOT NULL DEFAULT 0,"
    " PRIMARY KEY (session, id))",
    "CREATE TABLE IF NOT EXISTS chunks ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT, session INTEGER NOT NULL, pupil INTEGER NOT NULL,"
    " chunk INTEGER NOT NULL, seed INTEGER NOT NULL, throws INTEGER NOT NULL, hits INTEGER NOT NULL,"
    " verified INTEGER NOT NULL, time TEXT NOT NULL,"
    " FOREIGN KEY (session, pupil) REFERENCES pupils(session, id))",
    "CREATE INDEX IF NOT EXISTS chunks_of_session ON chunks(session, id)",
};

// RFC 4180: every text field in quotes, the quotes in it doubled, so that
// no comma, quote or line break in a name can shift the columns.
QString quoted(QString text)
{
    return '"' + text.replace('"', QLatin1String("\"\"")) + '"';
}

} // namespace

Pool::Pool(const QString& path)
{
    static std::atomic<quint64> instances{0};
    connection_ = QStringLiteral("sorvena-class-pool-%1").arg(++instances);
    const QString file = path.isEmpty() ? defaultPath() : path;
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(file);
    // Another Sorvena (or a test's second session) may hold the file a moment.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        error_ = db.lastError().text();
        return;
    }
    // Each chunk is its own transaction; in WAL mode a commit is in the file
    // as soon as it returns, so a killed program loses none of them.
    bool ok = exec(QStringLiteral("PRAGMA journal_mode=WAL")) && exec(QStringLiteral("PRAGMA synchronous=NORMAL"))
              && exec(QStringLiteral("PRAGMA foreign_keys=ON"));
    for (const char* statement : schema)
        ok = ok && exec(QString::fromLatin1(statement));
    if (!ok)
        db.close();
}

Pool::~Pool()
{
    QSqlDatabase::database(connection_, false).close();
    QSqlDatabase::removeDatabase(connection_);
}

QString Pool::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/class.sqlite");
}

bool Pool::isOpen() const
{
    return QSqlDatabase::database(connection_, false).isOpen();
}

QString Pool::error() const
{
    return error_;
}

bool Pool::exec(const QString& statement, const QVariantList& values) const
{
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.prepare(statement);
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (query.exec())
        return true;
    error_ = query.lastError().text();
    return false;
}

std::optional<Pool::StoredSession> Pool::unfinished(classthrows::Experiment experiment) const
{
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    // A session nobody joined holds nothing to go back to.
    query.prepare(QStringLiteral("SELECT id, code FROM sessions WHERE experiment = ? AND finished = 0"
                                 " AND EXISTS (SELECT 1 FROM pupils WHERE pupils.session = sessions.id)"
                                 " ORDER BY id DESC LIMIT 1"));
    query.addBindValue(QString::fromLatin1(experimentName(experiment)));
    if (!query.exec() || !query.next())
        return std::nullopt;
    return StoredSession{query.value(0).toLongLong(), query.value(1).toString()};
}

qint64 Pool::start(classthrows::Experiment experiment, const QString& code)
{
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.prepare(QStringLiteral("INSERT INTO sessions (experiment, code, started) VALUES (?, ?, ?)"));
    query.addBindValue(QString::fromLatin1(experimentName(experiment)));
    query.addBindValue(code);
    query.addBindValue(now());
    if (!query.exec()) {
        error_ = query.lastError().text();
        return 0;
    }
    return query.lastInsertId().toLongLong();
}

void Pool::finish(qint64 session)
{
    exec(QStringLiteral("UPDATE sessions SET finished = 1 WHERE id = ?"), {session});
}

void Pool::finishOthers(classthrows::Experiment experiment, qint64 keep)
{
    exec(QStringLiteral("UPDATE sessions SET finished = 1 WHERE experiment = ? AND id <> ?"),
        {QString::fromLatin1(experimentName(experiment)), keep});
}

void Pool::addPupil(qint64 session, const StoredPupil& pupil)
{
    exec(QStringLiteral("INSERT INTO pupils (session, id, token, pseudonym, nickname, removed) VALUES (?, ?, ?, ?, ?, ?)"),
        {session, pupil.number, pupil.token, pupil.pseudonym, pupil.nickname, int(pupil.removed)});
}

void Pool::setNickname(qint64 session, int number, const QString& nickname)
{
    exec(QStringLiteral("UPDATE pupils SET nickname = ? WHERE session = ? AND id = ?"), {nickname, session, number});
}

void Pool::setRemoved(qint64 session, int number)
{
    exec(QStringLiteral("UPDATE pupils SET removed = 1 WHERE session = ? AND id = ?"), {session, number});
}

QList<Pool::StoredPupil> Pool::pupils(qint64 session) const
{
    QList<StoredPupil> out;
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.prepare(QStringLiteral("SELECT id, token, pseudonym, nickname, removed FROM pupils WHERE session = ? ORDER BY id"));
    query.addBindValue(session);
    if (!query.exec())
        return out;
    while (query.next())
        out.append({query.value(0).toInt(), query.value(1).toString(), query.value(2).toString(),
            query.value(3).toString(), query.value(4).toBool()});
    return out;
}

void Pool::addChunk(qint64 session, const StoredChunk& chunk)
{
    exec(QStringLiteral("INSERT INTO chunks (session, pupil, chunk, seed, throws, hits, verified, time)"
                        " VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
        {session, chunk.pupil, qint64(chunk.chunk), qint64(chunk.seed), qint64(chunk.throws), qint64(chunk.hits),
            int(chunk.verified), now()});
}

QList<Pool::StoredChunk> Pool::chunks(qint64 session) const
{
    QList<StoredChunk> out;
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT pupil, chunk, seed, throws, hits, verified FROM chunks WHERE session = ? ORDER BY id"));
    query.addBindValue(session);
    if (!query.exec())
        return out;
    const auto u32 = [&](int column) { return std::uint32_t(query.value(column).toLongLong()); };
    while (query.next())
        out.append({query.value(0).toInt(), u32(1), u32(2), u32(3), u32(4), query.value(5).toBool()});
    return out;
}

bool Pool::exportCsv(qint64 session, const QString& path) const
{
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT p.pseudonym, c.chunk, c.seed, c.throws, c.hits, c.verified"
                                 " FROM chunks c JOIN pupils p ON p.session = c.session AND p.id = c.pupil"
                                 " WHERE c.session = ? ORDER BY c.id"));
    query.addBindValue(session);
    if (!query.exec()) {
        error_ = query.lastError().text();
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // The byte order mark: without it, a spreadsheet in Japan reads UTF-8 as Shift_JIS.
    QString text = QStringLiteral("\uFEFFpseudonym,chunk,seed,throws,hits,verified\r\n");
    while (query.next()) {
        text += quoted(query.value(0).toString());
        for (int column = 1; column < 6; ++column)
            text += ',' + QString::number(query.value(column).toLongLong());
        text += QLatin1String("\r\n");
    }
    file.write(text.toUtf8());
    return file.commit();
}

} // namespace classroom
