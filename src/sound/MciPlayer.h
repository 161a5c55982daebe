#pragma once

#include <QString>

#include <functional>

namespace plimset {

// Something that carries out command strings of the sound layer, as the sound back end
// does: a result of 0 for success, a non-zero error otherwise, and a reply text when the
// command has one.
class CommandInterpreter {
public:
    virtual ~CommandInterpreter() = default;
    virtual int SendCommand(const QString& command, QString* reply) = 0;
};

// The alias every sound file is opened under, for the alarm and the test play alike.
inline constexpr char SoundAlias[] = "mmFile";

// The thin layer the alarm and the test play use: one command word and alias become one
// exact command string. Result codes of MciCommand:
//   0  sent (every word but "open", whatever the back end answered), or the file opened
//  -1  "open": no path, or no file at the path
//  -2  "open": the back end refused the file, also as an MPEG device
//  -3  not one of the words open, play, pause, resume, prev, stop, close
//  -4  "open": no sound can be played at all here (the back end did not load)
class MciPlayer {
public:
    static constexpr qint16 Ok = 0;
    static constexpr qint16 NoFile = -1;
    static constexpr qint16 Refused = -2;
    static constexpr qint16 UnknownWord = -3;
    static constexpr qint16 NoOutput = -4;
    // The replies are cut to what a 255-character buffer holds.
    static constexpr int ReplyLength = 255;

    // fileExists answers whether a file is at a path; by default FileExistsWithin.
    explicit MciPlayer(CommandInterpreter& interpreter,
                       std::function<bool(const QString&)> fileExists = {});

    qint16 MciCommand(const QString& alias, const QString& word, const QString& path);
    // The device's mode ("playing", "stopped", ...), or "" when the alias is not open or
    // the back end reports an error.
    QString MciMode(const QString& alias);

private:
    int Send(const QString& command, QString* reply = nullptr);
    qint16 Open(const QString& alias, const QString& path);

    CommandInterpreter& interpreter_;
    std::function<bool(const QString&)> fileExists_;
};

// Whether a file is at the path. The file system's answer is awaited a tenth of a second
// at most; a path whose earlier check has not come back counts as no file.
bool FileExistsWithin(const QString& path);

} // namespace plimset
