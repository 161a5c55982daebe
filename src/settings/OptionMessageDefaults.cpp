#include "settings/OptionTable.h"

#include <QtGlobal>

namespace plimset {

// The file keeps English and Japanese alert texts under keys of their own, whatever the
// interface speaks; these are their values where the file has none. The English ones are
// marked for the catalogues too, so that a translator sees them with the interface.
MessageTextDefaults DefaultMessageTexts() {
    MessageTextDefaults defaults;
    defaults.A1_E = QString::fromUtf8(QT_TRANSLATE_NOOP("AlertTexts", "The set time has come."));
    defaults.A1_J = QStringLiteral("設定した時間になりました。");
    defaults.C1_E = QString::fromUtf8(QT_TRANSLATE_NOOP("AlertTexts", "The countdown ended."));
    defaults.C2_E = QString::fromUtf8(QT_TRANSLATE_NOOP("AlertTexts", "Click on the stop button."));
    defaults.C1_J = QStringLiteral("カウントダウンが終了しました。");
    defaults.C2_J = QStringLiteral("停止ボタンを押して下さい。");
    return defaults;
}

OptionSettings LoadOptionSettings(const SettingsFile& file, const QString& defaultSoundFile) {
    return LoadOptionSettings(file, defaultSoundFile, DefaultMessageTexts());
}

} // namespace plimset
