#include "text/StringTable.h"

#include <algorithm>
#include <array>
#include <limits>

namespace plimset {

namespace {

// One row per item: the base id, its English text and its Japanese text (id 17000 + base id).
// Keeping both languages in one row means no item can lack its twin.
struct TextRow {
    int BaseId;
    const char16_t* English;
    const char16_t* Japanese;
};

// Sorted by base id; ResourceText searches it.
constexpr std::array<TextRow, 76> TextRows{{
    {101, u"Options", u"オプション"},
    {201, u"&Restore", u"元のサイズに戻す(&R)"},
    {204, u"Mi&nimize", u"最小化(&N)"},
    {219, u"E&xit", u"終了(&X)"},
    {251, u"&Always on Top", u"常に手前に表示(&A)"},
    {252, u"&Font...", u"フォント(&F)..."},
    {253, u"&Background Color...", u"背景色(&B)..."},
    {269, u"&Options...", u"オプション(&O)..."},
    {301, u"&OK", u"決定(&O)"},
    {302, u"&Cancel", u"キャンセル(&C)"},
    {304, u"&Browse", u"参照(&B)"},
    {311, u"&Reflect", u"反映(&R)"},
    {401, u"Do you want to save changes?", u"更新してもよろしいですか?"},
    {452, u"Input ", u" "},
    {453, u" or more.", u"以上を入力して下さい。"},
    {461, u"File not found.", u"ファイルがありません。"},
    {462, u"Cannot play the file.", u"ファイルを再生できません。"},
    {463, u"No sound can be played: the sound module (plimset_sound.so) was not found.",
     u"音を再生できません。サウンドモジュール (plimset_sound.so) が見つかりません。"},
    {471, u"Timeout error. The icon does not appear in the notification area.",
     u"通知領域にアイコンを登録出来ませんでした。"},
    {601, u"Alarm", u"アラーム"},
    {602, u"CountDown", u"カウントダウン"},
    {603, u"StopWatch", u"ストップウォッチ"},
    {611, u"min", u"分"},
    {612, u"sec", u"秒"},
    {701, u"Alarm (min)", u"アラーム (分)"},
    {702, u"CountDown (min) or (min.sec)", u"カウントダウン (分) または (分．秒)"},
    {703, u"Sound", u"サウンド"},
    {704, u"Message Box", u"メッセージボックス"},
    {705, u"TaskTray && TaskBar", u"タスクトレイ ＆ タスクバー"},
    {706, u"Window Size (Pixel)", u"ウィンドウの大きさ （ピクセル）"},
    {707, u"Maximum String Length", u"最大文字列長"},
    {708, u"Hotkey", u"ホットキー"},
    {709, u"Language", u"表示言語"},
    {710, u"Restore Defaults", u"規定値に戻す"},
    {711, u"MessageBox Text", u"メッセージボックスのテキスト"},
    {721, u"Add Minutes", u"追加する分数"},
    {722, u"(1-99)", u"(1-99)"},
    {726, u"Repeat at the end", u"終了時に自動で繰り返す"},
    {731, u"System", u"システム"},
    {732, u"File", u"ファイル"},
    {733, u"Nothing", u"なし"},
    {734, u"Beep", u"ビープ"},
    {735, u"Ring Duration", u"鳴音持続時間"},
    {736, u"Until end of play", u"再生終了まで"},
    {737, u"(min) or (min.sec) [0:Indefinite]", u"(分) または (分．秒) [0:無期限]"},
    {741, u"Display", u"表示"},
    {742, u"Size", u"大きさ"},
    {743, u"times", u"倍"},
    {744, u"Display Duration", u"表示持続時間"},
    {751, u"TaskTray", u"タスクトレイ"},
    {752, u"TaskBar", u"タスクバー"},
    {753, u"Progress", u"進行状況"},
    {754, u"Show Always", u"状況を常に表示"},
    {761, u"Width", u"横幅"},
    {762, u"Height", u"高さ"},
    {771, u"Window Size, Font, \r\nand Background Color",
     u"ウィンドウの大きさ、フォント、\r\nおよび背景色"},
    {772, u"All (Window position is not included.)", u"すべて (ウィンドウの位置を除く)"},
    {801, u"The countdown ended.", u"カウントダウンが終了しました。"},
    {802, u"Click on the stop button.", u"停止ボタンを押して下さい。"},
    {803, u"The set time has come.", u"設定した時間になりました。"},
    {811, u"Max", u"最大"},
    {812, u"min", u"分"},
    {821, u"None", u"なし"},
    {822, u"The desktop's shortcut settings choose the key that works (asked for: %1).",
     u"使えるキーはデスクトップのショートカット設定で決まります（希望: %1）。"},
    {823,
     u"This desktop gives programs no global shortcut: bind a key to "
     u"\"plimset --toggle\" in its keyboard settings.",
     u"このデスクトップではグローバルショートカットが使えません。キーボード設定で "
     u"plimset --toggle にキーを割り当ててください。"},
    {824, u"&Change...", u"変更(&C)..."},
    {831, u"System Default", u"システムの既定値"},
    {832, u"English", u"英語"},
    {833, u"Japanese", u"日本語"},
    {951, u"All Files", u"すべてのファイル"},
    {952, u"Media files (all types)", u"メディア ファイル (すべての種類)"},
    {991, u"Command Line Options", u"＜使用方法＞"},
    {992, u"Input Text", u"入力テキスト"},
    {993, u"Start CountDown Mode.", u"カウントダウンで起動"},
    {994, u"Start Alarm Mode.", u"アラームで起動"},
    {995, u"Start StopWatch Mode.", u"ストップウォッチで起動"},
}};

constexpr int JapaneseIdStart = JapaneseOffset * 1000;

const TextRow* FindRow(int baseId) {
    const auto found = std::lower_bound(TextRows.begin(), TextRows.end(), baseId,
                                        [](const TextRow& row, int id) { return row.BaseId < id; });
    if (found == TextRows.end() || found->BaseId != baseId)
        return nullptr;
    return &*found;
}

} // namespace

QString ResourceText(int id) {
    const bool japanese = id >= JapaneseIdStart;
    const TextRow* row = FindRow(japanese ? id - JapaneseIdStart : id);
    if (row == nullptr)
        return QString();
    return QString::fromUtf16(japanese ? row->Japanese : row->English);
}

QString LocalizedText(int baseId, qint16 languageOffset) {
    // Computed wide so that no base id or offset can overflow; anything outside the table's
    // range simply has no text.
    const qint64 id = qint64(languageOffset) * 1000 + baseId;
    if (id < 0 || id > std::numeric_limits<int>::max())
        return QString();
    return ResourceText(int(id));
}

QList<int> ResourceTextIds() {
    QList<int> ids;
    ids.reserve(int(TextRows.size()) * 2);
    for (const TextRow& row : TextRows)
        ids.append(row.BaseId);
    for (const TextRow& row : TextRows)
        ids.append(JapaneseIdStart + row.BaseId);
    return ids;
}

} // namespace plimset
