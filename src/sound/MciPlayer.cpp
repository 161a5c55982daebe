#include "sound/MciPlayer.h"

#include "sound/MciInterpreter.h"
#include "sound/PathProbe.h"

namespace plimset {

namespace {

// Long enough for a local disk or a working network mount, short enough not to be felt.
constexpr std::chrono::milliseconds fileCheckBound{100};

} // namespace

bool FileExistsWithin(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    return PathProbe::Shared()
        .AskWithin(PathQuestion::Exists, path, fileCheckBound)
        .value_or(false);
}

MciPlayer::MciPlayer(CommandInterpreter& interpreter,
                     std::function<bool(const QString&)> fileExists)
    : interpreter_(interpreter),
      fileExists_(fileExists ? std::move(fileExists)
                             : std::function<bool(const QString&)>(FileExistsWithin)) {}

int MciPlayer::Send(const QString& command, QString* reply) {
    QString answer;
    const int error = interpreter_.SendCommand(command, &answer);
    if (reply != nullptr) {
        // The text before the first NUL, as much as the reply buffer holds.
        const qsizetype nul = answer.indexOf(QChar(u'\0'));
        *reply = answer.left(nul < 0 ? ReplyLength - 1 : std::min<qsizetype>(nul, ReplyLength - 1));
    }
    return error;
}

qint16 MciPlayer::MciCommand(const QString& alias, const QString& word, const QString& path) {
    const QString c = word.toLower();
    if (c == u"open") {
        return Open(alias, path);
    }
    QString command;
    if (c == u"play" || c == u"pause" || c == u"resume") {
        command = c + u' ' + alias;
    } else if (c == u"prev") {
        command = QStringLiteral("play ") + alias + QStringLiteral(" from 0");
    } else if (c == u"stop" || c == u"close") {
        command = c + u' ' + alias + QStringLiteral(" wait");
    } else {
        return UnknownWord;
    }
    Send(command);
    return Ok;
}

qint16 MciPlayer::Open(const QString& alias, const QString& path) {
    if (path.isEmpty() || !fileExists_(path)) {
        return NoFile;
    }
    const QString quoted = QStringLiteral("open \"") + path + QLatin1Char('"');
    const int error = Send(quoted + QStringLiteral(" alias ") + alias + QStringLiteral(" wait"));
    if (error == 0) {
        return Ok;
    }
    if (error == MciInterpreter::NoOutput) {
        return NoOutput;
    }

    // The device chosen by the file's extension refused it: try an MPEG device, which
    // plays by content.
    QString reply;
    Send(QStringLiteral("sysinfo all quantity wait"), &reply);
    const int count = reply.trimmed().toInt();
    int type = 0;
    for (int i = 1; i <= count; ++i) {
        Send(QStringLiteral("sysinfo all name ") + QString::number(i), &reply);
        const QString name = reply.toLower();
        if (name.contains(u"mpegvideo2")) {
            type = 2;
            break;
        }
        if (name.contains(u"mpegvideo")) {
            type = 1;
        }
    }
    if (type == 0) {
        return Refused;
    }
    const QString device = type == 2 ? QStringLiteral("mpegvideo2") : QStringLiteral("mpegvideo");
    if (Send(quoted + QStringLiteral(" type ") + device + QStringLiteral(" alias ") + alias +
             QStringLiteral(" wait")) != 0) {
        return Refused;
    }
    // A video file would show a window of its own here, to be centred and kept on top;
    // this back end plays only the sound of a video, so there is no window to place.
    return Ok;
}

QString MciPlayer::MciMode(const QString& alias) {
    QString reply;
    if (Send(QStringLiteral("status ") + alias + QStringLiteral(" mode"), &reply) != 0) {
        return QString();
    }
    return reply;
}

} // namespace plimset
