#pragma once

#include "sound/MciPlayer.h"

#include <QHash>
#include <QStringList>

namespace plimset {

// A command interpreter that records every string it is sent and answers from a table:
// `results` gives the error code of a string (0 when absent), `replies` its reply text.
// "status <alias> mode" answers `mode` unless the table says otherwise.
class FakeCommandInterpreter : public CommandInterpreter {
public:
    int SendCommand(const QString& command, QString* reply) override {
        sent << command;
        if (reply != nullptr) {
            *reply = replies.value(command, command.startsWith(u"status ") ? mode : QString());
        }
        return results.value(command, 0);
    }

    QStringList sent;
    QHash<QString, int> results;
    QHash<QString, QString> replies;
    QString mode;
};

} // namespace plimset
